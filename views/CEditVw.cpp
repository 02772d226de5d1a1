#include "views/CEditVw.h"

#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"

IMPLEMENT_DYNCREATE(CEditVw)

BEGIN_MESSAGE_MAP(CEditVw, CEditView)
ON_COMMAND(ID_INT_SELECTION_CHANGED, OnShowCurrent)
ON_COMMAND(ID_INT_ITEM_CHANGED, OnStoreMemo)
ON_CONTROL_REFLECT(EN_UPDATE, OnStoreMemo)
ON_CONTROL_REFLECT(EN_CHANGE, OnMemoChange)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
END_MESSAGE_MAP()

COrdelinkDoc* CEditVw::GetDocument() const {
    return static_cast<COrdelinkDoc*>(m_pDocument);
}

int CEditVw::SelectedIndex() const {
    const COrdelinkDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->m_bEmpty == 1) return -1;
    const int nIndex = pDoc->GetCurIndex();
    return nIndex >= 0 && nIndex < pDoc->m_PtrAry.GetSize() ? nIndex : -1;
}

void CEditVw::OnInitialUpdate() {
    CEditView::OnInitialUpdate();
    // A memo is as long as the document file lets it be (a 32-bit length):
    // lift the control's default limit of about 30,000 characters to the
    // largest a multi-line control takes, so typing and pasting are not cut.
    // The number is given as it is: Wine's control takes 0 ("no limit") as
    // 0xFFFFFFFF and then corrupts its heap.
    SendMessage(EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    OnShowCurrent();
}

void CEditVw::OnShowCurrent() {
    if (COrdelinkDoc* pDoc = GetDocument()) pDoc->History().EndTyping();
    const int nIndex = SelectedIndex();
    m_bShowing = true;
    if (nIndex >= 0) {
        SetWindowText(GetDocument()->m_PtrAry[nIndex]->m_Memo);
        EnableWindow(TRUE);
    } else {
        SetWindowText("");
        EnableWindow(FALSE);
    }
    m_bShowing = false;
}

void CEditVw::OnStoreMemo() {
    const int nIndex = SelectedIndex();
    if (m_bShowing || nIndex < 0) return;
    CString strMemo;
    GetWindowText(strMemo);
    GetDocument()->History().SetMemo(nIndex, strMemo);
}

LRESULT CEditVw::OnKillFocus(WPARAM, LPARAM) {
    if (COrdelinkDoc* pDoc = GetDocument()) pDoc->History().EndTyping();
    return Default();
}

void CEditVw::OnMemoChange() {
    if (!m_bShowing) OnEditChange();
}
