// The tree view's round trip with browsers: the tree written as a bookmark
// file (File > Export Bookmark File...), links pasted in (Edit > Paste with
// the tree active) and links dropped in (the OLE drop target). The reading
// and writing is the portable code of convert/; here are the dialog, the
// clipboard, the drop target's registration and the tree.
#include <unordered_map>

#include "convert/BookmarkExport.h"
#include "convert/LinkPage.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/CTime.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFileDialog.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeDropTarget.h"
#include "views/CTreeVw.h"
#include "views/CommandRules.h"
#include "views/LabelOrder.h"
#include "views/LinkDataObject.h"
#include "views/ViewBeep.h"

namespace {

const char kBookmarkFileFilter[] = "HTML Files (*.html)|*.html|All Files (*.*)|*.*||";

// A format a pasted link may come in.
bool ClipboardMayHoldLink() {
    if (::IsClipboardFormatAvailable(CF_TEXT) || ::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return true;
    for (const char* pszName : {"HTML Format", "UniformResourceLocator", "UniformResourceLocatorW"})
        if (::IsClipboardFormatAvailable(::RegisterClipboardFormatA(pszName))) return true;
    return false;
}

}  // namespace

// ---- The drop target's life: registered with the window, revoked before it goes

// The view's window is a subclassed control, made before the view sees
// its messages: the target is registered at the first initial update.
void CTreeVw::RegisterLinkDrop() {
    if (m_pDropTarget || !m_hWnd) return;
    m_pDropTarget = new CTreeDropTarget(this);
    // Fails where OLE was not initialized (some tests): the target can still
    // be driven directly.
    ::RegisterDragDrop(m_hWnd, m_pDropTarget);
}

void CTreeVw::OnDestroy() {
    if (m_pDropTarget) {
        ::RevokeDragDrop(m_hWnd);
        m_pDropTarget->Detach();
        m_pDropTarget->Release();
        m_pDropTarget = nullptr;
    }
    CTreeView::OnDestroy();
}

// ---- Adding a link

BOOL CTreeVw::IsLinkDropRefused(HTREEITEM hTarget) const {
    if (!hTarget) return TRUE;
    const int nID = GetItemID(hTarget);
    return nID != 0 && GetDocument()->IsURLOfID(nID) != 0;
}

// Made by Add URL's insertion under hFolder, then given its title and
// address: the node moves to its place among its siblings and the form
// shows the record.
HTREEITEM CTreeVw::AddLinkFromData(HTREEITEM hFolder, const CString& strTitle,
                                   const CString& strURL) {
    COrdelinkDoc* pDoc = GetDocument();
    if (pDoc->m_bEmpty != 1) {
        if (!hFolder) hFolder = m_hRootNode;
        if (IsLinkDropRefused(hFolder)) return nullptr;
        if (GetSelectedItem() != hFolder) SelectItem(hFolder);
    }
    // One undoable step: the new record is recorded once it holds the link.
    const int nCount = pDoc->m_PtrAry.GetSize();
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Add);
        InsertNewItem(FALSE, FALSE, FALSE);
        if (pDoc->m_PtrAry.GetSize() == nCount) return nullptr;
        CUrlItem& rec = *pDoc->m_PtrAry[pDoc->m_PtrAry.GetUpperBound()];
        rec.m_Title = strTitle;
        rec.m_URL = strURL;
        pDoc->History().Appended(nCount);
    }
    HTREEITEM hNew = GetSelectedItem();
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hNew;
    item.pszText = const_cast<char*>(static_cast<const char*>(strTitle));
    ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SortChildrenOf(GetParentItem(hNew));
    TreeView_EnsureVisible(m_hWnd, hNew);
    pDoc->SetModifiedFlag(TRUE);
    LRESULT lResult = 0;
    OnSelChanged(nullptr, &lResult);
    return hNew;
}

// ---- Edit > Paste with the tree active

void CTreeVw::OnUpdatePasteLink(CCmdUI* pCmdUI) {
    const CommandState state =
        CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0, m_bDragging != 0);
    pCmdUI->Enable(IsTreeCommandEnabled(ID_ADD_URL, state) && ClipboardMayHoldLink());
}

void CTreeVw::OnPasteLink() {
    const CommandState state =
        CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0, m_bDragging != 0);
    if (!IsTreeCommandEnabled(ID_ADD_URL, state)) return;
    IDataObject* pData = nullptr;
    CString strTitle, strURL, strRefused;
    bool bLink = false;
    if (SUCCEEDED(::OleGetClipboard(&pData)) && pData) {
        bLink = LinkFromFormats(ReadLinkFormats(pData), strTitle, strURL, 0, &strRefused);
        pData->Release();
    }
    if (!bLink) {
        ReportNoLink(strRefused);  // no address on the clipboard
        return;
    }
    AddLinkFromData(GetSelectedItem(), strTitle, strURL);
}

// ---- File > Export Bookmark File...

// The selected folder with everything below it, or the whole tree when the
// ROOT, a URL item or nothing is selected; siblings in the tree's order.
void CTreeVw::OnExportBookmarkFile() {
    COrdelinkDoc* pDoc = GetDocument();
    if (pDoc->m_bEmpty == 1) return;
    const int nSelID = GetItemID(GetSelectedItem());
    BookmarkExportOptions options;
    options.nTopID = nSelID != 0 && pDoc->IsURLOfID(nSelID) == 0 ? nSelID : 0;
    CFileDialog dlg(FALSE, "html", LinkPageBaseName(pDoc->GetTitle()) + ".html",
                    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kBookmarkFileFilter, this);
    if (dlg.DoModal() != IDOK) return;
    const CString strPath = dlg.GetPathName();

    CWaitCursor wait;
    options.nAddDate = static_cast<int64_t>(CTime::GetCurrentTime().GetTime());
    std::unordered_map<const CUrlItem*, std::wstring> keys;
    for (int i = 0; i < pDoc->m_PtrAry.GetSize(); ++i)
        keys.emplace(pDoc->m_PtrAry[i], LabelSortKey(pDoc->m_PtrAry[i]->m_Title));
    options.less = [&keys](const CUrlItem& a, const CUrlItem& b) {
        return CompareLabelKeys(keys.at(&a), keys.at(&b)) < 0;
    };
    if (ExportBookmarkFile(pDoc->m_PtrAry, strPath, options) != BookmarkExportResult::Done)
        AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_EXPORT_BOOKMARK_FAILED), strPath),
                      AFX_MB_OK | AFX_MB_ICONEXCLAMATION);
}
