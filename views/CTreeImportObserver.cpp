#include "views/CTreeImportObserver.h"

#include "store/CUrlItem.h"

// Sorted insertion compares the label with every sibling before it; an
// import of thousands of links into one folder would be quadratic, so nodes
// go in at the end and the folder is sorted once afterwards.
ImportNode CTreeImportObserver::OnRecordAdded(ImportNode parent, const CUrlItem& item, int) {
    HTREEITEM hParent = static_cast<HTREEITEM>(parent);
    const int nImage = item.m_IsURL ? 2 : 0;
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.pszText = const_cast<char*>(static_cast<const char*>(item.m_Title));
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nImage + 1;
    tvis.item.lParam = item.m_ID;
    HTREEITEM hNode = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    if (m_seen.insert(hParent).second) m_touched.push_back(hParent);
    return hNode;
}
