// A view: a pane window that shows the frame's document. Views are made by
// the frame or a splitter from a CCreateContext, registered with the frame,
// and delete themselves when their window goes.
#pragma once

#include "fw/win/CWnd.h"

class CSingleDocTemplate;
class CSplitterWnd;

class CView : public CWnd {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    BOOL Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID,
                CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // After New and Open, in the order the views were made.
    virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
    virtual void OnUpdate(CView*, LPARAM, void*) { Invalidate(); }
    virtual void OnActivateView(BOOL, CView*, CView*) {}

    // The view's own map, then the document's commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe = false) override;
    CSplitterWnd* GetParentSplitter() const;

protected:
    void PostNcDestroy() override { delete this; }
    // Binds the object to a window made by other means (a dialog template).
    BOOL AttachCreated(HWND hWnd, CCreateContext* pContext);
    void BeginCreate(CCreateContext* pContext);
    void EndCreate();

    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument = nullptr;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};
