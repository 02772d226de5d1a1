#include "fw/win/CMenu.h"

#include <unordered_map>

namespace {

std::unordered_map<HMENU, CMenu*>& MenuMap() {
    static std::unordered_map<HMENU, CMenu*> map;
    return map;
}

// The object of the menu holding the owner-drawn entry with this item
// data. WM_MEASUREITEM names no menu, but each entry's data is its own.
CMenu* FindByItemData(ULONG_PTR itemData) {
    for (const auto& entry : MenuMap()) {
        const int nCount = ::GetMenuItemCount(entry.first);
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (::GetMenuItemInfoA(entry.first, static_cast<UINT>(i), TRUE, &info) &&
                (info.fType & MFT_OWNERDRAW) && info.dwItemData == itemData)
                return entry.second;
        }
    }
    return nullptr;
}

}  // namespace

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    auto it = MenuMap().find(hMenu);
    return it == MenuMap().end() ? nullptr : it->second;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (!hMenu) return FALSE;
    if (m_hMenu) Detach();
    m_hMenu = hMenu;
    MenuMap()[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    if (h) {
        auto it = MenuMap().find(h);
        if (it != MenuMap().end() && it->second == this) MenuMap().erase(it);
    }
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::DestroyMenu() {
    HMENU h = Detach();
    // The handle may already be gone with the window that showed it.
    return h && ::IsMenu(h) ? ::DestroyMenu(h) : FALSE;
}

BOOL CMenu::RouteMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_MEASUREITEM) {
        auto* pMIS = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (!pMIS || pMIS->CtlType != ODT_MENU) return FALSE;
        CMenu* pMenu = FindByItemData(pMIS->itemData);
        if (!pMenu) return FALSE;
        pMenu->MeasureItem(pMIS);
        *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        auto* pDIS = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (!pDIS || pDIS->CtlType != ODT_MENU) return FALSE;
        CMenu* pMenu = FromHandlePermanent(reinterpret_cast<HMENU>(pDIS->hwndItem));
        if (!pMenu) return FALSE;
        pMenu->DrawItem(pDIS);
        *pResult = TRUE;
        return TRUE;
    }
    if (message == WM_MENUCHAR) {
        CMenu* pMenu = FromHandlePermanent(reinterpret_cast<HMENU>(lParam));
        if (!pMenu) return FALSE;
        const LRESULT lResult = pMenu->MenuChar(LOWORD(wParam), HIWORD(wParam));
        if (!lResult) return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    return FALSE;
}
