// Which records the tree shows below one record, and in what order: under
// each shown record its children sorted by label, equal labels in table
// order. A record is shown once, by the first record that bears its ID, and
// only when the walk down from the top reaches it; records with ID 0, later
// repeats of an ID and records whose parents never lead to the top (missing
// parents, loops, a record that is its own parent) stay out, so a damaged
// table still gives a finite tree, in time that grows as n log n.
//
// It also gives the order in which to insert those records into a tree
// control so that every item handle the control is handed is one of the
// first it received: Wine's control finds each handle (parent,
// insert-after, expand) by a linear search of its items in insertion order.
// The branches (folders, and records that have children) go in first,
// breadth first, each appended to its parent; then each parent's leaves,
// last first, each placed after the branch that precedes it among its
// siblings, or first. The siblings end in the same order either way.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

#include "store/CItemTable.h"

class CTreeLayout {
public:
    // <0, 0 or >0 as the label of the record at table index a sorts before,
    // with or after the label of the record at index b.
    using LabelCompare = std::function<int(int a, int b)>;

    // The records shown below the record with nTopID (0: the ROOT), among
    // those at table index nFirstIndex or later. pRanks, when given, holds by
    // table index the rank of each label in compare's order (equal labels,
    // equal ranks; LabelSortRanks): lists are then sorted by it, and compare
    // is not called.
    CTreeLayout(const CItemTable& table, int nTopID, const LabelCompare& compare,
                int nFirstIndex = 0, const std::vector<int>* pRanks = nullptr);

    // Table indexes of the shown children of the record with nID, in sibling
    // order; empty when it shows none.
    const std::vector<int>& ChildrenOf(int nID) const;
    // How many records are shown below the top.
    int GetCount() const { return m_nCount; }
    // The IDs of the shown records that have shown children, breadth first,
    // the top first when it has any.
    const std::vector<int>& Parents() const { return m_parents; }

    enum : int { kTop = -1, kFirst = -2, kLast = -3 };
    struct Step {
        int nIndex;   // the record to insert
        int nParent;  // the table index of its parent, or kTop
        int nAfter;   // the table index of the sibling it follows, kFirst or kLast
    };
    // Every shown record once, parents before children, in the order above.
    std::vector<Step> InsertionSteps() const;

private:
    const CItemTable& m_table;
    int m_nTopID;
    std::unordered_map<int, std::vector<int>> m_children;  // parent ID -> indexes
    std::vector<int> m_parents;
    int m_nCount = 0;
};
