// The hierarchy the Favorites export writes, as the tree shows it: the
// records reachable from the ROOT, each folder's children in the tree's
// sibling order. It is taken from the table the tree was built from
// (CTreeLayout), not read node by node from the control, whose every handle
// lookup would search its items. Each child handed out steps the progress.
#pragma once

#include <string>
#include <vector>

#include "convert/FavoritesExport.h"
#include "views/CTreeLayout.h"

class CStatusProgress;

class CTreeExportTree : public CExportTree {
public:
    CTreeExportTree(const COrdelinkDoc& doc, CStatusProgress* pProgress);

    // The ROOT; nullptr for an empty document, whose tree has no nodes.
    Node Root() const override;
    void Children(Node node, std::vector<std::pair<Node, const CUrlItem*>>& out) const override;
    // How many records the export walk hands out.
    int GetCount() const { return m_layout.GetCount(); }

private:
    const COrdelinkDoc& m_doc;
    std::vector<std::wstring> m_keys;
    std::vector<int> m_ranks;
    CTreeLayout m_layout;
    CStatusProgress* m_pProgress;
};
