// File > Import from Browser...: the bookmarks of the browsers installed on
// this machine, read from their profiles, or a file the user opens instead.
// The finding and reading is the portable code of convert/; here are the
// dialog, the messages and the tree. Each import is one undoable step that
// leaves its folder selected.
#include <map>

#include "convert/BookmarkImport.h"
#include "convert/BrowserBookmarkFile.h"
#include "convert/BrowserData.h"
#include "convert/BrowserProfiles.h"
#include "convert/ImportFolder.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/CTime.h"
#include "fw/win/CFileDialog.h"
#include "fw/win/CStatusProgress.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/CBrowserImportDlg.h"
#include "views/CTreeVw.h"
#include "views/ViewBeep.h"

// After the framework's headers, which put aside the system's macro named
// like CTime::GetCurrentTime.
#include <shlobj.h>

namespace {

// The filter of the file a user opens instead: an exported HTML file or a
// profile's "Bookmarks" file.
const char kBrowserFileFilter[] =
    "Bookmark Files (*.html;*.htm;Bookmarks)|*.html;*.htm;Bookmarks|All Files (*.*)|*.*||";

std::string ShellFolder(int nFolder) {
    char szPath[MAX_PATH] = "";
    if (FAILED(::SHGetFolderPathA(nullptr, nFolder, nullptr, SHGFP_TYPE_CURRENT, szPath)))
        return "";
    return szPath;
}

void ShowRefusal(UINT nID, const std::string& strPath) {
    AfxMessageBox(AfxFormatString1(AfxLoadString(nID), strPath.c_str()),
                  AFX_MB_OK | AFX_MB_ICONEXCLAMATION);
}

}  // namespace

void CTreeVw::OnImportBrowser() {
    const std::vector<BrowserProfile> profiles =
        FindBrowserProfiles(ShellFolder(CSIDL_LOCAL_APPDATA), ShellFolder(CSIDL_APPDATA));
    CBrowserImportDlg dlg(profiles);
    const INT_PTR nResult = dlg.DoModal();
    if (nResult == IDOK) {
        // A browser with several profiles names the profile too, so that the
        // folders tell them apart.
        std::map<std::string, int> profilesOf;
        for (const BrowserProfile& p : profiles) ++profilesOf[p.strBrowser.str()];
        for (size_t nIndex : dlg.GetChosen()) {
            const BrowserProfile& p = profiles[nIndex];
            CString strSource = p.strBrowser;
            if (profilesOf[p.strBrowser.str()] > 1 && !p.strProfile.IsEmpty())
                strSource += " - " + p.strProfile;
            ImportBrowserFile(p.strFile, strSource);
        }
    } else if (nResult == IDC_OPEN_BOOKMARK_FILE) {
        CFileDialog fileDlg(TRUE, "html", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                            kBrowserFileFilter);
        if (fileDlg.DoModal() != IDOK) return;
        const std::string strPath = fileDlg.GetPathName().str();
        ImportBrowserFile(strPath, BrowserNameOfFile(strPath));
    }
}

// A file that cannot be read, is damaged or is of another kind is refused
// with a message before anything changes.
void CTreeVw::ImportBrowserFile(const std::string& strPath, const CString& strSource) {
    std::string bytes;
    if (!ReadFileBytes(strPath.c_str(), bytes)) {
        ShowRefusal(IDP_BROWSER_FILE_UNREADABLE, strPath);
        return;
    }
    const CString strTitle = SourceImportFolderTitle(strSource, CTime::GetCurrentTime());
    if (CBrowserBookmarkFile::LooksLikeJson(bytes)) {
        CBrowserBookmarkFile file;
        switch (file.Parse(bytes)) {
            case CBrowserBookmarkFile::Status::Ok:
                ImportIntoNewFolder(strTitle, &file, nullptr);
                return;
            case CBrowserBookmarkFile::Status::Foreign:
                ShowRefusal(IDP_BROWSER_FILE_FOREIGN, strPath);
                return;
            default:
                ShowRefusal(IDP_BROWSER_FILE_DAMAGED, strPath);
                return;
        }
    }
    if (!CBrowserBookmarkFile::LooksLikeMarkup(bytes)) {
        ShowRefusal(IDP_BROWSER_FILE_FOREIGN, strPath);
        return;
    }
    CBookmarkFile file;
    file.SetText(std::move(bytes));
    ImportIntoNewFolder(strTitle, nullptr, &file);
}

// The dated folder is made the way the other imports make theirs, then given
// its title; it and everything read into it are one step to undo.
void CTreeVw::ImportIntoNewFolder(const CString& strTitle, const CBrowserBookmarkFile* pJson,
                                  CBookmarkFile* pHtml) {
    CWaitCursor wait;
    COrdelinkDoc* pDoc = GetDocument();
    const int nFirst = pDoc->m_PtrAry.GetSize();
    int nResult = 1;
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Import);
        InsertNewItem(TRUE, TRUE, TRUE);
        pDoc->m_PtrAry[pDoc->m_PtrAry.GetUpperBound()]->m_Title = strTitle;
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = m_hImportNode;
        item.pszText = const_cast<char*>(static_cast<const char*>(strTitle));
        ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SortChildrenOf(m_hRootNode);
        pDoc->SetModifiedFlag(TRUE);

        // The records are read first; their nodes go in at once afterwards.
        const int nFolderID = GetItemID(m_hImportNode);
        CStatusProgress progress;
        if (pJson) {
            progress.SetTotal(static_cast<int>(pJson->GetEntries().size()));
            ImportBrowserBookmarks(*pDoc, *pJson, m_hImportNode, nFolderID);
        }
        if (pHtml) {
            progress.SetTotal(static_cast<int>(pHtml->GetEntries().size()));
            nResult = ImportBookmarkTree(*pDoc, *pHtml, m_hImportNode, nFolderID);
        }
        AddImportedNodes(nFirst, progress);
        pDoc->History().Appended(nFirst);
    }
    if (!nResult) AfxMessageBox(AfxLoadString(IDP_IMPORT_BOOKMARK_FAILED));
    TreeView_Expand(m_hWnd, m_hImportNode, TVE_EXPAND);
    TreeView_EnsureVisible(m_hWnd, m_hImportNode);
    // The panes show the folder with its title.
    LRESULT lResult = 0;
    OnSelChanged(nullptr, &lResult);
    ViewMessageBeep(0);
}
