#include "convert/LinkPage.h"

#include <unordered_map>
#include <vector>

#include "convert/ProgramStrings.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CodePage.h"
#include "fw/base/LegacyText.h"
#include "res/resource.h"

CString LinkPageBaseName(const CString& strDocTitle) {
    static const CString untitled = afxmsg::FromUtf8("無題");
    if (strDocTitle.CompareNoCase(untitled) == 0) return strDocTitle;
    return strDocTitle.Left(strDocTitle.GetLength() - 4);
}

namespace {

// Fills "%1" to "%9" from args in one pass over the entry; a placeholder
// without an argument becomes "?".
CString FillEntry(const CString& strEntry, const CString* const* args, int nArgs) {
    const std::string& s = strEntry.str();
    std::string out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = codepage::CharLength(&s[i], s.size() - i);
        if (n == 1 && s[i] == '%' && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '9') {
            const int nArg = s[i + 1] - '1';
            if (nArg >= 0 && nArg < nArgs)
                out += args[nArg]->str();
            else
                out += '?';
            i += 2;
            continue;
        }
        out.append(s, i, n);
        i += n;
    }
    return CString(std::move(out));
}

// Whether the page being written goes out as UTF-8 (some of its text is not
// in the legacy code page) instead of the legacy code page.
bool g_bUtf8Page = false;

const char kUtf8Declaration[] =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">";

BOOL WriteText(COrdelinkDoc& doc, const CString& strText) {
    std::string bytes;
    if (g_bUtf8Page)
        bytes = legacy::ToUtf8(strText.str());
    else
        legacy::ToLegacy(strText.str(), bytes);
    try {
        doc.m_HtmlFile.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    } catch (const CException&) {
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CString FormatHtmlEntry(const CString& strEntry, const CString& strArg1, const CString& strArg2) {
    if (strArg1.IsEmpty()) return strEntry;
    const CString* args[] = {&strArg1, &strArg2};
    return FillEntry(strEntry, args, strArg2.IsEmpty() ? 1 : 2);
}

BOOL OpenHtmlFile(COrdelinkDoc& doc, const char* pszPath) {
    if (doc.m_HtmlFile.Open(pszPath, CFile::modeCreate | CFile::modeWrite)) return TRUE;
    AfxMessageBox("File could not be opened ", AFX_MB_OK);
    return FALSE;
}

BOOL WriteHtmlEntry(COrdelinkDoc& doc, UINT nID, const CString& strArg1, const CString& strArg2) {
    CString strText = FormatHtmlEntry(ProgramString(nID), strArg1, strArg2);
    // A UTF-8 page says so first thing in its head.
    if (g_bUtf8Page && nID == IDS_HTML_HEAD) {
        const int nHead = strText.Find("<HEAD>");
        if (nHead >= 0)
            strText = strText.Left(nHead + 6) + kUtf8Declaration + strText.Mid(nHead + 6);
    }
    return WriteText(doc, strText);
}

bool LinkPageNeedsUtf8(const COrdelinkDoc& doc, const LinkPageOptions& options) {
    std::string bytes;
    if (!legacy::ToLegacy(options.strDocTitle.str(), bytes) ||
        !legacy::ToLegacy(options.strBuild.str(), bytes))
        return true;
    for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) {
        const CUrlItem* p = doc.m_PtrAry[i];
        if (!legacy::ToLegacy(p->m_Title.str(), bytes) || !legacy::ToLegacy(p->m_URL.str(), bytes))
            return true;
    }
    return false;
}

BOOL CloseHtmlFile(COrdelinkDoc& doc) {
    try {
        doc.m_HtmlFile.Close();
    } catch (const CException&) {
        doc.m_HtmlFile.Abort();
        return FALSE;
    }
    return TRUE;
}

int WriteLinkLevel(COrdelinkDoc& doc, int nParentID, const CString& strHeading,
                   const LinkPageOptions& options, std::set<int>& visited) {
    const CItemTable& table = doc.m_PtrAry;
    // Each parent's records in table order, found in one pass.
    std::unordered_map<int, std::vector<const CUrlItem*>> children;
    for (int i = 0; i < table.GetSize(); ++i) children[table[i]->m_ParentID].push_back(table[i]);
    const UINT nLinkEntry = options.bPlainLinks ? IDS_HTML_LINK : IDS_HTML_LINK_BLANK;
    // A level's heading is the one above it, "-【", its title and "】".
    const std::string strRoot = afxmsg::FromUtf8("【ROOT】").str();
    const std::string strOpen = afxmsg::FromUtf8("-【").str();
    const std::string strClose = afxmsg::FromUtf8("】").str();

    // One level: its links now, its folders (IDs) for the walk. Depth first
    // with a stack of its own, as deep folder chains would exhaust the
    // call stack. One heading grows and is cut back as the walk goes down
    // and up, so memory grows with the depth, not its square.
    struct Level {
        std::vector<int> folders;
        size_t nNext;
        size_t nHeadingLength;  // the heading's length at this level
    };
    std::vector<Level> stack;
    CString strLevelHeading;
    std::string& heading = strLevelHeading.str();
    // heading holds the level above; returns with it holding this level's.
    auto write = [&](int nID) -> bool {
        std::vector<int> links, folders;
        auto it = children.find(nID);
        if (it != children.end()) {
            for (const CUrlItem* pItem : it->second)
                (pItem->m_IsURL ? links : folders).push_back(pItem->m_ID);
        }
        if (links.empty() && folders.empty()) return true;
        if (nID == 0) {
            heading = strRoot;
        } else {
            const CUrlItem* pParent = table.FindID(nID);
            heading += strOpen;
            if (pParent) heading += pParent->m_Title.str();
            heading += strClose;
        }
        if (!links.empty() && (!WriteHtmlEntry(doc, IDS_HTML_SEPARATOR) ||
                               !WriteHtmlEntry(doc, IDS_HTML_HEADING, strLevelHeading)))
            return false;
        for (int nLinkID : links) {
            const CUrlItem* pItem = table.FindID(nLinkID);
            BOOL bWritten;
            if (pItem->m_URL.IsEmpty()) {
                // The entry would go out with its placeholders unfilled: the
                // link gets an empty address and its title instead.
                const CString strEmpty;
                const CString strTitle = pItem->m_Title.IsEmpty() ? CString("?") : pItem->m_Title;
                const CString* args[] = {&strEmpty, &strTitle};
                bWritten = WriteText(doc, FillEntry(ProgramString(nLinkEntry), args, 2));
            } else {
                bWritten = WriteHtmlEntry(doc, nLinkEntry, pItem->m_URL, pItem->m_Title);
            }
            if (!bWritten) return false;
        }
        stack.push_back(Level{std::move(folders), 0, heading.size()});
        return true;
    };

    heading = strHeading.str();
    if (!write(nParentID)) return 0;
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.nNext == level.folders.size()) {
            stack.pop_back();
            continue;
        }
        const int nID = level.folders[level.nNext++];
        // A folder whose ID came up before (ID 0, a repeated ID, a loop of
        // parents) is not entered again.
        if (!visited.insert(nID).second) continue;
        heading.resize(level.nHeadingLength);
        if (!write(nID)) return 0;
    }
    return 1;
}

