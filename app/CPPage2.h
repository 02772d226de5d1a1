// Settings page 2 (dialog 104, "Ordelink 設定"): several program instances or
// one, and whether Add URL hands the form default or blank fields.
#pragma once

#include "fw/win/CPropertyPage.h"

class CPPage2 : public CPropertyPage {
public:
    CPPage2();

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_AppAny = 1;
    int m_TitleEmpty = 0;
};
