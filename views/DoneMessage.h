// What an export has just written, told in the status bar's message pane
// (a count and the file or folder), where it stays until the next prompt
// replaces it.
#pragma once

#include "fw/base/CString.h"
#include "store/CItemTable.h"

// The URL items an export of the folder nTopID (0: the whole tree) writes:
// those in it and in its sub-folders, each ID once (its first record), none
// below a URL item.
int CountLinksUnder(const CItemTable& table, int nTopID);

// "n 件のリンクを書き出しました： where".
void ReportLinksWritten(int nCount, const CString& strWhere);
// The clipboard's anchor for the item titled strTitle.
void ReportClipboardLink(const CString& strTitle);
