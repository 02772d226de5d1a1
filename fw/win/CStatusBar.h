// A status bar: the message pane first, then indicator panes whose widths
// come from their strings in the string table.
#pragma once

#include <vector>

#include "fw/win/CControlBar.h"

class CStatusBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = 0xE801);
    // ID_SEPARATOR (0) is the message pane; other IDs take their string as
    // the text that sizes them and that they show while enabled.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const { return m_panes[static_cast<size_t>(nIndex)].nID; }
    int CommandToIndex(UINT nID) const;
    // Shown text of a pane ("" while it is disabled).
    CString GetPaneText(int nIndex) const;
    void SetPaneText(int nIndex, const char* pszText);
    int GetPaneWidth(int nIndex) const { return m_panes[static_cast<size_t>(nIndex)].cxWidth; }
    void EnablePane(int nIndex, BOOL bEnable);

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int CalcHeight(int cxAvailable) override;
    void SetMessagePaneText(const char* pszText) override { SetPaneText(0, pszText); }

protected:
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        int cxWidth;
        CString strText;  // the text while enabled
        bool bDisabled;
    };
    void UpdateParts();
    void ShowPane(int nIndex);
    std::vector<Pane> m_panes;
};
