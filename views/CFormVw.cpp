#include "views/CFormVw.h"

#include "fw/win/CCmdUI.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "store/ItemEdits.h"
#include "views/ViewBeep.h"

IMPLEMENT_DYNCREATE(CFormVw)

BEGIN_MESSAGE_MAP(CFormVw, CFormView)
ON_COMMAND(ID_INT_SELECTION_CHANGED, OnShowCurrent)
ON_COMMAND(ID_INT_SHOW_PENDING, OnShowPending)
ON_BN_CLICKED(IDC_UPDATE, OnUpdateRecord)
ON_BN_CLICKED(IDC_CHECK, OnCheck)
ON_EN_SETFOCUS(IDC_TITLE, OnTitleSetFocus)
ON_EN_SETFOCUS(IDC_URL, OnURLSetFocus)
ON_EN_KILLFOCUS(IDC_TITLE, OnEditKillFocus)
ON_EN_KILLFOCUS(IDC_URL, OnEditKillFocus)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFormVw::CFormVw() : CFormView(IDD_FORMVW) {}

COrdelinkDoc* CFormVw::GetDocument() const {
    return static_cast<COrdelinkDoc*>(m_pDocument);
}

int CFormVw::SelectedIndex() const {
    const COrdelinkDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->m_bEmpty == 1) return -1;
    const int nIndex = pDoc->GetCurIndex();
    return nIndex >= 0 && nIndex < pDoc->m_PtrAry.GetSize() ? nIndex : -1;
}

void CFormVw::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    const int nIndex = SelectedIndex();
    if (nIndex >= 0) {
        const CUrlItem& rec = *GetDocument()->m_PtrAry[nIndex];
        ::SetWindowTextA(Item(IDC_TITLE), rec.m_Title);
        ::SetWindowTextA(Item(IDC_URL), rec.m_URL);
    } else {
        ::SetWindowTextA(Item(IDC_TITLE), "");
        ::SetWindowTextA(Item(IDC_URL), "");
        ::EnableWindow(Item(IDC_TITLE), FALSE);
        ::EnableWindow(Item(IDC_URL), FALSE);
    }
}

// The tree's selection moved: show its record, or an empty, disabled form for
// the ROOT. Unsaved typing is dropped.
void CFormVw::OnShowCurrent() {
    const int nIndex = SelectedIndex();
    if (nIndex >= 0) {
        const CUrlItem& rec = *GetDocument()->m_PtrAry[nIndex];
        ::SetWindowTextA(Item(IDC_TITLE), rec.m_Title);
        ::SetWindowTextA(Item(IDC_URL), rec.m_URL);
        const BOOL bURL = rec.m_IsURL == 1;
        ::EnableWindow(Item(IDC_URL), bURL);
        ::EnableWindow(Item(IDC_URL_LABEL), bURL);
        ::EnableWindow(Item(IDC_TITLE), TRUE);
        ::EnableWindow(Item(IDC_TITLE_LABEL), TRUE);
        ::EnableWindow(Item(IDC_UPDATE), TRUE);
    } else {
        ::SetWindowTextA(Item(IDC_TITLE), "");
        ::SetWindowTextA(Item(IDC_URL), "");
        for (int nID : {IDC_TITLE, IDC_URL, IDC_TITLE_LABEL, IDC_URL_LABEL, IDC_UPDATE})
            ::EnableWindow(Item(nID), FALSE);
    }
}

void CFormVw::OnShowPending() {
    CString strTitle, strURL;
    GetDocument()->GetPending(strTitle, strURL);
    ::SetWindowTextA(Item(IDC_TITLE), strTitle);
    ::SetWindowTextA(Item(IDC_URL), strURL);
}

