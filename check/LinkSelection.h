// The records a check or a duplicate search works on: the URL records of a
// document, all of them or those below one folder, with their addresses as
// UTF-8 text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "check/CLinkChecker.h"
#include "fw/base/CString.h"
#include "store/CItemTable.h"

using ToUtf8Fn = std::function<std::string(const CString&)>;

// The URL records below (and including) the record with nFolderID, 0 for
// everything, in table order.
std::vector<LinkToCheck> CollectLinks(const CItemTable& table, int nFolderID,
                                      const ToUtf8Fn& toUtf8);

// Groups of two or more links whose addresses are the same after
// NormaliseUrl (check/UrlSyntax.h), each group's IDs in the order given, the
// groups in the order of their first member. Empty addresses are left out.
std::vector<std::vector<int>> FindDuplicateGroups(const std::vector<LinkToCheck>& links);
