// One bookmark record: a folder or a URL item, linked to its parent by ID.
#pragma once

#include "fw/base/CArchive.h"
#include "fw/base/CString.h"

class CItemTable;
class CUrlItem;

// The record's ID. Reads like an int; assigning it keeps the owning table's ID
// index in step, so code may set m_ID directly on a record in the table.
class CItemId {
public:
    explicit CItemId(CUrlItem* pOwner) : m_pOwner(pOwner) {}
    CItemId(const CItemId&) = delete;
    CItemId& operator=(const CItemId& other) { return *this = static_cast<int>(other); }
    CItemId& operator=(int nID);
    operator int() const { return m_nValue; }

private:
    int m_nValue = 1;
    CUrlItem* m_pOwner;
};

class CUrlItem {
public:
    CUrlItem() = default;
    virtual ~CUrlItem() = default;
    CUrlItem(const CUrlItem&) = delete;
    CUrlItem& operator=(const CUrlItem&) = delete;

    // Stores or loads the six fields in declaration order.
    virtual void Serialize(CArchive& ar);

    CString m_Title;
    CString m_URL;
    CString m_Memo;
    int m_IsURL = 1;
    CItemId m_ID{this};
    int m_ParentID = 0;

private:
    friend class CItemId;
    friend class CItemTable;

    CItemTable* m_pTable = nullptr;  // the table holding the record, if any
    int m_nIndex = -1;               // its position there
};
