#include "store/CItemTable.h"

#include <algorithm>

CItemTable::~CItemTable() {
    RemoveAll();
}

CUrlItem* CItemTable::AddNew() {
    auto* pItem = new CUrlItem;
    AddFilled(pItem);
    return pItem;
}

void CItemTable::AddFilled(CUrlItem* pItem) {
    m_items.push_back(pItem);
    pItem->m_pTable = this;
    pItem->m_nIndex = GetSize() - 1;
    if (m_nValidTo == GetSize() - 1) m_nValidTo = GetSize();
    IndexAdd(pItem);
}

void CItemTable::Reserve(int nCount) {
    m_items.reserve(nCount);
    m_first.Reserve(nCount);
}

void CItemTable::InsertFilled(const std::vector<std::pair<int, CUrlItem*>>& items) {
    if (items.empty()) return;
    std::vector<CUrlItem*> merged;
    merged.reserve(m_items.size() + items.size());
    size_t nOld = 0;
    for (const auto& [nIndex, pItem] : items) {
        while (static_cast<int>(merged.size()) < nIndex && nOld < m_items.size())
            merged.push_back(m_items[nOld++]);
        pItem->m_pTable = this;
        merged.push_back(pItem);
    }
    merged.insert(merged.end(), m_items.begin() + nOld, m_items.end());
    m_items.swap(merged);
    // Records move up here, which the lazy correction of positions (made
    // for removals, which only move records down) cannot tell: renumber all.
    for (int i = 0; i < GetSize(); ++i) m_items[i]->m_nIndex = i;
    m_nValidTo = GetSize();
    for (const auto& entry : items) IndexAdd(entry.second);
}

void CItemTable::RemoveAt(int nIndex) {
    CUrlItem* pItem = m_items[nIndex];
    IndexRemove(pItem, pItem->m_ID);
    m_items.erase(m_items.begin() + nIndex);
    delete pItem;
    m_nValidTo = std::min(m_nValidTo, nIndex);
}

void CItemTable::RemoveIDs(const std::vector<int>& ids) {
    std::vector<CUrlItem*> doomed;
    doomed.reserve(ids.size());
    for (int nID : ids) {
        if (CUrlItem* pItem = FindID(nID)) {
            IndexRemove(pItem, nID);
            pItem->m_pTable = nullptr;  // marks it for the compaction below
            doomed.push_back(pItem);
        }
    }
    if (doomed.empty()) return;
    int nFirstGap = GetSize();
    for (CUrlItem* pItem : doomed) nFirstGap = std::min(nFirstGap, IndexOf(pItem));
    auto keep = std::remove_if(m_items.begin() + nFirstGap, m_items.end(),
                               [](CUrlItem* p) { return p->m_pTable == nullptr; });
    m_items.erase(keep, m_items.end());
    for (CUrlItem* pItem : doomed) delete pItem;
    m_nValidTo = std::min(m_nValidTo, nFirstGap);
}

void CItemTable::RemoveAll() {
    for (CUrlItem* pItem : m_items) delete pItem;
    m_items.clear();
    m_first.Clear();
    m_repeats.clear();
    m_free.clear();
    m_nCovered = 0;
    m_nValidTo = 0;
}

int CItemTable::IndexOfID(int nID) const {
    CUrlItem* pItem = FindID(nID);
    return pItem ? IndexOf(pItem) : -1;
}

CUrlItem* CItemTable::FindID(int nID) const {
    return m_first.Find(nID);
}

int CItemTable::GetFreeID() {
    if (!m_free.empty()) return *m_free.begin();
    while (m_first.Contains(m_nCovered + 1)) ++m_nCovered;
    return m_nCovered + 1;
}

// A removal moves the records after it one place down; their stored
// positions are corrected only when asked for, from the first stale one up to
// the record wanted, so deletions in table order cost O(N) in all.
int CItemTable::IndexOf(const CUrlItem* pItem) const {
    if (pItem->m_nIndex < m_nValidTo) return pItem->m_nIndex;
    int i = m_nValidTo;
    for (;; ++i) {
        m_items[i]->m_nIndex = i;
        if (m_items[i] == pItem) break;
    }
    m_nValidTo = i + 1;
    return i;
}

void CItemTable::MarkUsed(int nID) {
    if (nID >= 1 && nID <= m_nCovered) m_free.erase(nID);
}

void CItemTable::MarkFree(int nID) {
    if (nID >= 1 && nID <= m_nCovered) m_free.insert(nID);
}

void CItemTable::IndexAdd(CUrlItem* pItem) {
    const int nID = pItem->m_ID;
    bool bAdded;
    CUrlItem** ppFirst = m_first.Insert(nID, pItem, bAdded);
    if (bAdded) {
        MarkUsed(nID);
        return;
    }
    // The ID is taken: keep the records with it in table order.
    std::vector<CUrlItem*>& repeats = m_repeats[nID];
    if (IndexOf(*ppFirst) > IndexOf(pItem)) std::swap(*ppFirst, pItem);
    auto pos = std::upper_bound(
        repeats.begin(), repeats.end(), pItem,
        [this](const CUrlItem* a, const CUrlItem* b) { return IndexOf(a) < IndexOf(b); });
    repeats.insert(pos, pItem);
}

void CItemTable::IndexRemove(CUrlItem* pItem, int nID) {
    auto rit = m_repeats.find(nID);
    if (rit == m_repeats.end()) {
        m_first.Erase(nID);
        MarkFree(nID);
        return;
    }
    std::vector<CUrlItem*>& repeats = rit->second;
    CUrlItem** ppFirst = m_first.FindSlot(nID);
    if (*ppFirst == pItem) {
        *ppFirst = repeats.front();
        repeats.erase(repeats.begin());
    } else {
        // Records are most often removed from the end of the table.
        repeats.erase(std::find(repeats.rbegin(), repeats.rend(), pItem).base() - 1);
    }
    if (repeats.empty()) m_repeats.erase(rit);
}

void CItemTable::OnIdChanged(CUrlItem* pItem, int nOldID) {
    IndexRemove(pItem, nOldID);
    IndexAdd(pItem);
}
