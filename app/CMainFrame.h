// The program's only top-level window: toolbar, status bar with its clock,
// the three panes in two static splitters, and the relay of the views'
// internal commands (32800 to 32805).
#pragma once

#include "app/CTreePaneSplitter.h"
#include "chrome/CIconMenu.h"
#include "chrome/CToolBarEx.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CSplitterWnd.h"
#include "fw/win/CStatusBar.h"
#include "views/CFindBar.h"
#include "views/CLinkCheckCommands.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CTreePaneSplitter m_wndSplitter;  // 1 x 2: tree (find bar above it) | inner splitter
    CSplitterWnd m_wndSubSplitter;    // 2 x 1: form / memo
    CStatusBar m_wndStatusBar;
    CToolBarEx m_wndToolBar;
    CIconMenu m_IconMenu;            // owns the entries of the window's owner-drawn menu
    CFindBar m_wndFindBar;           // above the tree, shown by Edit > Find
    CLinkCheckCommands m_LinkCheck;  // Check Links and Find Duplicates

    // Loads menu 128 with the command icons and hands over its handle.
    HMENU BuildIconMenu();

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe = false) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnFocusForm();
    void OnShowPending();
    void OnToolBarFlat();
    void OnToolBarNormal();
    void OnItemChanged();
    void OnSelectionChanged();
    void OnUpdateClock(CCmdUI* pCmdUI);
    void OnCreateShortcut();
    void OnToolBarQuery(NMHDR* pNMHDR, LRESULT* pResult);
    void OnToolBarCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEditFind();
    void OnFindNext();
    void OnFindPrev();
    void OnCheckLinks() { m_LinkCheck.CheckLinks(); }
    void OnFindDuplicates() { m_LinkCheck.FindDuplicates(); }
    void OnUpdateCheckLinks(CCmdUI* pCmdUI);
    void OnUpdateFindDuplicates(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void SetFlatMode(BOOL bFlat);
    // Sends an internal command to a pane, as the views send them here.
    static void Forward(CWnd* pPane, UINT nID);
};