LinkPageResult WriteLinkPage(COrdelinkDoc& doc, const char* pszPath,
                             const LinkPageOptions& options) {
    if (!OpenHtmlFile(doc, pszPath)) return LinkPageResult::OpenFailed;
    // In the legacy code page with no declaration, as older versions wrote
    // it, when that holds every text of the page; otherwise in UTF-8.
    g_bUtf8Page = LinkPageNeedsUtf8(doc, options);
    const CString strCreated = options.created.Format("%Y.%m.%d %H:%M");
    bool bOk = WriteHtmlEntry(doc, IDS_HTML_RULE) &&
               WriteHtmlEntry(doc, IDS_HTML_VERSION, options.strBuild) &&
               WriteHtmlEntry(doc, IDS_HTML_RULE) &&
               WriteHtmlEntry(doc, IDS_HTML_HEAD, options.strDocTitle) &&
               WriteHtmlEntry(doc, IDS_HTML_BANNER, options.strDocTitle) &&
               WriteHtmlEntry(doc, IDS_HTML_CREATED, strCreated) &&
               WriteHtmlEntry(doc, IDS_HTML_RULE);
    std::set<int> visited{0};
    bOk = bOk && WriteLinkLevel(doc, 0, CString(), options, visited);
    bOk = bOk && WriteHtmlEntry(doc, IDS_HTML_RULE) && WriteHtmlEntry(doc, IDS_HTML_SEPARATOR) &&
          WriteHtmlEntry(doc, IDS_HTML_END) && WriteHtmlEntry(doc, IDS_HTML_TAIL) &&
          WriteHtmlEntry(doc, IDS_HTML_END_OF_FILE);
    // The file is closed in every case; data that cannot be written out at
    // the close is a write error like any other.
    bOk = CloseHtmlFile(doc) && bOk;
    g_bUtf8Page = false;
    if (!bOk) {
        AfxMessageBox(ProgramString(IDP_LINK_HTML_FAILED), AFX_MB_OK);
        return LinkPageResult::WriteFailed;
    }
    return LinkPageResult::Done;
}
