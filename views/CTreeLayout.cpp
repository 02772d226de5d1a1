#include "views/CTreeLayout.h"

#include <algorithm>
#include <unordered_set>

// Level by level from the top; each level's children lists are sorted once,
// and only the lists the walk reaches.
CTreeLayout::CTreeLayout(const CItemTable& table, int nTopID, const LabelCompare& compare,
                         int nFirstIndex, const std::vector<int>* pRanks)
    : m_table(table), m_nTopID(nTopID) {
    std::unordered_map<int, std::vector<int>> all;
    for (int i = std::max(0, nFirstIndex); i < table.GetSize(); ++i) {
        const int nID = table[i]->m_ID;
        if (nID != 0 && table.IndexOfID(nID) == i) all[table[i]->m_ParentID].push_back(i);
    }
    auto before = [&compare](int a, int b) {
        const int nOrder = compare(a, b);
        return nOrder != 0 ? nOrder < 0 : a < b;
    };
    std::unordered_set<int> seen{nTopID};
    std::vector<int> level{nTopID};
    while (!level.empty()) {
        std::vector<int> next;
        for (int nParentID : level) {
            auto it = all.find(nParentID);
            if (it == all.end()) continue;
            std::vector<int> list;
            for (int i : it->second)
                if (seen.insert(table[i]->m_ID).second) list.push_back(i);
            if (list.empty()) continue;
            if (pRanks) {
                const std::vector<int>& ranks = *pRanks;
                std::sort(list.begin(), list.end(), [&ranks](int a, int b) {
                    const int ra = ranks[static_cast<size_t>(a)];
                    const int rb = ranks[static_cast<size_t>(b)];
                    return ra != rb ? ra < rb : a < b;
                });
            } else {
                std::sort(list.begin(), list.end(), before);
            }
            for (int i : list) next.push_back(table[i]->m_ID);
            m_nCount += static_cast<int>(list.size());
            m_parents.push_back(nParentID);
            m_children.emplace(nParentID, std::move(list));
        }
        level.swap(next);
    }
}

const std::vector<int>& CTreeLayout::ChildrenOf(int nID) const {
    static const std::vector<int> kNone;
    auto it = m_children.find(nID);
    return it != m_children.end() ? it->second : kNone;
}

std::vector<CTreeLayout::Step> CTreeLayout::InsertionSteps() const {
    std::vector<Step> steps;
    steps.reserve(static_cast<size_t>(m_nCount));
    auto isBranch = [this](int i) {
        return m_table[i]->m_IsURL == 0 || m_children.count(m_table[i]->m_ID) != 0;
    };
    auto parentIndex = [this](int nParentID) {
        return nParentID == m_nTopID ? static_cast<int>(kTop) : m_table.IndexOfID(nParentID);
    };
    for (int nParentID : m_parents) {
        const int nParent = parentIndex(nParentID);
        for (int i : m_children.at(nParentID))
            if (isBranch(i)) steps.push_back({i, nParent, kLast});
    }
    std::vector<Step> leaves;
    for (int nParentID : m_parents) {
        const int nParent = parentIndex(nParentID);
        int nAfter = kFirst;
        leaves.clear();
        for (int i : m_children.at(nParentID)) {
            if (isBranch(i))
                nAfter = i;
            else
                leaves.push_back({i, nParent, nAfter});
        }
        steps.insert(steps.end(), leaves.rbegin(), leaves.rend());
    }
    return steps;
}
