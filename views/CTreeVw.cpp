#include "views/CTreeVw.h"

#include <shellapi.h>

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/BrowserDetect.h"
#include "browser/BrowserCommandLine.h"
#include "chrome/CIconMenu.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CTime.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "store/ItemEdits.h"
#include "views/CommandRules.h"
#include "views/ViewBeep.h"

IMPLEMENT_DYNCREATE(CTreeVw)

namespace {
const char kSetting[] = "Setting";
const char kAboutApp[] = "AboutApp";
const char kDefaultBrowser[] = "C:\\Program Files\\Plus!\\Microsoft Internet\\Iexplore.exe";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Images of the list built from bitmaps 132 to 137.
enum { kImageFolder = 0, kImageURL = 2, kImageRoot = 4 };

int ImageOf(const CUrlItem& item) {
    return item.m_IsURL ? kImageURL : kImageFolder;
}

// Node text for the control: a copy of the title.
TVINSERTSTRUCTA MakeInsert(HTREEITEM hParent, const char* pszText, int nImage, int nID) {
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = TVI_SORT;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvis.item.pszText = const_cast<char*>(pszText);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nImage + 1;
    tvis.item.lParam = nID;
    return tvis;
}
}  // namespace

BEGIN_MESSAGE_MAP(CTreeVw, CTreeView)
ON_COMMAND(ID_ADD_URL, OnAddURL)
ON_COMMAND(ID_ADD_FOLDER, OnAddFolder)
ON_COMMAND(ID_DELETE, OnDelete)
ON_COMMAND(ID_EXECUTE, OnExecute)
ON_COMMAND(ID_INT_ITEM_CHANGED, OnItemChanged)
ON_UPDATE_COMMAND_UI(ID_SETTING, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_ADD_URL, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_ADD_FOLDER, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_EXECUTE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_DELETE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_CONVERT_FAV_TO_FILE, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_CONVERT_FILE_TO_FAV, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_GETURL, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_CLIPBOARD_LINK, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_CREATE_LINK_HTML, OnUpdateTreeCommand)
ON_UPDATE_COMMAND_UI(ID_READ_BOOKMARK, OnUpdateTreeCommand)
ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDrag)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CTreeVw::~CTreeVw() {
    if (m_pDragImage) ImageList_Destroy(m_pDragImage);
}

COrdelinkDoc* CTreeVw::GetDocument() const {
    return static_cast<COrdelinkDoc*>(m_pDocument);
}

void CTreeVw::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    LoadSaveSettings(TRUE);
    ApplyViewSettings();
    BuildTree();
    m_FavoritesPath = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Favorites");
}

void CTreeVw::LoadSaveSettings(BOOL bLoad) {
    CWinApp* pApp = AfxGetApp();
    if (!bLoad) {
        pApp->WriteProfileString(kAboutApp, "Build", "1.30");
        pApp->WriteProfileInt(kSetting, "BrowserAny", m_BrowserAny);
        pApp->WriteProfileInt(kSetting, "AppAny", m_AppAny);
        pApp->WriteProfileInt(kSetting, "TitleEmpty", m_TitleEmpty);
        pApp->WriteProfileInt(kSetting, "ToolBarType", m_ToolBarType);
        pApp->WriteProfileInt(kSetting, "HtmlDirTemp", m_HtmlDirTemp);
        pApp->WriteProfileInt(kSetting, "LinkTarget", m_LinkTarget);
        return;
    }
    if (FindBrowser(m_BrowserName)) {
        // Only Internet Explorer offers the choice of one window per URL.
        if (m_BrowserName.Find("\\iexplore.exe") >= 0) {
            m_bBrowserIsIE = 1;
            m_BrowserAny = static_cast<int>(pApp->GetProfileInt(kSetting, "BrowserAny", 0));
        } else {
            m_bBrowserIsIE = 0;
            m_BrowserAny = 1;
        }
    } else {
        m_BrowserName = pApp->GetProfileString(kSetting, "BrowserName", kDefaultBrowser);
        m_bBrowserIsIE = 1;
        m_BrowserAny = static_cast<int>(pApp->GetProfileInt(kSetting, "BrowserAny", 0));
    }
    m_Build = pApp->GetProfileString(kAboutApp, "Build", "0.00");
    m_AppAny = static_cast<int>(pApp->GetProfileInt(kSetting, "AppAny", 1));
    m_TitleEmpty = static_cast<int>(pApp->GetProfileInt(kSetting, "TitleEmpty", 0));
    m_ToolBarType = static_cast<int>(pApp->GetProfileInt(kSetting, "ToolBarType", 1));
    m_HtmlDirTemp = static_cast<int>(pApp->GetProfileInt(kSetting, "HtmlDirTemp", 1));
    m_LinkTarget = static_cast<int>(pApp->GetProfileInt(kSetting, "LinkTarget", 1));
}

