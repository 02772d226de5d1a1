// The titles by which the tree orders nodes that were relabelled where they
// stand.
//
// UPDATE gives a node its new label in place: the node keeps the place its
// old label gave it among its siblings. So the tree's sibling order is the
// label order of the titles the nodes were placed by, and everything that
// orders siblings (the build, a single insertion, a folder sorted after links
// were added, the order find walks) orders by those titles: each agrees with
// the others and with what the user sees, and an undo or redo that rebuilds
// the tree puts such a node back where it stood.
#pragma once

#include <unordered_map>

#include "fw/base/CString.h"

class CPlacedTitles {
public:
    // The node of nID, which stood where strOld placed it, now shows strNew.
    void Relabelled(int nID, const CString& strOld, const CString& strNew);
    // The title that orders the node of nID while it shows strTitle: the one
    // it was placed by, when it was relabelled in place to strTitle; else
    // strTitle itself (the reference may be to strTitle).
    const CString& SortTitle(int nID, const CString& strTitle) const;
    // A tree built afresh from the document (New, Open) is ordered by titles.
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        CString shown;   // the label given in place
        CString placed;  // the label the node's place came from
    };
    std::unordered_map<int, Entry> m_entries;
};
