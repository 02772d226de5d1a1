// The tree view's Undo and Redo: the document's change history steps back or
// forward, and the tree follows. In the form's fields and the memo pane the
// same commands stay with the focused edit control (those views handle them
// first while they are active).
#include <unordered_set>

#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeVw.h"
#include "views/ViewBeep.h"

void CTreeVw::OnEditUndo() {
    UndoRedo(TRUE);
}

void CTreeVw::OnEditRedo() {
    UndoRedo(FALSE);
}

void CTreeVw::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bDragging && GetDocument()->History().CanUndo());
}

void CTreeVw::OnUpdateEditRedo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!m_bDragging && GetDocument()->History().CanRedo());
}

BOOL CTreeVw::UndoRedo(BOOL bUndo) {
    COrdelinkDoc* pDoc = GetDocument();
    CChangeHistory& history = pDoc->History();
    if (m_bDragging || !(bUndo ? history.CanUndo() : history.CanRedo())) return FALSE;
    const CChangeEffect effect = bUndo ? history.Undo() : history.Redo();
    if (!effect.bDone) {
        // The table no longer matched the step (the history is now empty):
        // show the document as it is.
        ViewMessageBeep(0);
        RebuildKeepingExpansion();
        LRESULT lResult = 0;
        OnSelChanged(nullptr, &lResult);
        return FALSE;
    }
    FollowChange(effect);
    return TRUE;
}

void CTreeVw::FollowChange(const CChangeEffect& effect) {
    COrdelinkDoc* pDoc = GetDocument();
    if (effect.bStructure) {
        RebuildKeepingExpansion();
    } else if (m_hRootNode) {
        // Fields changed in place: new labels, and their folders sorted again.
        for (int nID : effect.recordIDs) {
            const int nIndex = pDoc->IndexOfID(nID);
            HTREEITEM hNode = nID != 0 ? FindNode(m_hRootNode, nID) : nullptr;
            if (nIndex < 0 || !hNode) continue;
            CString strTitle = pDoc->m_PtrAry[nIndex]->m_Title;
            TVITEMA item = {};
            item.mask = TVIF_HANDLE | TVIF_TEXT;
            item.hItem = hNode;
            item.pszText = const_cast<char*>(static_cast<const char*>(strTitle));
            ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        for (int nParentID : effect.parentIDs) {
            HTREEITEM hFolder = nParentID == 0 ? m_hRootNode : FindNode(m_hRootNode, nParentID);
            if (hFolder) SortChildrenOf(hFolder);
        }
    }
    SelectID(effect.nSelectID);
}

BOOL CTreeVw::SelectID(int nID) {
    HTREEITEM hNode = nullptr;
    if (m_hRootNode) hNode = nID == 0 ? m_hRootNode : FindNode(m_hRootNode, nID);
    if (hNode) {
        SelectItem(hNode);
        TreeView_EnsureVisible(m_hWnd, hNode);
    }
    // The control tells nothing when the node was selected already.
    LRESULT lResult = 0;
    OnSelChanged(nullptr, &lResult);
    return hNode != nullptr;
}

// A pre-order walk notes the folders the user collapsed; the rebuilt tree has
// every folder expanded, and those are collapsed again. Folders that come back
// with an undone delete come back expanded.
void CTreeVw::CollectCollapsed(HTREEITEM hTop, std::unordered_set<int>& ids) const {
    for (HTREEITEM h = hTop; h;) {
        HTREEITEM hChild = GetChildItem(h);
        if (hChild && !(TreeView_GetItemState(m_hWnd, h, TVIS_EXPANDED) & TVIS_EXPANDED))
            ids.insert(GetItemID(h));
        HTREEITEM hNext = hChild;
        for (HTREEITEM hUp = h; !hNext && hUp && hUp != hTop; hUp = GetParentItem(hUp))
            hNext = GetNextSiblingItem(hUp);
        h = hNext;
    }
}

// Folders now in the tree keep the state they have; folders that come back
// with an undone delete get the state they had when deleted.
void CTreeVw::RebuildKeepingExpansion() {
    std::unordered_set<int> collapsed;
    std::unordered_set<int> shown;
    CollectCollapsed(m_hRootNode, collapsed);
    for (int nID : NodeOrder()) shown.insert(nID);
    if (m_hRootNode) shown.insert(0);
    for (int nID : m_CollapsedGone)
        if (!shown.count(nID)) collapsed.insert(nID);
    BuildTree();
    if (collapsed.empty() || !m_hRootNode) return;
    SendMessage(WM_SETREDRAW, FALSE);
    for (HTREEITEM h = m_hRootNode; h;) {
        HTREEITEM hChild = GetChildItem(h);
        if (hChild && collapsed.count(GetItemID(h))) TreeView_Expand(m_hWnd, h, TVE_COLLAPSE);
        HTREEITEM hNext = hChild;
        for (HTREEITEM hUp = h; !hNext && hUp; hUp = GetParentItem(hUp))
            hNext = GetNextSiblingItem(hUp);
        h = hNext;
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}
