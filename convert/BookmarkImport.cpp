#include "convert/BookmarkImport.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>

#include "convert/ImportFolder.h"
#include "fw/base/CFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

const char kBookmarkOpenError[] = "file Open Error";

namespace {

constexpr char kEntryMark[] = "<DT><";
constexpr char kLinkMark[] = "<DT><A ";
constexpr char kFolderMark[] = "<DT><H3";
constexpr char kEndMark[] = "</DL><p>";

bool IsIndentSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int LeadingSpace(const char* p, size_t n) {
    size_t i = 0;
    while (i < n && IsIndentSpace(p[i])) ++i;
    return static_cast<int>(std::min<size_t>(i, INT_MAX));
}

// What the level reader needs to know of one line, found in one pass over
// its characters: the markers it holds (at character boundaries, as the
// code-page aware search finds them) and the longest run of blanks directly
// before a "<DT><".
struct LineMarks {
    bool bEnd = false;
    bool bEntry = false;
    bool bLink = false;
    bool bFolder = false;
    int nRunBeforeEntry = 0;
};

template <size_t N>
bool At(const char* p, size_t nLeft, const char (&mark)[N]) {
    return nLeft >= N - 1 && std::memcmp(p, mark, N - 1) == 0;
}

LineMarks ScanLine(const char* p, size_t n, const bool* pLead) {
    LineMarks marks;
    long nRun = 0, nBest = 0;
    for (size_t i = 0; i < n;) {
        const char c = p[i];
        if (pLead[static_cast<unsigned char>(c)] && n - i >= 2) {
            nRun = 0;
            i += 2;
            continue;
        }
        if (c == ' ') {
            ++nRun;
        } else {
            if (c == '<') {
                if (At(p + i, n - i, kEntryMark)) {
                    marks.bEntry = true;
                    nBest = std::max(nBest, nRun);
                    marks.bLink = marks.bLink || At(p + i, n - i, kLinkMark);
                    marks.bFolder = marks.bFolder || At(p + i, n - i, kFolderMark);
                }
                marks.bEnd = marks.bEnd || At(p + i, n - i, kEndMark);
            }
            nRun = 0;
        }
        ++i;
    }
    marks.nRunBeforeEntry = static_cast<int>(std::min<long>(nBest, INT_MAX));
    return marks;
}

bool StartsWithNoCase(const std::string& s, size_t i, const char* psz) {
    for (; *psz; ++i, ++psz) {
        if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != *psz) return false;
    }
    return true;
}

// Whether the file says it is UTF-8: a byte-order mark, or a charset
// declaration in the header, before the first list.
bool DeclaresUtf8(const std::string& text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) return true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsWithNoCase(text, i, "<dl")) return false;
        if (StartsWithNoCase(text, i, "charset=utf-8") || StartsWithNoCase(text, i, "charset=utf8"))
            return true;
    }
    return false;
}

}  // namespace

int IndentLevel(const CString& strLine) {
    return LeadingSpace(strLine.str().data(), strLine.str().size()) / 4;
}

CString ParseBookmarkLink(const CString& strLine, CString& strURL) {
    const int nLength = strLine.GetLength();
    const int q = strLine.ReverseFind('"');
    const int a = strLine.Find("<DT><A HREF=\"");
    const int d = strLine.Find("ADD_DATE=");
    strURL = strLine.Mid(a + 13, d - a - 15);
    return strLine.Mid(q + 2, nLength - q - 6);
}

CString ParseBookmarkFolderTitle(const CString& strLine) {
    const int f = strLine.Find("\">");
    return strLine.Mid(f + 2, strLine.GetLength() - f - 7);
}

// ---------------------------------------------------------------- CBookmarkFile

BOOL CBookmarkFile::Load(const char* pszPath) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    std::string text;
    try {
        // In one piece when the file keeps the length it had at opening; a
        // file that grows meanwhile is read on.
        const uint64_t nLength = file.GetLength();
        if (nLength >= SIZE_MAX / 2) return FALSE;
        size_t nDone = 0;
        text.resize(static_cast<size_t>(nLength) + 1);
        for (;;) {
            if (nDone == text.size()) text.resize(2 * text.size());
            const size_t nWant = std::min<size_t>(text.size() - nDone, size_t(1) << 30);
            const UINT n = file.Read(&text[nDone], static_cast<UINT>(nWant));
            if (n == 0) break;
            nDone += n;
        }
        text.resize(nDone);
        file.Close();
    } catch (const CException&) {
        file.Abort();
        return FALSE;
    }
    SetText(std::move(text));
    return TRUE;
}

