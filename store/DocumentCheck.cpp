#include "store/DocumentCheck.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Table indexes of each parent's children, in table order.
std::unordered_map<int, std::vector<int>> ChildrenByParent(const CItemTable& table) {
    std::unordered_map<int, std::vector<int>> children;
    for (int i = 0; i < table.GetSize(); ++i) children[table[i]->m_ParentID].push_back(i);
    return children;
}

}  // namespace

std::vector<int> ReachableInLevelOrder(const CItemTable& table) {
    const auto children = ChildrenByParent(table);
    std::vector<int> order;
    std::unordered_set<int> expanded{0};
    std::vector<int> level{0};
    while (!level.empty()) {
        std::vector<int> next;
        for (int nParentID : level) {
            auto it = children.find(nParentID);
            if (it == children.end()) continue;
            for (int i : it->second) {
                order.push_back(i);
                const int nID = table[i]->m_ID;
                if (expanded.insert(nID).second) next.push_back(nID);
            }
        }
        level.swap(next);
    }
    return order;
}

std::vector<CheckFinding> CheckItemTable(const CItemTable& table) {
    std::vector<CheckFinding> findings;
    const int n = table.GetSize();
    for (int i = 0; i < n; ++i) {
        const CUrlItem* pItem = table[i];
        if (pItem->m_ID < 1) findings.push_back({CheckFinding::IdBelowOne, i});
        const int nFirst = table.IndexOfID(pItem->m_ID);
        if (nFirst != i) findings.push_back({CheckFinding::RepeatedId, i, nFirst});
        const int nParentID = pItem->m_ParentID;
        if (nParentID == 0) continue;
        const CUrlItem* pParent = table.FindID(nParentID);
        if (!pParent)
            findings.push_back({CheckFinding::MissingParent, i});
        else if (pParent->m_IsURL)
            findings.push_back({CheckFinding::UrlParent, i});
    }

    std::vector<bool> reached(n, false);
    for (int i : ReachableInLevelOrder(table)) reached[i] = true;

    // Loops: follow the parents of each unreached record. Every ID is walked
    // once; meeting an ID of the current walk again closes a loop, reported at
    // its record with the least ID.
    std::unordered_map<int, int> walkOf;  // ID -> number of the walk that met it
    int nWalk = 0;
    for (int i = 0; i < n; ++i) {
        if (reached[i]) continue;
        ++nWalk;
        std::vector<int> chain;
        const CUrlItem* p = table[i];
        while (p && p->m_ParentID != 0) {
            auto [it, fresh] = walkOf.emplace(p->m_ID, nWalk);
            if (!fresh) {
                if (it->second != nWalk) break;  // joins an earlier walk
                std::vector<int> loop(std::find(chain.begin(), chain.end(), int(p->m_ID)),
                                      chain.end());
                std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
                CheckFinding f{CheckFinding::ParentLoop, table.IndexOfID(loop.front())};
                f.vLoop = loop;
                findings.push_back(f);
                break;
            }
            chain.push_back(p->m_ID);
            p = table.FindID(p->m_ParentID);
        }
    }
    for (int i = 0; i < n; ++i)
        if (!reached[i]) findings.push_back({CheckFinding::Unreachable, i});

    std::stable_sort(
        findings.begin(), findings.end(),
        [](const CheckFinding& a, const CheckFinding& b) { return a.nIndex < b.nIndex; });
    return findings;
}
