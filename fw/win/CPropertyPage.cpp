#include "fw/win/CPropertyPage.h"

#include "fw/win/CPropertySheet.h"

// The page object travels in the page description's lParam.
INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDesc = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    auto* pPage = pDesc ? reinterpret_cast<CPropertyPage*>(pDesc->lParam) : nullptr;
    return pPage ? pPage->AttachDialog(hWnd) : TRUE;
}

PROPSHEETPAGEA CPropertyPage::BuildPageDescription() {
    PROPSHEETPAGEA psp = {};
    psp.dwSize = sizeof(psp);
    psp.dwFlags = PSP_DEFAULT;  // the tab shows the template's caption
    psp.hInstance = AfxGetResourceHandle();
    psp.pszTemplate = MAKEINTRESOURCEA(m_nIDTemplate);
    psp.pfnDlgProc = PageDlgProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    return psp;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT lResult = 0;
    switch (pNMHDR->code) {
        case PSN_SETACTIVE:
            lResult = OnSetActive() ? 0 : -1;
            break;
        case PSN_KILLACTIVE:
            lResult = OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY:
            // Sent to every page whose window exists, the OK button's last step.
            if (m_pSheet) m_pSheet->m_bClosedWithOK = TRUE;
            OnOK();
            lResult = PSNRET_NOERROR;
            break;
        case PSN_RESET:
            OnCancel();
            break;
        default:
            return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet may read the answer either way.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}
