// The order in which the tree shows the records, and moving through the
// matches of a search in that order.
#pragma once

#include <functional>
#include <vector>

#include "store/CItemTable.h"

// Sibling order: true when a comes before b under the same folder.
using SiblingLess = std::function<bool(const CUrlItem& a, const CUrlItem& b)>;

// The IDs of the records the tree shows, from the top: the ROOT's children and
// each folder's children in sibling order, each folder followed by its
// contents. As the tree is built, records with ID 0, all but the first record
// of a repeated ID and records not reachable from the ROOT are left out, and
// each ID appears once. Equal siblings keep their table order. The default
// order compares titles without regard to letter case.
std::vector<int> TreeOrderIDs(const CItemTable& table);
std::vector<int> TreeOrderIDs(const CItemTable& table, const SiblingLess& less);

// F3 and Shift+F3: the index in matches (IDs in tree order, a subsequence of
// orderIDs) of the match after (bForward) or before the node with nCurrentID,
// wrapping around at either end; -1 when there are no matches. The ROOT (0) and
// IDs not in orderIDs stand before the first record.
int StepMatch(const std::vector<int>& matches, const std::vector<int>& orderIDs, int nCurrentID,
              bool bForward);

// The index of nID in matches, or -1: "n / m" shows this + 1 and matches.size().
int MatchIndexOf(const std::vector<int>& matches, int nID);
