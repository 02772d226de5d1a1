// The document's table of records in append order. It owns the records and
// keeps an index of their IDs in step with every change, so that looking up an
// ID and finding the smallest free ID cost O(1) to O(log N) instead of scans.
// Lookups keep the table's order: with repeated IDs (a damaged file) the
// record with the lowest index wins.
#pragma once

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/CIdMap.h"
#include "store/CUrlItem.h"

class CItemTable {
public:
    CItemTable() = default;
    ~CItemTable();
    CItemTable(const CItemTable&) = delete;
    CItemTable& operator=(const CItemTable&) = delete;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    CUrlItem* GetAt(int nIndex) const { return m_items[nIndex]; }
    CUrlItem* operator[](int nIndex) const { return m_items[nIndex]; }

    // Appends a record with the defaults and returns it.
    CUrlItem* AddNew();
    // Appends a record filled while it belonged to no table (as loading
    // does) and takes it over; its ID enters the index once.
    void AddFilled(CUrlItem* pItem);
    void Reserve(int nCount);
    // Takes over records filled while they belonged to no table and places
    // them at the given indexes (ascending, each the record's index once all
    // are in), in one pass over the table.
    void InsertFilled(const std::vector<std::pair<int, CUrlItem*>>& items);
    // Destroys the record at nIndex and closes the gap.
    void RemoveAt(int nIndex);
    // Destroys, for each ID in the list, the first remaining record with that
    // ID, closing all gaps in one pass. Unknown IDs are ignored.
    void RemoveIDs(const std::vector<int>& ids);
    void RemoveAll();

    // Index of the first record with this ID, or -1.
    int IndexOfID(int nID) const;
    // First record with this ID, or nullptr.
    CUrlItem* FindID(int nID) const;
    // The smallest ID >= 1 that no record uses.
    int GetFreeID();

private:
    friend class CItemId;

    void IndexAdd(CUrlItem* pItem);
    void IndexRemove(CUrlItem* pItem, int nID);
    void OnIdChanged(CUrlItem* pItem, int nOldID);
    void MarkUsed(int nID);
    void MarkFree(int nID);
    int IndexOf(const CUrlItem* pItem) const;

    std::vector<CUrlItem*> m_items;
    // First record (lowest index) with each ID.
    CIdMap m_first;
    // Further records with an ID already taken, in table order; normally empty.
    std::unordered_map<int, std::vector<CUrlItem*>> m_repeats;
    // Free IDs in [1, m_nCovered]; every ID in that range is used or listed.
    std::set<int> m_free;
    int m_nCovered = 0;
    // Records below this position know their true index.
    mutable int m_nValidTo = 0;
};
