#include "app/CMainFrame.h"

#include <shlobj.h>

#include "app/CShellLinkFile.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/CTime.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CCreateContext.h"
#include "fw/win/CView.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "views/CEditVw.h"
#include "views/CFormVw.h"
#include "views/CTreeVw.h"

IMPLEMENT_DYNCREATE(CMainFrame)

namespace {
const char kRectSection[] = "AboutApp Rect";
const char kClientSection[] = "AboutApp Client";
const char kBarSection[] = "AboutApp Bar";
const UINT kIndicators[] = {ORDELINK_STATUS_INDICATORS};
constexpr UINT_PTR kClockTimer = 1;
}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(ID_INT_SELECTION_CHANGED, OnSelectionChanged)
ON_COMMAND(ID_INT_ITEM_CHANGED, OnItemChanged)
ON_COMMAND(ID_INT_FOCUS_FORM, OnFocusForm)
ON_COMMAND(ID_INT_SHOW_PENDING, OnShowPending)
ON_COMMAND(ID_INT_TOOLBAR_FLAT, OnToolBarFlat)
ON_COMMAND(ID_INT_TOOLBAR_NORMAL, OnToolBarNormal)
ON_COMMAND(ID_CREATE_SHORTCUT, OnCreateShortcut)
ON_COMMAND(ID_EDIT_FIND, OnEditFind)
ON_COMMAND(ID_FIND_NEXT, OnFindNext)
ON_COMMAND(ID_FIND_PREV, OnFindPrev)
ON_COMMAND(ID_CHECK_LINKS, OnCheckLinks)
ON_COMMAND(ID_FIND_DUPLICATES, OnFindDuplicates)
ON_UPDATE_COMMAND_UI(ID_CHECK_LINKS, OnUpdateCheckLinks)
ON_UPDATE_COMMAND_UI(ID_FIND_DUPLICATES, OnUpdateFindDuplicates)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CLOCK, OnUpdateClock)
ON_NOTIFY(TBN_QUERYDELETE, AFX_IDW_TOOLBAR, OnToolBarQuery)
ON_NOTIFY(TBN_QUERYINSERT, AFX_IDW_TOOLBAR, OnToolBarQuery)
ON_NOTIFY(NM_CUSTOMDRAW, AFX_IDW_TOOLBAR, OnToolBarCustomDraw)
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    // The stored rectangle is used as it is, even off every screen.
    CWinApp* pApp = AfxGetApp();
    const int x = static_cast<int>(pApp->GetProfileInt(kRectSection, "Rect Left", 100));
    const int y = static_cast<int>(pApp->GetProfileInt(kRectSection, "Rect Top", 100));
    const int right = static_cast<int>(pApp->GetProfileInt(kRectSection, "Rect Right", 800));
    const int bottom = static_cast<int>(pApp->GetProfileInt(kRectSection, "Rect Bottom", 430));
    cs.x = x;
    cs.y = y;
    cs.cx = right - x;
    cs.cy = bottom - y;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.SetWindowText("ToolBar");
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    m_wndStatusBar.SetPaneText(0, AfxLoadString(AFX_IDS_IDLEMESSAGE));
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY |
                             CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    LoadBarState(kBarSection);
    // No WM_TIMER handler: the tick only makes the idle pass (and with it
    // the clock pane) run at least once a second.
    SetTimer(kClockTimer, 1000);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    CWinApp* pApp = AfxGetApp();
    const int cxTree = static_cast<int>(pApp->GetProfileInt(kClientSection, "TreeVw-X", 270));
    const int cyForm = static_cast<int>(pApp->GetProfileInt(kClientSection, "FormVw-Y", 120));
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, pContext->m_pNewViewClass, SIZE{cxTree, 0}, pContext))
        return FALSE;
    if (!m_wndSubSplitter.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       m_wndSplitter.IdFromRowCol(0, 1)))
        return FALSE;
    if (!m_wndSubSplitter.CreateView(0, 0, RUNTIME_CLASS(CFormVw), SIZE{0, cyForm}, pContext))
        return FALSE;
    if (!m_wndSubSplitter.CreateView(1, 0, RUNTIME_CLASS(CEditVw), SIZE{0, 0}, pContext))
        return FALSE;
    if (!m_wndFindBar.Create(&m_wndSplitter, this,
                             dynamic_cast<CTreeVw*>(m_wndSplitter.GetPane(0, 0))))
        return FALSE;
    m_wndSplitter.SetTopBar(&m_wndFindBar, m_wndFindBar.GetBarHeight());
    m_LinkCheck.Attach(this, dynamic_cast<CTreeVw*>(m_wndSplitter.GetPane(0, 0)));
    m_wndSplitter.RecalcLayout();
    return TRUE;
}

