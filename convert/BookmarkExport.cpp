#include "convert/BookmarkExport.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "fw/base/CFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

std::string ToUtf8(const CString& str, int nCodePage) {
    std::string out;
    if (!platform::CodePageToUtf8(str.str(), nCodePage, out)) return str.str();
    return out;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void AppendReference(std::string& out, char c) {
    out += "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
}

// One character of text: & < > " and control characters as references.
void AppendEscaped(std::string& out, char c) {
    switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (IsControl(c))
                AppendReference(out, c);
            else
                out += c;
    }
}

std::string Indent(size_t nDepth) {
    return std::string(4 * (nDepth < kBookmarkIndentDepth ? nDepth : kBookmarkIndentDepth), ' ');
}

}  // namespace

std::string EscapeBookmarkText(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) AppendEscaped(out, c);
    return out;
}

std::string EscapeBookmarkTitle(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ' ' && (i == 0 || i + 1 == s.size() || s[i - 1] == ' '))
            AppendReference(out, ' ');
        else
            AppendEscaped(out, s[i]);
    }
    return out;
}

std::string EscapeBookmarkMemo(const std::string& s) {
    size_t nFirst = 0, nEnd = s.size();
    while (nFirst < nEnd && IsBlank(s[nFirst])) ++nFirst;
    while (nEnd > nFirst && IsBlank(s[nEnd - 1])) --nEnd;
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const bool bInside = i >= nFirst && i < nEnd;
        if (bInside && s[i] == '\r' && i + 1 < nEnd && s[i + 1] == '\n') {
            out += '\n';
            ++i;
        } else if (bInside && (s[i] == ' ' || s[i] == '\t')) {
            out += s[i];
        } else if (IsBlank(s[i])) {
            AppendReference(out, s[i]);
        } else {
            AppendEscaped(out, s[i]);
        }
    }
    return out;
}

bool MakeBookmarkFile(const CItemTable& table, const BookmarkExportOptions& options,
                      std::string& out) {
    out.clear();
    const int nCodePage = options.nCodePage ? options.nCodePage : codepage::Active();
    const std::vector<int> order =
        options.less ? TreeOrderIDs(table, options.less) : TreeOrderIDs(table);
    size_t nFirst = 0;
    if (options.nTopID != 0) {
        while (nFirst < order.size() && order[nFirst] != options.nTopID) ++nFirst;
        const CUrlItem* pTop = nFirst < order.size() ? table.FindID(options.nTopID) : nullptr;
        if (!pTop || pTop->m_IsURL) return false;
    }

    const std::string strDate = std::to_string(options.nAddDate);
    out +=
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<!-- This is an automatically generated file.\n"
        "     It will be read and overwritten.\n"
        "     DO NOT EDIT! -->\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
        "<TITLE>Bookmarks</TITLE>\n"
        "<H1>Bookmarks</H1>\n"
        "<DL><p>\n";

    // The folders whose lists are open, innermost last; the first is the
    // file's own list. The order gives each folder's contents right after
    // it, so a record whose parent is not the innermost open folder closes
    // lists until it is. A record that fits none of them lies below a URL
    // record (skipped) or, for one folder's subtree, past its end.
    const CUrlItem* pTop = options.nTopID == 0 ? nullptr : table.FindID(options.nTopID);
    std::vector<int> open{pTop ? pTop->m_ParentID : 0};
    std::unordered_set<int> left;  // URL records and what lies below them
    for (size_t i = nFirst; i < order.size(); ++i) {
        const CUrlItem* pItem = table.FindID(order[i]);
        if (left.count(pItem->m_ParentID)) {
            left.insert(pItem->m_ID);
            continue;
        }
        while (open.size() > 1 && open.back() != pItem->m_ParentID) {
            open.pop_back();
            out += Indent(open.size()) + "</DL><p>\n";
        }
        if (open.back() != pItem->m_ParentID) continue;
        if (pTop && i > nFirst && open.size() == 1) break;
        const std::string strIndent = Indent(open.size());
        const std::string strTitle = EscapeBookmarkTitle(ToUtf8(pItem->m_Title, nCodePage));
        if (pItem->m_IsURL) {
            out += strIndent + "<DT><A HREF=\"" +
                   EscapeBookmarkText(ToUtf8(pItem->m_URL, nCodePage)) + "\" ADD_DATE=\"" +
                   strDate + "\">" + strTitle + "</A>\n";
        } else {
            out += strIndent + "<DT><H3 ADD_DATE=\"" + strDate + "\" LAST_MODIFIED=\"" + strDate +
                   "\">" + strTitle + "</H3>\n";
        }
        if (!pItem->m_Memo.IsEmpty())
            out += strIndent + "<DD>" + EscapeBookmarkMemo(ToUtf8(pItem->m_Memo, nCodePage)) + "\n";
        if (pItem->m_IsURL) {
            left.insert(pItem->m_ID);
        } else {
            out += strIndent + "<DL><p>\n";
            open.push_back(pItem->m_ID);
        }
    }
    while (open.size() > 1) {
        open.pop_back();
        out += Indent(open.size()) + "</DL><p>\n";
    }
    out += "</DL><p>\n";
    return true;
}

BookmarkExportResult ExportBookmarkFile(const CItemTable& table, const char* pszPath,
                                        const BookmarkExportOptions& options) {
    std::string text;
    if (!MakeBookmarkFile(table, options, text)) return BookmarkExportResult::NoFolder;
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite))
        return BookmarkExportResult::OpenFailed;
    try {
        // In pieces: CFile takes at most a UINT at a time.
        for (size_t nDone = 0; nDone < text.size();) {
            const size_t n = std::min<size_t>(text.size() - nDone, size_t(1) << 30);
            file.Write(text.data() + nDone, static_cast<UINT>(n));
            nDone += n;
        }
        file.Close();
    } catch (const CException&) {
        file.Abort();
        return BookmarkExportResult::WriteFailed;
    }
    return BookmarkExportResult::Done;
}
