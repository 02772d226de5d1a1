#include "fw/win/CDialog.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDlg = reinterpret_cast<CDialog*>(lParam);
    return pDlg ? pDlg->AttachDialog(hWnd) : TRUE;
}

INT_PTR CDialog::AttachDialog(HWND hWnd) {
    if (!SubclassWindow(hWnd)) return TRUE;
    try {
        return OnInitDialog();
    } catch (...) {
        // No exception may leave the dialog manager's call.
        OutputDebugStringA("exception in OnInitDialog");
        return TRUE;
    }
}

INT_PTR CDialog::DoModal() {
    // The owner is the main window's current pop-up, so a dialog opened over
    // another dialog stays above it.
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hOwner) {
        if (CWnd* pMain = AfxGetMainWnd()) hOwner = ::GetLastActivePopup(pMain->m_hWnd);
    }
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
        if (::IsDlgButtonChecked(m_hWnd, nID) == BST_CHECKED) return nID;
    return 0;
}

UINT CDialog::IsDlgButtonChecked(int nIDButton) const {
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CDialog::SetDlgItemText(int nID, const char* pszText) {
    ::SetDlgItemTextA(m_hWnd, nID, pszText);
}

// A control bound to an object gets the first say on its colours (the
// reflected WM_CTLCOLORxxx), as it does on its own commands.
LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        LRESULT lResult = 0;
        if (pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, &lResult))
            return lResult;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
