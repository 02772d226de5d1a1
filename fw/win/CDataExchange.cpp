#include "fw/win/CDataExchange.h"

#include "fw/win/CWnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hCtrl) m_bFailed = TRUE;
    return hCtrl;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (!hCtrl) return;
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(hCtrl)->GetWindowText(value);
    } else {
        ::SetWindowTextA(hCtrl, value);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl && !rControl.SubclassWindow(hCtrl)) pDX->m_bFailed = TRUE;
}
