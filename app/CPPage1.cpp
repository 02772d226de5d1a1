#include "app/CPPage1.h"

#include "res/resource.h"

CPPage1::CPPage1() : CPropertyPage(IDD_PPAGE1) {}

void CPPage1::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BROWSER_NAME, m_BrowserName);
}

BOOL CPPage1::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (m_bBrowserIsIE == 0) GetDlgItem(IDC_BROWSER_SINGLE)->EnableWindow(FALSE);
    CheckRadioButton(IDC_BROWSER_ANY, IDC_BROWSER_SINGLE,
                     m_BrowserAny != 0 ? IDC_BROWSER_ANY : IDC_BROWSER_SINGLE);
    return TRUE;
}

void CPPage1::OnOK() {
    m_BrowserAny = IsDlgButtonChecked(IDC_BROWSER_ANY) != BST_UNCHECKED ? 1 : 0;
    CPropertyPage::OnOK();
}
