#include "fw/win/CFormView.h"

#include "fw/win/CFrameWnd.h"

namespace {

// The dialog manager's part: everything is left to the default dialog
// handling and to the view, which subclasses the dialog window.
INT_PTR CALLBACK FormDlgProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

BOOL CFormView::Create(const char*, const char*, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CCreateContext* pContext) {
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     pParentWnd->m_hWnd, FormDlgProc, 0);
    if (!hWnd) return FALSE;
    ::SetWindowLongPtrA(hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, ::GetWindowLongA(hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    if (!AttachCreated(hWnd, pContext)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    ::MoveWindow(hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    if (dwStyle & WS_VISIBLE) ::ShowWindow(hWnd, SW_SHOWNA);
    return TRUE;
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    if (CView::PreTranslateMessage(pMsg)) return TRUE;
    // The dialog navigation below would eat the frame's accelerators, so
    // the frames get their turn first.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame; pFrame = pFrame->GetParentFrame())
        if (pFrame->PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}
