#include "fw/win/CFrameWnd.h"

#include <algorithm>
#include <unordered_map>

#include "fw/base/CDocument.h"
#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CControlBar.h"
#include "fw/win/CCreateContext.h"
#include "fw/win/CMiniDockFrameWnd.h"
#include "fw/win/CSingleDocTemplate.h"
#include "fw/win/CView.h"
#include "fw/win/HeldMessage.h"
#include "fw/win/CWinApp.h"

namespace {
// The held texts of the frames that have one (see HeldMessage.h).
std::unordered_map<const CFrameWnd*, CString> g_heldMessages;

void ShowMessagePaneText(CFrameWnd* pFrame, const char* pszText) {
    if (CControlBar* pBar = pFrame->GetControlBar(AFX_IDW_STATUS_BAR))
        pBar->SetMessagePaneText(pszText);
}
}  // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_DROPFILES()
ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() {
    if (m_hMenuDefault && m_hMenuDefault != ::GetMenu(m_hWnd)) ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    HINSTANCE hInst = AfxGetResourceHandle();
    m_strTitle = AfxExtractSubString(AfxLoadString(nIDResource), 0);
    m_hMenuDefault = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (pContext) {
        pContext->m_pCurrentFrame = this;
        m_pDocument = pContext->m_pCurrentDoc;
        m_pDocTemplate = pContext->m_pNewDocTemplate;
    }
    m_pCreateContext = pContext;
    const RECT rect = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    // On failure the window is gone and PostNcDestroy has deleted this
    // object: nothing of it may be touched.
    if (!CreateEx(0, AfxFrameClassName(), m_strTitle, dwDefaultStyle, rect, pParentWnd, 0))
        return FALSE;
    m_pCreateContext = nullptr;
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxFrameClassName();
    if (!(cs.style & WS_CHILD) && !cs.hMenu) cs.hMenu = m_hMenuDefault;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, m_pCreateContext)) return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CWnd* pView = pContext->m_pNewViewClass->m_pfnCreateWnd();
    const RECT rect = {0, 0, 0, 0};
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, nID, pContext))
        return nullptr;  // a window that was made has deleted its object
    return pView;
}

void CFrameWnd::PostNcDestroy() {
    if (m_pDocTemplate) m_pDocTemplate->OnFrameDestroyed(this);
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        // The main window's end is the application's end.
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}

void CFrameWnd::AddView(CView* pView) {
    m_views.push_back(pView);
}

void CFrameWnd::RemoveView(CView* pView) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    if (m_pActiveView == pView) m_pActiveView = nullptr;
}

