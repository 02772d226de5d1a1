#include "convert/FavoritesExport.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "convert/DiskDir.h"
#include "convert/UrlFile.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

// ---------------------------------------------------------------- CDocumentTree

// A node is a record; the ROOT is the node without one. A record's children
// are the records whose parent is its ID.
CDocumentTree::CDocumentTree(const COrdelinkDoc& doc) {
    const CItemTable& table = doc.m_PtrAry;
    for (int i = 0; i < table.GetSize(); ++i) m_children[table[i]->m_ParentID].push_back(table[i]);
    for (auto& [nID, list] : m_children) {
        std::stable_sort(list.begin(), list.end(), [](const CUrlItem* a, const CUrlItem* b) {
            return a->m_Title.CompareNoCase(b->m_Title) < 0;
        });
    }
}

CExportTree::Node CDocumentTree::Root() const {
    return nullptr;
}

void CDocumentTree::Children(Node node, std::vector<std::pair<Node, const CUrlItem*>>& out) const {
    out.clear();
    const int nID = node ? static_cast<int>(static_cast<const CUrlItem*>(node)->m_ID) : 0;
    auto it = m_children.find(nID);
    if (it == m_children.end()) return;
    for (const CUrlItem* pItem : it->second) out.emplace_back(pItem, pItem);
}

// ---------------------------------------------------------------- export

int CollectChildren(const CExportTree& tree, CExportTree::Node node, ExportChildren& children) {
    children = ExportChildren();
    std::vector<std::pair<CExportTree::Node, const CUrlItem*>> list;
    tree.Children(node, list);
    for (const auto& [child, pItem] : list) {
        if (pItem->m_IsURL) {
            children.urlTitles.push_back(pItem->m_Title);
            children.urls.push_back(pItem->m_URL);
        } else {
            children.folderNodes.push_back(child);
            children.folderTitles.push_back(pItem->m_Title);
        }
    }
    return 1;
}

bool IsWritableName(const CString& strTitle) {
    const std::string& s = strTitle.str();
    if (s.empty() || s == "." || s == "..") return false;
    // No byte below 0x40 is ever the second byte of a double-byte character:
    // after a lead byte, "/" or ":" is still one to the file system (and
    // natively the lead byte alone turns into a replacement character).
    for (char c : s) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x20 || (b < 0x40 && std::strchr("/:*?\"<>", c))) return false;
    }
    // "\" and "|" are second bytes of some characters (ソ, ポ): taken whole.
    size_t nLastStart = 0;
    for (size_t i = 0; i < s.size();) {
        const size_t n = codepage::CharLength(&s[i], s.size() - i);
        if (n == 1 && (s[i] == '\\' || s[i] == '|')) return false;
        nLastStart = i;
        i += n;
    }
    if (nLastStart == s.size() - 1 && (s.back() == '.' || s.back() == ' ')) return false;
    // A device name stays one whatever extension follows it, and the system
    // ignores blanks before the extension.
    CString strBase = strTitle;
    const int nDot = strBase.Find('.');
    if (nDot >= 0) strBase = strBase.Left(nDot);
    strBase.TrimRight();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* pszDevice : kDevices) {
        if (strBase.CompareNoCase(pszDevice) == 0) return false;
    }
    if (strBase.GetLength() < 4 ||
        (strBase.Left(3).CompareNoCase("COM") != 0 && strBase.Left(3).CompareNoCase("LPT") != 0))
        return true;
    if (strBase.GetLength() == 4 && strBase[3] >= '1' && strBase[3] <= '9') return false;
    // COM¹ to COM³ and LPT¹ to LPT³ are ports too, in code pages that have
    // the superscript digits.
    std::string tail;
    if (!platform::CodePageToUtf8(strBase.str().substr(3), codepage::Active(), tail)) return true;
    return tail != "\xC2\xB9" && tail != "\xC2\xB2" && tail != "\xC2\xB3";  // UTF-8
}

int ExportFolder(const std::string& strDir, const CExportTree& tree, CExportTree::Node node) {
    // Depth first with a stack of its own: the depth of the folders does not
    // depend on what the disk accepts, as the walk goes on below a directory
    // that could not be made. One path grows and is cut back as the walk
    // goes down and up, so memory grows with the depth, not its square.
    struct Level {
        size_t nPathLength;  // the path's length at this level
        ExportChildren children;
        size_t nNext;
    };
    std::vector<Level> stack;
    std::string strPath = diskdir::Join(strDir, std::string());  // ends in a separator
    // A damaged document can make a folder its own descendant: each node is
    // entered once.
    std::set<CExportTree::Node> entered{node};
    int nResult = 1;
    auto enter = [&](CExportTree::Node levelNode) {
        Level level{strPath.size(), ExportChildren(), 0};
        CollectChildren(tree, levelNode, level.children);
        const ExportChildren& c = level.children;
        for (size_t i = 0; i < c.urlTitles.size(); ++i) {
            // The rules hold for the name on disk: "News." is written as
            // "News..URL", an untitled link as ".URL"; "CON" stays refused.
            const CString strName = c.urlTitles[i] + ".URL";
            if (!IsWritableName(strName) ||
                !WriteUrlFile(strPath + diskdir::NameToDisk(strName), c.urls[i]))
                nResult = 0;
        }
        // The titles are not needed any more.
        level.children.urlTitles = std::vector<CString>();
        level.children.urls = std::vector<CString>();
        stack.push_back(std::move(level));
    };

    enter(node);
    while (!stack.empty()) {
        Level& level = stack.back();
        strPath.resize(level.nPathLength);
        if (level.nNext == level.children.folderTitles.size()) {
            stack.pop_back();
            continue;
        }
        const size_t i = level.nNext++;
        const CString& strTitle = level.children.folderTitles[i];
        const CExportTree::Node child = level.children.folderNodes[i];
        if (!IsWritableName(strTitle)) {
            nResult = 0;
            continue;
        }
        strPath += diskdir::NameToDisk(strTitle);
        // A directory that exists already (two folders of the same title)
        // still takes the contents; the failure is reported all the same.
        if (!diskdir::MakeDirectory(strPath)) nResult = 0;
        strPath += diskdir::kSeparator;
        if (entered.insert(child).second) enter(child);
    }
    return nResult;
}

ExportResult ExportFavorites(const std::string& strFavorites, const CExportTree& tree,
                             const CTime& time, std::string* pstrDateDir) {
    const std::string strConvert = diskdir::Join(strFavorites, "Convert");
    bool bExists = false;
    if (!diskdir::MakeDirectory(strConvert, &bExists) && !bExists) return ExportResult::NotStarted;
    const CString strDate = time.Format(afxmsg::FromUtf8("%y年%m月%d日 %H時%M分%S秒"));
    const std::string strDateDir = diskdir::Join(strConvert, diskdir::NameToDisk(strDate));
    if (pstrDateDir) *pstrDateDir = strDateDir;
    if (!diskdir::MakeDirectory(strDateDir)) return ExportResult::NotStarted;
    return ExportFolder(strDateDir, tree, tree.Root()) ? ExportResult::Done
                                                       : ExportResult::Incomplete;
}