void CTreeVw::ApplyViewSettings() {
    ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS);
    SendToFrame(m_ToolBarType != 0 ? ID_INT_TOOLBAR_FLAT : ID_INT_TOOLBAR_NORMAL);
}

CString CTreeVw::ReadRegString(HKEY hKey, const char* pszSubKey, const char* pszValueName) {
    HKEY hOpened = nullptr;
    if (::RegOpenKeyExA(hKey, pszSubKey, 0, KEY_READ, &hOpened) != ERROR_SUCCESS) return "ERR";
    char buf[256] = "";
    DWORD cb = sizeof(buf);
    DWORD dwType = 0;
    const LONG lResult = ::RegQueryValueExA(hOpened, pszValueName, nullptr, &dwType,
                                            reinterpret_cast<BYTE*>(buf), &cb);
    ::RegCloseKey(hOpened);
    if (lResult != ERROR_SUCCESS) return "NO";
    // The stored string may lack its terminator.
    return CString(buf, static_cast<int>(strnlen(buf, cb < sizeof(buf) ? cb : sizeof(buf))));
}

void CTreeVw::SendToFrame(UINT nID) const {
    CWnd* pFrame = AfxGetMainWnd();
    if (!pFrame) pFrame = GetParentFrame();
    if (pFrame) pFrame->SendMessage(WM_COMMAND, nID, 0);
}

// ---- Tree-control helpers

HTREEITEM CTreeVw::GetSelectedItem() const {
    return TreeView_GetSelection(m_hWnd);
}

int CTreeVw::GetItemID(HTREEITEM hItem) const {
    if (!hItem) return 0;
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<int>(item.lParam);
}

HTREEITEM CTreeVw::GetChildItem(HTREEITEM hItem) const {
    return TreeView_GetChild(m_hWnd, hItem);
}

HTREEITEM CTreeVw::GetNextSiblingItem(HTREEITEM hItem) const {
    return TreeView_GetNextSibling(m_hWnd, hItem);
}

HTREEITEM CTreeVw::GetParentItem(HTREEITEM hItem) const {
    return TreeView_GetParent(m_hWnd, hItem);
}

CString CTreeVw::GetItemText(HTREEITEM hItem) const {
    // Titles have no length limit: grow the buffer until the text fits.
    for (int cch = 256;; cch *= 2) {
        std::vector<char> buf(cch);
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = buf.data();
        item.cchTextMax = cch;
        if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
        const int n = static_cast<int>(strnlen(item.pszText, cch));
        if (n < cch - 2 || cch >= (1 << 24)) return CString(item.pszText, n);
    }
}

BOOL CTreeVw::SelectItem(HTREEITEM hItem) {
    return TreeView_SelectItem(m_hWnd, hItem);
}

HTREEITEM CTreeVw::InsertNode(const CString& strText, int nImage, int nID, HTREEITEM hParent,
                              HTREEITEM hInsertAfter) {
    TVINSERTSTRUCTA tvis = MakeInsert(hParent, strText, nImage, nID);
    tvis.hInsertAfter = hInsertAfter;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
}

