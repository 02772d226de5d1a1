#include "fw/win/CSplitterWnd.h"

#include <algorithm>

#include "fw/win/AfxRes.h"
#include "fw/win/CCreateContext.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CView.h"

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_MESSAGE(WM_CONTEXTMENU, OnPaneContextMenu)
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16) return FALSE;
    m_rows.assign(static_cast<size_t>(nRows), Info{0, 0, 0});
    m_cols.assign(static_cast<size_t>(nCols), Info{0, 0, 0});
    const RECT rect = {0, 0, 0, 0};
    // Panes are clipped out so that dragging a bar repaints only the bars.
    return CreateEx(0, AfxWndClassName(), nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect,
                    pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (row < 0 || row >= GetRowCount() || col < 0 || col >= GetColumnCount()) return FALSE;
    m_cols[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    m_rows[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    CWnd* pWnd = pViewClass->m_pfnCreateWnd();
    const RECT rect = {0, 0, 0, 0};
    // The splitter draws the panes' edges, so the views have no border.
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this,
                      static_cast<UINT>(IdFromRowCol(row, col)), pContext))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    return FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    const Info& info = m_rows.at(static_cast<size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    Info& info = m_rows.at(static_cast<size_t>(row));
    info.nIdealSize = cyIdeal;
    info.nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    const Info& info = m_cols.at(static_cast<size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    Info& info = m_cols.at(static_cast<size_t>(col));
    info.nIdealSize = cxIdeal;
    info.nMinSize = cxMin;
}

int CSplitterWnd::Start(const std::vector<Info>& infos, int index) {
    int pos = kBorder;
    for (int i = 0; i < index; ++i)
        pos += infos[static_cast<size_t>(i)].nCurSize + 2 * kBorder + kBar;
    return pos;
}

// Every pane but the last gets its ideal size as far as the space allows;
// the last one takes the rest.
void CSplitterWnd::Layout(std::vector<Info>& infos, int nTotal) {
    int pos = kBorder;
    for (size_t i = 0; i < infos.size(); ++i) {
        const int room = std::max(0, nTotal - pos - kBorder);
        infos[i].nCurSize =
            (i + 1 == infos.size()) ? room : std::clamp(infos[i].nIdealSize, 0, room);
        pos += infos[i].nCurSize + 2 * kBorder + kBar;
    }
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd) return;
    RECT rc;
    GetClientRect(&rc);
    Layout(m_cols, rc.right - rc.left);
    Layout(m_rows, rc.bottom - rc.top);
    for (int r = 0; r < GetRowCount(); ++r) {
        for (int c = 0; c < GetColumnCount(); ++c) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c));
            if (!hPane) continue;
            RECT rp = {Start(m_cols, c), Start(m_rows, r), 0, 0};
            rp.right = rp.left + m_cols[static_cast<size_t>(c)].nCurSize;
            rp.bottom = rp.top + m_rows[static_cast<size_t>(r)].nCurSize;
            // A nested splitter draws its own panes' edges, so it also
            // covers the edge this one would draw around it.
            if (dynamic_cast<CSplitterWnd*>(FromHandlePermanent(hPane)))
                ::InflateRect(&rp, kBorder, kBorder);
            RECT rcOld;
            ::GetWindowRect(hPane, &rcOld);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcOld), 2);
            ::MoveWindow(hPane, rp.left, rp.top, rp.right - rp.left, rp.bottom - rp.top, TRUE);
            // A pane that moves is painted anew with everything in it: the
            // bits the system copies along can be stale, and the pane's
            // children (a form's labels and buttons) would keep them.
            if (rcOld.left != rp.left || rcOld.top != rp.top)
                ::RedrawWindow(hPane, nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int, int) {
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CSplitterWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    for (int r = 0; r < GetRowCount(); ++r) {
        for (int c = 0; c < GetColumnCount(); ++c) {
            HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c));
            if (hPane && dynamic_cast<CSplitterWnd*>(FromHandlePermanent(hPane))) continue;
            RECT rp = {Start(m_cols, c), Start(m_rows, r), 0, 0};
            rp.right = rp.left + m_cols[static_cast<size_t>(c)].nCurSize;
            rp.bottom = rp.top + m_rows[static_cast<size_t>(r)].nCurSize;
            ::InflateRect(&rp, kBorder, kBorder);
            ::DrawEdge(hdc, &rp, EDGE_SUNKEN, BF_RECT);
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

int CSplitterWnd::HitBar(const std::vector<Info>& infos, int pos) const {
    for (int i = 0; i + 1 < static_cast<int>(infos.size()); ++i) {
        const int barStart = Start(infos, i) + infos[static_cast<size_t>(i)].nCurSize;
        if (pos >= barStart && pos < Start(infos, i + 1)) return i;
    }
    return -1;
}

void CSplitterWnd::OnLButtonDown(UINT, POINT point) {
    m_nTrackCol = HitBar(m_cols, point.x);
    m_nTrackRow = m_nTrackCol < 0 ? HitBar(m_rows, point.y) : -1;
    // Where in the bar it was taken, so that the bar moves with the mouse
    // rather than jumping to it.
    if (m_nTrackCol >= 0)
        m_nTrackOffset = point.x - Start(m_cols, m_nTrackCol) -
                         m_cols[static_cast<size_t>(m_nTrackCol)].nCurSize;
    else if (m_nTrackRow >= 0)
        m_nTrackOffset = point.y - Start(m_rows, m_nTrackRow) -
                         m_rows[static_cast<size_t>(m_nTrackRow)].nCurSize;
    if (m_nTrackCol >= 0 || m_nTrackRow >= 0) ::SetCapture(m_hWnd);
}

// The bar follows the mouse: the pane before it takes the new size at once.
void CSplitterWnd::OnMouseMove(UINT, POINT point) {
    if (::GetCapture() != m_hWnd) return;
    if (m_nTrackCol >= 0) {
        Info& info = m_cols[static_cast<size_t>(m_nTrackCol)];
        info.nIdealSize =
            std::max<int>(info.nMinSize, point.x - Start(m_cols, m_nTrackCol) - m_nTrackOffset);
    } else if (m_nTrackRow >= 0) {
        Info& info = m_rows[static_cast<size_t>(m_nTrackRow)];
        info.nIdealSize =
            std::max<int>(info.nMinSize, point.y - Start(m_rows, m_nTrackRow) - m_nTrackOffset);
    } else {
        return;
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, POINT) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    m_nTrackCol = m_nTrackRow = -1;
}

// Some tree controls (Wine's) send a right click's WM_CONTEXTMENU to their
// parent rather than to themselves; the pane it names gets it back, once, so
// its own handler runs. A pane that does not handle it passes it up again
// through its default procedure, and then it goes on to the frame.
LRESULT CSplitterWnd::OnPaneContextMenu(WPARAM wParam, LPARAM lParam) {
    static bool s_bForwarding = false;
    HWND hPane = reinterpret_cast<HWND>(wParam);
    if (!s_bForwarding && hPane && hPane != m_hWnd && ::GetParent(hPane) == m_hWnd &&
        CWnd::FromHandlePermanent(hPane)) {
        s_bForwarding = true;
        ::SendMessageA(hPane, WM_CONTEXTMENU, wParam, lParam);
        s_bForwarding = false;
        return 0;
    }
    return Default();
}

LRESULT CSplitterWnd::OnCaptureChanged(WPARAM, LPARAM) {
    m_nTrackCol = m_nTrackRow = -1;
    return 0;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT) {
    if (pWnd == this && nHitTest == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (HitBar(m_cols, pt.x) >= 0) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        if (HitBar(m_rows, pt.y) >= 0) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
    CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
    if (!pPane) return;
    CFrameWnd* pFrame = GetParentFrame();
    if (auto* pView = dynamic_cast<CView*>(pPane); pView && pFrame)
        pFrame->SetActiveView(pView);
    else
        ::SetFocus(pPane->m_hWnd);
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) const {
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = nullptr;
    if (pFrame) pView = pFrame->GetActiveView();
    if (!pView || ::GetParent(pView->m_hWnd) != m_hWnd) return nullptr;
    const int id = pView->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    if (pRow) *pRow = id / 16;
    if (pCol) *pCol = id % 16;
    return pView;
}

void CSplitterWnd::CollectPanes(std::vector<CWnd*>& panes) const {
    for (int r = 0; r < GetRowCount(); ++r) {
        for (int c = 0; c < GetColumnCount(); ++c) {
            CWnd* pPane = GetPane(r, c);
            if (!pPane) continue;
            if (auto* pNested = dynamic_cast<CSplitterWnd*>(pPane))
                pNested->CollectPanes(panes);
            else
                panes.push_back(pPane);
        }
    }
}

void CSplitterWnd::ActivateNext(BOOL bPrev) {
    // Cycle over the leaves of the outermost splitter, row by row.
    const CSplitterWnd* pRoot = this;
    while (auto* pParent =
               dynamic_cast<CSplitterWnd*>(FromHandlePermanent(::GetParent(pRoot->m_hWnd))))
        pRoot = pParent;
    std::vector<CWnd*> panes;
    pRoot->CollectPanes(panes);
    if (panes.empty()) return;
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pActive = nullptr;
    if (pFrame) pActive = pFrame->GetActiveView();
    const auto it = std::find(panes.begin(), panes.end(), pActive);
    const int n = static_cast<int>(panes.size());
    int i = it == panes.end() ? 0 : static_cast<int>(it - panes.begin());
    i = it == panes.end() ? 0 : (i + (bPrev ? n - 1 : 1)) % n;
    CWnd* pNext = panes[static_cast<size_t>(i)];
    if (auto* pSplitter =
            dynamic_cast<CSplitterWnd*>(FromHandlePermanent(::GetParent(pNext->m_hWnd))))
        pSplitter->SetActivePane(0, 0, pNext);
}
