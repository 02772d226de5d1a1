// Finds damage that loading accepts but the tree cannot show as intended.
#pragma once

#include <vector>

#include "store/CItemTable.h"

struct CheckFinding {
    enum Kind {
        IdBelowOne,     // m_ID < 1
        RepeatedId,     // an earlier record has the same m_ID (nOther: its index)
        MissingParent,  // no record has the m_ParentID
        UrlParent,      // the parent is a URL record
        ParentLoop,     // following the parents comes back (vLoop: the IDs)
        Unreachable,    // not reached from the ROOT through parent links
    };
    CheckFinding(Kind k, int index, int other = -1) : kind(k), nIndex(index), nOther(other) {}

    Kind kind;
    int nIndex;  // the record's table index
    int nOther;
    std::vector<int> vLoop;
};

std::vector<CheckFinding> CheckItemTable(const CItemTable& table);

// Table indexes of the records the ROOT reaches through parent links, level by
// level, each level in table order of its parents' expansion. Each ID is
// expanded once, so repeated IDs and loops cannot make the walk go on forever.
std::vector<int> ReachableInLevelOrder(const CItemTable& table);
