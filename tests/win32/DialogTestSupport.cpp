#include "tests/win32/DialogTestSupport.h"

#include <commctrl.h>

namespace {
ModalDriver* g_pDriver = nullptr;
constexpr UINT kTickMs = 20;
// A dialog that never comes is closed after this long, so that the test
// fails instead of hanging; far above what any step needs.
constexpr DWORD kMaxWaitMs = 60000;

BOOL CALLBACK FindDialogProc(HWND hWnd, LPARAM lParam) {
    char cls[16] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindOpenDialog() {
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

std::string TextOf(HWND hWnd) {
    char buf[512] = "";
    GetWindowTextA(hWnd, buf, sizeof(buf));
    return buf;
}

ModalDriver::ModalDriver(std::vector<Step> steps) : m_steps(std::move(steps)) {
    g_pDriver = this;
    m_dwStart = GetTickCount();
    m_idTimer = SetTimer(nullptr, 0, kTickMs, Tick);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, m_idTimer);
    g_pDriver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_pDriver) g_pDriver->RunTick();
}

void ModalDriver::RunTick() {
    HWND hDlg = FindOpenDialog();
    if (GetTickCount() - m_dwStart > kMaxWaitMs) {
        // Out of time: close what is open so the test goes on and fails.
        if (hDlg) PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        if (hDlg) PostMessageA(hDlg, WM_CLOSE, 0, 0);
        return;
    }
    if (!hDlg || Finished()) return;
    if (m_steps[m_nNext](hDlg)) ++m_nNext;
}

ModalDriver::Step SelectPage(int nPage) {
    return [nPage](HWND hSheet) {
        SendMessageA(hSheet, PSM_SETCURSEL, nPage, 0);
        return true;
    };
}

ModalDriver::Step OnPage(std::function<void(HWND, HWND)> f) {
    return [f](HWND hSheet) {
        HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (!hPage) return false;
        f(hSheet, hPage);
        return true;
    };
}

ModalDriver::Step ClickOnPage(int nCtrlID) {
    return OnPage(
        [nCtrlID](HWND, HWND hPage) { SendMessageA(GetDlgItem(hPage, nCtrlID), BM_CLICK, 0, 0); });
}

ModalDriver::Step PressSheetButton(int nButton) {
    return [nButton](HWND hSheet) {
        SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
        return true;
    };
}

ModalDriver::Step PressButton(int nID) {
    return [nID](HWND hDlg) {
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nID)));
        return true;
    };
}

ModalDriver::Step Do(std::function<void(HWND)> f) {
    return [f](HWND hDlg) {
        f(hDlg);
        return true;
    };
}
