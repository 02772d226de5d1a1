// Bookmark file export: the tree, or one folder with everything below it, as
// the "NETSCAPE-Bookmark-file-1" HTML that browsers and bookmark tools
// import, in UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "find/TreeOrder.h"
#include "store/CItemTable.h"

// Text for element content and quoted attribute values: & < > " as
// character references.
std::string EscapeBookmarkText(const std::string& strUtf8);
// An address for HREF="...": & as "&amp;", the characters an attribute
// value or an address cannot hold (" < > space, control characters) as
// %XX; everything else as it is.
std::string EscapeBookmarkURL(const std::string& strUtf8);

struct BookmarkExportOptions {
    // ADD_DATE of every entry, in seconds since 1970 (UTC): the records keep
    // no time of their own, so one time stands for the whole export.
    int64_t nAddDate = 0;
    // The folder whose subtree is written (the folder itself as the one
    // top-level folder); 0 for the whole tree.
    int nTopID = 0;
    // Sibling order; the portable default of TreeOrderIDs when empty.
    SiblingLess less;
    // The code page the records' text is in; codepage::Active() when 0.
    int nCodePage = 0;
};

// Deeper folders than this are written without further indentation, so a
// damaged document's chain of tens of thousands of folders does not grow
// the file with the square of its depth. Tag-reading importers keep the
// nesting at any depth; readers that go by the indentation (our own import)
// keep it down to this depth.
constexpr int kBookmarkIndentDepth = 100;

// The whole file as text. Records are taken in tree order, each once;
// children of URL records (only a damaged document has them) are left out.
// Returns false (and leaves out empty) when nTopID is not a folder in the tree.
bool MakeBookmarkFile(const CItemTable& table, const BookmarkExportOptions& options,
                      std::string& out);

enum class BookmarkExportResult { Done, NoFolder, OpenFailed, WriteFailed };

// Writes the file to pszPath (created or replaced). Shows no message: the
// caller tells the user or prints what failed.
BookmarkExportResult ExportBookmarkFile(const CItemTable& table, const char* pszPath,
                                        const BookmarkExportOptions& options);
