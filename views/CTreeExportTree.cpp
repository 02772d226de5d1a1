#include "views/CTreeExportTree.h"

void CTreeExportTree::Children(Node node,
                               std::vector<std::pair<Node, const CUrlItem*>>& out) const {
    out.clear();
    // The control answers a null parent with the top node: an empty tree
    // has no children to give.
    if (!node) return;
    HTREEITEM hParent = static_cast<HTREEITEM>(const_cast<void*>(node));
    for (HTREEITEM h = TreeView_GetChild(m_hTree, hParent); h;
         h = TreeView_GetNextSibling(m_hTree, h)) {
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_PARAM;
        item.hItem = h;
        if (!::SendMessageA(m_hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) continue;
        // A node without a record (none should exist) is left out.
        if (const CUrlItem* pItem = m_doc.m_PtrAry.FindID(static_cast<int>(item.lParam)))
            out.emplace_back(h, pItem);
    }
}
