// The "Bookmarks" file a Chromium-family browser keeps in each profile
// folder: JSON with the roots "bookmark_bar", "other" and "synced", each a
// folder of nested folders and links.
//
// The whole file is read and checked before anything is handed out, so a
// damaged file or one of another kind is refused as a whole and an import
// changes nothing. What is handed out is a flat list in file order: the
// roots that hold anything, in that order, each as a folder named with its
// "name", and below them every folder and link in its order. Titles and
// addresses are the file's text, taken into the document's code page; the
// dates are not kept (the document has no field for them).
#pragma once

#include <string>
#include <vector>

#include "convert/ImportObserver.h"
#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

class CBrowserBookmarkFile {
public:
    enum class Status {
        Ok,
        Unreadable,  // the file cannot be opened or read
        Damaged,     // not JSON, or a bookmark node of the wrong shape
        Foreign,     // JSON, but not a browser's bookmarks
    };

    struct Entry {
        int nParent;  // the index of the folder entry it is in, -1 at the top
        bool bFolder;
        CString strTitle;
        CString strURL;  // links only
    };

    // Reads and checks the file at pszPath (a path on disk).
    Status Load(const char* pszPath);
    // Checks the bytes of a file.
    Status Parse(const std::string& bytes);

    Status GetStatus() const { return m_status; }
    // What was wrong, in English (for the command line), empty when Ok.
    const std::string& GetError() const { return m_strError; }
    const std::vector<Entry>& GetEntries() const { return m_entries; }
    // The links among the entries.
    int GetLinkCount() const { return m_nLinks; }

    // Whether the bytes look like JSON (a '{' first, after a byte-order mark
    // and white space) rather than a bookmark HTML file.
    static bool LooksLikeJson(const std::string& bytes);
    // Whether they start like markup ('<' first, likewise): a bookmark HTML
    // file for the bookmark reader.
    static bool LooksLikeMarkup(const std::string& bytes);

private:
    Status Fail(Status status, std::string strError);

    Status m_status = Status::Unreadable;
    std::string m_strError;
    std::vector<Entry> m_entries;
    int m_nLinks = 0;
};

// Appends the file's entries under the folder nParentID (whose view node is
// parent), in their order, each filled as every importer fills its records.
void ImportBrowserBookmarks(COrdelinkDoc& doc, const CBrowserBookmarkFile& file, ImportNode parent,
                            int nParentID, CImportObserver* pObserver = nullptr);
