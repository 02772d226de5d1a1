// Rules of the editing commands that depend only on the item table: default
// titles, the records a Delete removes, and the checks of a new title.
#pragma once

#include <vector>

#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// The URL every new URL record starts with, until the user types the real one.
extern const char kNewItemURL[];

// The default title of a new record ("( ﾌｫﾙﾀﾞ )" or "新規作成 ( URL )", then
// "base -- 1", "base -- 2", ...): the first candidate that no record but the
// last one of the table bears, compared without regard to letter case.
CString MakeUniqueNewTitle(const CItemTable& table, BOOL bFolder);

// The record with nID and all its descendants that the tree shows, level by
// level, each level in table order. Records with ID 0 and later repeats of an
// ID are left out, as the tree leaves them out; each ID is collected once, so
// loops end.
std::vector<int> CollectSubtreeIDs(const CItemTable& table, int nID);

// Checks a title typed for the record at nIndex, in the order the user is told
// about them: 0 when accepted, else the message ID (title is ROOT, a sibling
// has it, a forbidden character, empty).
UINT CheckNewTitle(const COrdelinkDoc& doc, int nIndex, const CString& strTitle);

// Position of the first of the characters a title may not hold (\ / : * ? " < > |,
// looked for in that order), aware of double-byte characters; -1 when none.
int FindForbiddenTitleChar(const CString& strTitle);
