// Settings page 1 (dialog 103, "ブラウザ設定"): one browser window per URL or
// several. The browser path's edit is in the template, hidden, so the path
// passes through the page unchanged.
#pragma once

#include "fw/win/CPropertyPage.h"

class CPPage1 : public CPropertyPage {
public:
    CPPage1();

    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_BrowserName;
    int m_BrowserAny = 0;
    int m_bBrowserIsIE = 1;  // in only: the single-window choice needs Internet Explorer

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
