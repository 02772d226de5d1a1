#include "fw/win/CStatusProgress.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/win/AfxRes.h"
#include "fw/win/AfxWin.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CStatusBar.h"

namespace {

DWORD g_dwDelay = 500;
CStatusProgress* g_pActive = nullptr;
void (*g_pfnRefreshHook)(CStatusProgress&) = nullptr;
// The clock is read every so many steps, the bar and the windows refreshed
// about ten times a second.
constexpr int kStepsPerLook = 64;
constexpr DWORD kRefreshPeriod = 100;

}  // namespace

CStatusProgress::CStatusProgress(int nTotal)
    : m_nTotal(nTotal), m_bSilent(g_pActive != nullptr), m_tStart(::GetTickCount()) {
    if (!m_bSilent) g_pActive = this;
}

CStatusProgress::~CStatusProgress() {
    if (m_bSilent) return;
    g_pActive = nullptr;
    if (!m_hBar) return;
    ::DestroyWindow(m_hBar);
    if (m_pBar && ::IsWindow(m_pBar->m_hWnd)) m_pBar->SetPaneText(0, m_strBefore);
}

void CStatusProgress::SetDelay(DWORD dwMilliseconds) {
    g_dwDelay = dwMilliseconds;
}

CStatusProgress* CStatusProgress::Active() {
    return g_pActive;
}

void CStatusProgress::SetRefreshHookForTest(void (*pfnHook)(CStatusProgress&)) {
    g_pfnRefreshHook = pfnHook;
}

void CStatusProgress::SetTotal(int nTotal) {
    m_nTotal = nTotal;
}

void CStatusProgress::SetDone(int nDone) {
    m_nDone = nDone;
    if (m_bSilent || m_nLooks++ % kStepsPerLook != 0) return;
    const DWORD tNow = ::GetTickCount();
    if (!m_hBar) {
        if (tNow - m_tStart < g_dwDelay) return;
        Show();
        if (!m_hBar) return;
    } else if (tNow - m_tLastRefresh < std::min(kRefreshPeriod, g_dwDelay)) {
        return;
    }
    m_tLastRefresh = tNow;
    Refresh();
}

// The bar goes into the message pane of a status bar the user can see; at
// start-up, before the main window shows, there is none.
void CStatusProgress::Show() {
    auto* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (!pFrame || !::IsWindowVisible(pFrame->m_hWnd)) return;
    auto* pBar = dynamic_cast<CStatusBar*>(pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    if (!pBar || !::IsWindowVisible(pBar->m_hWnd)) return;
    m_hBar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0, 0,
                               0, pBar->m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
    if (!m_hBar) return;
    m_pBar = pBar;
    m_strBefore = pBar->GetPaneText(0);
    Place();
}

// The count at the pane's left, the bar in the rest of the pane.
void CStatusProgress::Place() {
    RECT rc = {};
    m_pBar->SendMessage(SB_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    HDC hdc = ::GetDC(m_pBar->m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(m_pBar->SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : nullptr;
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, "0000000 / 0000000", 17, &size);
    if (hOld) ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_pBar->m_hWnd, hdc);
    int nLeft = rc.left + size.cx + 12;
    if (rc.right - nLeft < 60) nLeft = rc.left + (rc.right - rc.left) / 2;
    ::MoveWindow(m_hBar, nLeft, rc.top + 2, std::max(0L, rc.right - 4 - nLeft),
                 std::max(0L, rc.bottom - rc.top - 4), TRUE);
}

void CStatusProgress::Refresh() {
    const int nRange = std::max(m_nTotal, 1);
    ::SendMessageA(m_hBar, PBM_SETRANGE32, 0, nRange);
    ::SendMessageA(m_hBar, PBM_SETPOS, std::min(m_nTotal > 0 ? m_nDone : 0, nRange), 0);
    CString strCount;
    if (m_nTotal > 0)
        strCount.Format("%d / %d", m_nDone, m_nTotal);
    else
        strCount.Format("%d", m_nDone);
    m_pBar->SetPaneText(0, strCount);
    PaintWindows();
    if (g_pfnRefreshHook) g_pfnRefreshHook(*this);
}

// Paint messages only: input stays queued until the work is over.
void CStatusProgress::PaintWindows() {
    MSG msg;
    for (int i = 0; i < 256 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageA(&msg);
}
