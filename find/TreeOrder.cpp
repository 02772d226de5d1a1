#include "find/TreeOrder.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

std::vector<int> TreeOrderIDs(const CItemTable& table) {
    return TreeOrderIDs(table, [](const CUrlItem& a, const CUrlItem& b) {
        return a.m_Title.CompareNoCase(b.m_Title) < 0;
    });
}

std::vector<int> TreeOrderIDs(const CItemTable& table, const SiblingLess& less) {
    std::unordered_map<int, std::vector<const CUrlItem*>> children;
    for (int i = 0; i < table.GetSize(); ++i) {
        const CUrlItem* pItem = table[i];
        if (pItem->m_ID != 0 && table.IndexOfID(pItem->m_ID) == i)
            children[pItem->m_ParentID].push_back(pItem);
    }
    for (auto& [nParentID, list] : children)
        std::stable_sort(list.begin(), list.end(),
                         [&less](const CUrlItem* a, const CUrlItem* b) { return less(*a, *b); });

    // Depth first without recursion: a chain of folders may be very deep.
    std::vector<int> order;
    std::unordered_set<int> seen{0};
    std::vector<std::pair<const std::vector<const CUrlItem*>*, size_t>> stack;
    auto push = [&](int nID) {
        auto it = children.find(nID);
        if (it != children.end()) stack.emplace_back(&it->second, 0);
    };
    push(0);
    while (!stack.empty()) {
        auto& [pList, k] = stack.back();
        if (k == pList->size()) {
            stack.pop_back();
            continue;
        }
        const int nID = (*pList)[k++]->m_ID;
        if (!seen.insert(nID).second) continue;
        order.push_back(nID);
        push(nID);
    }
    return order;
}

int StepMatch(const std::vector<int>& matches, const std::vector<int>& orderIDs, int nCurrentID,
              bool bForward) {
    if (matches.empty()) return -1;
    const long nCurrent =
        nCurrentID == 0
            ? -1
            : static_cast<long>(std::find(orderIDs.begin(), orderIDs.end(), nCurrentID) -
                                orderIDs.begin());
    const long nCur = nCurrent == static_cast<long>(orderIDs.size()) ? -1 : nCurrent;
    // Walk the order once, placing each match.
    int nBefore = -1, nAfter = -1;
    size_t m = 0;
    for (size_t p = 0; p < orderIDs.size() && m < matches.size(); ++p) {
        if (orderIDs[p] != matches[m]) continue;
        if (static_cast<long>(p) < nCur) nBefore = static_cast<int>(m);
        if (static_cast<long>(p) > nCur && nAfter < 0) nAfter = static_cast<int>(m);
        ++m;
    }
    const int nLast = static_cast<int>(matches.size()) - 1;
    if (bForward) return nAfter >= 0 ? nAfter : 0;
    return nBefore >= 0 ? nBefore : nLast;
}

int MatchIndexOf(const std::vector<int>& matches, int nID) {
    auto it = std::find(matches.begin(), matches.end(), nID);
    return it == matches.end() ? -1 : static_cast<int>(it - matches.begin());
}
