// An owner-drawn menu: popup entries get a 16 x 15 icon column at the left
// with a raised or sunken frame around the icon, a highlight that leaves
// the icon column alone, embossed icons for disabled entries, a drawn check
// box for checked entries without an icon, and accelerator texts
// right-aligned in a column of their own. The menu bar's own entries stay
// ordinary text entries.
#pragma once

#include <vector>

#include "chrome/CIconMenuItem.h"
#include "fw/win/CMenu.h"

class CIconMenu : public CMenu {
public:
    ~CIconMenu() override;

    // Builds the whole menu tree from a menu resource; FALSE when it is
    // missing or no menu can be made.
    virtual BOOL LoadMenu(UINT nID) { return LoadMenu(MAKEINTRESOURCEA(nID)); }
    virtual BOOL LoadMenu(const char* pszName);
    // Frees the submenu objects, the records and their image lists, then
    // the handle (if still attached).
    BOOL DestroyMenu() override;

    void AppendIconItem(const wchar_t* pszText, UINT nFlags, UINT_PTR nID, int iconId);
    // Sets the icon (and the text, when given) of the entry with this
    // command ID anywhere in the menu tree.
    BOOL SetItemIcon(const char* pszText, UINT nCommandID, int iconId);
    BOOL SetItemIcon(const wchar_t* pszText, UINT nCommandID, int iconId);
    // The same for the entry with this exact text; FALSE when none has it.
    BOOL SetItemIconByText(const char* pszText, const char* pszEntryText, int iconId);

    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    LRESULT MenuChar(UINT nChar, UINT nFlags) override;

    // The record of an entry by position, when the entry is one of ours.
    CIconMenuItem* ItemAt(int nPos) const;
    const std::vector<CIconMenuItem*>& Items() const { return m_items; }
    const std::vector<CIconMenu*>& SubMenus() const { return m_subMenus; }

    int m_iconWidth = 16;
    int m_iconHeight = 15;

private:
    bool FindByCommand(UINT nCommandID, CIconMenu*& pMenu, int& nPos);
    CIconMenuItem* FindByText(const wchar_t* pszText);
    void LoadIcon(CIconMenuItem* pItem, int iconId);
    void AlignAccelerators();
    bool OwnsItem(const CIconMenuItem* pItem) const;

    std::vector<CIconMenuItem*> m_items;  // in the order added
    std::vector<CIconMenu*> m_subMenus;   // made while loading a resource
};

// The system's shell generation, computed once: 3 for the NT family from
// version 4, 2 for older NT, 1 for the newer non-NT shell, 0 before it.
// Variants 1 and 3 draw the raised and sunken frames around icons.
int AfxShellVariant();
