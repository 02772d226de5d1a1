// A view that is a multi-line edit control filling its pane. It marks the
// document modified on every change and serves the Edit menu's commands.
#pragma once

#include "fw/win/CView.h"

class CEditView : public CView {
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    CWnd& GetEditCtrl() { return *this; }

protected:
    void OnEditChange();
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
