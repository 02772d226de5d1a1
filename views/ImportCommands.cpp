// The tree view's import and export commands: the Favorites folder in (32776)
// and out (32777), and a browser's bookmark file in (32783, and 32776 for a
// browser other than Internet Explorer). The reading and writing is the
// portable code of convert/; here are the prompts, dialogs, cursor, messages
// and the tree.
#include "convert/BookmarkImport.h"
#include "convert/FavoritesExport.h"
#include "convert/FavoritesImport.h"
#include "convert/FavoritesPath.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/CTime.h"
#include "fw/win/CFileDialog.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "fw/win/CStatusProgress.h"
#include "views/CTreeBuilder.h"
#include "views/CTreeExportTree.h"
#include "views/CTreeVw.h"
#include "views/ViewBeep.h"

namespace {

const char kBookmarkFileName[] = "bookmark.htm";
const char kBookmarkDefExt[] = "HTM";
// 32783 and 32776 name the first filter differently.
const char kReadBookmarkFilter[] = "HTM Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||";
const char kConvertBookmarkFilter[] = "HTML Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||";

bool AskYesNo(UINT nPromptID, UINT nDefaultButton) {
    return AfxMessageBox(AfxLoadString(nPromptID),
                         AFX_MB_YESNO | AFX_MB_ICONQUESTION | nDefaultButton) == AFX_IDYES;
}

// The chosen bookmark file, or false when the dialog was cancelled.
bool ChooseBookmarkFile(const char* pszFilter, CString& strPath) {
    CFileDialog dlg(TRUE, kBookmarkDefExt, kBookmarkFileName, OFN_HIDEREADONLY, pszFilter);
    if (dlg.DoModal() != IDOK) return false;
    strPath = dlg.GetPathName();
    return true;
}

// Nodes added in bulk are not painted one by one.
class CNoRedraw {
public:
    explicit CNoRedraw(HWND hWnd) : m_hWnd(hWnd) { ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0); }
    ~CNoRedraw() {
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    CNoRedraw(const CNoRedraw&) = delete;
    CNoRedraw& operator=(const CNoRedraw&) = delete;

private:
    HWND m_hWnd;
};

// Counts the records an importer makes, for the progress shown; their nodes
// are put in once the reading is over (CTreeBuilder), all in one pass.
class CImportCounter : public CImportObserver {
public:
    explicit CImportCounter(CStatusProgress& progress) : m_progress(progress) {}
    ImportNode OnRecordAdded(ImportNode parent, const CUrlItem&, int) override {
        m_progress.Step();
        return parent;
    }

private:
    CStatusProgress& m_progress;
};

}  // namespace

// The nodes of what an import read into the dated folder (the records after
// it in the table), sorted, the sub-folders collapsed as the reader left them.
void CTreeVw::AddImportedNodes(int nFolderIndex, CStatusProgress& progress) {
    CNoRedraw noRedraw(m_hWnd);
    CTreeBuilder(m_hWnd, GetDocument()->m_PtrAry, &m_PlacedTitles)
        .Build(
            m_hImportNode, GetDocument()->m_PtrAry[nFolderIndex]->m_ID, nFolderIndex + 1,
            [](int) { return false; }, &progress);
}

// ---- Favorites import, or the bookmark file for another browser

void CTreeVw::OnImportFavorites() {
    if (!AskYesNo(m_bBrowserIsIE == 1 ? IDP_IMPORT_FAV_ASK : IDP_IMPORT_BOOKMARK_ASK,
                  MB_DEFBUTTON1))
        return;
    if (m_bBrowserIsIE != 1) {
        CString strPath;
        if (ChooseBookmarkFile(kConvertBookmarkFilter, strPath)) ImportBookmarkFile(strPath, FALSE);
        return;
    }

    CWaitCursor wait;
    COrdelinkDoc* pDoc = GetDocument();
    // The dated folder and everything read into it are one step to undo.
    const int nFirst = pDoc->m_PtrAry.GetSize();
    int nResult = 0;
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Import);
        InsertNewItem(TRUE, TRUE, FALSE);
        // The dated folder and the modified mark stay whatever the walk finds.
        pDoc->SetModifiedFlag(TRUE);
        if (HasFavoritesFolder(m_FavoritesPath)) {
            CStatusProgress progress;
            CImportCounter counter(progress);
            nResult = ImportFavoritesFolder(*pDoc, m_FavoritesPath.str(), m_hImportNode,
                                            GetItemID(m_hImportNode), &counter);
            AddImportedNodes(nFirst, progress);
        }
        pDoc->History().Appended(nFirst);
    }
    if (!nResult) AfxMessageBox(AfxLoadString(IDP_IMPORT_FAV_FAILED));
    TreeView_Expand(m_hWnd, m_hImportNode, TVE_EXPAND);
    ViewMessageBeep(0);
}

// ---- Bookmark file

void CTreeVw::OnReadBookmark() {
    if (!AskYesNo(IDP_IMPORT_BOOKMARK_ASK, MB_DEFBUTTON1)) return;
    CString strPath;
    if (ChooseBookmarkFile(kReadBookmarkFilter, strPath)) ImportBookmarkFile(strPath, TRUE);
}

void CTreeVw::ImportBookmarkFile(const CString& strPath, BOOL bBookmarkTitle) {
    CWaitCursor wait;
    COrdelinkDoc* pDoc = GetDocument();
    // The dated folder and everything read into it are one step to undo.
    const int nFirst = pDoc->m_PtrAry.GetSize();
    int nResult = 0;
    bool bLoaded = false;
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Import);
        InsertNewItem(TRUE, TRUE, bBookmarkTitle);
        pDoc->SetModifiedFlag(TRUE);
        // The file is read once; an unreadable file leaves the dated folder
        // empty. A file nested deeper than the records keep is imported
        // all the same and reported as failed.
        CBookmarkFile file;
        bLoaded = file.Load(strPath);
        if (bLoaded) {
            // Each entry is counted as it is read and again as its node goes in.
            CStatusProgress progress(2 * static_cast<int>(file.GetEntries().size()));
            CImportCounter counter(progress);
            nResult =
                ImportBookmarkTree(*pDoc, file, m_hImportNode, GetItemID(m_hImportNode), &counter);
            AddImportedNodes(nFirst, progress);
        }
        pDoc->History().Appended(nFirst);
    }
    if (!bLoaded) AfxMessageBox(kBookmarkOpenError);
    if (!nResult) AfxMessageBox(AfxLoadString(IDP_IMPORT_BOOKMARK_FAILED));
    TreeView_Expand(m_hWnd, m_hImportNode, TVE_EXPAND);
    ViewMessageBeep(0);
}

// ---- Favorites export

void CTreeVw::OnExportFavorites() {
    if (!AskYesNo(IDP_EXPORT_FAV_ASK, MB_DEFBUTTON2)) return;
    CWaitCursor wait;
    // One time names the date directory, however long the walk takes.
    const CTime now = CTime::GetCurrentTime();
    ExportResult result = ExportResult::NotStarted;
    if (HasFavoritesFolder(m_FavoritesPath)) {
        CStatusProgress progress;
        const CTreeExportTree tree(*GetDocument(), &progress);
        progress.SetTotal(tree.GetCount());
        result = ExportFavorites(m_FavoritesPath.str(), tree, now);
    }
    if (result != ExportResult::Done) AfxMessageBox(AfxLoadString(IDP_EXPORT_FAV_FAILED));
    // Nothing written at all: no beep.
    if (result != ExportResult::NotStarted) ViewMessageBeep(0);
}
