// The item table's map from an ID to its first record, without an
// allocation per entry. IDs from 0 up to a bound that grows with the map (the
// usual case: IDs are handed out smallest first) index an array directly, in
// the order of the IDs; the others go to a hash table with open addressing
// and linear probing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CUrlItem;

class CIdMap {
public:
    // The record for nID, or nullptr.
    CUrlItem* Find(int nID) const {
        if (static_cast<size_t>(nID) < m_dense.size()) return m_dense[nID];
        const Slot* s = Locate(nID);
        return s ? s->pItem : nullptr;
    }
    bool Contains(int nID) const { return Find(nID) != nullptr; }
    // Where the record for nID is kept, to replace it; nullptr when absent.
    CUrlItem** FindSlot(int nID);
    // Adds nID -> pItem unless nID is there; returns where the entry's
    // record is kept either way, and whether it was added.
    CUrlItem** Insert(int nID, CUrlItem* pItem, bool& bAdded);
    // Removes nID when it is there.
    void Erase(int nID);
    void Clear();
    // Makes room for nCount entries (IDs 0 to nCount directly).
    void Reserve(size_t nCount);
    size_t GetCount() const { return m_nDense + m_nSparse; }

private:
    struct Slot {
        int nID;
        CUrlItem* pItem;  // nullptr: the slot is free
    };
    size_t Home(int nID) const {
        // Fibonacci hashing spreads patterned IDs over the table.
        return (static_cast<uint32_t>(nID) * 0x9E3779B1u >> m_nShift) & m_nMask;
    }
    const Slot* Locate(int nID) const {
        if (m_nSparse == 0) return nullptr;
        for (size_t i = Home(nID);; i = (i + 1) & m_nMask) {
            const Slot& s = m_slots[i];
            if (!s.pItem) return nullptr;
            if (s.nID == nID) return &s;
        }
    }
    void GrowDense(size_t nSize);
    void Rehash(size_t nCapacity);
    CUrlItem** InsertSparse(int nID, CUrlItem* pItem, bool& bAdded);
    void EraseSparse(int nID);

    std::vector<CUrlItem*> m_dense;  // record of each ID below its size, or nullptr
    size_t m_nDense = 0;             // entries in m_dense
    std::vector<Slot> m_slots;       // the other IDs
    size_t m_nMask = 0;
    int m_nShift = 32;
    size_t m_nSparse = 0;
};
