// The link page: the whole collection as one HTML page of links, built from
// the string-table entries 32900 to 32911, in the active code page with CR LF
// line ends.
#pragma once

#include <set>

#include "fw/base/CString.h"
#include "fw/base/CTime.h"
#include "store/COrdelinkDoc.h"

// The page's file name without ".HTML": the document title without its last
// four characters (".pmk"), or the untitled name itself.
CString LinkPageBaseName(const CString& strDocTitle);

// The entry with its placeholders filled: with both arguments every "%1" and
// "%2"; with only the first, "%1" and every other "%" digit placeholder
// becomes "?"; with none, the entry as stored. Inserted text is never
// scanned again for placeholders.
CString FormatHtmlEntry(const CString& strEntry, const CString& strArg1, const CString& strArg2);

// The file operations on the document's m_HtmlFile. OpenHtmlFile shows
// "File could not be opened " when the file cannot be created.
BOOL OpenHtmlFile(COrdelinkDoc& doc, const char* pszPath);
// Writes entry nID filled in; FALSE when the write failed.
BOOL WriteHtmlEntry(COrdelinkDoc& doc, UINT nID, const CString& strArg1 = CString(),
                    const CString& strArg2 = CString());
// Closes the file; FALSE when the data could not be written out.
BOOL CloseHtmlFile(COrdelinkDoc& doc);

struct LinkPageOptions {
    CString strDocTitle;        // the page title and banner
    CString strBuild = "0.00";  // the version in the comment at the top
    CTime created;              // the time on the "作成" line
    bool bPlainLinks = true;    // false: links open a new window
};

// Writes one folder level (parent nParentID, heading of the level above
// strHeading) and the levels below it. Each folder is visited once, so a
// damaged document cannot make it loop. Returns 1, or 0 on a write error.
int WriteLinkLevel(COrdelinkDoc& doc, int nParentID, const CString& strHeading,
                   const LinkPageOptions& options, std::set<int>& visited);

// True when some title, address or the document title is not in the legacy
// code page, so that the page is written in UTF-8 with its declaration.
bool LinkPageNeedsUtf8(const COrdelinkDoc& doc, const LinkPageOptions& options);

enum class LinkPageResult { Done, OpenFailed, WriteFailed };

// Writes the whole page to pszPath: head, every level, tail. Shows
// "File could not be opened " or message 32861 when it fails; the browser is
// the caller's business.
LinkPageResult WriteLinkPage(COrdelinkDoc& doc, const char* pszPath,
                             const LinkPageOptions& options);
