// The upper right pane: the TITLE and URL form (dialog 101).
#pragma once

#include "fw/win/CFormView.h"

class CFormVw : public CFormView {
    DECLARE_DYNCREATE(CFormVw)

public:
    CFormVw();
};