// ---- Building

HIMAGELIST CTreeVw::BuildImageList() {
    static HIMAGELIST s_hImages = nullptr;
    if (s_hImages) return s_hImages;
    s_hImages = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 2);
    for (UINT nID = IDB_TREE_FOLDER; nID <= IDB_TREE_ROOT_SEL; ++nID) {
        HBITMAP hBmp = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
        ImageList_AddMasked(s_hImages, hBmp, RGB(255, 255, 255));
        ::DeleteObject(hBmp);
    }
    return s_hImages;
}

// Level by level from the ROOT. Each ID is shown once: by the first record
// that bears it (the one every lookup by ID finds), and only when the walk
// from the ROOT reaches it. Records with ID 0 (the ROOT's), later repeats of
// an ID, and records whose parents never lead to the ROOT (missing parents,
// loops, a record that is its own parent) stay in the table but out of the
// tree, so a damaged document still builds, and builds in bounded time.
void CTreeVw::BuildTree() {
    CWaitCursor wait;
    HIMAGELIST hImages = BuildImageList();
    SendMessage(WM_SETREDRAW, FALSE);
    TreeView_DeleteAllItems(m_hWnd);
    m_hRootNode = nullptr;
    m_hImportNode = nullptr;
    TreeView_SetImageList(m_hWnd, hImages, TVSIL_NORMAL);
    COrdelinkDoc* pDoc = GetDocument();
    if (!pDoc || pDoc->m_bEmpty == 1) {
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate();
        return;
    }
    m_hRootNode = InsertNode("ROOT", kImageRoot, 0, TVI_ROOT);

    const CItemTable& table = pDoc->m_PtrAry;
    std::unordered_map<int, std::vector<int>> children;  // parent ID -> table indexes
    for (int i = 0; i < table.GetSize(); ++i)
        if (table[i]->m_ID != 0 && table.IndexOfID(table[i]->m_ID) == i)
            children[table[i]->m_ParentID].push_back(i);

    std::unordered_map<int, HTREEITEM> nodes{{0, m_hRootNode}};
    std::vector<HTREEITEM> folders{m_hRootNode};
    std::vector<int> level{0};
    while (!level.empty()) {
        std::vector<int> next;
        for (int nParentID : level) {
            auto it = children.find(nParentID);
            if (it == children.end()) continue;
            HTREEITEM hParent = nodes[nParentID];
            if (!hParent) {
                AfxMessageBox(afxmsg::FromUtf8("ROOT 下に強制Insertします。"));
                hParent = m_hRootNode;
            }
            for (int i : it->second) {
                const CUrlItem& item = *table[i];
                const int nID = item.m_ID;
                if (nodes.count(nID)) continue;  // reached before: a loop back
                HTREEITEM hNode = InsertNode(item.m_Title, ImageOf(item), nID, hParent, TVI_LAST);
                nodes.emplace(nID, hNode);
                if (!item.m_IsURL) folders.push_back(hNode);
                next.push_back(nID);
            }
        }
        level.swap(next);
    }

    // Sorted insertion scans the siblings once per node; sorting each folder's
    // children once, by the control's own label order, gives the same tree
    // in O(n log n).
    for (HTREEITEM hFolder : folders) {
        TreeView_SortChildren(m_hWnd, hFolder, FALSE);
        TreeView_Expand(m_hWnd, hFolder, TVE_EXPAND);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
    SelectItem(m_hRootNode);
}

HTREEITEM CTreeVw::FindNode(HTREEITEM h, int nID) const {
    while (h) {
        if (GetItemID(h) == nID) return h;
        HTREEITEM hChild = GetChildItem(h);
        if (hChild) {
            if (HTREEITEM hFound = FindNode(hChild, nID)) return hFound;
            h = hChild;
        }
        h = TreeView_GetNextVisible(m_hWnd, h);
    }
    return nullptr;
}

// ---- Selection and relabelling

void CTreeVw::OnSelChanged(NMHDR*, LRESULT* pResult) {
    COrdelinkDoc* pDoc = GetDocument();
    const int nID = GetItemID(GetSelectedItem());
    if (nID == 0) {
        pDoc->SetCurIndex(-1);
    } else {
        const int nIndex = pDoc->IndexOfID(nID);
        if (nIndex >= 0) pDoc->SetCurIndex(nIndex);
    }
    SendToFrame(ID_INT_SELECTION_CHANGED);
    *pResult = 0;
}

void CTreeVw::OnItemChanged() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nIndex = pDoc->GetCurIndex();
    HTREEITEM hSel = GetSelectedItem();
    if (nIndex < 0 || nIndex >= pDoc->m_PtrAry.GetSize() || !hSel || hSel == m_hRootNode) return;
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hSel;
    CString strTitle = pDoc->m_PtrAry[nIndex]->m_Title;
    item.pszText = const_cast<char*>(static_cast<const char*>(strTitle));
    ::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// ---- Keys, mouse, context menu

BOOL CTreeVw::PreTranslateMessage(MSG* pMsg) {
    const bool bShiftF10 = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
                           pMsg->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) < 0;
    if (bShiftF10 || pMsg->message == WM_CONTEXTMENU) {
        ShowContextMenuAtCorner();
        return TRUE;
    }
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_DELETE) {
        SendToFrame(ID_DELETE);
        return TRUE;
    }
    return CTreeView::PreTranslateMessage(pMsg);
}