void CFrameWnd::SetActiveView(CView* pView, BOOL bNotify) {
    CView* pOld = m_pActiveView;
    m_pActiveView = pView;
    if (pOld != pView) {
        if (pOld) pOld->OnActivateView(FALSE, pView, pOld);
        if (pView) pView->OnActivateView(TRUE, pView, pOld);
    }
    if (pView && bNotify) ::SetFocus(pView->m_hWnd);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    m_pDocument = pDoc;
    // The first view made (the template's own view class) starts active.
    if (!m_pActiveView && !m_views.empty()) SetActiveView(m_views.front(), FALSE);
    const std::vector<CView*> views = m_views;  // an update may add or remove views
    for (CView* pView : views) pView->OnInitialUpdate();
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (!m_bShownOnce && pApp && pApp->m_pMainWnd == this) nCmdShow = pApp->m_nCmdShow;
        m_bShownOnce = true;
        ActivateFrame(nCmdShow);
        if (m_pActiveView) ::SetFocus(m_pActiveView->m_hWnd);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
    RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    m_bars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), pBar), m_bars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* pBar : m_bars)
        if (pBar->m_hWnd && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID) return pBar;
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL) {
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    if (pBar->IsFloating() && pBar->m_pDockFrame)
        pBar->m_pDockFrame->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

namespace {

constexpr int kDockZone = 32;  // how near an edge a dragged bar docks

bool IsDocking(const CControlBar* pBar) {
    return (pBar->GetDockingStyle() & CBRS_ALIGN_ANY) != 0;
}

}  // namespace

void CFrameWnd::DockControlBar(CControlBar* pBar, DWORD dwSide) {
    pBar->m_pDockSite = this;
    if (!dwSide)
        dwSide =
            pBar->IsFloating() ? pBar->m_dwLastDockSide : (pBar->GetBarStyle() & CBRS_ALIGN_ANY);
    if (!(dwSide & CBRS_ALIGN_ANY)) dwSide = CBRS_ALIGN_TOP;
    const bool bVisible = pBar->IsFloating() ? (pBar->GetStyle() & WS_VISIBLE) != 0
                                             : pBar->IsWindowVisible() != FALSE;
    if (pBar->IsFloating() && pBar->m_pDockFrame) {
        RECT rc;
        pBar->m_pDockFrame->GetWindowRect(&rc);
        pBar->m_ptFloat = POINT{rc.left, rc.top};
    }
    if (::GetParent(pBar->m_hWnd) != m_hWnd) ::SetParent(pBar->m_hWnd, m_hWnd);
    if (pBar->m_pDockFrame) {
        CMiniDockFrameWnd* pMini = pBar->m_pDockFrame;
        pBar->m_pDockFrame = nullptr;
        pMini->DestroyWindow();
    }
    DWORD dwBorder = 0;
    switch (dwSide & CBRS_ALIGN_ANY) {
        case CBRS_ALIGN_BOTTOM:
            dwBorder = CBRS_BORDER_TOP;
            break;
        case CBRS_ALIGN_LEFT:
            dwBorder = CBRS_BORDER_RIGHT;
            break;
        case CBRS_ALIGN_RIGHT:
            dwBorder = CBRS_BORDER_LEFT;
            break;
        default:
            dwBorder = CBRS_BORDER_BOTTOM;
            break;
    }
    pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING)) |
                      (dwSide & CBRS_ALIGN_ANY) | dwBorder);
    pBar->m_dwLastDockSide = dwSide & CBRS_ALIGN_ANY;
    ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (bVisible) pBar->ShowWindow(SW_SHOWNA);
    RecalcLayout();
    RedrawAfterDocking();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, POINT ptScreen) {
    pBar->m_pDockSite = this;
    const bool bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    if (!pBar->IsFloating()) pBar->m_dwLastDockSide = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
    if (!pBar->m_pDockFrame) {
        auto* pMini = new CMiniDockFrameWnd(pBar);
        if (!pMini->Create(this, ptScreen)) {
            delete pMini;  // never made: no window deletes it
            return;
        }
        pBar->m_pDockFrame = pMini;
    }
    CMiniDockFrameWnd* pMini = pBar->m_pDockFrame;
    // A floating bar is one row of buttons.
    pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | CBRS_ALIGN_TOP |
                      CBRS_FLOATING);
    ::SetParent(pBar->m_hWnd, pMini->m_hWnd);
    ::SetWindowPos(pBar->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const SIZE size = pBar->CalcFixedLayout();
    pBar->MoveWindow(0, 0, size.cx, size.cy);
    pMini->RecalcLayout();
    ::SetWindowPos(pMini->m_hWnd, nullptr, ptScreen.x, ptScreen.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->m_ptFloat = ptScreen;
    if (bVisible) {
        pBar->ShowWindow(SW_SHOWNA);
        pMini->ShowWindow(SW_SHOWNA);
    }
    RecalcLayout();
    RedrawAfterDocking();
}

// The whole frame is painted again: the panes moved and the dragged
// outline may have left traces on them.
void CFrameWnd::RedrawAfterDocking() {
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

SIZE CFrameWnd::CalcFloatingFrameSize(CControlBar* pBar) const {
    SIZE size;
    if (pBar->IsFloating()) {
        size = pBar->CalcFixedLayout();
    } else {
        // Measured in the floating layout, then back to the docked one.
        const DWORD dwOld = pBar->GetBarStyle();
        pBar->SetBarStyle((dwOld & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | CBRS_ALIGN_TOP |
                          CBRS_FLOATING);
        size = pBar->CalcFixedLayout();
        pBar->SetBarStyle(dwOld);
    }
    RECT rc = {0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_TOOLWINDOW);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

RECT CFrameWnd::DockArea() const {
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    for (CControlBar* pBar : m_bars) {
        if (IsDocking(pBar) || !pBar->m_hWnd || !pBar->IsWindowVisible()) continue;
        const int cy = pBar->CalcHeight(rc.right - rc.left);
        if (pBar->GetBarStyle() & CBRS_ALIGN_BOTTOM)
            rc.bottom -= cy;
        else
            rc.top += cy;
    }
    return rc;
}

DWORD CFrameWnd::DockSideFromPoint(CControlBar* pBar, POINT ptScreen) const {
    RECT rc = DockArea();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    if (!::PtInRect(&rc, ptScreen)) return 0;
    const DWORD dwAllowed = m_dwDockStyle & pBar->GetDockingStyle();
    const struct {
        DWORD side;
        long distance;
    } edges[] = {
        {CBRS_ALIGN_TOP, ptScreen.y - rc.top},
        {CBRS_ALIGN_BOTTOM, rc.bottom - 1 - ptScreen.y},
        {CBRS_ALIGN_LEFT, ptScreen.x - rc.left},
        {CBRS_ALIGN_RIGHT, rc.right - 1 - ptScreen.x},
    };
    DWORD dwSide = 0;
    long best = kDockZone;
    for (const auto& e : edges) {
        if ((dwAllowed & e.side) && e.distance < best) {
            best = e.distance;
            dwSide = e.side;
        }
    }
    return dwSide;
}

RECT CFrameWnd::DockedBarRect(CControlBar* pBar, DWORD dwSide) const {
    RECT rc = DockArea();
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    // The bar's thickness in that orientation, measured on its style.
    const DWORD dwOld = pBar->GetBarStyle();
    const bool bHorzNow = (dwOld & CBRS_ORIENT_HORZ) && !(dwOld & CBRS_FLOATING);
    const bool bHorz = (dwSide & CBRS_ORIENT_HORZ) != 0;
    SIZE size;
    if (bHorz == bHorzNow) {
        size = pBar->CalcFixedLayout();
    } else {
        pBar->SetBarStyle((dwOld & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | dwSide);
        size = pBar->CalcFixedLayout();
        pBar->SetBarStyle(dwOld);
    }
    switch (dwSide) {
        case CBRS_ALIGN_BOTTOM:
            rc.top = rc.bottom - size.cy;
            break;
        case CBRS_ALIGN_LEFT:
            rc.right = rc.left + size.cx;
            break;
        case CBRS_ALIGN_RIGHT:
            rc.left = rc.right - size.cx;
            break;
        default:
            rc.bottom = rc.top + size.cy;
            break;
    }
    return rc;
}

void CFrameWnd::SaveBarState(const char* pszSection) const {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return;
    for (CControlBar* pBar : m_bars) {
        if (!IsDocking(pBar) || !pBar->m_hWnd) continue;
        CString strKey;
        strKey.Format("Bar%u", static_cast<unsigned>(pBar->GetDlgCtrlID()));
        POINT pt = pBar->m_ptFloat;
        if (pBar->IsFloating() && pBar->m_pDockFrame) {
            RECT rc;
            pBar->m_pDockFrame->GetWindowRect(&rc);
            pt = POINT{rc.left, rc.top};
        }
        const DWORD dwSide =
            pBar->IsFloating() ? CBRS_FLOATING : (pBar->GetBarStyle() & CBRS_ALIGN_ANY);
        pApp->WriteProfileInt(pszSection, strKey + " Dock", static_cast<int>(dwSide));
        pApp->WriteProfileInt(pszSection, strKey + " Float X", pt.x);
        pApp->WriteProfileInt(pszSection, strKey + " Float Y", pt.y);
    }
}

void CFrameWnd::LoadBarState(const char* pszSection) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return;
    for (CControlBar* pBar : std::vector<CControlBar*>(m_bars)) {
        if (!IsDocking(pBar) || !pBar->m_hWnd) continue;
        CString strKey;
        strKey.Format("Bar%u", static_cast<unsigned>(pBar->GetDlgCtrlID()));
        const DWORD dwSide =
            static_cast<DWORD>(pApp->GetProfileInt(pszSection, strKey + " Dock", 0));
        const POINT pt = {
            static_cast<LONG>(pApp->GetProfileInt(pszSection, strKey + " Float X", -1)),
            static_cast<LONG>(pApp->GetProfileInt(pszSection, strKey + " Float Y", -1))};
        if (pt.x != -1 || pt.y != -1) pBar->m_ptFloat = pt;
        if (dwSide == CBRS_FLOATING) {
            // A place that lies on no screen any more floats the bar on the
            // nearest one instead.
            RECT rc = {pt.x, pt.y, pt.x + 40, pt.y + 20};
            HMONITOR hMon = ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST);
            MONITORINFO mi = {};
            mi.cbSize = sizeof(mi);
            POINT ptFloat = pt;
            if (hMon && ::GetMonitorInfoA(hMon, &mi)) {
                if (ptFloat.x < mi.rcWork.left || ptFloat.x > mi.rcWork.right - 40)
                    ptFloat.x = mi.rcWork.left + 40;
                if (ptFloat.y < mi.rcWork.top || ptFloat.y > mi.rcWork.bottom - 20)
                    ptFloat.y = mi.rcWork.top + 40;
            }
            FloatControlBar(pBar, ptFloat);
        } else if (dwSide == CBRS_ALIGN_TOP || dwSide == CBRS_ALIGN_BOTTOM ||
                   dwSide == CBRS_ALIGN_LEFT || dwSide == CBRS_ALIGN_RIGHT) {
            if ((dwSide & m_dwDockStyle & pBar->GetDockingStyle()) != 0)
                DockControlBar(pBar, dwSide);
        }
    }
}

// Bars that do not dock take the whole width along the top or bottom edge,
// in the order they were made; the docking bars take their edges of what is
// left; the pane window (AFX_IDW_PANE_FIRST) gets the rest.
void CFrameWnd::RecalcLayout(BOOL) {
    if (!m_hWnd) return;
    RECT rc = DockArea();
    RECT rcClient;
    GetClientRect(&rcClient);
    {
        RECT r = rcClient;
        for (CControlBar* pBar : m_bars) {
            if (IsDocking(pBar) || !pBar->m_hWnd || !pBar->IsWindowVisible()) continue;
            const int cy = pBar->CalcHeight(r.right - r.left);
            if (pBar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
                pBar->MoveWindow(r.left, r.bottom - cy, r.right - r.left, cy);
                r.bottom -= cy;
            } else {
                pBar->MoveWindow(r.left, r.top, r.right - r.left, cy);
                r.top += cy;
            }
        }
    }
    for (CControlBar* pBar : m_bars) {
        if (!IsDocking(pBar) || !pBar->m_hWnd || pBar->IsFloating() || !pBar->IsWindowVisible() ||
            ::GetParent(pBar->m_hWnd) != m_hWnd)
            continue;
        const SIZE size = pBar->CalcFixedLayout();
        const int cx = std::max(0L, rc.right - rc.left);
        const int cy = std::max(0L, rc.bottom - rc.top);
        switch (pBar->GetBarStyle() & CBRS_ALIGN_ANY) {
            case CBRS_ALIGN_BOTTOM:
                pBar->MoveWindow(rc.left, rc.bottom - size.cy, cx, size.cy);
                rc.bottom -= size.cy;
                break;
            case CBRS_ALIGN_LEFT:
                pBar->MoveWindow(rc.left, rc.top, size.cx, cy);
                rc.left += size.cx;
                break;
            case CBRS_ALIGN_RIGHT:
                pBar->MoveWindow(rc.right - size.cx, rc.top, size.cx, cy);
                rc.right -= size.cx;
                break;
            default:
                pBar->MoveWindow(rc.left, rc.top, cx, size.cy);
                rc.top += size.cy;
                break;
        }
    }
    if (HWND hClient = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::MoveWindow(hClient, rc.left, rc.top, std::max(0L, rc.right - rc.left),
                     std::max(0L, rc.bottom - rc.top), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int, int) {
    Default();
    // A minimised frame keeps its layout, so the pane sizes survive.
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnDestroy() {
    g_heldMessages.erase(this);
    Default();
}

void CFrameWnd::OnClose() {
    // The document's changes are offered for saving first; Cancel keeps
    // the window.
    if (m_pDocTemplate && !m_pDocTemplate->SaveModified()) return;
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd*) {
    if (m_pActiveView)
        ::SetFocus(m_pActiveView->m_hWnd);
    else
        Default();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe) {
    CView* pView = GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode, pExtra, bProbe)) return TRUE;  // view, then document
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, bProbe)) return TRUE;
    // Without an active view the document still serves its commands.
    if (!pView && m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, bProbe))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, bProbe);
}

