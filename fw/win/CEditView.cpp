#include "fw/win/CEditView.h"

#include "fw/base/CDocument.h"
#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"

BEGIN_MESSAGE_MAP(CEditView, CView)
ON_CONTROL_REFLECT(EN_CHANGE, OnEditChange)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

BOOL CEditView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = "EDIT";
    cs.style |=
        WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL;
    return CView::PreCreateWindow(cs);
}

void CEditView::OnEditChange() {
    if (m_pDocument) m_pDocument->SetModifiedFlag(TRUE);
}

void CEditView::OnEditUndo() {
    SendMessage(EM_UNDO);
}

void CEditView::OnEditCut() {
    SendMessage(WM_CUT);
}

void CEditView::OnEditCopy() {
    SendMessage(WM_COPY);
}

void CEditView::OnEditPaste() {
    SendMessage(WM_PASTE);
}

void CEditView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(SendMessage(EM_CANUNDO) != 0);
}

void CEditView::OnUpdateNeedSel(CCmdUI* pCmdUI) {
    DWORD dwStart = 0, dwEnd = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    pCmdUI->Enable(dwStart != dwEnd);
}

void CEditView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT));
}