void CMainFrame::OnDestroy() {
    SaveBarState(kBarSection);
    CFrameWnd::OnDestroy();
    CWinApp* pApp = AfxGetApp();
    if (!IsIconic() && !IsZoomed()) {
        RECT rc;
        GetWindowRect(&rc);
        pApp->WriteProfileInt(kRectSection, "Rect Left", rc.left);
        pApp->WriteProfileInt(kRectSection, "Rect Top", rc.top);
        pApp->WriteProfileInt(kRectSection, "Rect Right", rc.right);
        pApp->WriteProfileInt(kRectSection, "Rect Bottom", rc.bottom);
    }
    // A frame whose client could not be made has no pane sizes to keep.
    if (m_wndSplitter.GetColumnCount() > 0 && m_wndSubSplitter.GetRowCount() > 0) {
        int nCur = 0, nMin = 0;
        m_wndSplitter.GetColumnInfo(0, nCur, nMin);
        pApp->WriteProfileInt(kClientSection, "TreeVw-X", nCur);
        m_wndSubSplitter.GetRowInfo(0, nCur, nMin);
        pApp->WriteProfileInt(kClientSection, "FormVw-Y", nCur);
    }
}

HMENU CMainFrame::BuildIconMenu() {
    if (!m_IconMenu.LoadMenu(IDR_MAINFRAME)) return nullptr;
    static const UINT kIcons[] = {ORDELINK_MAIN_MENU_ICONS};
    for (size_t i = 0; i + 1 < std::size(kIcons); i += 2)
        m_IconMenu.SetItemIcon(static_cast<const char*>(nullptr), kIcons[i],
                               static_cast<int>(kIcons[i + 1]));
    m_IconMenu.SetItemIconByText(nullptr, "Add", IDB_MI_ADD);
    return m_IconMenu.Detach();
}

// The internal commands are the frame's own: it relays them whichever view
// is active, so they never stop at the active view on the way.
BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe) {
    // The Edit commands act on the find field while it has the focus.
    if (m_wndFindBar.HasFocus() && m_wndFindBar.OnCmdMsg(nID, nCode, pExtra, bProbe)) return TRUE;
    if (nID >= ID_INT_FOCUS_FORM && nID <= ID_INT_SELECTION_CHANGED &&
        CWnd::OnCmdMsg(nID, nCode, pExtra, bProbe))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, bProbe);
}

// A shortcut to this program on the desktop, replacing one of the same name.
void CMainFrame::OnCreateShortcut() {
    char szDesktop[MAX_PATH] = "";
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_hWnd, CSIDL_DESKTOP, &pidl))) return;
    const BOOL bPath = ::SHGetPathFromIDListA(pidl, szDesktop);
    ::CoTaskMemFree(pidl);
    if (!bPath) return;

    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    CString strExe = szExe;
    const int nSlash = strExe.ReverseFind('\\');
    const CString strFolder = nSlash >= 0 ? strExe.Left(nSlash) : CString();
    const CString strLink = CString(szDesktop) + "\\Ordelink.lnk";

    CShellLinkFile link;
    if (!link.CreateShortcutFile(strLink, strExe, strFolder, "", "", "", 0, 0, 0))
        AfxMessageBox("Create Shortcut Error!!", AFX_MB_OK);
}

