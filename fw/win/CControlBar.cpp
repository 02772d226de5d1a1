#include "fw/win/CControlBar.h"

#include "fw/win/CFrameWnd.h"
#include "fw/win/CMiniDockFrameWnd.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_DESTROY()
ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
ON_MESSAGE(WM_NCPAINT, OnNcPaint)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
END_MESSAGE_MAP()

DWORD CControlBar::PrepareCreate(CWnd* pParentWnd, DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
    m_pDockSite = dynamic_cast<CFrameWnd*>(pParentWnd);
    return dwStyle & ~CBRS_ALL;
}

void CControlBar::OnDestroy() {
    if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    Default();
}

SIZE CControlBar::CalcFixedLayout() {
    return SIZE{0, CalcHeight(0)};
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    const DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle;
    if (dwOld != dwStyle) OnBarStyleChange(dwOld, dwStyle);
}

void CControlBar::CalcInsideRect(RECT& rect) const {
    if (!HasBorders()) return;
    if (IsFloating()) {
        rect.left += 2;
        rect.right -= 6;
        rect.top += 2;
        rect.bottom -= 2;
    } else if (IsHorzDocked()) {
        rect.left += m_cxLeftBorder;
        rect.right -= m_cxRightBorder;
        rect.top += m_cyTopBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.top += m_cxLeftBorder;
        rect.bottom -= m_cxRightBorder + 2;
        rect.left += m_cyTopBorder;
        rect.right -= m_cyBottomBorder;
    }
}

// The borders are non-client, so the control lays out and hit-tests its
// buttons in the remaining client area only.
LRESULT CControlBar::OnNcCalcSize(WPARAM, LPARAM lParam) {
    const LRESULT lResult = Default();
    RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    RECT rcInside = rc;
    CalcInsideRect(rcInside);
    if (rcInside.right < rcInside.left) rcInside.right = rcInside.left;
    if (rcInside.bottom < rcInside.top) rcInside.bottom = rcInside.top;
    rc = rcInside;
    return lResult;
}

void CControlBar::EraseNonClient() {
    HDC hdc = ::GetWindowDC(m_hWnd);
    if (!hdc) return;
    RECT rcClient, rcWindow;
    ::GetClientRect(m_hWnd, &rcClient);
    POINT pt = {0, 0};
    ::ClientToScreen(m_hWnd, &pt);
    ::GetWindowRect(m_hWnd, &rcWindow);
    ::OffsetRect(&rcClient, pt.x - rcWindow.left, pt.y - rcWindow.top);
    ::ExcludeClipRect(hdc, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    ::OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
    ::FillRect(hdc, &rcWindow, ::GetSysColorBrush(COLOR_BTNFACE));
    ::ReleaseDC(m_hWnd, hdc);
}

bool CControlBar::HasBorders() const {
    return m_cxLeftBorder || m_cxRightBorder || m_cyTopBorder || m_cyBottomBorder;
}

LRESULT CControlBar::OnNcPaint(WPARAM, LPARAM) {
    if (!HasBorders()) return Default();
    EraseNonClient();
    return 0;
}

// The border belongs to the bar for the mouse: a press there starts a drag.
LRESULT CControlBar::OnNcHitTest(WPARAM, LPARAM lParam) {
    const LRESULT lHit = Default();
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        POINT pt = AFX_POINT_OF(lParam);
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        if (::PtInRect(&rc, pt)) return HTCLIENT;
    }
    return lHit;
}

BOOL CControlBar::IsInDragBorder(POINT ptClient) const {
    if (!(m_dwDockStyle & CBRS_ALIGN_ANY)) return FALSE;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (!::PtInRect(&rc, ptClient)) return TRUE;
    return FALSE;
}

void CControlBar::OnLButtonDown(UINT, POINT point) {
    if (IsInDragBorder(point) && m_pDockSite) {
        POINT ptScreen = point;
        ClientToScreen(&ptScreen);
        TrackDrag(ptScreen);
        return;
    }
    Default();
}