void CBookmarkFile::SetText(std::string text) {
    // Browsers have written UTF-8 for a long time; such a file's titles are
    // taken into the document's code page, not as their raw bytes.
    if (codepage::Active() != 65001 && DeclaresUtf8(text)) {
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
        std::string converted;
        if (platform::Utf8ToCodePage(text, codepage::Active(), converted)) text.swap(converted);
    }
    m_text = std::move(text);
    Index();
}

CString CBookmarkFile::GetLine(int n) const {
    const Line& line = m_lines[n - 1];
    return CString(m_text.data() + line.nOffset, line.nLength);
}

void CBookmarkFile::Index() {
    m_lines.clear();
    m_ends.clear();
    m_links = EntryIndex();
    m_folders = EntryIndex();
    m_nEntryLines = 0;
    bool lead[256];
    for (int c = 0; c < 256; ++c) lead[c] = codepage::IsLeadByte(static_cast<unsigned char>(c));
    const char* const pText = m_text.data();
    const size_t nText = m_text.size();
    for (size_t nStart = 0; nStart < nText;) {
        const void* pFeed = std::memchr(pText + nStart, '\n', nText - nStart);
        const size_t nFeed = pFeed ? static_cast<const char*>(pFeed) - pText : nText;
        size_t nEnd = nFeed;
        if (pFeed) {
            while (nEnd > nStart && pText[nEnd - 1] == '\r') --nEnd;
        }
        const void* pNul = std::memchr(pText + nStart, '\0', nEnd - nStart);
        if (pNul) nEnd = static_cast<const char*>(pNul) - pText;

        const char* p = pText + nStart;
        const size_t n = std::min<size_t>(nEnd - nStart, INT_MAX);
        const Line line{nStart, static_cast<int>(n), LeadingSpace(p, n) / 4};
        const int nLineNo = static_cast<int>(m_lines.size()) + 1;
        const LineMarks marks = ScanLine(p, n, lead);
        if (marks.bEnd) m_ends.emplace_back(line.nLevel, nLineNo);
        if (marks.bEntry) ++m_nEntryLines;
        if (marks.bLink) m_links.Add(nLineNo, marks.nRunBeforeEntry);
        if (marks.bFolder) m_folders.Add(nLineNo, marks.nRunBeforeEntry);
        m_lines.push_back(line);
        nStart = nFeed + 1;
    }
    std::sort(m_ends.begin(), m_ends.end());
    m_links.Build();
    m_folders.Build();
}

void CBookmarkFile::EntryIndex::Add(int nLine, int nRun) {
    lines.push_back(nLine);
    tree.push_back(nRun);  // the leaves, until Build
}

void CBookmarkFile::EntryIndex::Build() {
    std::vector<int> runs;
    runs.swap(tree);
    nLeaves = 1;
    while (nLeaves < lines.size()) nLeaves *= 2;
    tree.assign(2 * nLeaves, INT_MAX);
    std::copy(runs.begin(), runs.end(), tree.begin() + nLeaves);
    for (size_t i = nLeaves - 1; i >= 1; --i) tree[i] = std::min(tree[2 * i], tree[2 * i + 1]);
}

size_t CBookmarkFile::EntryIndex::NextTaken(size_t nFrom, int64_t nNested) const {
    // A line is taken unless it holds nNested blanks followed by "<DT><",
    // that is unless its longest run before "<DT><" reaches nNested.
    if (nFrom >= lines.size()) return lines.size();
    size_t pos = nFrom + nLeaves;
    if (tree[pos] < nNested) return nFrom;
    for (;;) {
        if (pos == 1) return lines.size();
        if ((pos & 1) == 0 && tree[pos + 1] < nNested) {
            ++pos;
            break;
        }
        pos /= 2;
    }
    while (pos < nLeaves) {
        pos *= 2;
        if (tree[pos] >= nNested) ++pos;
    }
    return pos - nLeaves;
}

CBookmarkFile::LevelCursor CBookmarkFile::OpenLevel(int nStartLine) const {
    const int nLines = GetLineCount();
    const int nBase = nStartLine >= 1 && nStartLine <= nLines ? m_lines[nStartLine - 1].nLevel : 0;
    // The level ends at the first later "</DL><p>" line of the same
    // indentation level, or with the file.
    auto it = std::upper_bound(m_ends.begin(), m_ends.end(), std::make_pair(nBase, nStartLine));
    const int nEnd = it != m_ends.end() && it->first == nBase ? it->second : nLines + 1;
    auto after = [nStartLine](const EntryIndex& index) {
        return static_cast<size_t>(
            std::upper_bound(index.lines.begin(), index.lines.end(), nStartLine) -
            index.lines.begin());
    };
    return LevelCursor{nEnd, (static_cast<int64_t>(nBase) + 2) * 4, after(m_links),
                       after(m_folders)};
}

