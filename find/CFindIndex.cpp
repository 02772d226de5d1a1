#include "find/CFindIndex.h"

#include <algorithm>
#include <unordered_map>

#include "fw/base/CodePage.h"
#include "fw/base/SearchFold.h"

namespace {

void AppendFolded(const std::string& text, std::string& out) {
    std::string folded;
    codepage::FoldForSearch(text.data(), text.size(), folded);
    out += folded;
}

}  // namespace

void CFindIndex::Clear() {
    m_entries.clear();
    m_orderIDs.clear();
    m_rank.clear();
    m_bRankValid = false;
}

// The lead bytes of the active code page, looked up without a call per byte.
CFindIndex::LeadTable CFindIndex::ActiveLeadTable() {
    LeadTable lead{};
    for (int c = 0; c < 256; ++c) lead[c] = codepage::IsLeadByte(static_cast<unsigned char>(c));
    return lead;
}

bool CFindIndex::Contains(const std::string& hay, const std::string& needle) {
    const LeadTable lead = ActiveLeadTable();
    return Contains(lead, hay, needle, EndsInLoneLead(lead, needle));
}

bool CFindIndex::EndsInLoneLead(const LeadTable& lead, const std::string& needle) {
    size_t i = 0;
    while (i + 1 < needle.size()) i += lead[static_cast<unsigned char>(needle[i])] ? 2 : 1;
    return i + 1 == needle.size() && lead[static_cast<unsigned char>(needle[i])];
}

// A candidate found by a byte search counts when it starts a character. The
// character boundaries are walked forward once, alongside the candidates
// (which only grow), so a long run of bytes that could all be lead bytes is
// read once, not again for every candidate in it. With the start on a
// boundary, equal bytes parse as the needle parses, except a needle ending in
// a lone lead byte, which here would take the next byte as its trail.
bool CFindIndex::Contains(const LeadTable& lead, const std::string& hay, const std::string& needle,
                          bool bLoneLeadAtEnd) {
    const size_t nh = hay.size(), nn = needle.size();
    if (nn == 0 || nn > nh) return false;
    size_t nBoundary = 0;  // a character boundary, never past the candidate
    for (size_t pos = hay.find(needle); pos != std::string::npos; pos = hay.find(needle, pos + 1)) {
        while (nBoundary < pos) {
            const size_t nNext =
                nBoundary + (lead[static_cast<unsigned char>(hay[nBoundary])] ? 2 : 1);
            if (nNext > pos) break;
            nBoundary = nNext;
        }
        if (nBoundary != pos) continue;  // the candidate starts on a trail byte
        if (bLoneLeadAtEnd && pos + nn < nh) continue;
        return true;
    }
    return false;
}

void CFindIndex::Refresh(Entry& e) {
    const CUrlItem& item = *e.pItem;
    if (!e.folded.empty() && e.title == item.m_Title.str() && e.url == item.m_URL.str() &&
        e.memo == item.m_Memo.str())
        return;
    e.title = item.m_Title.str();
    e.url = item.m_URL.str();
    e.memo = item.m_Memo.str();
    e.folded.clear();
    AppendFolded(e.title, e.folded);
    e.folded += '\0';
    AppendFolded(e.url, e.folded);
    e.folded += '\0';
    AppendFolded(e.memo, e.folded);
}

// Entries follow their records: in the common case every record is where it
// was; after deletions and insertions the entries are matched up by record.
void CFindIndex::Sync(const CItemTable& table) {
    const size_t n = static_cast<size_t>(table.GetSize());
    size_t i = 0;
    for (; i < n && i < m_entries.size() && m_entries[i].pItem == table[static_cast<int>(i)]; ++i)
        Refresh(m_entries[i]);
    if (i == n && n == m_entries.size()) return;

    m_bRankValid = false;
    std::unordered_map<const CUrlItem*, size_t> where;
    for (size_t j = i; j < m_entries.size(); ++j) where.emplace(m_entries[j].pItem, j);
    std::vector<Entry> next(n);
    for (size_t j = 0; j < i; ++j) next[j] = std::move(m_entries[j]);
    for (size_t j = i; j < n; ++j) {
        const CUrlItem* pItem = table[static_cast<int>(j)];
        auto it = where.find(pItem);
        if (it != where.end()) next[j] = std::move(m_entries[it->second]);
        next[j].pItem = pItem;
        Refresh(next[j]);
    }
    m_entries.swap(next);
}

void CFindIndex::SyncOrder(const CItemTable& table, const std::vector<int>& orderIDs) {
    if (m_bRankValid && orderIDs == m_orderIDs) return;
    m_orderIDs = orderIDs;
    m_rank.assign(m_entries.size(), -1);
    for (size_t p = 0; p < orderIDs.size(); ++p) {
        const int nIndex = table.IndexOfID(orderIDs[p]);
        if (nIndex >= 0 && m_rank[nIndex] < 0) m_rank[nIndex] = static_cast<int>(p);
    }
    m_bRankValid = true;
}

std::vector<int> CFindIndex::Find(const CItemTable& table, const std::vector<int>& orderIDs,
                                  const CString& strQuery) {
    std::vector<int> found;
    const std::string needle = codepage::FoldForSearch(strQuery.str());
    if (needle.empty()) return found;
    Sync(table);
    SyncOrder(table, orderIDs);
    const LeadTable lead = ActiveLeadTable();
    const bool bLoneLeadAtEnd = EndsInLoneLead(lead, needle);
    std::vector<char> hit(orderIDs.size(), 0);
    size_t nHits = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_rank[i] >= 0 && Contains(lead, m_entries[i].folded, needle, bLoneLeadAtEnd)) {
            hit[m_rank[i]] = 1;
            ++nHits;
        }
    }
    found.reserve(nHits);
    for (size_t p = 0; p < hit.size(); ++p)
        if (hit[p]) found.push_back(orderIDs[p]);
    return found;
}
