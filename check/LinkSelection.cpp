#include "check/LinkSelection.h"

#include <unordered_map>
#include <unordered_set>

#include "check/UrlSyntax.h"
#include "store/ItemEdits.h"

std::vector<LinkToCheck> CollectLinks(const CItemTable& table, int nFolderID,
                                      const ToUtf8Fn& toUtf8) {
    std::unordered_set<int> below;
    if (nFolderID != 0) {
        const std::vector<int> ids = CollectSubtreeIDs(table, nFolderID);
        below.insert(ids.begin(), ids.end());
    }
    std::vector<LinkToCheck> links;
    for (int i = 0; i < table.GetSize(); ++i) {
        const CUrlItem* p = table[i];
        if (!p->m_IsURL || (nFolderID != 0 && !below.count(p->m_ID))) continue;
        links.push_back({p->m_ID, toUtf8(p->m_URL), i});
    }
    return links;
}

std::vector<std::vector<int>> FindDuplicateGroups(const std::vector<LinkToCheck>& links) {
    std::unordered_map<std::string, size_t> groupOf;
    std::vector<std::vector<int>> groups;
    for (const LinkToCheck& link : links) {
        if (link.url.empty()) continue;
        const auto it = groupOf.emplace(NormaliseUrl(link.url), groups.size());
        if (it.second) groups.emplace_back();
        groups[it.first->second].push_back(link.nID);
    }
    std::vector<std::vector<int>> duplicates;
    for (std::vector<int>& g : groups)
        if (g.size() > 1) duplicates.push_back(std::move(g));
    return duplicates;
}
