#include "convert/BookmarkImport.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "convert/BookmarkCharset.h"
#include "convert/ImportFolder.h"
#include "fw/base/CFile.h"

const char kBookmarkOpenError[] = "file Open Error";

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const char* p, size_t n, const char* pszLower) {
    for (size_t i = 0; i < n; ++i, ++pszLower)
        if (*pszLower == '\0' || Lower(p[i]) != *pszLower) return false;
    return *pszLower == '\0';
}

// The code points of numeric references 0x80 to 0x9F, read as windows-1252
// the way browsers read them.
const unsigned short kC1References[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The named references bookmark files use. The legacy ones are also taken
// without their semicolon, as browsers take them.
const struct {
    const char* pszName;
    const char* pszText;
    bool bLegacy;
} kNamedReferences[] = {{"amp", "&", true},        {"AMP", "&", true},   {"lt", "<", true},
                        {"LT", "<", true},         {"gt", ">", true},    {"GT", ">", true},
                        {"quot", "\"", true},      {"QUOT", "\"", true}, {"apos", "'", false},
                        {"nbsp", "\xC2\xA0", true}};

// Decodes the character reference at s[i] == '&' into out; returns the
// position after it, or i when none starts there (the '&' is text).
// bAttribute: a name without its semicolon followed by '=' or a letter or
// digit is left as written, as in an address's query.
size_t DecodeReference(const char* s, size_t n, size_t i, bool bAttribute, std::string& out) {
    size_t k = i + 1;
    if (k < n && s[k] == '#') {
        ++k;
        const bool bHex = k < n && (s[k] == 'x' || s[k] == 'X');
        if (bHex) ++k;
        const size_t nDigits = k;
        unsigned long c = 0;
        for (; k < n; ++k) {
            int d;
            if (IsDigit(s[k]))
                d = s[k] - '0';
            else if (bHex && Lower(s[k]) >= 'a' && Lower(s[k]) <= 'f')
                d = Lower(s[k]) - 'a' + 10;
            else
                break;
            c = std::min<unsigned long>(c * (bHex ? 16 : 10) + d, 0x110000);
        }
        if (k == nDigits) return i;
        if (k < n && s[k] == ';') ++k;
        if (c == 0) c = 0xFFFD;
        if (c >= 0x80 && c <= 0x9F) c = kC1References[c - 0x80];
        AppendUtf8(out, c);
        return k;
    }
    for (const auto& r : kNamedReferences) {
        const size_t nName = std::strlen(r.pszName);
        if (n - k < nName || std::memcmp(s + k, r.pszName, nName) != 0) continue;
        size_t e = k + nName;
        if (e < n && s[e] == ';') {
            ++e;
        } else if (!r.bLegacy) {
            continue;
        } else if (bAttribute && e < n && (s[e] == '=' || IsAlpha(s[e]) || IsDigit(s[e]))) {
            continue;
        }
        out += r.pszText;
        return e;
    }
    return i;
}

// An attribute value in the file's charset, as UTF-8 with its references
// decoded.
std::string DecodeAttribute(const char* s, size_t n, BookmarkCharset charset) {
    std::string out;
    out.reserve(n);
    size_t nRaw = 0;  // start of the text not yet appended
    for (size_t i = 0; i < n;) {
        if (s[i] != '&' && s[i] != '\0') {
            ++i;
            continue;
        }
        AppendBookmarkUtf8(s + nRaw, i - nRaw, charset, out);
        size_t k = s[i] == '&' ? DecodeReference(s, n, i, true, out) : i;
        if (k == i) {
            out += s[i] == '&' ? "&" : "\xEF\xBF\xBD";
            k = i + 1;
        }
        i = nRaw = k;
    }
    AppendBookmarkUtf8(s + nRaw, n - nRaw, charset, out);
    return out;
}

// One tag as the reader needs it: its name in lower case (cut after a few
// characters: longer names are none the reader knows) and its HREF.
struct Tag {
    char szName[12] = {};
    bool bEnd = false;
    bool bHref = false;
    size_t nHref = 0, nHrefLength = 0;

    bool Is(const char* pszName) const {
        return szName[0] == pszName[0] && std::strcmp(szName, pszName) == 0;
    }
};

// Reads the tag whose name starts at s[i] (after "<" or "</") up to its
// closing '>', with quoted attribute values that may hold '>' or line
// breaks. Returns the position after the tag, or npos when the file ends
// inside it (the tag is then no tag).
size_t ReadTag(const char* s, size_t n, size_t i, Tag& tag) {
    size_t nName = 0;
    for (; i < n && !IsSpace(s[i]) && s[i] != '/' && s[i] != '>'; ++i)
        if (nName + 1 < sizeof tag.szName) tag.szName[nName++] = Lower(s[i]);
    if (nName + 1 >= sizeof tag.szName) tag.szName[0] = '\0';  // a name too long to know
    for (;;) {
        while (i < n && (IsSpace(s[i]) || s[i] == '/')) ++i;
        if (i >= n) return std::string::npos;
        if (s[i] == '>') return i + 1;
        const size_t nAttr = i++;  // a first '=' belongs to the name
        while (i < n && !IsSpace(s[i]) && s[i] != '/' && s[i] != '>' && s[i] != '=') ++i;
        const bool bHref = EqualNoCase(s + nAttr, i - nAttr, "href");
        while (i < n && IsSpace(s[i])) ++i;
        if (i >= n) return std::string::npos;
        if (s[i] != '=') continue;
        ++i;
        while (i < n && IsSpace(s[i])) ++i;
        if (i >= n) return std::string::npos;
        size_t nValue, nLength;
        if (s[i] == '"' || s[i] == '\'') {
            const void* pClose = std::memchr(s + i + 1, s[i], n - i - 1);
            if (!pClose) return std::string::npos;
            nValue = i + 1;
            nLength = static_cast<const char*>(pClose) - (s + nValue);
            i = nValue + nLength + 1;
        } else {
            nValue = i;
            while (i < n && !IsSpace(s[i]) && s[i] != '>') ++i;
            nLength = i - nValue;
        }
        if (bHref && !tag.bHref) {
            tag.bHref = true;
            tag.nHref = nValue;
            tag.nHrefLength = nLength;
        }
    }
}

// The first "</name" at or after i (name in lower case, any case in the
// text); n when there is none.
size_t FindEndTag(const char* s, size_t n, size_t i, const char* pszName) {
    const size_t nName = std::strlen(pszName);
    while (i < n) {
        const void* p = std::memchr(s + i, '<', n - i);
        if (!p) return n;
        i = static_cast<const char*>(p) - s;
        if (n - i >= nName + 2 && s[i + 1] == '/' && EqualNoCase(s + i + 2, nName, pszName) &&
            (n - i == nName + 2 || IsSpace(s[i + 2 + nName]) || s[i + 2 + nName] == '>' ||
             s[i + 2 + nName] == '/'))
            return i;
        ++i;
    }
    return n;
}

// The one pass over the file's text (markup in ASCII, the rest in the
// file's charset) that fills the entries.
class CMarkupReader {
public:
    CMarkupReader(const std::string& text, BookmarkCharset charset, CBookmarkFile::Entries& entries)
        : m_s(text.data()), m_n(text.size()), m_charset(charset), m_entries(entries) {}

    // Returns false when folders nested deeper than kBookmarkMaxDepth.
    bool Read() {
        size_t i = 0;
        while (i < m_n) {
            const void* p = std::memchr(m_s + i, '<', m_n - i);
            const size_t nTag = p ? static_cast<const char*>(p) - m_s : m_n;
            Text(i, nTag);
            i = nTag < m_n ? Markup(nTag) : m_n;
        }
        EndText();
        return m_bKeptNesting;
    }

private:
    enum class Context { None, Title, Memo };
    struct List {
        int nFolder;  // entry index of the folder the list's entries go to, -1 for the top
        bool bOwned;  // the list is that folder's own (after its <H3>)
    };

    int CurrentFolder() const { return m_lists.empty() ? -1 : m_lists.back().nFolder; }

    // Markup at s[i] == '<'; returns the position after it.
    size_t Markup(size_t i) {
        const char* s = m_s;
        const size_t n = m_n;
        if (n - i >= 4 && std::memcmp(s + i, "<!--", 4) == 0) {
            size_t k = i + 4;
            if (k < n && s[k] == '>') return k + 1;
            if (n - k >= 2 && s[k] == '-' && s[k + 1] == '>') return k + 2;
            for (; k + 2 < n; ++k)
                if (s[k] == '-' && s[k + 1] == '-' && s[k + 2] == '>') return k + 3;
            return n;
        }
        const bool bEnd = i + 1 < n && s[i + 1] == '/';
        const size_t nName = i + (bEnd ? 2 : 1);
        if (nName >= n || !IsAlpha(s[nName])) {
            if (!bEnd && nName < n && s[nName] != '!' && s[nName] != '?') {
                Text(i, i + 1);  // a '<' that starts no markup is text
                return i + 1;
            }
            // <!DOCTYPE>, <!...>, <?...>, </...>: up to the next '>'.
            const void* p = std::memchr(s + nName, '>', n - nName);
            return p ? static_cast<const char*>(p) - s + 1 : n;
        }
        Tag tag;
        tag.bEnd = bEnd;
        const size_t nAfter = ReadTag(s, n, nName, tag);
        if (nAfter == std::string::npos) return n;
        bEnd ? EndTag(tag) : StartTag(tag);
        if (!bEnd) {
            // Elements whose content is text, not markup.
            for (const char* pszRaw : {"script", "style", "title", "textarea", "xmp"})
                if (tag.Is(pszRaw)) return FindEndTag(s, n, nAfter, pszRaw);
        }
        return nAfter;
    }

    void StartTag(const Tag& tag) {
        if (tag.Is("a")) {
            EndText();
            m_nPending = -1;
            std::string strURL = tag.bHref
                                     ? DecodeAttribute(m_s + tag.nHref, tag.nHrefLength, m_charset)
                                     : std::string();
            CBookmarkFile::Entry& e = AddEntry(false);
            e.strURL = BookmarkDocumentText(std::move(strURL));
            StartText(Context::Title);
        } else if (tag.Is("h3")) {
            EndText();
            AddEntry(true);
            m_nPending = m_nLast;
            StartText(Context::Title);
        } else if (tag.Is("dl")) {
            EndText();
            int nFolder = CurrentFolder();
            bool bOwned = false;
            if (m_nPending >= 0) {
                if (m_entries[m_nPending].nDepth < kBookmarkMaxDepth) {
                    nFolder = m_nPending;
                    bOwned = true;
                } else {
                    m_bKeptNesting = false;
                }
            }
            m_lists.push_back(List{nFolder, bOwned});
            m_nPending = -1;
            m_nLast = -1;
        } else if (tag.Is("dt") || tag.Is("hr")) {
            EndText();
            m_nPending = -1;
        } else if (tag.Is("dd")) {
            EndText();
            if (m_nLast >= 0) StartText(Context::Memo);
        }
    }

    void EndTag(const Tag& tag) {
        if (tag.Is("a") || tag.Is("h3")) {
            if (m_context == Context::Title) EndText();
        } else if (tag.Is("dl")) {
            EndText();
            m_nPending = -1;
            m_nLast = -1;
            if (!m_lists.empty()) {
                if (m_lists.back().bOwned) m_nLast = m_lists.back().nFolder;
                m_lists.pop_back();
            }
        }
    }

    CBookmarkFile::Entry& AddEntry(bool bFolder) {
        const int nParent = CurrentFolder();
        CBookmarkFile::Entry e;
        e.bFolder = bFolder;
        e.nParent = nParent;
        e.nDepth = nParent < 0 ? 1 : m_entries[nParent].nDepth + 1;
        m_entries.push_back(std::move(e));
        m_nLast = static_cast<int>(m_entries.size()) - 1;
        return m_entries.back();
    }

    void StartText(Context context) {
        m_context = context;
        m_text.clear();
        m_raw.clear();
        m_nTrailing = 0;
        m_bSpace = false;
    }

    // Text s[i, e) of the title or memo being read, in the file's charset.
    // White space written as such: runs as one blank in a title, line
    // breaks as CR LF in a memo, dropped at either end. A character written
    // as a reference is taken as it is.
    void Text(size_t i, size_t e) {
        if (m_context == Context::None) return;
        const bool bTitle = m_context == Context::Title;
        while (i < e) {
            // A run of plain characters at once.
            size_t k = i;
            while (k < e && !IsSpace(m_s[k]) && m_s[k] != '&' && m_s[k] != '\0') ++k;
            if (k > i) {
                if (m_bSpace) m_raw += ' ';
                m_bSpace = false;
                m_nTrailing = 0;
                m_raw.append(m_s + i, k - i);
                i = k;
                continue;
            }
            const char c = m_s[i];
            if (IsSpace(c)) {
                ++i;
                if (m_text.empty() && m_raw.empty()) continue;
                if (bTitle) {
                    m_bSpace = true;
                } else if (c == '\r' || c == '\n') {
                    if (c == '\r' && i < e && m_s[i] == '\n') ++i;
                    m_raw += "\r\n";
                    m_nTrailing += 2;
                } else {
                    m_raw += c;
                    ++m_nTrailing;
                }
                continue;
            }
            if (m_bSpace) m_raw += ' ';
            m_bSpace = false;
            m_nTrailing = 0;
            FlushRaw();
            k = c == '&' ? DecodeReference(m_s, e, i, false, m_text) : i;
            if (k == i) {
                m_text += c == '&' ? "&" : "\xEF\xBF\xBD";
                k = i + 1;
            }
            i = k;
        }
    }

    void FlushRaw() {
        AppendBookmarkUtf8(m_raw.data(), m_raw.size(), m_charset, m_text);
        m_raw.clear();
    }

    void EndText() {
        if (m_context == Context::None) return;
        FlushRaw();
        // The white space at the end is ASCII, as many bytes in UTF-8.
        m_text.resize(m_text.size() - m_nTrailing);
        CBookmarkFile::Entry& e = m_entries[m_nLast];
        // A copy of its own size; the buffer serves the next text.
        if (m_context == Context::Title) {
            e.strTitle = BookmarkDocumentText(m_text);
        } else if (!m_text.empty()) {
            // A second description of the same entry goes on a line of its own.
            if (!e.strMemo.IsEmpty()) e.strMemo += "\r\n";
            e.strMemo += BookmarkDocumentText(m_text);
        }
        m_context = Context::None;
    }

    const char* m_s;
    size_t m_n;
    BookmarkCharset m_charset;
    CBookmarkFile::Entries& m_entries;
    std::vector<List> m_lists;
    int m_nPending = -1;  // the folder whose <DL> may come next
    int m_nLast = -1;     // the entry a <DD> describes
    Context m_context = Context::None;
    std::string m_text;      // what was read, in UTF-8
    std::string m_raw;       // what was read after it, in the file's charset
    size_t m_nTrailing = 0;  // bytes of white space written as such at the end
    bool m_bSpace = false;   // a title's blank, written before what comes next
    bool m_bKeptNesting = true;
};

}  // namespace

