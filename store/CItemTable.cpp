#include "store/CItemTable.h"

#include <algorithm>

CItemTable::~CItemTable() {
    RemoveAll();
}

CUrlItem* CItemTable::AddNew() {
    auto* pItem = new CUrlItem;
    m_items.push_back(pItem);
    pItem->m_pTable = this;
    pItem->m_nIndex = GetSize() - 1;
    IndexAdd(pItem);
    return pItem;
}

void CItemTable::RemoveAt(int nIndex) {
    CUrlItem* pItem = m_items[nIndex];
    IndexRemove(pItem, pItem->m_ID);
    m_items.erase(m_items.begin() + nIndex);
    delete pItem;
    Renumber(nIndex);
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
    for (CUrlItem* pItem : doomed) nFirstGap = std::min(nFirstGap, pItem->m_nIndex);
    auto keep = std::remove_if(m_items.begin() + nFirstGap, m_items.end(),
                               [](CUrlItem* p) { return p->m_pTable == nullptr; });
    m_items.erase(keep, m_items.end());
    for (CUrlItem* pItem : doomed) delete pItem;
    Renumber(nFirstGap);
}

void CItemTable::RemoveAll() {
    for (CUrlItem* pItem : m_items) delete pItem;
    m_items.clear();
    m_first.clear();
    m_repeats.clear();
    m_free.clear();
    m_nCovered = 0;
}

int CItemTable::IndexOfID(int nID) const {
    CUrlItem* pItem = FindID(nID);
    return pItem ? pItem->m_nIndex : -1;
}

CUrlItem* CItemTable::FindID(int nID) const {
    auto it = m_first.find(nID);
    return it == m_first.end() ? nullptr : it->second;
}

int CItemTable::GetFreeID() {
    if (!m_free.empty()) return *m_free.begin();
    while (m_first.count(m_nCovered + 1)) ++m_nCovered;
    return m_nCovered + 1;
}

void CItemTable::Renumber(int nFrom) {
    for (int i = nFrom; i < GetSize(); ++i) m_items[i]->m_nIndex = i;
}

void CItemTable::MarkUsed(int nID) {
    if (nID >= 1 && nID <= m_nCovered) m_free.erase(nID);
}

void CItemTable::MarkFree(int nID) {
    if (nID >= 1 && nID <= m_nCovered) m_free.insert(nID);
}

void CItemTable::IndexAdd(CUrlItem* pItem) {
    const int nID = pItem->m_ID;
    auto [it, inserted] = m_first.emplace(nID, pItem);
    if (inserted) {
        MarkUsed(nID);
        return;
    }
    // The ID is taken: keep the records with it in table order.
    std::vector<CUrlItem*>& repeats = m_repeats[nID];
    if (it->second->m_nIndex > pItem->m_nIndex) std::swap(it->second, pItem);
    auto pos = std::upper_bound(
        repeats.begin(), repeats.end(), pItem,
        [](const CUrlItem* a, const CUrlItem* b) { return a->m_nIndex < b->m_nIndex; });
    repeats.insert(pos, pItem);
}

void CItemTable::IndexRemove(CUrlItem* pItem, int nID) {
    auto rit = m_repeats.find(nID);
    if (rit == m_repeats.end()) {
        m_first.erase(nID);
        MarkFree(nID);
        return;
    }
    std::vector<CUrlItem*>& repeats = rit->second;
    auto it = m_first.find(nID);
    if (it->second == pItem) {
        it->second = repeats.front();
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
