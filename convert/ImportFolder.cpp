#include "convert/ImportFolder.h"

#include <utility>

#include "convert/IncomingAddress.h"
#include "fw/base/AfxMessages.h"

CString ImportFolderTitle(ImportKind kind, const CTime& time) {
    const char* pszFormat = kind == ImportKind::Favorites ? "お気に入り (%y年%m月%d日 %H時%M分%S秒)"
                                                          : "Bookmark (%y年%m月%d日 %H時%M分%S秒)";
    return time.Format(afxmsg::FromUtf8(pszFormat));
}

int AddImportFolder(COrdelinkDoc& doc, const CString& strTitle) {
    const int nID = doc.GetFreeID();
    doc.AddNewItem();
    doc.m_bEmpty = 0;
    const int nIndex = doc.m_PtrAry.GetUpperBound();
    CUrlItem* pItem = doc.m_PtrAry[nIndex];
    pItem->m_ID = nID;
    pItem->m_ParentID = 0;
    pItem->m_Memo.Empty();
    pItem->m_IsURL = 0;
    pItem->m_URL.Empty();
    pItem->m_Title = strTitle;
    return nIndex;
}

int AppendImportedRecord(COrdelinkDoc& doc, int nParentID, CString strTitle, bool bURL,
                         CString strURL, CString strMemo) {
    doc.AddNewItem();
    const int nIndex = doc.m_PtrAry.GetUpperBound();
    CUrlItem* pItem = doc.m_PtrAry[nIndex];
    pItem->m_ParentID = nParentID;
    pItem->m_Memo = std::move(strMemo);
    // The new record already holds the default ID 1, so 1 is never handed out
    // here; the import folder made before has taken any smaller free ID.
    pItem->m_ID = doc.GetFreeID();
    pItem->m_Title = std::move(strTitle);
    pItem->m_IsURL = bURL ? 1 : 0;
    // Tabs and line breaks are no part of an address; kept, they would
    // break the lines of an exported shortcut.
    pItem->m_URL = bURL ? WithoutLineBreaks(strURL) : CString();
    return nIndex;
}