LRESULT CTreeVw::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        if (wParam == VK_TAB) {
            COrdelinkDoc* pDoc = GetDocument();
            if (pDoc && pDoc->m_bEmpty != 1 && GetSelectedItem() != m_hRootNode)
                SendToFrame(ID_INT_FOCUS_FORM);
        } else if (wParam == VK_RETURN) {
            OnExecute();
        }
    }
    return CTreeView::DefWindowProc(message, wParam, lParam);
}

void CTreeVw::OnDblClk(NMHDR*, LRESULT* pResult) {
    OnExecute();
    *pResult = 0;  // the control still expands or collapses the node
}

HMENU CTreeVw::LoadContextMenu() const {
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TREE_POPUP));
    if (!hMenu) return nullptr;
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    const CommandState state = CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0);
    for (int nPos : ContextMenuRemovals(state)) ::DeleteMenu(hPopup, nPos, MF_BYPOSITION);
    return hMenu;
}

void CTreeVw::ShowContextMenu(POINT ptScreen) {
    // The entries are drawn with their command icons; the menu object and
    // its records live until the menu closes.
    CIconMenu menu;
    if (!menu.LoadMenu(IDR_TREE_POPUP)) return;
    menu.SetItemIconByText(nullptr, "Add", IDB_MI_ADD);
    static const UINT kIcons[] = {ORDELINK_POPUP_MENU_ICONS};
    for (size_t i = 0; i + 1 < std::size(kIcons); i += 2)
        menu.SetItemIcon(static_cast<const char*>(nullptr), kIcons[i],
                         static_cast<int>(kIcons[i + 1]));
    HMENU hPopup = ::GetSubMenu(menu.m_hMenu, 0);
    const CommandState state = CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0);
    for (int nPos : ContextMenuRemovals(state)) ::DeleteMenu(hPopup, nPos, MF_BYPOSITION);
    // The chosen command comes back as WM_COMMAND to this view and passes
    // its enabling rule like any other.
    ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, m_hWnd, nullptr);
}

void CTreeVw::ShowContextMenuAtCorner() {
    POINT pt = {5, 5};
    ClientToScreen(&pt);
    ShowContextMenu(pt);
}

