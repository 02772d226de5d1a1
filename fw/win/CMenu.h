// A menu object around an HMENU. Objects attached to a handle are found
// again from it; the layer hands a menu's owner-drawn entries
// (WM_MEASUREITEM, WM_DRAWITEM) and unclaimed mnemonic keys (WM_MENUCHAR) to
// the object of the menu that holds the entry, whichever window owns the
// menu.
#pragma once

#include "fw/win/AfxWin.h"

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandlePermanent(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    virtual BOOL DestroyMenu();

    UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    HMENU GetSubMenuHandle(int nPos) const { return ::GetSubMenu(m_hMenu, nPos); }

    // Owner-drawn entries of this menu.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    // A key pressed while this popup is open that no text entry claims; the
    // answer as for WM_MENUCHAR (0: the system beeps).
    virtual LRESULT MenuChar(UINT, UINT) { return 0; }

    // Hands a WM_MEASUREITEM, WM_DRAWITEM or WM_MENUCHAR about a menu to its
    // object; FALSE when it is not about a menu with one.
    static BOOL RouteMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
