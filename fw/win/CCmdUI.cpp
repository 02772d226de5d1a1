#include "fw/win/CCmdUI.h"

#include "fw/win/CCmdTarget.h"

void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    if (!m_hMenu) return;
    // A menu entry that opens a popup has no ID of its own; it is addressed
    // by position, like every entry here.
    EnableMenuItem(m_hMenu, m_nIndex,
                   MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int nCheck) {
    if (!m_hMenu) return;
    CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetText(const char* pszText) {
    if (!m_hMenu || m_hSubMenu) return;
    // Keep the entry's state (checked, disabled) while replacing its text.
    UINT nState =
        GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
    ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, pszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and popups
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (!bResult && bDisableIfNoHndler && !m_bEnableChanged)
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, nullptr, true));
    return bResult;
}
