// Settings page 4 (dialog 106): a placeholder page, built with the sheet but
// never added to it.
#pragma once

#include "fw/win/CPropertyPage.h"

class CPPage4 : public CPropertyPage {
public:
    CPPage4();
};
