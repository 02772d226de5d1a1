#include "views/CCheckProgressWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"
#include "res/resource.h"

namespace {
constexpr UINT kMsgProgress = WM_APP + 40;
constexpr UINT kMsgFinished = WM_APP + 41;
constexpr int kWidth = 440;
constexpr int kHeight = 150;
}  // namespace

BEGIN_MESSAGE_MAP(CCheckProgressWnd, CWnd)
ON_BN_CLICKED(IDC_CHECK_CANCEL, OnCancelClicked)
ON_WM_CLOSE()
ON_MESSAGE(kMsgProgress, OnProgress)
ON_MESSAGE(kMsgFinished, OnFinished)
END_MESSAGE_MAP()

CCheckProgressWnd::~CCheckProgressWnd() {
    if (m_pChecker) m_pChecker->Cancel();
    if (m_thread.joinable()) m_thread.join();
}

BOOL CCheckProgressWnd::Start(CWnd* pOwner, std::vector<LinkToCheck> links,
                              const LinkCheckOptions& options, Done onDone) {
    if (IsRunning()) return FALSE;
    // Centred on the owner.
    RECT rcOwner = {0, 0, kWidth, kHeight};
    if (pOwner) pOwner->GetWindowRect(&rcOwner);
    const int x = (rcOwner.left + rcOwner.right - kWidth) / 2;
    const int y = (rcOwner.top + rcOwner.bottom - kHeight) / 2;
    const RECT rect = {x, y, x + kWidth, y + kHeight};
    if (!m_hWnd && !CreateEx(WS_EX_DLGMODALFRAME, AfxWndClassName(), AfxLoadString(IDS_CHECK_TITLE),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, rect, pOwner, 0))
        return FALSE;
    HINSTANCE hInst = AfxGetInstanceHandle();
    HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    RECT rc;
    GetClientRect(&rc);
    const int cx = rc.right - 24;
    if (!m_hAddress) {
        m_hAddress = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 12,
                                       10, cx, 18, m_hWnd,
                                       reinterpret_cast<HMENU>(IDC_CHECK_ADDRESS), hInst, nullptr);
        m_hBar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 12, 34, cx, 18,
                                   m_hWnd, reinterpret_cast<HMENU>(IDC_CHECK_BAR), hInst, nullptr);
        m_hCount =
            ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 12, 60, cx - 100, 18, m_hWnd,
                              reinterpret_cast<HMENU>(IDC_CHECK_COUNT), hInst, nullptr);
        m_hCancel = ::CreateWindowExA(0, "BUTTON", AfxLoadString(IDS_CHECK_CANCEL),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                      rc.right - 102, 58, 90, 24, m_hWnd,
                                      reinterpret_cast<HMENU>(IDC_CHECK_CANCEL), hInst, nullptr);
        for (HWND h : {m_hAddress, m_hCount, m_hCancel})
            ::SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    ::EnableWindow(m_hCancel, TRUE);
    ::SendMessageA(m_hBar, PBM_SETRANGE32, 0,
                   static_cast<LPARAM>(std::max<size_t>(links.size(), 1)));
    ::SendMessageA(m_hBar, PBM_SETPOS, 0, 0);
    ::SetWindowTextA(m_hAddress, "");

    m_onDone = std::move(onDone);
    m_pClient = MakeSystemHttpClient();
    m_pChecker = std::make_unique<CLinkChecker>(*m_pClient, options);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hNotify = m_hWnd;
        m_bPosted = false;
        m_nDone = 0;
        m_nTotal = links.size();
        m_current.clear();
        m_results.clear();
    }
    ::SetWindowTextA(m_hCount, GetCountText());
    ShowWindow(SW_SHOW);
    m_thread = std::thread([this, links = std::move(links)]() mutable { Run(std::move(links)); });
    return TRUE;
}

void CCheckProgressWnd::Run(std::vector<LinkToCheck> links) {
    std::vector<LinkResult> results =
        m_pChecker->Check(links, [this](size_t nDone, size_t nTotal, const std::string& url) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_nDone = nDone;
            m_nTotal = nTotal;
            if (!url.empty()) m_current = url;
            // One message on the way at a time, however fast the answers come.
            if (!m_bPosted) m_bPosted = ::PostMessageA(m_hNotify, kMsgProgress, 0, 0) != FALSE;
        });
    std::lock_guard<std::mutex> lock(m_mutex);
    m_results = std::move(results);
    ::PostMessageA(m_hNotify, kMsgFinished, 0, 0);
}

void CCheckProgressWnd::Cancel() {
    if (!m_pChecker || !IsRunning()) return;
    m_pChecker->Cancel();
    ::EnableWindow(m_hCancel, FALSE);
}

CString CCheckProgressWnd::GetCountText() const {
    CString strDone, strTotal;
    std::lock_guard<std::mutex> lock(m_mutex);
    strDone.Format("%d", static_cast<int>(m_nDone));
    strTotal.Format("%d", static_cast<int>(m_nTotal));
    CString strText = AfxLoadString(IDS_CHECK_COUNT);
    strText.Replace("%1", strDone);
    strText.Replace("%2", strTotal);
    return strText;
}

LRESULT CCheckProgressWnd::OnProgress(WPARAM, LPARAM) {
    std::string current;
    size_t nDone = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bPosted = false;
        current = m_current;
        nDone = m_nDone;
    }
    ::SendMessageA(m_hBar, PBM_SETPOS, static_cast<WPARAM>(nDone), 0);
    ::SetWindowTextA(m_hCount, GetCountText());
    ::SetWindowTextA(m_hAddress, afxmsg::FromUtf8(current.c_str()));
    return 0;
}

LRESULT CCheckProgressWnd::OnFinished(WPARAM, LPARAM) {
    if (m_thread.joinable()) m_thread.join();
    const bool bCancelled = m_pChecker && m_pChecker->IsCancelled();
    std::vector<LinkResult> results;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        results = std::move(m_results);
    }
    m_pChecker.reset();
    m_pClient.reset();
    ShowWindow(SW_HIDE);
    Done onDone = std::move(m_onDone);
    m_onDone = Done();
    if (onDone) onDone(results, bCancelled);
    return 0;
}
