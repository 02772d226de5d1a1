// Bookmark file import: a browser's bookmark file ("bookmark.htm" and the
// files browsers export today) read as the HTML it is, in one pass: folders
// nest by their lists, titles are the text of their elements, references
// are decoded and <DD> descriptions become memos.
#pragma once

#include <deque>
#include <string>

#include "convert/ImportObserver.h"
#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// Entries nest at most this deep (1 at the top): a folder's list that would
// put them deeper keeps them in the folder around it. No collection needs
// more, and a file of nothing but nested folders would otherwise make a
// chain as long as the file.
constexpr int kBookmarkMaxDepth = 1000;

// The folders and links of a bookmark file, in the document's text.
class CBookmarkFile {
public:
    struct Entry {
        bool bFolder = false;
        int nParent = -1;  // index of the folder entry it is in; -1 at the top
        int nDepth = 1;    // 1 at the top
        CString strTitle;
        CString strURL;
        CString strMemo;
    };

    // Reads and parses the whole file; FALSE when it cannot be opened or read.
    BOOL Load(const char* pszPath);
    // Parses the file's bytes.
    void SetText(std::string bytes);

    // In pieces: a large file's entries are not moved as they grow.
    using Entries = std::deque<Entry>;

    // Every link (<A>) and folder (<H3>) in file order.
    const Entries& GetEntries() const { return m_entries; }
    Entries& GetEntries() { return m_entries; }
    // False when lists nested deeper than kBookmarkMaxDepth were kept flat.
    bool KeptNesting() const { return m_bKeptNesting; }

private:
    Entries m_entries;
    bool m_bKeptNesting = true;
};

// Imports the file's entries under the folder nParentID (whose view node is
// parent). Each folder's links come first, in file order, then each of its
// folders followed at once by that folder's own contents. The entries' text
// moves into the records. Returns 1, or 0 when the file nested deeper than
// the records keep (every entry is imported all the same).
int ImportBookmarkTree(COrdelinkDoc& doc, CBookmarkFile& file, ImportNode parent, int nParentID,
                       CImportObserver* pObserver = nullptr);

// The text the reader shows when it cannot open the file.
extern const char kBookmarkOpenError[];
