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
    // The folders' states, while the table still tells folders from URLs.
    std::vector<int> shown;
    shown.reserve(m_NodeOfID.size());
    for (const auto& entry : m_NodeOfID) shown.push_back(entry.first);
    RememberCollapsed(shown);
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
        // Fields changed in place: new labels where the nodes stand, as
        // UPDATE gives them, so undo and redo leave the tree as UPDATE did.
        for (int nID : effect.recordIDs) {
            const int nIndex = pDoc->IndexOfID(nID);
            HTREEITEM hNode = nID != 0 ? NodeOfID(nID) : nullptr;
            if (nIndex >= 0 && hNode) RelabelNode(hNode, nID, pDoc->m_PtrAry[nIndex]->m_Title);
        }
    }
    SelectID(effect.nSelectID);
}

BOOL CTreeVw::SelectID(int nID) {
    HTREEITEM hNode = nullptr;
    if (m_hRootNode) hNode = NodeOfID(nID);
    if (hNode) {
        SelectItem(hNode);
        TreeView_EnsureVisible(m_hWnd, hNode);
    }
    // The control tells nothing when the node was selected already.
    LRESULT lResult = 0;
    OnSelChanged(nullptr, &lResult);
    return hNode != nullptr;
}

void CTreeVw::RememberCollapsed(const std::vector<int>& recordIDs) {
    const COrdelinkDoc* pDoc = GetDocument();
    for (int nID : recordIDs) {
        if (nID != 0 && pDoc->IsURLOfID(nID) != 0) continue;  // only folders are collapsed
        HTREEITEM h = NodeOfID(nID);
        if (!h || !GetChildItem(h)) continue;
        if (TreeView_GetItemState(m_hWnd, h, TVIS_EXPANDED) & TVIS_EXPANDED)
            m_Collapsed.erase(nID);
        else
            m_Collapsed.insert(nID);
    }
}

// The rebuilt tree has every folder expanded but those last seen collapsed
// (RememberCollapsed), now or before their nodes went.
void CTreeVw::RebuildKeepingExpansion() {
    BuildTree(m_Collapsed);
}