void CMainFrame::Forward(CWnd* pPane, UINT nID) {
    if (pPane) ::SendMessageA(pPane->m_hWnd, WM_COMMAND, nID, 0);
}

void CMainFrame::OnFocusForm() {
    m_wndSubSplitter.SetActivePane(0, 0);
}

void CMainFrame::OnShowPending() {
    Forward(m_wndSubSplitter.GetPane(0, 0), ID_INT_SHOW_PENDING);
    m_wndSubSplitter.SetActivePane(0, 0);
}

void CMainFrame::OnItemChanged() {
    Forward(m_wndSubSplitter.GetPane(1, 0), ID_INT_ITEM_CHANGED);
    Forward(m_wndSplitter.GetPane(0, 0), ID_INT_ITEM_CHANGED);
    m_wndSplitter.SetActivePane(0, 0);
}

void CMainFrame::OnSelectionChanged() {
    Forward(m_wndSubSplitter.GetPane(0, 0), ID_INT_SELECTION_CHANGED);
    Forward(m_wndSubSplitter.GetPane(1, 0), ID_INT_SELECTION_CHANGED);
}

void CMainFrame::SetFlatMode(BOOL bFlat) {
    if (m_wndToolBar.m_bFlatMode == bFlat) return;
    m_wndToolBar.m_bFlatMode = bFlat;
    if (m_wndToolBar.m_hWnd) {
        // The gripper is non-client: repaint it now, not with the next
        // frame repaint.
        ::InvalidateRect(m_wndToolBar.m_hWnd, nullptr, TRUE);
        m_wndToolBar.OnNcPaint();
    }
}

void CMainFrame::OnToolBarFlat() {
    SetFlatMode(TRUE);
}

void CMainFrame::OnToolBarNormal() {
    SetFlatMode(FALSE);
}

void CMainFrame::OnUpdateClock(CCmdUI* pCmdUI) {
    pCmdUI->SetText(CTime::GetCurrentTime().Format(" %m/%d %H:%M:%S "));
    pCmdUI->Enable();
}

void CMainFrame::OnToolBarQuery(NMHDR*, LRESULT* pResult) {
    *pResult = TRUE;
}

// While the toolbar is flat, the label of the button under the mouse is
// drawn blue.
void CMainFrame::OnToolBarCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pCD = reinterpret_cast<NMCUSTOMDRAW*>(pNMHDR);
    *pResult = 0;
    switch (pCD->dwDrawStage) {
        case CDDS_PREPAINT:
            *pResult = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
            break;
        case CDDS_ITEMPREPAINT:
            if (m_wndToolBar.m_bFlatMode) {
                RECT rc;
                m_wndToolBar.GetItemRect(
                    m_wndToolBar.CommandToIndex(static_cast<UINT>(pCD->dwItemSpec)), &rc);
                POINT pt;
                ::GetCursorPos(&pt);
                m_wndToolBar.ScreenToClient(&pt);
                if (::PtInRect(&rc, pt)) ::SetTextColor(pCD->hdc, RGB(0, 0, 255));
            }
            *pResult = CDRF_NOTIFYPOSTPAINT;
            break;
        default:
            break;
    }
}

// ---- Find

void CMainFrame::OnEditFind() {
    m_wndFindBar.Open();
}

void CMainFrame::OnFindNext() {
    m_wndFindBar.Step(TRUE);
}

void CMainFrame::OnFindPrev() {
    m_wndFindBar.Step(FALSE);
}

void CMainFrame::OnUpdateCheckLinks(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_LinkCheck.CanCheck());
}

void CMainFrame::OnUpdateFindDuplicates(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_LinkCheck.CanFindDuplicates());
}
