// The modeless window of a running link check: the address being asked, a
// progress bar, "n / m" and Cancel. The check runs on a thread of its own
// over copies of the addresses, so the document stays free to edit; the
// window reports back once, on the window's thread, when the check ends.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "check/CLinkChecker.h"
#include "fw/win/CWnd.h"

class CCheckProgressWnd : public CWnd {
public:
    using Done = std::function<void(std::vector<LinkResult>& results, bool bCancelled)>;

    ~CCheckProgressWnd() override;
    // Shows the window owned by pOwner and starts the check; onDone runs
    // after the window has gone.
    BOOL Start(CWnd* pOwner, std::vector<LinkToCheck> links, const LinkCheckOptions& options,
               Done onDone);
    BOOL IsRunning() const { return m_thread.joinable(); }
    // As the Cancel button: the check stops within a second.
    void Cancel();
    CString GetCountText() const;

protected:
    void OnCancelClicked() { Cancel(); }
    void OnClose() { Cancel(); }
    LRESULT OnProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnFinished(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Run(std::vector<LinkToCheck> links);

    std::unique_ptr<CHttpClient> m_pClient;
    std::unique_ptr<CLinkChecker> m_pChecker;
    std::thread m_thread;
    Done m_onDone;
    HWND m_hAddress = nullptr;
    HWND m_hBar = nullptr;
    HWND m_hCount = nullptr;
    HWND m_hCancel = nullptr;

    // Shared with the check's threads.
    mutable std::mutex m_mutex;
    HWND m_hNotify = nullptr;
    bool m_bPosted = false;
    size_t m_nDone = 0;
    size_t m_nTotal = 0;
    std::string m_current;
    std::vector<LinkResult> m_results;
};
