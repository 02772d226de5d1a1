// Mouse and keys as a person gives them: through SendInput, so that the
// system routes them (the window under the mouse, capture, focus, the
// accelerators, the dialog keys, menus' own loops) as it routes real ones.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <initializer_list>

class AppHarness;

class UserInput {
public:
    explicit UserInput(AppHarness& app);
    // Brings the main window to the front, so that keys reach it.
    void Front() const;

    void MoveTo(POINT ptScreen) const;
    // Button down and up at the point: VK_LBUTTON or VK_RBUTTON.
    void Click(POINT ptScreen, int nButton = VK_LBUTTON) const;
    // The left button from one point to the other, through a few steps.
    void Drag(POINT ptFrom, POINT ptTo) const;
    // A chord: the keys pressed in order and released in reverse
    // ({VK_CONTROL, 'V'}).
    void Keys(std::initializer_list<WORD> chord) const;
    // Printable ASCII text, one key per character.
    void Type(const char* pszText) const;

    // Runs the application's message loop until the state holds; false when
    // the thread stopped getting messages before it did.
    bool RunUntil(const std::function<bool()>& state) const;
    // Runs it until nothing is left to paint or to handle.
    bool Settle() const;

private:
    AppHarness& m_app;
};

// The centre of a tree node's label, and of a window, in screen coordinates.
POINT NodeCentre(HWND hTree, HTREEITEM hItem);
POINT WindowCentre(HWND hWnd);
