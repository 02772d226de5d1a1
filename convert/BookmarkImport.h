// Bookmark file import: the browser's "bookmark.htm" read line by line, by
// the markers and the indentation the browser writes, not as HTML.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/ImportObserver.h"
#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// Text cutting of single lines.
int IndentLevel(const CString& strLine);
// Returns the link's title; strURL receives its address.
CString ParseBookmarkLink(const CString& strLine, CString& strURL);
CString ParseBookmarkFolderTitle(const CString& strLine);

// A bookmark file read into memory once, with what the level reader needs
// from each line worked out in one pass, so that every folder level is found
// without reading the file again.
class CBookmarkFile {
public:
    // Reads the whole file; FALSE when it cannot be opened or read.
    BOOL Load(const char* pszPath);
    // Takes the file's bytes directly.
    void SetText(std::string text);

    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    // Line n (1-based): the text before its line feed, without the carriage
    // returns in front of the line feed, up to a NUL byte if it holds one.
    CString GetLine(int n) const;
    // Lines that contain "<DT><".
    int GetEntryLineCount() const { return m_nEntryLines; }

    // A pass over the lines of one level that the level reader takes.
    struct LevelCursor {
        int nEnd;            // the line that ends the level, or the line count + 1
        int64_t nNested;     // blanks before "<DT><" that mark a nested entry
        size_t nNextLink;    // next position in the link lines to look at
        size_t nNextFolder;  // next position in the folder lines to look at
    };
    LevelCursor OpenLevel(int nStartLine) const;
    // The next line of the level holding a link (a folder) marker, in file
    // order; 0 when there is none left.
    int NextLink(LevelCursor& cursor) const { return Next(m_links, cursor.nNextLink, cursor); }
    int NextFolder(LevelCursor& cursor) const {
        return Next(m_folders, cursor.nNextFolder, cursor);
    }

private:
    struct Line {
        size_t nOffset;
        int nLength;
        int nLevel;
    };
    // The lines that hold one kind of marker, in file order, with a minimum
    // tree over the longest run of blanks before "<DT><" on each, to find
    // the next line a level takes without looking at the nested ones.
    struct EntryIndex {
        std::vector<int> lines;
        std::vector<int> tree;
        size_t nLeaves = 0;
        void Add(int nLine, int nRun);
        void Build();
        // The first position >= nFrom whose line holds no nNested blanks
        // before "<DT><"; lines.size() when there is none.
        size_t NextTaken(size_t nFrom, int64_t nNested) const;
    };
    void Index();
    int Next(const EntryIndex& index, size_t& nPos, const LevelCursor& cursor) const;

    std::string m_text;
    std::vector<Line> m_lines;
    int m_nEntryLines = 0;
    EntryIndex m_links;
    EntryIndex m_folders;
    // Lines holding "</DL><p>" as (indentation level, line), sorted.
    std::vector<std::pair<int, int>> m_ends;
};

// The level reader as a plain pass over the lines, into four lists: what the
// indexed walk must agree with.
struct BookmarkLevel {
    std::vector<CString> folderTitles;
    std::vector<int> folderLines;
    std::vector<CString> linkTitles;
    std::vector<CString> linkURLs;
};
void ParseBookmarkLevel(const CBookmarkFile& file, int nStartLine, BookmarkLevel& level);

// The most records one import may create: 4 for every line that holds
// "<DT><", and 1,000 more. A file whose folders lack their end lines can
// otherwise make the records grow without bound.
int64_t BookmarkRecordLimit(const CBookmarkFile& file);

// Imports the level that starts at nStartLine, and every folder level below
// it, under the folder nParentID (whose view node is parent). Each level's
// links come first, then each folder followed at once by its contents.
// Returns 1 when all was imported, 0 when the record limit stopped it (what
// was made stays).
int ImportBookmarkLevel(COrdelinkDoc& doc, const CBookmarkFile& file, ImportNode parent,
                        int nParentID, int nStartLine, CImportObserver* pObserver = nullptr);

// The text the reader shows when it cannot open the file.
extern const char kBookmarkOpenError[];