// UPDATE: the title must not be ROOT, nor a sibling's title, nor hold a
// forbidden character, nor be empty (checked in that order); then title and
// URL are stored as typed and the other panes are told.
void CFormVw::OnUpdateRecord() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nIndex = SelectedIndex();
    if (nIndex < 0) return;
    CString strTitle, strURL;
    CWnd::FromHandle(Item(IDC_TITLE))->GetWindowText(strTitle);
    CWnd::FromHandle(Item(IDC_URL))->GetWindowText(strURL);
    if (const UINT nMessage = CheckNewTitle(*pDoc, nIndex, strTitle)) {
        ViewMessageBeep(0);
        AfxMessageBox(AfxLoadString(nMessage), AFX_MB_ICONINFORMATION);
        HWND hTitle = Item(IDC_TITLE);
        ::SetFocus(hTitle);
        ::SendMessageA(hTitle, EM_SETSEL, 0, -1);
        ::SendMessageA(hTitle, EM_SCROLLCARET, 0, 0);
        return;
    }
    // Pressed with nothing changed, the document stays as it was saved.
    if (pDoc->History().SetTitleURL(nIndex, strTitle, strURL)) pDoc->SetModifiedFlag(TRUE);
    if (CWnd* pMain = AfxGetMainWnd()) pMain->SendMessage(WM_COMMAND, ID_INT_ITEM_CHANGED, 0);
}

// The hidden diagnostic button: the table, one message box per record.
void CFormVw::OnCheck() {
    const COrdelinkDoc* pDoc = GetDocument();
    const int nSize = pDoc->m_PtrAry.GetSize();
    CString strText;
    strText.Format("m_PtrAry.GetSize() = [%d]", nSize);
    AfxMessageBox(strText);
    for (int i = 0; i < nSize; ++i) {
        const CUrlItem& rec = *pDoc->m_PtrAry[i];
        strText.Format("%d/%d\nTitle[%s]\nID[%d]\nParentID[%d]\nIsURL[%d]\nURL[%s]\n", i, nSize,
                       static_cast<const char*>(rec.m_Title), static_cast<int>(rec.m_ID),
                       rec.m_ParentID, rec.m_IsURL, static_cast<const char*>(rec.m_URL));
        AfxMessageBox(strText);
    }
}

// ---- Edit commands on the focused field

HWND CFormVw::FocusedEdit() const {
    if (m_nFocusEdit == 1) return Item(IDC_TITLE);
    if (m_nFocusEdit == 2) return Item(IDC_URL);
    return nullptr;
}

void CFormVw::OnEditUndo() {
    if (HWND h = FocusedEdit()) ::SendMessageA(h, EM_UNDO, 0, 0);
}

void CFormVw::OnEditCut() {
    if (HWND h = FocusedEdit()) ::SendMessageA(h, WM_CUT, 0, 0);
}

void CFormVw::OnEditCopy() {
    if (HWND h = FocusedEdit()) ::SendMessageA(h, WM_COPY, 0, 0);
}

void CFormVw::OnEditPaste() {
    if (HWND h = FocusedEdit()) ::SendMessageA(h, WM_PASTE, 0, 0);
}

void CFormVw::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    HWND h = FocusedEdit();
    pCmdUI->Enable(h && ::SendMessageA(h, EM_CANUNDO, 0, 0) != 0);
}

void CFormVw::OnUpdateNeedSel(CCmdUI* pCmdUI) {
    HWND h = FocusedEdit();
    DWORD dwStart = 0, dwEnd = 0;
    if (h)
        ::SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                       reinterpret_cast<LPARAM>(&dwEnd));
    pCmdUI->Enable(h && dwStart != dwEnd);
}

void CFormVw::OnUpdateEditPaste(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FocusedEdit() != nullptr);
}

// ---- Look

// Wider than 150 pixels, the two fields stretch with the pane.
void CFormVw::OnSize(UINT, int cx, int) {
    Default();
    if (cx <= 150) return;
    ::MoveWindow(Item(IDC_TITLE), 44, 20, cx - 65, 21, TRUE);
    ::MoveWindow(Item(IDC_URL), 44, 53, cx - 65, 21, TRUE);
}

HBRUSH CFormVw::OnCtlColor(HDC hDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH hbr = CFormView::OnCtlColor(hDC, pWnd, nCtlColor);
    if (pWnd && pWnd->m_hWnd == Item(IDC_TITLE))
        ::SetTextColor(hDC, RGB(0, 64, 192));
    else if (pWnd && pWnd->m_hWnd == Item(IDC_URL))
        ::SetTextColor(hDC, RGB(64, 64, 128));
    return hbr;
}