void CFrameWnd::OnInitMenuPopup(HMENU hPopup, UINT, BOOL bSysMenu) {
    Default();
    if (bSysMenu) return;
    CCmdUI state;
    state.m_hMenu = hPopup;
    state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(hPopup));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = ::GetMenuItemID(hPopup, static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0) continue;  // separator
        state.m_hSubMenu = nullptr;
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A popup entry follows the state of its first command; popups
            // are never disabled for want of a handler.
            state.m_hSubMenu = ::GetSubMenu(hPopup, static_cast<int>(state.m_nIndex));
            if (!state.m_hSubMenu) continue;
            state.m_nID = ::GetMenuItemID(state.m_hSubMenu, 0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
            state.DoUpdate(this, FALSE);
            continue;
        }
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // An update handler may have added or removed entries.
        const UINT nCount = static_cast<UINT>(::GetMenuItemCount(hPopup));
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount &&
                   ::GetMenuItemID(hPopup, static_cast<int>(state.m_nIndex)) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu) {
    if (nFlags == 0xFFFF && !hMenu)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else if (nFlags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText("");
    else
        SetMessageText(GetMessageString(nItemID));
}

// Only top-level windows hear of a colour change: the bars and views (and
// a floating bar in its own frame) are told too.
LRESULT CFrameWnd::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
    Default();
    const MSG msg = {nullptr, WM_SYSCOLORCHANGE, wParam, lParam, 0, {0, 0}};
    ::EnumChildWindows(
        m_hWnd,
        [](HWND hChild, LPARAM lp) -> BOOL {
            auto* pMsg = reinterpret_cast<const MSG*>(lp);
            ::SendMessageA(hChild, WM_SYSCOLORCHANGE, pMsg->wParam, pMsg->lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&msg));
    for (CControlBar* pBar : m_bars)
        if (pBar->IsFloating() && pBar->m_hWnd)
            pBar->SendMessage(WM_SYSCOLORCHANGE, wParam, lParam);
    return 0;
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM) {
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return 0;
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
    ::SetActiveWindow(m_hWnd);
    // One document at a time: the first file dropped is opened.
    if (::DragQueryFileA(hDropInfo, 0xFFFFFFFF, nullptr, 0) > 0) {
        char szFile[MAX_PATH];
        if (::DragQueryFileA(hDropInfo, 0, szFile, MAX_PATH)) {
            if (CWinApp* pApp = AfxGetApp()) pApp->OpenDocumentFile(szFile);
        }
    }
    ::DragFinish(hDropInfo);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar) return FALSE;
    ShowControlBar(pBar, !pBar->IsWindowVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar && pBar->IsWindowVisible());
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
    const int nVK = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : VK_NUMLOCK;
    pCmdUI->Enable(::GetKeyState(nVK) & 1);
}

