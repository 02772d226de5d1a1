// A top-level frame: menu, accelerators, control bars along its edges, one
// client window (normally a splitter) filling the rest, and its views. It is
// the hub of command routing: active view, document, frame, application.
#pragma once

#include <vector>

#include "fw/win/CWnd.h"

class CControlBar;
class CSingleDocTemplate;
class CView;

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Creation from the shared resource ID: menu, accelerators, title (the
    // first field of the string), icon.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                           CCreateContext* pContext);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Creates a view of the context's class as a child with the given ID.
    CWnd* CreateView(CCreateContext* pContext, UINT nID);

    // Views
    CView* GetActiveView() const { return m_pActiveView; }
    // Makes pView active; with bNotify it also gets the keyboard focus.
    virtual void SetActiveView(CView* pView, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument() const { return m_pDocument; }
    const std::vector<CView*>& GetViews() const { return m_views; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // After New and Open: every view's OnInitialUpdate in creation order,
    // the title, and (first time) showing the window.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Layout and bars
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID) const;
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Docking: bars that allow it sit along any edge the frame allows
    // (CBRS_ALIGN_TOP, _BOTTOM, _LEFT, _RIGHT) or float in a small frame of
    // their own. Bars that do not (the status bar) keep the edge their style
    // names and span the whole width.
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    // Docks the bar along the given edge; 0 keeps its edge (top when it
    // floats).
    void DockControlBar(CControlBar* pBar, DWORD dwSide = 0);
    // Floats the bar in a small frame whose top-left corner is at ptScreen.
    void FloatControlBar(CControlBar* pBar, POINT ptScreen);
    // The edge a bar dragged to ptScreen docks along; 0 to float.
    DWORD DockSideFromPoint(CControlBar* pBar, POINT ptScreen) const;
    // The screen rectangle the bar would take docked along that edge.
    RECT DockedBarRect(CControlBar* pBar, DWORD dwSide) const;
    SIZE CalcFloatingFrameSize(CControlBar* pBar) const;
    // Where the docking bars are (edge, or floating with its place), kept in
    // the profile section under the bar's ID.
    void SaveBarState(const char* pszSection) const;
    void LoadBarState(const char* pszSection);

    // The status bar's message pane
    void SetMessageText(const char* pszText);
    void SetMessageText(UINT nID);
    // The command prompt shown in the message pane: the string's first field.
    CString GetMessageString(UINT nID) const;

    // Title: "document - application"
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    const CString& GetTitle() const { return m_strTitle; }

    // The idle pass: command-UI updates of the bars, the title.
    virtual void OnIdleUpdateCmdUI();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe = false) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAutoMenuEnable = TRUE;  // entries without a handler are disabled

protected:
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnInitMenuPopup(HMENU hPopup, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hMenu);
    void OnDropFiles(HDROP hDropInfo);
    LRESULT OnExitMenuLoop(WPARAM, LPARAM);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CCreateContext* m_pCreateContext = nullptr;  // during creation only
    CDocument* m_pDocument = nullptr;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    CString m_strTitle;

private:
    void ShowFlybyPrompt(MSG* pMsg);
    CView* m_pActiveView = nullptr;
    std::vector<CView*> m_views;
    std::vector<CControlBar*> m_bars;
    // The frame's client area less the bars that do not dock.
    RECT DockArea() const;
    void RedrawAfterDocking();
    DWORD m_dwDockStyle = 0;
    UINT m_nFlybyID = 0;
    bool m_bShownOnce = false;
};
