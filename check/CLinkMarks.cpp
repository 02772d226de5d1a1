#include "check/CLinkMarks.h"

bool CLinkMarks::IsMarked(const CItemTable& table, int nID) const {
    const auto it = m_urls.find(nID);
    if (it == m_urls.end()) return false;
    const CUrlItem* pItem = table.FindID(nID);
    return pItem && pItem->m_IsURL && pItem->m_URL == it->second;
}
