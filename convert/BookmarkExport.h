// Bookmark file export: the tree, or one folder with everything below it, as
// the "NETSCAPE-Bookmark-file-1" HTML that browsers and bookmark tools
// import, in UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "find/TreeOrder.h"
#include "store/CItemTable.h"

// Element text or an attribute value (an address, HREF="..." as browsers
// write it): & < > " as character references, control characters (tab and
// line breaks too) as numeric ones, so that every entry stays on its line;
// everything else as it is, blanks included.
std::string EscapeBookmarkText(const std::string& strUtf8);
// A title as EscapeBookmarkText, and each blank that a reader folds (at
// either end, or after another blank) as "&#32;": the title reads back as
// it was.
std::string EscapeBookmarkTitle(const std::string& strUtf8);
// A memo for <DD>: its CR LF line breaks as the file's own, lone CR and LF
// as references, white space at either end as references: it reads back
// as it was.
std::string EscapeBookmarkMemo(const std::string& strUtf8);

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
// the file with the square of its depth. Readers nest by the lists, not by
// the indentation.
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