// A double click on the border floats a docked bar and docks a floating
// one where it was last.
LRESULT CControlBar::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    const POINT pt = AFX_POINT_OF(lParam);
    if (IsInDragBorder(pt) && m_pDockSite) {
        if (IsFloating()) {
            m_pDockSite->DockControlBar(this, m_dwLastDockSide);
        } else {
            RECT rc;
            GetWindowRect(&rc);
            m_pDockSite->FloatControlBar(this, POINT{rc.left, rc.top + 24});
        }
        return 0;
    }
    return DefWindowProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

SIZE CControlBar::WindowSizeForClient(SIZE sizeClient) {
    // Ask the bar's own calculation with a large window and keep the
    // difference.
    NCCALCSIZE_PARAMS params = {};
    params.rgrc[0] = RECT{0, 0, 1000, 1000};
    SendMessage(WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params));
    const RECT& rc = params.rgrc[0];
    return SIZE{sizeClient.cx + rc.left + (1000 - rc.right),
                sizeClient.cy + rc.top + (1000 - rc.bottom)};
}

namespace {

// The dragged outline, drawn by inversion over every window.
void DrawDragRect(const RECT& rc) {
    HDC hdc = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!hdc) return;
    RECT r = rc;
    ::DrawFocusRect(hdc, &r);
    ::InflateRect(&r, -1, -1);
    ::DrawFocusRect(hdc, &r);
    ::ReleaseDC(nullptr, hdc);
}

}  // namespace

void CControlBar::TrackDrag(POINT ptStart) {
    CFrameWnd* pFrame = m_pDockSite;
    if (!pFrame) return;
    // Where the cursor holds the outline: the offset inside the window
    // being dragged (the floating frame or the docked bar).
    RECT rcStart;
    HWND hDragged = (IsFloating() && m_pDockFrame) ? m_pDockFrame->m_hWnd : m_hWnd;
    ::GetWindowRect(hDragged, &rcStart);
    const SIZE sizeFloat = pFrame->CalcFloatingFrameSize(this);
    POINT ptOffset = {ptStart.x - rcStart.left, ptStart.y - rcStart.top};
    if (ptOffset.x >= sizeFloat.cx) ptOffset.x = sizeFloat.cx / 2;
    if (ptOffset.y >= sizeFloat.cy) ptOffset.y = sizeFloat.cy / 2;

    ::SetCapture(m_hWnd);
    RECT rcShown = {};
    bool bShown = false;
    bool bDone = false, bCancel = false;
    DWORD dwSide = 0;
    POINT ptFloat = {};
    while (!bDone) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            bCancel = true;
            break;
        }
        if (::GetCapture() != m_hWnd) {
            bCancel = true;
            break;
        }
        switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                POINT pt;
                ::GetCursorPos(&pt);
                dwSide = (::GetKeyState(VK_CONTROL) < 0) ? 0 : pFrame->DockSideFromPoint(this, pt);
                ptFloat = POINT{pt.x - ptOffset.x, pt.y - ptOffset.y};
                RECT rc = dwSide ? pFrame->DockedBarRect(this, dwSide)
                                 : RECT{ptFloat.x, ptFloat.y, ptFloat.x + sizeFloat.cx,
                                        ptFloat.y + sizeFloat.cy};
                if (bShown) DrawDragRect(rcShown);
                bShown = false;
                if (msg.message == WM_LBUTTONUP) {
                    bDone = true;
                } else {
                    rcShown = rc;
                    DrawDragRect(rcShown);
                    bShown = true;
                }
                break;
            }
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    bCancel = true;
                    bDone = true;
                }
                break;
            case WM_RBUTTONDOWN:
                bCancel = true;
                bDone = true;
                break;
            default:
                ::DispatchMessageA(&msg);
                break;
        }
    }
    if (bShown) DrawDragRect(rcShown);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (bCancel) return;
    if (dwSide)
        pFrame->DockControlBar(this, dwSide);
    else
        pFrame->FloatControlBar(this, ptFloat);
}