int CBookmarkFile::Next(const EntryIndex& index, size_t& nPos, const LevelCursor& cursor) const {
    const size_t i = index.NextTaken(nPos, cursor.nNested);
    if (i >= index.lines.size() || index.lines[i] >= cursor.nEnd) {
        nPos = index.lines.size();
        return 0;
    }
    nPos = i + 1;
    return index.lines[i];
}

// ---------------------------------------------------------------- level reader

void ParseBookmarkLevel(const CBookmarkFile& file, int nStartLine, BookmarkLevel& level) {
    level = BookmarkLevel();
    int nBase = 0;
    CString strNested = CString(' ', 8) + kEntryMark;
    for (int n = 1; n <= file.GetLineCount(); ++n) {
        if (n < nStartLine) continue;
        const CString strLine = file.GetLine(n);
        if (n == nStartLine) {
            nBase = IndentLevel(strLine);
            strNested = CString(' ', (nBase + 2) * 4) + kEntryMark;
            continue;
        }
        if (strLine.Find(kEndMark) >= 0 && IndentLevel(strLine) == nBase) break;
        if (strLine.Find(kEntryMark) < 0) continue;
        if (strLine.Find(strNested) >= 0) continue;
        if (strLine.Find(kLinkMark) >= 0) {
            CString strURL;
            level.linkTitles.push_back(ParseBookmarkLink(strLine, strURL));
            level.linkURLs.push_back(strURL);
        }
        if (strLine.Find(kFolderMark) >= 0) {
            level.folderTitles.push_back(ParseBookmarkFolderTitle(strLine));
            level.folderLines.push_back(n);
        }
    }
}

// ---------------------------------------------------------------- import

int64_t BookmarkRecordLimit(const CBookmarkFile& file) {
    return 4 * static_cast<int64_t>(file.GetEntryLineCount()) + 1000;
}

int ImportBookmarkLevel(COrdelinkDoc& doc, const CBookmarkFile& file, ImportNode parent,
                        int nParentID, int nStartLine, CImportObserver* pObserver) {
    // Depth first like the level reader's recursion, but with a stack of its
    // own: a file of folders without end lines nests as deep as it has
    // folders.
    struct Frame {
        CBookmarkFile::LevelCursor folders;
        ImportNode node;
        int nID;
    };
    const int64_t nLimit = BookmarkRecordLimit(file);
    int64_t nCreated = 0;
    std::vector<Frame> stack;

    auto add = [&](const Frame& where, const CString& strTitle, bool bURL, const CString& strURL,
                   ImportNode* pNode, int* pID) {
        if (nCreated >= nLimit) return false;
        ++nCreated;
        const int nIndex = AppendImportedRecord(doc, where.nID, strTitle, bURL, strURL);
        const CUrlItem* pItem = doc.m_PtrAry[nIndex];
        ImportNode node =
            pObserver ? pObserver->OnRecordAdded(where.node, *pItem, nIndex) : nullptr;
        if (pNode) *pNode = node;
        if (pID) *pID = pItem->m_ID;
        return true;
    };
    // Creates the level's links and leaves a frame for its folders.
    auto open = [&](int nLine, ImportNode node, int nID) {
        Frame frame{file.OpenLevel(nLine), node, nID};
        CBookmarkFile::LevelCursor links = frame.folders;
        while (int n = file.NextLink(links)) {
            CString strURL;
            const CString strTitle = ParseBookmarkLink(file.GetLine(n), strURL);
            if (!add(frame, strTitle, true, strURL, nullptr, nullptr)) return false;
        }
        stack.push_back(frame);
        return true;
    };

    if (!open(nStartLine, parent, nParentID)) return 0;
    while (!stack.empty()) {
        const int n = file.NextFolder(stack.back().folders);
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const Frame where = stack.back();
        ImportNode node = nullptr;
        int nID = 0;
        if (!add(where, ParseBookmarkFolderTitle(file.GetLine(n)), false, CString(), &node, &nID))
            return 0;
        if (!open(n, node, nID)) return 0;
    }
    return 1;
}
