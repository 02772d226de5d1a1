#include "store/DocumentCheck.h"

#include <algorithm>

namespace {

// Records are grouped by the ID they stand for: the slot of an ID is the
// table index of its first record, and the ROOT's ID 0 has slot n (a record
// that claims ID 0 is the ROOT's for this purpose). Slots make the walks
// below plain array lookups.
int SlotOfID(const CItemTable& table, int nID) {
    return nID == 0 ? table.GetSize() : table.IndexOfID(nID);
}

// The children of each slot in table order: children[start[s] .. start[s+1]).
// Records whose parent ID no record has are left out; no walk asks for them.
struct ChildLists {
    std::vector<int> start;
    std::vector<int> children;
};

ChildLists ChildrenBySlot(const CItemTable& table) {
    const int n = table.GetSize();
    std::vector<int> parentSlot(n);
    ChildLists lists;
    lists.start.assign(n + 2, 0);
    for (int i = 0; i < n; ++i) {
        parentSlot[i] = SlotOfID(table, table[i]->m_ParentID);
        if (parentSlot[i] >= 0) ++lists.start[parentSlot[i] + 1];
    }
    for (int slot = 0; slot <= n; ++slot) lists.start[slot + 1] += lists.start[slot];
    lists.children.resize(lists.start[n + 1]);
    std::vector<int> next(lists.start.begin(), lists.start.end() - 1);
    for (int i = 0; i < n; ++i)
        if (parentSlot[i] >= 0) lists.children[next[parentSlot[i]]++] = i;
    return lists;
}

}  // namespace

std::vector<int> ReachableInLevelOrder(const CItemTable& table) {
    const int n = table.GetSize();
    const ChildLists lists = ChildrenBySlot(table);
    std::vector<int> order;
    order.reserve(lists.children.size());
    std::vector<char> expanded(n + 1, 0);
    expanded[n] = 1;
    std::vector<int> level{n};
    std::vector<int> next;
    while (!level.empty()) {
        next.clear();
        for (int slot : level) {
            for (int k = lists.start[slot]; k < lists.start[slot + 1]; ++k) {
                const int i = lists.children[k];
                order.push_back(i);
                const int nChildSlot = SlotOfID(table, table[i]->m_ID);
                if (!expanded[nChildSlot]) {
                    expanded[nChildSlot] = 1;
                    next.push_back(nChildSlot);
                }
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
    std::vector<int> walkOf(n + 1, 0);  // ID's slot -> number of the walk that met it
    int nWalk = 0;
    for (int i = 0; i < n; ++i) {
        if (reached[i]) continue;
        ++nWalk;
        std::vector<int> chain;
        const CUrlItem* p = table[i];
        while (p && p->m_ParentID != 0) {
            int& nMet = walkOf[SlotOfID(table, p->m_ID)];
            if (nMet != 0) {
                if (nMet != nWalk) break;  // joins an earlier walk
                std::vector<int> loop(std::find(chain.begin(), chain.end(), int(p->m_ID)),
                                      chain.end());
                std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
                CheckFinding f{CheckFinding::ParentLoop, table.IndexOfID(loop.front())};
                f.vLoop = loop;
                findings.push_back(f);
                break;
            }
            nMet = nWalk;
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
