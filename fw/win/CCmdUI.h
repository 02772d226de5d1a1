// The state of one user-interface element of a command (a menu entry, a
// toolbar button, a status pane) while its update handler decides it.
#pragma once

#include "fw/win/AfxWin.h"

class CCmdTarget;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    // Operations for update handlers
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(const char* pszText);

    // Asks pTarget for the state. With bDisableIfNoHndler an element whose
    // command has no handler anywhere on the route is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // menu position, button or pane index
    UINT m_nIndexMax = 0;        // number of menu entries, buttons or panes
    HMENU m_hMenu = nullptr;     // the popup holding the entry, for menus
    HMENU m_hSubMenu = nullptr;  // the entry opens this popup
    CWnd* m_pOther = nullptr;    // the bar, for toolbar buttons and status panes
    BOOL m_bEnableChanged = FALSE;
};

// Only records whether the command is enabled: the check made before a
// command without a control is run.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(const char*) override {}
    BOOL m_bEnabled = TRUE;
};