void CTreeVw::OnContextMenu(CWnd*, POINT point) {
    // (-1, -1): the keyboard's context-menu key.
    if (point.x == -1 && point.y == -1)
        ShowContextMenuAtCorner();
    else
        ShowContextMenu(point);
}

// ---- Command enabling

void CTreeVw::OnUpdateTreeCommand(CCmdUI* pCmdUI) {
    const CommandState state = CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0);
    pCmdUI->Enable(IsTreeCommandEnabled(pCmdUI->m_nID, state));
}

// ---- Adding

CString CTreeVw::MakeTimeStampTitle(BOOL bBookmarkTitle) const {
    const char* pszFormat = (m_bBrowserIsIE == 1 && !bBookmarkTitle)
                                ? "お気に入り (%y年%m月%d日 %H時%M分%S秒)"
                                : "Bookmark (%y年%m月%d日 %H時%M分%S秒)";
    return CTime::GetCurrentTime().Format(afxmsg::FromUtf8(pszFormat));
}

// The new record goes under the selected folder, or under the ROOT when the
// ROOT or nothing is selected, when the tree was empty, or when bForceRoot
// asks for a folder at the top (the importers' folder, titled by the time).
void CTreeVw::InsertNewItem(BOOL bFolder, BOOL bForceRoot, BOOL bBookmarkTitle) {
    COrdelinkDoc* pDoc = GetDocument();
    BOOL bRootJustMade = FALSE;
    if (pDoc->m_bEmpty == 1) {
        m_hRootNode = InsertNode("ROOT", kImageRoot, 0, TVI_ROOT);
        bRootJustMade = TRUE;
    }
    HTREEITEM hSel = GetSelectedItem();
    int nSelID = 0;
    if (!bForceRoot && hSel) {
        nSelID = GetItemID(hSel);
        if (nSelID != 0 && pDoc->IsURLOfID(nSelID) != 0) {
            AfxMessageBox(AfxLoadString(IDP_NO_ADD_UNDER_URL), AFX_MB_ICONINFORMATION);
            return;
        }
    }

    const int nNewID = pDoc->GetFreeID();
    pDoc->AddNewItem();
    pDoc->m_bEmpty = 0;
    CUrlItem& rec = *pDoc->m_PtrAry[pDoc->m_PtrAry.GetUpperBound()];
    rec.m_ID = nNewID;
    rec.m_ParentID = (!bForceRoot && !bRootJustMade && nSelID != 0) ? nSelID : 0;
    rec.m_Memo.Empty();
    if (!bFolder) {
        rec.m_Title = MakeUniqueNewTitle(pDoc->m_PtrAry, FALSE);
        rec.m_IsURL = 1;
        rec.m_URL = kNewItemURL;
    } else {
        rec.m_IsURL = 0;
        rec.m_URL.Empty();
        rec.m_Title = bForceRoot ? MakeTimeStampTitle(bBookmarkTitle)
                                 : MakeUniqueNewTitle(pDoc->m_PtrAry, TRUE);
    }

    HTREEITEM hParent = (bForceRoot || bRootJustMade || !hSel) ? m_hRootNode : hSel;
    HTREEITEM hNew = InsertNode(rec.m_Title, ImageOf(rec), nNewID, hParent);
    if (bForceRoot) m_hImportNode = hNew;
    TreeView_Expand(m_hWnd, m_hRootNode, TVE_EXPAND);
    SelectItem(hNew);
}

void CTreeVw::OnAddFolder() {
    InsertNewItem(TRUE, FALSE, FALSE);
    GetDocument()->SetModifiedFlag(TRUE);
}

void CTreeVw::OnAddURL() {
    COrdelinkDoc* pDoc = GetDocument();
    InsertNewItem(FALSE, FALSE, FALSE);
    pDoc->SetModifiedFlag(TRUE);
    if (m_TitleEmpty != 0) {
        pDoc->SetPending("", "");
        SendToFrame(ID_INT_SHOW_PENDING);
    }
}

