#include "fw/win/CMiniDockFrameWnd.h"

#include "fw/win/CControlBar.h"
#include "fw/win/CFrameWnd.h"

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
}  // namespace

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
END_MESSAGE_MAP()

BOOL CMiniDockFrameWnd::Create(CWnd* pOwner, POINT ptScreen) {
    CString strTitle;
    m_pBar->GetWindowText(strTitle);
    const RECT rect = {ptScreen.x, ptScreen.y, ptScreen.x + 100, ptScreen.y + 40};
    return CreateEx(kExStyle, AfxWndClassName(), strTitle, kStyle, rect, pOwner, 0);
}

void CMiniDockFrameWnd::RecalcLayout() {
    RECT rcBar;
    ::GetWindowRect(m_pBar->m_hWnd, &rcBar);
    RECT rc = {0, 0, rcBar.right - rcBar.left, rcBar.bottom - rcBar.top};
    ::AdjustWindowRectEx(&rc, kStyle, FALSE, kExStyle);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnClose() {
    if (m_pBar->m_pDockSite) m_pBar->m_pDockSite->ShowControlBar(m_pBar, FALSE, FALSE);
}

// The bar outlives this frame: it goes back to the main frame (hidden), so
// that it is not destroyed with its floating parent.
void CMiniDockFrameWnd::OnDestroy() {
    HWND hBar = m_pBar->m_hWnd;
    if (hBar && ::GetParent(hBar) == m_hWnd && m_pBar->m_pDockSite) {
        ::ShowWindow(hBar, SW_HIDE);
        ::SetParent(hBar, m_pBar->m_pDockSite->m_hWnd);
    }
    Default();
}

void CMiniDockFrameWnd::PostNcDestroy() {
    if (m_pBar->m_pDockFrame == this) m_pBar->m_pDockFrame = nullptr;
    delete this;
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
    if (wParam == HTCAPTION) {
        ::SetActiveWindow(m_hWnd);
        m_pBar->TrackDrag(AFX_POINT_OF(lParam));
        return 0;
    }
    return Default();
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM) {
    if (wParam == HTCAPTION && m_pBar->m_pDockSite) {
        m_pBar->m_pDockSite->DockControlBar(m_pBar, m_pBar->m_dwLastDockSide);
        return 0;
    }
    return Default();
}
