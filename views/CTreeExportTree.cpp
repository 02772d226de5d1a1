#include "views/CTreeExportTree.h"

#include "fw/win/CStatusProgress.h"
#include "views/LabelOrder.h"

CTreeExportTree::CTreeExportTree(const COrdelinkDoc& doc, CStatusProgress* pProgress)
    : m_doc(doc),
      m_keys(LabelSortKeys(doc.m_PtrAry)),
      m_ranks(LabelSortRanks(m_keys)),
      m_layout(
          doc.m_PtrAry, 0,
          [this](int a, int b) {
              return CompareLabelKeys(m_keys[static_cast<size_t>(a)],
                                      m_keys[static_cast<size_t>(b)]);
          },
          0, m_ranks.empty() ? nullptr : &m_ranks),
      m_pProgress(pProgress) {}

// The ROOT node stands for record ID 0; a record's node is its record.
CExportTree::Node CTreeExportTree::Root() const {
    return m_doc.m_bEmpty == 1 ? nullptr : static_cast<Node>(&m_layout);
}

void CTreeExportTree::Children(Node node,
                               std::vector<std::pair<Node, const CUrlItem*>>& out) const {
    out.clear();
    if (!node) return;
    const int nID = node == &m_layout ? 0 : static_cast<const CUrlItem*>(node)->m_ID;
    for (int i : m_layout.ChildrenOf(nID)) {
        const CUrlItem* pItem = m_doc.m_PtrAry[i];
        out.emplace_back(pItem, pItem);
        if (m_pProgress) m_pProgress->Step();
    }
}
