#include "store/ItemEdits.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "fw/base/AfxMessages.h"
#include "res/resource.h"

const char kNewItemURL[] = "http://new-bookmark.invalid/";

namespace {

// Folds single-byte letters to lower case, character by character, so that a
// set of folded titles answers the case-insensitive comparison.
std::string Folded(const CString& str) {
    CString s = str;
    s.MakeLower();
    return s.str();
}

}  // namespace

CString MakeUniqueNewTitle(const CItemTable& table, BOOL bFolder) {
    const CString base = afxmsg::FromUtf8(bFolder ? "( ﾌｫﾙﾀﾞ )" : "新規作成 ( URL )");
    // One pass over the table instead of one per rejected candidate.
    std::unordered_set<std::string> taken;
    const std::string prefix = Folded(base);
    for (int i = 0; i + 1 < table.GetSize(); ++i) {
        std::string title = Folded(table[i]->m_Title);
        if (title.compare(0, prefix.size(), prefix) == 0) taken.insert(std::move(title));
    }
    CString candidate = base;
    for (int n = 1; taken.count(Folded(candidate)); ++n)
        candidate.Format("%s -- %d", (const char*)base, n);
    return candidate;
}

// Only the records the tree shows count, by the rule the tree is built by:
// the first record of each ID other than 0. A hidden record with ID 0 would
// otherwise bring in every top-level record, and a hidden repeat of an ID the
// shown record with that ID, wherever it stands.
std::vector<int> CollectSubtreeIDs(const CItemTable& table, int nID) {
    std::unordered_map<int, std::vector<int>> children;
    for (int i = 0; i < table.GetSize(); ++i) {
        const int nChild = table[i]->m_ID;
        if (nChild != 0 && table.IndexOfID(nChild) == i)
            children[table[i]->m_ParentID].push_back(nChild);
    }
    std::vector<int> ids{nID};
    std::unordered_set<int> seen{nID};
    for (size_t k = 0; k < ids.size(); ++k) {
        auto it = children.find(ids[k]);
        if (it == children.end()) continue;
        for (int child : it->second)
            if (seen.insert(child).second) ids.push_back(child);
    }
    return ids;
}

int FindForbiddenTitleChar(const CString& strTitle) {
    for (char ch : {'\\', '/', ':', '*', '?', '"', '<', '>', '|'}) {
        int n = strTitle.Find(ch);
        if (n >= 0) return n;
    }
    return -1;
}

UINT CheckNewTitle(const COrdelinkDoc& doc, int nIndex, const CString& strTitle) {
    if (strTitle.CompareNoCase("ROOT") == 0) return IDP_TITLE_IS_ROOT;
    if (doc.SiblingTitleExists(strTitle, nIndex)) return IDP_TITLE_EXISTS;
    if (FindForbiddenTitleChar(strTitle) >= 0) return IDP_TITLE_BAD_CHAR;
    if (strTitle.IsEmpty()) return IDP_TITLE_EMPTY;
    return 0;
}
