// The title a link from another program (pasted or dropped on the tree)
// takes as a URL item: one that UPDATE accepts as it stands, so that the
// item can be edited at once without first renaming it.
#pragma once

#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// For the record at nIndex, already in the table under its folder: the
// page's title (strTitle; the address when the data carries none) cleaned
// as a title captured from a browser is, the address cleaned when nothing of
// the title is left, and " -- 1", " -- 2" ... after it while ROOT or a
// sibling's title stands in the way.
CString LinkItemTitle(const COrdelinkDoc& doc, int nIndex, const CString& strTitle,
                      const CString& strURL);
