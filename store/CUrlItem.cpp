#include "store/CUrlItem.h"

#include "store/CItemTable.h"

CItemId& CItemId::operator=(int nID) {
    const int nOld = m_nValue;
    m_nValue = nID;
    if (nOld != nID && m_pOwner->m_pTable) m_pOwner->m_pTable->OnIdChanged(m_pOwner, nOld);
    return *this;
}

void CUrlItem::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_Title << m_URL << m_Memo;
        ar << static_cast<int32_t>(m_IsURL) << static_cast<int32_t>(m_ID)
           << static_cast<int32_t>(m_ParentID);
    } else {
        int32_t nIsURL, nID, nParentID;
        ar >> m_Title >> m_URL >> m_Memo;
        ar >> nIsURL >> nID >> nParentID;
        m_IsURL = nIsURL;
        m_ID = nID;
        m_ParentID = nParentID;
    }
}