// ---- Deleting

void CTreeVw::OnDelete() {
    COrdelinkDoc* pDoc = GetDocument();
    HTREEITEM hSel = GetSelectedItem();
    // Without a selection there is nothing the user chose to delete.
    if (!hSel) return;
    const int nID = GetItemID(hSel);
    if (nID == 0) {
        TreeView_DeleteAllItems(m_hWnd);
        m_hRootNode = nullptr;
        m_hImportNode = nullptr;
        pDoc->DeleteAllItems();
        pDoc->m_bEmpty = 1;
        pDoc->SetCurIndex(-1);
        SendToFrame(ID_INT_SELECTION_CHANGED);
        pDoc->SetModifiedFlag(TRUE);
        return;
    }
    // The record and everything below it, in one pass over the table.
    pDoc->DeleteItemsByID(CollectSubtreeIDs(pDoc->m_PtrAry, nID));
    // Until the control moves the selection the current index is stale.
    pDoc->SetCurIndex(-1);
    TreeView_DeleteItem(m_hWnd, hSel);
    m_hImportNode = nullptr;  // it may have been in the deleted subtree
    if (TreeView_GetCount(m_hWnd) == 1) {
        TreeView_DeleteAllItems(m_hWnd);
        m_hRootNode = nullptr;
        m_hImportNode = nullptr;
        pDoc->m_bEmpty = 1;
        pDoc->SetCurIndex(-1);
    }
    // Whatever the control did with its selection, the index and the panes
    // follow the node now selected.
    LRESULT lResult = 0;
    OnSelChanged(nullptr, &lResult);
    pDoc->SetModifiedFlag(TRUE);
}

// ---- Drag and drop

void CTreeVw::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto* pNMTV = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    POINT pt = pNMTV->ptDrag;
    HTREEITEM hDrag = pNMTV->itemNew.hItem;
    if (!hDrag) {
        TVHITTESTINFO hit = {};
        hit.pt = pt;
        hDrag = TreeView_HitTest(m_hWnd, &hit);
    }
    if (!hDrag) return;
    m_bDragging = 1;
    m_hDragNode = hDrag;
    m_hDropNode = nullptr;
    if (m_pDragImage) ImageList_Destroy(m_pDragImage);
    m_pDragImage = TreeView_CreateDragImage(m_hWnd, m_hDragNode);
    if (m_pDragImage) {
        ImageList_DragShowNolock(TRUE);
        ImageList_SetDragCursorImage(m_pDragImage, 0, 0, 0);
        ImageList_BeginDrag(m_pDragImage, 0, 0, 0);
        ImageList_DragMove(pt.x, pt.y);
        ImageList_DragEnter(m_hWnd, pt.x, pt.y);
    }
    ::SetCapture(m_hWnd);
}

void CTreeVw::OnMouseMove(UINT, POINT point) {
    if (m_bDragging) {
        if (m_pDragImage) ImageList_DragMove(point.x, point.y);
        TVHITTESTINFO hit = {};
        hit.pt = point;
        HTREEITEM hTarget = TreeView_HitTest(m_hWnd, &hit);
        if (hTarget && (hit.flags & TVHT_ONITEM)) {
            if (m_pDragImage) ImageList_DragLeave(m_hWnd);
            TreeView_SelectDropTarget(m_hWnd, hTarget);
            m_hDropNode = hTarget;
            if (m_pDragImage) ImageList_DragEnter(m_hWnd, point.x, point.y);
        }
    }
    Default();
}

// A drop is refused onto the dragged node itself, into its own subtree (so
// the ROOT cannot be dragged anywhere), onto its present parent, onto a URL
// item, or when the cursor passed over no node.
BOOL CTreeVw::IsDropRefused() const {
    if (!m_hDropNode || m_hDropNode == m_hDragNode) return TRUE;
    for (HTREEITEM h = m_hDropNode; h; h = TreeView_GetParent(m_hWnd, h))
        if (h == m_hDragNode) return TRUE;
    if (TreeView_GetParent(m_hWnd, m_hDragNode) == m_hDropNode) return TRUE;
    const int nDropID = GetItemID(m_hDropNode);
    return nDropID != 0 && GetDocument()->IsURLOfID(nDropID) != 0;
}

