#include "app/CPPage2.h"

#include "res/resource.h"

CPPage2::CPPage2() : CPropertyPage(IDD_PPAGE2) {}

BOOL CPPage2::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CheckRadioButton(IDC_APP_ANY, IDC_APP_SINGLE, m_AppAny != 0 ? IDC_APP_ANY : IDC_APP_SINGLE);
    CheckRadioButton(IDC_TITLE_DEFAULT, IDC_TITLE_BLANK,
                     m_TitleEmpty != 0 ? IDC_TITLE_BLANK : IDC_TITLE_DEFAULT);
    return TRUE;
}

// A group with no checked button leaves its value as it was.
void CPPage2::OnOK() {
    switch (GetCheckedRadioButton(IDC_APP_ANY, IDC_APP_SINGLE)) {
        case IDC_APP_ANY:
            m_AppAny = 1;
            break;
        case IDC_APP_SINGLE:
            m_AppAny = 0;
            break;
    }
    switch (GetCheckedRadioButton(IDC_TITLE_DEFAULT, IDC_TITLE_BLANK)) {
        case IDC_TITLE_DEFAULT:
            m_TitleEmpty = 0;
            break;
        case IDC_TITLE_BLANK:
            m_TitleEmpty = 1;
            break;
    }
    CPropertyPage::OnOK();
}
