#include "fw/win/CWnd.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CMenu.h"

namespace {

// Temporary wrappers handed out by FromHandle for windows without an object.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& TempMap() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// The message being processed, for Default(); nested messages restore it.
struct CurrentMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
CurrentMessage g_current = {};

// The creating object, until its WM_NCCREATE arrives.
CWnd* g_pWndInit = nullptr;

constexpr UINT_PTR kSubclassId = 1;

// The objects of subclassed controls by window, for FromHandlePermanent:
// comctl32 exports GetWindowSubclass by ordinal only (the 64-bit import
// library lacks it), and a window property would cost a round trip to Wine's
// server on every notification a control sends (a tree of 100,000 items
// sends one for each item it deletes).
std::mutex g_subclassedLock;
std::unordered_map<HWND, CWnd*> g_subclassed;

void Unsubclass(HWND hWnd) {
    RemoveWindowSubclass(hWnd, CWnd::AfxSubclassProc, kSubclassId);
    std::lock_guard<std::mutex> lock(g_subclassedLock);
    g_subclassed.erase(hWnd);
}

bool RegisterOnce(const char* pszName, UINT style, HBRUSH hbr, HICON hIcon, WNDPROC proc) {
    WNDCLASSA wc = {};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (GetClassInfoA(hInst, pszName, &wc)) return true;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = hbr;
    wc.hIcon = hIcon;
    wc.lpszClassName = pszName;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

// The layer's window procedure is reached by this name from the class
// registration below.
LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = nullptr;
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        pWnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (!pWnd) pWnd = g_pWndInit;
        if (pWnd) {
            pWnd->m_hWnd = hWnd;
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWnd));
        }
        g_pWndInit = nullptr;
    } else {
        pWnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    }
    if (!pWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return Dispatch(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::AfxSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR dwRefData) {
    return Dispatch(reinterpret_cast<CWnd*>(dwRefData), hWnd, message, wParam, lParam);
}

// Every message of every bound window passes here: no C++ exception may
// leave a window procedure, so they end here, reported.
LRESULT CWnd::Dispatch(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage saved = g_current;
    g_current = {hWnd, message, wParam, lParam};
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
        lResult = 0;
    } catch (...) {
        OutputDebugStringA("unexpected exception in a window procedure");
        lResult = 0;
    }
    g_current = saved;
    if (message == WM_NCDESTROY) pWnd->OnFinalDestroy();
    return lResult;
}

void CWnd::OnFinalDestroy() {
    if (m_bSubclassed)
        Unsubclass(m_hWnd);
    else
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_bSubclassed = false;
    m_hWnd = nullptr;
    PostNcDestroy();
}

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // The object goes first: the window must not call back into it.
        HWND h = m_hWnd;
        if (m_bSubclassed)
            Unsubclass(h);
        else
            SetWindowLongPtrA(h, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == AfxWndProc)
        return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    std::lock_guard<std::mutex> lock(g_subclassedLock);
    const auto it = g_subclassed.find(hWnd);
    return it != g_subclassed.end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd)) return p;
    auto& map = TempMap();
    auto it = map.find(hWnd);
    if (it != map.end()) return it->second.get();
    auto p = std::make_unique<CWnd>();
    p->m_hWnd = hWnd;
    CWnd* raw = p.get();
    map.emplace(hWnd, std::move(p));
    return raw;
}

void CWnd::DeleteTempMap() {
    // Temporary wrappers never own their window.
    for (auto& entry : TempMap()) entry.second->m_hWnd = nullptr;
    TempMap().clear();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxWndClassName();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* pszClassName, const char* pszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = pszClassName;
    cs.lpszName = pszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        // The system chooses place and size (a frame's PreCreateWindow may).
        cs.x = cs.cx = CW_USEDEFAULT;
        cs.y = cs.cy = 0;
    }
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.hMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs)) return FALSE;

    WNDCLASSA wc = {};
    const bool bOwnClass =
        GetClassInfoA(cs.hInstance, cs.lpszClass, &wc) && wc.lpfnWndProc == AfxWndProc;
    if (bOwnClass) {
        g_pWndInit = this;
        HWND h = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
        g_pWndInit = nullptr;
        if (!h) m_hWnd = nullptr;
        return h != nullptr;
    }
    // A control: created by its own class, then subclassed.
    HWND h = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                             cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    if (!h) return FALSE;
    if (!SubclassWindow(h)) {
        ::DestroyWindow(h);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext*) {
    return CreateEx(0, pszClassName, pszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    m_hWnd = hWnd;
    PreSubclassWindow();
    m_hWnd = nullptr;
    if (!SetWindowSubclass(hWnd, AfxSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_subclassedLock);
        g_subclassed[hWnd] = this;
    }
    // A temporary wrapper handed out earlier must not outlive the binding.
    auto& map = TempMap();
    auto it = map.find(hWnd);
    if (it != map.end()) {
        it->second->m_hWnd = nullptr;
        map.erase(it);
    }
    m_hWnd = hWnd;
    m_bSubclassed = true;
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    HWND h = m_hWnd;
    if (m_bSubclassed) Unsubclass(h);
    m_bSubclassed = false;
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) return 0;
        return DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NOTIFY) {
        LRESULT lResult = 0;
        if (OnNotify(wParam, lParam, &lResult)) return lResult;
        return DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM || message == WM_MENUCHAR) {
        // Owner-drawn menu entries belong to their menu's object.
        LRESULT lResult = 0;
        if (CMenu::RouteMenuMessage(message, wParam, lParam, &lResult)) return lResult;
    }
    AfxMsg m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    if (ProcessMessageMap(m)) return m.result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bSubclassed) return DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        // A menu entry, an accelerator or a command sent without a control:
        // a command that has become disabled is not run.
        if (nID == 0) return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state);
        if (!state.m_bEnabled) return TRUE;
        nCode = CN_COMMAND;
    } else {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, 0, lParam, pResult))
        return TRUE;
    AfxNotify notify = {pNMHDR, pResult};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), CN_NOTIFY, &notify);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    AfxMsg m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    if (message == WM_COMMAND) {
        m.kind = AfxMsg::reflectCommand;
        m.nID = LOWORD(wParam);
        m.nCode = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        m.kind = AfxMsg::reflectNotify;
        m.pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        m.nID = static_cast<UINT>(m.pNMHDR->idFrom);
        m.nCode = static_cast<int>(m.pNMHDR->code);
    } else {
        return FALSE;
    }
    if (!ProcessMessageMap(m)) return FALSE;
    if (pResult) *pResult = m.result;
    return TRUE;
}

void CWnd::GetWindowText(CString& rString) const {
    int n = ::GetWindowTextLengthA(m_hWnd);
    char* p = rString.GetBuffer(n + 1);
    int got = ::GetWindowTextA(m_hWnd, p, n + 1);
    rString.ReleaseBuffer(got);
}

CFrameWnd* CWnd::GetParentFrame() const {
    HWND h = ::GetParent(m_hWnd);
    while (h) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(h))) return pFrame;
        h = ::GetParent(h);
    }
    return nullptr;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD dwStyle = GetStyle();
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(dwNew));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

const char* AfxWndClassName() {
    static const char kName[] = "OrdelinkWnd";
    RegisterOnce(kName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr,
                 CWnd::WindowProcedure());
    return kName;
}

const char* AfxFrameClassName() {
    static const char kName[] = "OrdelinkFrame";
    // The frame shows the program's icon (resource 128) in its caption.
    RegisterOnce(kName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                 LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(128)), CWnd::WindowProcedure());
    return kName;
}
