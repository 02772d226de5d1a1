#include "store/CIdMap.h"

namespace {

size_t PowerOfTwoAtLeast(size_t n) {
    size_t p = 16;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

CUrlItem** CIdMap::FindSlot(int nID) {
    if (static_cast<size_t>(nID) < m_dense.size()) return m_dense[nID] ? &m_dense[nID] : nullptr;
    const Slot* s = Locate(nID);
    return s ? &const_cast<Slot*>(s)->pItem : nullptr;
}

CUrlItem** CIdMap::Insert(int nID, CUrlItem* pItem, bool& bAdded) {
    // The array grows to take an ID when it stays within four times the
    // entries, so that scattered large IDs cannot make it huge.
    if (nID >= 0 && static_cast<size_t>(nID) >= m_dense.size() &&
        static_cast<size_t>(nID) < 4 * PowerOfTwoAtLeast(GetCount() + 1))
        GrowDense(PowerOfTwoAtLeast(static_cast<size_t>(nID) + 1));
    if (static_cast<size_t>(nID) >= m_dense.size()) return InsertSparse(nID, pItem, bAdded);
    CUrlItem*& slot = m_dense[nID];
    bAdded = slot == nullptr;
    if (bAdded) {
        slot = pItem;
        ++m_nDense;
    }
    return &slot;
}

void CIdMap::Erase(int nID) {
    if (static_cast<size_t>(nID) >= m_dense.size()) return EraseSparse(nID);
    if (m_dense[nID]) --m_nDense;
    m_dense[nID] = nullptr;
}

void CIdMap::Clear() {
    *this = CIdMap();
}

void CIdMap::Reserve(size_t nCount) {
    if (nCount + 1 > m_dense.size()) GrowDense(PowerOfTwoAtLeast(nCount + 1));
}

// Widens the array and moves the hashed IDs it now covers into it.
void CIdMap::GrowDense(size_t nSize) {
    m_dense.resize(nSize, nullptr);
    if (m_nSparse == 0) return;
    std::vector<Slot> old;
    old.swap(m_slots);
    m_nSparse = 0;
    m_nMask = 0;
    m_nShift = 32;
    bool bAdded;
    for (const Slot& s : old) {
        if (!s.pItem) continue;
        if (static_cast<size_t>(s.nID) < nSize) {
            m_dense[s.nID] = s.pItem;
            ++m_nDense;
        } else {
            InsertSparse(s.nID, s.pItem, bAdded);
        }
    }
}

CUrlItem** CIdMap::InsertSparse(int nID, CUrlItem* pItem, bool& bAdded) {
    // At most half full, so that probes stay short.
    if (2 * (m_nSparse + 1) > m_slots.size()) Rehash(m_slots.empty() ? 16 : 2 * m_slots.size());
    size_t i = Home(nID);
    for (; m_slots[i].pItem; i = (i + 1) & m_nMask) {
        if (m_slots[i].nID == nID) {
            bAdded = false;
            return &m_slots[i].pItem;
        }
    }
    m_slots[i] = Slot{nID, pItem};
    ++m_nSparse;
    bAdded = true;
    return &m_slots[i].pItem;
}

void CIdMap::EraseSparse(int nID) {
    if (m_nSparse == 0) return;
    size_t i = Home(nID);
    for (;; i = (i + 1) & m_nMask) {
        if (!m_slots[i].pItem) return;
        if (m_slots[i].nID == nID) break;
    }
    // Moves later entries of the probe run back into the gap, so that no
    // entry is ever separated from its home by a free slot.
    for (size_t j = (i + 1) & m_nMask; m_slots[j].pItem; j = (j + 1) & m_nMask) {
        const size_t home = Home(m_slots[j].nID);
        if (((j - home) & m_nMask) >= ((j - i) & m_nMask)) {
            m_slots[i] = m_slots[j];
            i = j;
        }
    }
    m_slots[i].pItem = nullptr;
    --m_nSparse;
}

void CIdMap::Rehash(size_t nCapacity) {
    std::vector<Slot> old(nCapacity, Slot{0, nullptr});
    old.swap(m_slots);
    m_nMask = nCapacity - 1;
    m_nShift = 32;
    for (size_t n = nCapacity; n > 1; n /= 2) --m_nShift;
    for (const Slot& s : old) {
        if (!s.pItem) continue;
        size_t i = Home(s.nID);
        while (m_slots[i].pItem) i = (i + 1) & m_nMask;
        m_slots[i] = s;
    }
}
