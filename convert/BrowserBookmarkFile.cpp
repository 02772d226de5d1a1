#include "convert/BrowserBookmarkFile.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "convert/BrowserData.h"
#include "convert/ImportFolder.h"

namespace {

using Json = nlohmann::json;

// The roots in the order they are imported, with the names a file that gives
// none is shown with.
const char* const kRootKeys[] = {"bookmark_bar", "other", "synced"};
const char* const kRootNames[] = {"Bookmarks bar", "Other bookmarks", "Mobile bookmarks"};

// A folder node's "children": nullptr when it has none; false when the
// member is there but not a list.
bool ChildrenOf(const Json& node, const Json*& pChildren) {
    pChildren = nullptr;
    const auto it = node.find("children");
    if (it == node.end()) return true;
    if (!it->is_array()) return false;
    if (!it->empty()) pChildren = &*it;
    return true;
}

// A node's string member: empty when missing; false when not a string.
bool StringOf(const Json& node, const char* pszKey, std::string& str) {
    str.clear();
    const auto it = node.find(pszKey);
    if (it == node.end()) return true;
    if (!it->is_string()) return false;
    str = it->get_ref<const std::string&>();
    return true;
}

}  // namespace

CBrowserBookmarkFile::Status CBrowserBookmarkFile::Load(const char* pszPath) {
    std::string bytes;
    if (!ReadFileBytes(pszPath, bytes)) return Fail(Status::Unreadable, "cannot be read");
    return Parse(bytes);
}

namespace {

// The first byte after a byte-order mark and white space; 0 when none.
char FirstByte(const std::string& bytes) {
    size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i < bytes.size() ? bytes[i] : '\0';
}

}  // namespace

bool CBrowserBookmarkFile::LooksLikeJson(const std::string& bytes) {
    return FirstByte(bytes) == '{';
}

bool CBrowserBookmarkFile::LooksLikeMarkup(const std::string& bytes) {
    return FirstByte(bytes) == '<';
}

CBrowserBookmarkFile::Status CBrowserBookmarkFile::Fail(Status status, std::string strError) {
    m_status = status;
    m_strError = std::move(strError);
    m_entries.clear();
    m_nLinks = 0;
    return status;
}

CBrowserBookmarkFile::Status CBrowserBookmarkFile::Parse(const std::string& bytes) {
    m_entries.clear();
    m_nLinks = 0;
    m_strError.clear();
    // The parser keeps its own stack (no recursion), so deep nesting costs
    // memory in proportion to the file, not the thread's stack.
    Json doc;
    try {
        doc = Json::parse(bytes);
    } catch (const Json::parse_error& e) {
        return Fail(Status::Damaged, "damaged: not valid JSON at byte " + std::to_string(e.byte));
    } catch (const Json::exception&) {
        return Fail(Status::Damaged, "damaged: not valid JSON");
    }
    const char kForeign[] = "not a browser's bookmark file (no bookmark roots)";
    if (!doc.is_object()) return Fail(Status::Foreign, kForeign);
    const auto roots = doc.find("roots");
    if (roots == doc.end() || !roots->is_object()) return Fail(Status::Foreign, kForeign);

    // The folders being read, innermost last.
    struct Level {
        const Json* pChildren;
        size_t nNext;
        int nFolder;
    };
    std::vector<Level> levels;
    bool bAnyRoot = false;
    size_t nNode = 0;  // nodes seen, to say where a damaged one is
    for (size_t r = 0; r < 3; ++r) {
        const auto root = roots->find(kRootKeys[r]);
        if (root == roots->end()) continue;
        bAnyRoot = true;
        const std::string strWhere = std::string("damaged: the root \"") + kRootKeys[r] + "\" ";
        const Json* pChildren = nullptr;
        std::string strName;
        if (!root->is_object() || !ChildrenOf(*root, pChildren))
            return Fail(Status::Damaged, strWhere + "is not a folder");
        if (!StringOf(*root, "name", strName))
            return Fail(Status::Damaged, strWhere + "has a name that is not text");
        if (!pChildren) continue;  // an empty root is left out
        if (strName.empty()) strName = kRootNames[r];
        m_entries.push_back({-1, true, TextFromUtf8(strName), CString()});
        levels.push_back({pChildren, 0, static_cast<int>(m_entries.size()) - 1});
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.nNext == level.pChildren->size()) {
                levels.pop_back();
                continue;
            }
            const Json& node = (*level.pChildren)[level.nNext++];
            const int nParent = level.nFolder;
            const std::string strAt = "damaged: bookmark node " + std::to_string(++nNode) + " ";
            std::string strType, strTitle, strURL;
            if (!node.is_object()) return Fail(Status::Damaged, strAt + "is not an object");
            if (!StringOf(node, "type", strType) || strType.empty())
                return Fail(Status::Damaged, strAt + "has no type");
            if (!StringOf(node, "name", strTitle))
                return Fail(Status::Damaged, strAt + "has a name that is not text");
            if (strType == "url") {
                if (!StringOf(node, "url", strURL) || node.find("url") == node.end())
                    return Fail(Status::Damaged, strAt + "is a link without an address");
                // Browsers drop tabs and line breaks from an address as they
                // read it; kept, they would start lines in the files written
                // from the document (.url files).
                strURL.erase(
                    std::remove_if(strURL.begin(), strURL.end(),
                                   [](char c) { return c == '\t' || c == '\n' || c == '\r'; }),
                    strURL.end());
                m_entries.push_back({nParent, false, TextFromUtf8(strTitle), TextFromUtf8(strURL)});
                ++m_nLinks;
            } else if (strType == "folder") {
                if (!ChildrenOf(node, pChildren))
                    return Fail(Status::Damaged, strAt + "is a folder without a list");
                m_entries.push_back({nParent, true, TextFromUtf8(strTitle), CString()});
                // level is not used after this: the push may move it.
                if (pChildren)
                    levels.push_back({pChildren, 0, static_cast<int>(m_entries.size()) - 1});
            }
            // Other kinds of node, which a later browser may add, hold no
            // bookmark of these two kinds and are passed over.
        }
    }
    if (!bAnyRoot) return Fail(Status::Foreign, kForeign);
    m_status = Status::Ok;
    return m_status;
}

void ImportBrowserBookmarks(COrdelinkDoc& doc, const CBrowserBookmarkFile& file, ImportNode parent,
                            int nParentID, CImportObserver* pObserver) {
    const std::vector<CBrowserBookmarkFile::Entry>& entries = file.GetEntries();
    // Every entry's folder comes before it, so its ID and node are known.
    std::vector<int> ids(entries.size(), 0);
    std::vector<ImportNode> nodes(entries.size(), nullptr);
    for (size_t i = 0; i < entries.size(); ++i) {
        const CBrowserBookmarkFile::Entry& e = entries[i];
        const int nInID = e.nParent < 0 ? nParentID : ids[e.nParent];
        const ImportNode inNode = e.nParent < 0 ? parent : nodes[e.nParent];
        const int nIndex = AppendImportedRecord(doc, nInID, e.strTitle, !e.bFolder, e.strURL);
        const CUrlItem& item = *doc.m_PtrAry[nIndex];
        ids[i] = item.m_ID;
        if (pObserver) nodes[i] = pObserver->OnRecordAdded(inNode, item, nIndex);
    }
}