void CTreeVw::EndDrag() {
    ::ReleaseCapture();
    m_bDragging = 0;
    TreeView_SelectDropTarget(m_hWnd, nullptr);
    if (m_pDragImage) {
        ImageList_Destroy(m_pDragImage);
        m_pDragImage = nullptr;
    }
}

void CTreeVw::OnLButtonUp(UINT, POINT) {
    if (m_bDragging) {
        if (m_pDragImage) {
            ImageList_DragLeave(m_hWnd);
            ImageList_EndDrag();
        }
        if (IsDropRefused()) {
            ViewMessageBeep(0);
        } else {
            // Only the dragged record's parent link changes; its descendants
            // keep theirs, and it keeps its place in the table.
            COrdelinkDoc* pDoc = GetDocument();
            const int nIndex = pDoc->IndexOfID(GetItemID(m_hDragNode));
            if (nIndex >= 0) pDoc->m_PtrAry[nIndex]->m_ParentID = GetItemID(m_hDropNode);
            SendMessage(WM_SETREDRAW, FALSE);
            MoveSubtree(m_hDragNode, m_hDropNode);
            TreeView_DeleteItem(m_hWnd, m_hDragNode);
            SendMessage(WM_SETREDRAW, TRUE);
            Invalidate();
            SelectItem(m_hRootNode);
            pDoc->SetModifiedFlag(TRUE);
        }
        EndDrag();
    }
    Default();
}

// Copies hSrc and its subtree under hNewParent, the new nodes collapsed,
// removing each child of hSrc once it has been copied.
void CTreeVw::MoveSubtree(HTREEITEM hSrc, HTREEITEM hNewParent) {
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.hItem = hSrc;
    ::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const CString strText = GetItemText(hSrc);
    TVINSERTSTRUCTA tvis =
        MakeInsert(hNewParent, strText, item.iImage, static_cast<int>(item.lParam));
    tvis.item.iSelectedImage = item.iSelectedImage;
    HTREEITEM hNew = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    while (HTREEITEM hChild = GetChildItem(hSrc)) {
        MoveSubtree(hChild, hNew);
        TreeView_DeleteItem(m_hWnd, hChild);
    }
}

// ---- Opening URLs

void CTreeVw::OnExecute() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nIndex = pDoc->GetCurIndex();
    if (pDoc->m_bEmpty == 1 || nIndex < 0 || nIndex >= pDoc->m_PtrAry.GetSize()) return;
    const CUrlItem& rec = *pDoc->m_PtrAry[nIndex];
    if (rec.m_IsURL == 0) return;  // folders open nothing
    if (m_BrowserAny != 0)
        LaunchBrowser(rec.m_URL);
    else
        ShellOpenURL(rec.m_URL);
}

// The program run is exactly m_BrowserName and its one argument is the
// target: both are quoted where Windows' command-line splitting needs it.
void CTreeVw::LaunchBrowser(const CString& strTarget) {
    CString strCommand = BuildBrowserCommandLine(m_BrowserName, strTarget);
    std::vector<char> cmd(strCommand.str().begin(), strCommand.str().end());
    cmd.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                         &pi)) {
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
}

void CTreeVw::ShellOpenURL(const CString& strURL) {
    const INT_PTR nResult = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", strURL, nullptr, nullptr, SW_SHOWNORMAL));
    if (nResult <= 32) {
        CString strMessage;
        strMessage.Format("ShellExecute Error Code[%d]", static_cast<int>(nResult));
        AfxMessageBox(strMessage);
    }
}
