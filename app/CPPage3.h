// Settings page 3 (dialog 105, "その他"): the toolbar look, where the link
// page is written and whether its links open in a new window.
#pragma once

#include "fw/win/CPropertyPage.h"

class CPPage3 : public CPropertyPage {
public:
    CPPage3();

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_ToolBarType = 1;
    int m_HtmlDirTemp = 1;
    int m_LinkTarget = 1;
};
