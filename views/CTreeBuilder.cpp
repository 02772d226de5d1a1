#include "views/CTreeBuilder.h"

#include <string>
#include <vector>

#include "find/CPlacedTitles.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"
#include "fw/win/CStatusProgress.h"
#include "views/CTreeLayout.h"
#include "views/LabelOrder.h"

CTreeBuilder::CTreeBuilder(HWND hTree, const CItemTable& table, const CPlacedTitles* pPlaced)
    : m_hTree(hTree),
      m_pfnTreeProc(reinterpret_cast<WNDPROC>(::GetClassLongPtrA(hTree, GCLP_WNDPROC))),
      m_table(table),
      m_pPlaced(pPlaced) {}

LRESULT CTreeBuilder::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!m_pfnTreeProc) return ::SendMessageA(m_hTree, message, wParam, lParam);
    return ::CallWindowProcA(m_pfnTreeProc, m_hTree, message, wParam, lParam);
}

int CTreeBuilder::Build(HTREEITEM hTop, int nTopID, int nFirstIndex,
                        const std::function<bool(int nID)>& bExpand, CStatusProgress* pProgress,
                        const std::function<void(int nID, HTREEITEM hNode)>& onInserted) {
    // Labels are converted once; siblings compare as every single insertion
    // compares them (LabelOrder.h).
    const std::vector<std::wstring> keys = LabelSortKeys(m_table, nFirstIndex, m_pPlaced);
    const std::vector<int> ranks = LabelSortRanks(keys, nFirstIndex);
    const CTreeLayout layout(
        m_table, nTopID,
        [&keys](int a, int b) {
            return CompareLabelKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
        },
        nFirstIndex, ranks.empty() ? nullptr : &ranks);
    if (pProgress) pProgress->SetTotal(pProgress->GetDone() + layout.GetCount());

    std::vector<HTREEITEM> nodes(static_cast<size_t>(m_table.GetSize()));
    auto nodeAt = [&](int nIndex) {
        return nIndex >= 0 ? nodes[static_cast<size_t>(nIndex)] : hTop;
    };
    bool bForcedTold = false;
    int nInserted = 0;
    for (const CTreeLayout::Step& step : layout.InsertionSteps()) {
        HTREEITEM hParent = nodeAt(step.nParent);
        HTREEITEM hAfter = step.nAfter == CTreeLayout::kFirst  ? TVI_FIRST
                           : step.nAfter == CTreeLayout::kLast ? TVI_LAST
                                                               : nodeAt(step.nAfter);
        if (!hParent) {
            // The parent's node could not be made: its records go under the top.
            if (!bForcedTold) AfxMessageBox(afxmsg::FromUtf8("ROOT 下に強制Insertします。"));
            bForcedTold = true;
            hParent = hTop;
            hAfter = TVI_LAST;
        }
        if (!hAfter) hAfter = TVI_LAST;
        // A label sorted by its own title is already in UTF-16: the control
        // takes it as it is instead of converting the title again.
        const CUrlItem& item = *m_table[step.nIndex];
        const bool bOwnTitle =
            !m_pPlaced || &m_pPlaced->SortTitle(item.m_ID, item.m_Title) == &item.m_Title;
        HTREEITEM hNode = Insert(
            item, bOwnTitle ? &keys[static_cast<size_t>(step.nIndex)] : nullptr, hParent, hAfter);
        nodes[static_cast<size_t>(step.nIndex)] = hNode;
        if (hNode) {
            ++nInserted;
            if (onInserted) onInserted(m_table[step.nIndex]->m_ID, hNode);
        }
        if (pProgress) pProgress->Step();
    }

    const std::vector<int>& parents = layout.Parents();
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) {
        if (bExpand && !bExpand(*it)) continue;
        HTREEITEM hNode = *it == nTopID ? hTop : nodeAt(m_table.IndexOfID(*it));
        if (hNode) Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hNode));
    }
    return nInserted;
}

namespace {

// The insertion of one record's node, its text aside.
template <typename TInsert>
TInsert InsertionOf(const CUrlItem& item, HTREEITEM hParent, HTREEITEM hAfter) {
    const int nImage = item.m_IsURL ? 2 : 0;  // the folder's or the URL item's pair of images
    TInsert tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nImage + 1;
    tvis.item.lParam = item.m_ID;
    return tvis;
}

}  // namespace

HTREEITEM CTreeBuilder::Insert(const CUrlItem& item, const std::wstring* pWideTitle,
                               HTREEITEM hParent, HTREEITEM hAfter) const {
    if (pWideTitle) {
        TVINSERTSTRUCTW tvis = InsertionOf<TVINSERTSTRUCTW>(item, hParent, hAfter);
        tvis.item.pszText = const_cast<wchar_t*>(pWideTitle->c_str());
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tvis)));
    }
    TVINSERTSTRUCTA tvis = InsertionOf<TVINSERTSTRUCTA>(item, hParent, hAfter);
    tvis.item.pszText = const_cast<char*>(static_cast<const char*>(item.m_Title));
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
}
