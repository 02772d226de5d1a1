// The records a check found broken or failed, for the tree to mark. A mark
// holds the address that was checked and shows only while the record still
// has it: editing the address takes the mark away without any notice, and a
// record deleted shows none. Another document (New, Open) starts with none:
// its IDs and addresses may repeat the old one's.
#pragma once

#include <unordered_map>

#include "fw/base/CString.h"
#include "store/CItemTable.h"

class CLinkMarks {
public:
    void Set(int nID, const CString& strURL) { m_urls[nID] = strURL; }
    void Clear(int nID) { m_urls.erase(nID); }
    void ClearAll() { m_urls.clear(); }
    bool IsEmpty() const { return m_urls.empty(); }
    bool IsMarked(const CItemTable& table, int nID) const;

private:
    std::unordered_map<int, CString> m_urls;
};
