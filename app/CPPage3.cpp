#include "app/CPPage3.h"

#include "res/resource.h"

namespace {
// The first button of a pair stands for 1, the second for 0.
void CheckPair(CPropertyPage& page, int nIDOne, int nIDZero, int nValue) {
    page.CheckRadioButton(nIDOne, nIDZero, nValue != 0 ? nIDOne : nIDZero);
}

// A pair with no checked button leaves the value as it was.
void ReadPair(const CPropertyPage& page, int nIDOne, int nIDZero, int& rValue) {
    const int nChecked = page.GetCheckedRadioButton(nIDOne, nIDZero);
    if (nChecked == nIDOne) rValue = 1;
    if (nChecked == nIDZero) rValue = 0;
}
}  // namespace

CPPage3::CPPage3() : CPropertyPage(IDD_PPAGE3) {}

BOOL CPPage3::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CheckPair(*this, IDC_TOOLBAR_FLAT, IDC_TOOLBAR_NORMAL, m_ToolBarType);
    CheckPair(*this, IDC_HTML_DIR_TEMP, IDC_HTML_DIR_ASK, m_HtmlDirTemp);
    CheckPair(*this, IDC_LINK_TARGET_SAME, IDC_LINK_TARGET_NEW, m_LinkTarget);
    return TRUE;
}

void CPPage3::OnOK() {
    ReadPair(*this, IDC_TOOLBAR_FLAT, IDC_TOOLBAR_NORMAL, m_ToolBarType);
    ReadPair(*this, IDC_HTML_DIR_TEMP, IDC_HTML_DIR_ASK, m_HtmlDirTemp);
    ReadPair(*this, IDC_LINK_TARGET_SAME, IDC_LINK_TARGET_NEW, m_LinkTarget);
    CPropertyPage::OnOK();
}
