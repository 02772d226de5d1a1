#include "store/COrdelinkDoc.h"

#include <memory>

#include "fw/base/AfxHooks.h"
#include "fw/base/CArchiveException.h"
#include "store/CChangeHistory.h"

const char kOrdelinkDocTemplate[] =
    "Ordelink\n\nOrdelink\nOrdelink Files (*.pmk)\n.PMK\nOrdelink.Document\nOrdelink Document";

namespace {

// The smallest record in the file: three empty strings and three integers.
constexpr uint64_t kMinRecordBytes = 3 * 1 + 3 * 4;

}  // namespace

COrdelinkDoc::COrdelinkDoc() : m_pHistory(std::make_unique<CChangeHistory>(*this)) {}

COrdelinkDoc::~COrdelinkDoc() {
    m_pHistory.reset();
    DeleteAllItems();
}

void COrdelinkDoc::AddNewItem() {
    m_PtrAry.AddNew();
}

void COrdelinkDoc::DeleteAllItems() {
    m_PtrAry.RemoveAll();
    m_bEmpty = 1;
}

void COrdelinkDoc::DeleteItemByID(int nID) {
    int nIndex = m_PtrAry.IndexOfID(nID);
    if (nIndex < 0) return;
    m_PtrAry.RemoveAt(nIndex);
    if (m_PtrAry.GetSize() == 0) m_bEmpty = 1;
}

void COrdelinkDoc::DeleteItemsByID(const std::vector<int>& ids) {
    m_PtrAry.RemoveIDs(ids);
    if (m_PtrAry.GetSize() == 0) m_bEmpty = 1;
}

int COrdelinkDoc::IsURLOfID(int nID) const {
    const CUrlItem* pItem = m_PtrAry.FindID(nID);
    return pItem ? pItem->m_IsURL : -1;
}

int COrdelinkDoc::SiblingTitleExists(const CString& strTitle, int nIndex) const {
    const int nParentID = m_PtrAry[nIndex]->m_ParentID;
    for (int j = 0; j < m_PtrAry.GetSize(); ++j) {
        const CUrlItem* pItem = m_PtrAry[j];
        if (j != nIndex && pItem->m_ParentID == nParentID && pItem->m_Title.Compare(strTitle) == 0)
            return 1;
    }
    return 0;
}

void COrdelinkDoc::SetPending(const CString& strTitle, const CString& strURL) {
    m_PendingTitle = strTitle;
    m_PendingURL = strURL;
}

void COrdelinkDoc::GetPending(CString& strTitle, CString& strURL) const {
    strTitle = m_PendingTitle;
    strURL = m_PendingURL;
}

void COrdelinkDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_PtrAry.GetSize());
        for (int i = 0; i < m_PtrAry.GetSize(); ++i) m_PtrAry[i]->Serialize(ar);
        return;
    }
    CWaitCursor wait;
    DeleteAllItems();
    m_nCurIndex = -1;
    int32_t nCount;
    ar >> nCount;
    // A count the rest of the file cannot hold is damage, found before
    // anything is allocated for it.
    if (nCount < 0 || static_cast<uint64_t>(nCount) * kMinRecordBytes > ar.GetBytesRemaining())
        throw CArchiveException(CArchiveException::endOfFile);
    m_bEmpty = nCount == 0 ? 1 : 0;
    m_PtrAry.Reserve(nCount);
    for (int32_t i = 0; i < nCount; ++i) {
        // Read before it joins the table, so that its ID is indexed once.
        auto pItem = std::make_unique<CUrlItem>();
        pItem->Serialize(ar);
        m_PtrAry.AddFilled(pItem.release());
    }
}

BOOL COrdelinkDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    m_bEmpty = 1;
    m_nCurIndex = -1;
    DeleteAllItems();
    m_pHistory->Clear();
    return TRUE;
}

BOOL COrdelinkDoc::OnSaveDocument(const char* pszPathName) {
    if (!CDocument::OnSaveDocument(pszPathName)) return FALSE;
    m_pHistory->MarkSaved();
    return TRUE;
}

// The history goes with the contents it was recorded for. So an Open that
// fails before reading (a missing or locked file) keeps the document, its
// unsaved changes and the steps back to its saved state.
void COrdelinkDoc::DeleteContents() {
    DeleteAllItems();
    m_nCurIndex = -1;
    m_pHistory->Clear();
}
