// How far a long piece of work has come, for the user who waits: once the
// work has run for half a second the main window's status bar shows, in its
// message pane, the count done ("n / total") and a progress bar. While the
// work goes on the program's windows are kept painted: only paint messages
// are handled, so nothing the user does can start a command in the middle of
// the work, and the wait cursor stays. Work that ends sooner shows nothing.
// One piece of work shows at a time: a progress made while another is
// running stays silent.
#pragma once

#include <windows.h>

#include "fw/base/CString.h"

class CStatusBar;

class CStatusProgress {
public:
    // nTotal: the count at which the work is done; 0 while not known.
    explicit CStatusProgress(int nTotal = 0);
    ~CStatusProgress();
    CStatusProgress(const CStatusProgress&) = delete;
    CStatusProgress& operator=(const CStatusProgress&) = delete;

    void SetTotal(int nTotal);
    // nDone of the total are done. Cheap enough to call for every item.
    void SetDone(int nDone);
    void Step() { SetDone(m_nDone + 1); }
    int GetDone() const { return m_nDone; }
    BOOL IsShown() const { return m_hBar != nullptr; }

    // The wait before anything shows (tests make it 0, so that the bar shows
    // at the first step however fast the machine).
    static void SetDelay(DWORD dwMilliseconds);
    // The progress that is showing or may show, or nullptr.
    static CStatusProgress* Active();
    // Called at each refresh while shown (tests look at the status bar then).
    static void SetRefreshHookForTest(void (*pfnHook)(CStatusProgress&));

private:
    void Refresh();
    void Show();
    void Place();
    void PaintWindows();

    int m_nTotal;
    int m_nDone = 0;
    bool m_bSilent;
    DWORD m_tStart;
    DWORD m_tLastRefresh = 0;
    int m_nLooks = 0;
    CStatusBar* m_pBar = nullptr;
    HWND m_hBar = nullptr;
    CString m_strBefore;  // the pane's text before the count
};
