#include "tests/win32/UserInput.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win32/GuiTestSupport.h"

namespace {

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD dwFlags, POINT pt = {0, 0}) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    if (dwFlags & MOUSEEVENTF_ABSOLUTE) {
        // Normalised so that the system's scaling lands on the pixel itself.
        const LONG cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = static_cast<LONG>((pt.x * 65536LL + cx - 1) / cx);
        in.mi.dy = static_cast<LONG>((pt.y * 65536LL + cy - 1) / cy);
    }
    return in;
}

INPUT Key(WORD vk, bool bUp) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
            in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
        default:
            break;
    }
    if (bUp) in.ki.dwFlags |= KEYEVENTF_KEYUP;
    return in;
}

constexpr DWORD kMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;

}  // namespace

UserInput::UserInput(AppHarness& app) : m_app(app) {}

void UserInput::Front() const {
    HWND hMain = m_app.Frame()->m_hWnd;
    SetForegroundWindow(hMain);
    SetActiveWindow(hMain);
    Settle();
}

void UserInput::MoveTo(POINT pt) const {
    Send({Mouse(kMove, pt)});
}

void UserInput::Click(POINT pt, int nButton) const {
    const bool bRight = nButton == VK_RBUTTON;
    Send({Mouse(kMove, pt), Mouse(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
          Mouse(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

void UserInput::Drag(POINT ptFrom, POINT ptTo) const {
    std::vector<INPUT> inputs = {Mouse(kMove, ptFrom), Mouse(MOUSEEVENTF_LEFTDOWN)};
    const int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        const POINT pt = {ptFrom.x + (ptTo.x - ptFrom.x) * i / kSteps,
                          ptFrom.y + (ptTo.y - ptFrom.y) * i / kSteps};
        inputs.push_back(Mouse(kMove, pt));
    }
    inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
    Send(inputs);
}

void UserInput::Keys(std::initializer_list<WORD> chord) const {
    std::vector<INPUT> inputs;
    for (WORD vk : chord) inputs.push_back(Key(vk, false));
    for (auto it = std::rbegin(chord); it != std::rend(chord); ++it)
        inputs.push_back(Key(*it, true));
    Send(inputs);
}

void UserInput::Type(const char* pszText) const {
    std::vector<INPUT> inputs;
    for (const char* p = pszText; *p; ++p) {
        const SHORT vks = VkKeyScanA(*p);
        const WORD vk = LOBYTE(vks);
        const bool bShift = (HIBYTE(vks) & 1) != 0;
        if (bShift) inputs.push_back(Key(VK_SHIFT, false));
        inputs.push_back(Key(vk, false));
        inputs.push_back(Key(vk, true));
        if (bShift) inputs.push_back(Key(VK_SHIFT, true));
    }
    Send(inputs);
}

bool UserInput::RunUntil(const std::function<bool()>& state) const {
    // Each round waits for the next message; the frame's clock ticks keep
    // coming, so a state that never arrives ends the wait in the end.
    for (int nRound = 0; nRound < 300; ++nRound) {
        m_app.PumpIdle();
        if (state()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    }
    return false;
}

bool UserInput::Settle() const {
    // Timers (a caret's blinking) never stop coming.
    return RunUntil(
        [] { return GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE) == 0; });
}

POINT NodeCentre(HWND hTree, HTREEITEM hItem) {
    RECT rc = {};
    TreeView_GetItemRect(hTree, hItem, &rc, TRUE);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(hTree, &pt);
    return pt;
}

POINT WindowCentre(HWND hWnd) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}
