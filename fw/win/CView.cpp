#include "fw/win/CView.h"

#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CCreateContext.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CSingleDocTemplate.h"
#include "fw/win/CSplitterWnd.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_MOUSEACTIVATE()
ON_WM_DESTROY()
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

void CView::BeginCreate(CCreateContext* pContext) {
    if (!pContext) return;
    m_pDocument = pContext->m_pCurrentDoc;
    m_pDocTemplate = pContext->m_pNewDocTemplate;
    m_pFrame = pContext->m_pCurrentFrame;
}

void CView::EndCreate() {
    if (!m_pFrame) m_pFrame = GetParentFrame();
    if (m_pFrame) m_pFrame->AddView(this);
}

BOOL CView::Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                   const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    BeginCreate(pContext);
    if (!CreateEx(0, pszClassName, pszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    EndCreate();
    return TRUE;
}

BOOL CView::AttachCreated(HWND hWnd, CCreateContext* pContext) {
    BeginCreate(pContext);
    if (!SubclassWindow(hWnd)) return FALSE;
    EndCreate();
    return TRUE;
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
    return CWnd::PreCreateWindow(cs);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, bProbe)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, bProbe);
}

// A click in a pane makes its view the active one (and gives it the focus),
// so commands go to the pane the user works in.
int CView::OnMouseActivate(CWnd*, UINT, UINT) {
    const int nResult = static_cast<int>(Default());
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() != this) pFrame->SetActiveView(this);
    return nResult;
}

void CView::OnDestroy() {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RemoveView(this);
    if (m_pFrame) m_pFrame->RemoveView(this);
    Default();
}

CSplitterWnd* CView::GetParentSplitter() const {
    return dynamic_cast<CSplitterWnd*>(FromHandlePermanent(::GetParent(m_hWnd)));
}

void CView::OnNextPaneCmd(UINT nID) {
    if (CSplitterWnd* pSplitter = GetParentSplitter()) pSplitter->ActivateNext(nID == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI) {
    pCmdUI->Enable(GetParentSplitter() != nullptr);
}
