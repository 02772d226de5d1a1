// The hierarchy the Favorites export writes, read from the tree control:
// each node's children in the control's order, each with its record.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "convert/FavoritesExport.h"

class CTreeExportTree : public CExportTree {
public:
    CTreeExportTree(HWND hTree, HTREEITEM hRoot, const COrdelinkDoc& doc)
        : m_hTree(hTree), m_hRoot(hRoot), m_doc(doc) {}

    Node Root() const override { return m_hRoot; }
    void Children(Node node, std::vector<std::pair<Node, const CUrlItem*>>& out) const override;

private:
    HWND m_hTree;
    HTREEITEM m_hRoot;
    const COrdelinkDoc& m_doc;
};