CString CFrameWnd::GetMessageString(UINT nID) const {
    return AfxExtractSubString(AfxLoadString(nID), 0);
}

void SetHeldMessageText(CFrameWnd* pFrame, const char* pszText) {
    ShowMessagePaneText(pFrame, pszText);
    g_heldMessages[pFrame] = pszText;
}

void CFrameWnd::SetMessageText(const char* pszText) {
    g_heldMessages.erase(this);
    ShowMessagePaneText(this, pszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
    const auto it = g_heldMessages.find(this);
    if (nID == AFX_IDS_IDLEMESSAGE && it != g_heldMessages.end())
        ShowMessagePaneText(this, it->second);
    else
        SetMessageText(AfxLoadString(nID));
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    CString strTitle = m_strTitle;
    if (bAddToTitle && m_pDocument) {
        CString strDoc = m_pDocument->GetTitle();
        if (strDoc.IsEmpty()) strDoc = AfxLoadString(AFX_IDS_UNTITLED);
        strTitle = strDoc + " - " + m_strTitle;
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle) SetWindowText(strTitle);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (!m_hWnd) return;
    for (CControlBar* pBar : std::vector<CControlBar*>(m_bars))
        if (pBar->m_hWnd && pBar->IsWindowVisible()) pBar->OnUpdateCmdUI(this, m_bAutoMenuEnable);
    OnUpdateFrameTitle(TRUE);
}

// The status bar shows a toolbar button's prompt while the mouse rests on it
// (bars with CBRS_FLYBY), and the idle text again once it leaves.
void CFrameWnd::ShowFlybyPrompt(MSG* pMsg) {
    UINT nID = 0;
    if (CControlBar* pBar = dynamic_cast<CControlBar*>(FromHandlePermanent(pMsg->hwnd))) {
        if (pBar->GetBarStyle() & CBRS_FLYBY) {
            POINT pt = {static_cast<short>(LOWORD(pMsg->lParam)),
                        static_cast<short>(HIWORD(pMsg->lParam))};
            nID = pBar->HitTestCommand(pt);
        }
    }
    if (nID == m_nFlybyID) return;
    m_nFlybyID = nID;
    if (nID)
        SetMessageText(GetMessageString(nID));
    else
        SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE) ShowFlybyPrompt(pMsg);
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable &&
        ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->code == TTN_GETDISPINFOA || pNMHDR->code == TTN_GETDISPINFOW) {
        // A toolbar button's tooltip: the second field of its command string.
        UINT nID = static_cast<UINT>(pNMHDR->idFrom);
        if (pNMHDR->code == TTN_GETDISPINFOA) {
            auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
            if (pInfo->uFlags & TTF_IDISHWND) nID = ::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
            CString strTip = AfxExtractSubString(AfxLoadString(nID), 1);
            lstrcpynA(pInfo->szText, strTip, sizeof(pInfo->szText));
            pInfo->lpszText = pInfo->szText;
        } else {
            auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
            if (pInfo->uFlags & TTF_IDISHWND) nID = ::GetDlgCtrlID(reinterpret_cast<HWND>(nID));
            CString strTip = AfxExtractSubString(AfxLoadString(nID), 1);
            const int n = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText,
                                                static_cast<int>(std::size(pInfo->szText)));
            if (n == 0) pInfo->szText[0] = 0;
            pInfo->lpszText = pInfo->szText;
        }
        *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
