// The upper right pane: the TITLE and URL form (dialog 101). The fields show
// the record selected in the tree; UPDATE checks the title and writes both
// fields into the record. It also serves the Edit commands for the field that
// has the focus.
#pragma once

#include "fw/win/CFormView.h"

class COrdelinkDoc;

class CFormVw : public CFormView {
    DECLARE_DYNCREATE(CFormVw)

public:
    CFormVw();
    COrdelinkDoc* GetDocument() const;
    void OnInitialUpdate() override;

    // Which field has the focus: 1 TITLE, 2 URL, 0 neither.
    int m_nFocusEdit = 0;

protected:
    void OnShowCurrent();
    void OnShowPending();
    void OnUpdateRecord();
    void OnCheck();
    void OnTitleSetFocus() { m_nFocusEdit = 1; }
    void OnURLSetFocus() { m_nFocusEdit = 2; }
    void OnEditKillFocus() { m_nFocusEdit = 0; }
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(HDC hDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    // The field with the focus, or nullptr.
    HWND FocusedEdit() const;
    // The selected record's index, or -1 for the ROOT, nothing or an empty
    // document.
    int SelectedIndex() const;
};