BOOL CBookmarkFile::Load(const char* pszPath) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    std::string bytes;
    if (!file.ReadToEndAndClose(bytes)) return FALSE;
    SetText(std::move(bytes));
    return TRUE;
}

void CBookmarkFile::SetText(std::string bytes) {
    m_entries.clear();
    const BookmarkCharset charset = PrepareBookmarkText(bytes);
    m_bKeptNesting = CMarkupReader(bytes, charset, m_entries).Read();
}

int ImportBookmarkTree(COrdelinkDoc& doc, CBookmarkFile& file, ImportNode parent, int nParentID,
                       CImportObserver* pObserver) {
    CBookmarkFile::Entries& entries = file.GetEntries();
    const int nTop = static_cast<int>(entries.size());  // stands for the top folder
    // Each folder's entries in file order, as linked lists.
    std::vector<int> first(nTop + 1, -1), last(nTop + 1, -1), next(nTop, -1);
    for (int i = 0; i < nTop; ++i) {
        const int p = entries[i].nParent < 0 ? nTop : entries[i].nParent;
        (last[p] < 0 ? first[p] : next[last[p]]) = i;
        last[p] = i;
    }

    // Depth first with a stack of its own: files nest as deep as the guard
    // lets them.
    struct Frame {
        int nChild;  // the next entry of the folder to look at for a folder
        ImportNode node;
        int nID;
    };
    std::vector<Frame> stack;
    auto add = [&](const Frame& where, CBookmarkFile::Entry& e, Frame* pOpened) {
        const int nIndex = AppendImportedRecord(doc, where.nID, std::move(e.strTitle), !e.bFolder,
                                                std::move(e.strURL), std::move(e.strMemo));
        const CUrlItem* pItem = doc.m_PtrAry[nIndex];
        ImportNode node =
            pObserver ? pObserver->OnRecordAdded(where.node, *pItem, nIndex) : nullptr;
        if (pOpened) *pOpened = Frame{-1, node, pItem->m_ID};
    };
    // Adds the folder's links and leaves a frame for its folders.
    auto open = [&](int nFolder, Frame frame) {
        frame.nChild = first[nFolder];
        for (int c = frame.nChild; c >= 0; c = next[c])
            if (!entries[c].bFolder) add(frame, entries[c], nullptr);
        stack.push_back(frame);
    };

    open(nTop, Frame{-1, parent, nParentID});
    while (!stack.empty()) {
        int c = stack.back().nChild;
        while (c >= 0 && !entries[c].bFolder) c = next[c];
        if (c < 0) {
            stack.pop_back();
            continue;
        }
        stack.back().nChild = next[c];
        const Frame where = stack.back();
        Frame opened;
        add(where, entries[c], &opened);
        open(c, opened);
    }
    return file.KeptNesting() ? 1 : 0;
}
