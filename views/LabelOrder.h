// The one order of sibling nodes in the tree: the order the Windows tree
// control gives sorted items (letter case ignored, the user's locale). We
// compute it ourselves, for the rebuild and for every single insertion alike,
// so that no control's own sorting (which differs between systems) decides.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fw/base/CString.h"
#include "store/CItemTable.h"

class CPlacedTitles;

// A label prepared for comparing: its text in UTF-16, converted once.
std::wstring LabelSortKey(const CString& strLabel);
// The keys of the titles of the table's records, by table index; those
// before nFirstIndex are left empty.
std::vector<std::wstring> LabelSortKeys(const CItemTable& table, int nFirstIndex = 0,
                                        const CPlacedTitles* pPlaced = nullptr);

// By table index from nFirstIndex on, the rank of each key among them in the
// order CompareLabelKeys gives (keys it finds equal, equal ranks): found by
// the locale's sort keys and confirmed by comparing each key with the one
// next to it in that order. Empty when the comparison disagrees with the sort
// keys on an order (not only on an equality); callers then compare.
std::vector<int> LabelSortRanks(const std::vector<std::wstring>& keys, int nFirstIndex = 0);

// <0, 0 or >0 as a sorts before, with or after b. Labels that differ only in
// letter case compare equal; callers keep such siblings in table order.
int CompareLabelKeys(const std::wstring& a, const std::wstring& b);
