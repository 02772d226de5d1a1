#include "views/CTreeVw.h"

#include <shellapi.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/BrowserDetect.h"
#include "app/CPSheet.h"
#include "browser/BrowserCommandLine.h"
#include "browser/OpenTarget.h"
#include "browser/WindowInfoReply.h"
#include "convert/ClipboardLink.h"
#include "convert/LinkPage.h"
#include "chrome/CIconMenu.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CTime.h"
#include "fw/base/LegacyText.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFileDialog.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CStatusProgress.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "store/ItemEdits.h"
#include "views/CLinkCheckCommands.h"
#include "views/CTreeBuilder.h"
#include "views/CommandRules.h"
#include "views/DoneMessage.h"
#include "views/LabelOrder.h"
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
TVINSERTSTRUCTA MakeInsert(HTREEITEM hParent, HTREEITEM hInsertAfter, const char* pszText,
                           int nImage, int nID) {
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
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
ON_COMMAND(ID_GETURL, OnGetURL)
ON_COMMAND(ID_CREATE_LINK_HTML, OnCreateLinkHtml)
ON_COMMAND(ID_CLIPBOARD_LINK, OnSetClipboardLink)
ON_COMMAND(ID_SETTING, OnSettings)
ON_COMMAND(ID_CONVERT_FAV_TO_FILE, OnImportFavorites)
ON_COMMAND(ID_CONVERT_FILE_TO_FAV, OnExportFavorites)
ON_COMMAND(ID_READ_BOOKMARK, OnReadBookmark)
ON_COMMAND(ID_IMPORT_BROWSER, OnImportBrowser)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
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
ON_COMMAND(ID_EXPORT_BOOKMARK_FILE, OnExportBookmarkFile)
ON_UPDATE_COMMAND_UI(ID_EXPORT_BOOKMARK_FILE, OnUpdateTreeCommand)
ON_COMMAND(ID_EDIT_PASTE, OnPasteLink)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePasteLink)
ON_WM_DESTROY()
ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, OnBeginDrag)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT(TVN_DELETEITEMA, OnDeleteItem)
ON_NOTIFY_REFLECT(TVN_DELETEITEMW, OnDeleteItem)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CTreeVw::~CTreeVw() {
    if (m_pDragImage) ImageList_Destroy(m_pDragImage);
}

COrdelinkDoc* CTreeVw::GetDocument() const {
    return static_cast<COrdelinkDoc*>(m_pDocument);
}

// Bordered, as the tree pane has always been drawn.
BOOL CTreeVw::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style |= WS_BORDER;
    return CTreeView::PreCreateWindow(cs);
}

void CTreeVw::OnInitialUpdate() {
    // New or Open during a drag (their keys still work): the nodes it holds
    // are about to go.
    CancelDrag();
    CTreeView::OnInitialUpdate();
    RegisterLinkDrop();
    // Another document: nothing of the old one is searched.
    m_FindIndex.Clear();
    m_FindMatches.clear();
    m_Collapsed.clear();
    m_PlacedTitles.Clear();
    if (m_pLinkCheck) m_pLinkCheck->ForgetDocument();
    LoadSaveSettings(TRUE);
    ApplyViewSettings();
    BuildTree();
    m_FavoritesPath = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Favorites");
    // New and Open leave the ROOT or nothing selected and the form and memo
    // panes empty and disabled: the tree is the pane to work in, and the
    // commands (Add above all) answer through the active view, so it must
    // not stay with a disabled pane.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame && pFrame->GetActiveView() && pFrame->GetActiveView() != this)
        pFrame->SetActiveView(this);
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

// The settings sheet works on copies; only OK copies them back, saves them
// and applies the toolbar look at once.
void CTreeVw::OnSettings() {
    CPSheet sheet;
    sheet.m_Page1.m_BrowserName = m_BrowserName;
    sheet.m_Page1.m_BrowserAny = m_BrowserAny;
    sheet.m_Page1.m_bBrowserIsIE = m_bBrowserIsIE;
    sheet.m_Page2.m_AppAny = m_AppAny;
    sheet.m_Page2.m_TitleEmpty = m_TitleEmpty;
    sheet.m_Page3.m_ToolBarType = m_ToolBarType;
    sheet.m_Page3.m_HtmlDirTemp = m_HtmlDirTemp;
    sheet.m_Page3.m_LinkTarget = m_LinkTarget;
    if (sheet.DoModal() != IDOK) return;
    m_BrowserName = sheet.m_Page1.m_BrowserName;
    m_BrowserAny = sheet.m_Page1.m_BrowserAny;
    m_AppAny = sheet.m_Page2.m_AppAny;
    m_TitleEmpty = sheet.m_Page2.m_TitleEmpty;
    m_ToolBarType = sheet.m_Page3.m_ToolBarType;
    m_HtmlDirTemp = sheet.m_Page3.m_HtmlDirTemp;
    m_LinkTarget = sheet.m_Page3.m_LinkTarget;
    LoadSaveSettings(FALSE);
    SendToFrame(m_ToolBarType != 0 ? ID_INT_TOOLBAR_FLAT : ID_INT_TOOLBAR_NORMAL);
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
    TVINSERTSTRUCTA tvis = MakeInsert(hParent, hInsertAfter, strText, nImage, nID);
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
}

// A record's place in the table decides between labels of equal rank, as in
// the rebuild; a node without a record goes after them.
int CTreeVw::TableRank(int nID) const {
    const int nIndex = GetDocument()->IndexOfID(nID);
    return nIndex >= 0 ? nIndex : INT_MAX;
}

// The node after which a node labelled strText for record nID belongs among
// the children of hParent: after every sibling whose label sorts before it,
// and after those of equal rank that come earlier in the table. So a single
// insertion lands where a rebuild from the table would put it.
HTREEITEM CTreeVw::SortedPlace(HTREEITEM hParent, const CString& strText, int nID) const {
    const std::wstring key = LabelSortKey(m_PlacedTitles.SortTitle(nID, strText));
    const int nRank = TableRank(nID);
    HTREEITEM hAfter = TVI_FIRST;
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        const int nSibling = GetItemID(h);
        const int nOrder =
            CompareLabelKeys(LabelSortKey(m_PlacedTitles.SortTitle(nSibling, GetItemText(h))), key);
        if (nOrder > 0 || (nOrder == 0 && TableRank(nSibling) > nRank)) break;
        hAfter = h;
    }
    return hAfter;
}

HTREEITEM CTreeVw::InsertSorted(const CString& strText, int nImage, int nID, HTREEITEM hParent) {
    return InsertNode(strText, nImage, nID, hParent, SortedPlace(hParent, strText, nID));
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

// The records reachable from the ROOT, each ID once (CTreeLayout.h), put in
// by CTreeBuilder in the order that keeps the control's work linear, with
// redrawing off until the end; every node with children ends up expanded (a
// URL record's in a damaged document included) but those in collapsed.
void CTreeVw::BuildTree() {
    BuildTree(std::unordered_set<int>());
}

void CTreeVw::BuildTree(const std::unordered_set<int>& collapsed) {
    CWaitCursor wait;
    HIMAGELIST hImages = BuildImageList();
    SendMessage(WM_SETREDRAW, FALSE);
    TreeView_DeleteAllItems(m_hWnd);
    m_hRootNode = nullptr;
    m_hImportNode = nullptr;
    TreeView_SetImageList(m_hWnd, hImages, TVSIL_NORMAL);
    COrdelinkDoc* pDoc = GetDocument();
    if (pDoc && pDoc->m_bEmpty != 1) {
        m_hRootNode = InsertNode("ROOT", kImageRoot, 0, TVI_ROOT, TVI_LAST);
        CStatusProgress progress;
        CTreeBuilder(m_hWnd, pDoc->m_PtrAry, &m_PlacedTitles)
            .Build(
                m_hRootNode, 0, 0, [&collapsed](int nID) { return collapsed.count(nID) == 0; },
                &progress, [this](int nID, HTREEITEM hNode) { m_NodeOfID[nID] = hNode; });
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
    if (m_hRootNode) SelectItem(m_hRootNode);
}

// Sorts one folder's children once by the sibling order (equal labels in
// table order): the same order a rebuild and a single insertion give. The
// control hands the comparison the children's item data (record IDs), so the
// labels come from the table and no child's handle is looked up.
void CTreeVw::SortChildrenOf(HTREEITEM hFolder) {
    struct Sorting {
        const CItemTable* pTable;
        const CPlacedTitles* pPlaced;
        std::unordered_map<LPARAM, std::pair<std::wstring, int>> keys;  // ID -> label, rank
        const std::pair<std::wstring, int>& KeyOf(LPARAM nID) {
            auto it = keys.find(nID);
            if (it != keys.end()) return it->second;
            const int nIndex = pTable->IndexOfID(static_cast<int>(nID));
            // A node without a record goes after the others.
            return keys[nID] =
                       nIndex >= 0
                           ? std::make_pair(LabelSortKey(pPlaced->SortTitle(
                                                static_cast<int>(nID), (*pTable)[nIndex]->m_Title)),
                                            nIndex)
                           : std::make_pair(std::wstring(), INT_MAX);
        }
    } sorting{&GetDocument()->m_PtrAry, &m_PlacedTitles, {}};
    TVSORTCB sort = {};
    sort.hParent = hFolder;
    sort.lParam = reinterpret_cast<LPARAM>(&sorting);
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM lParamSort) -> int {
        auto& s = *reinterpret_cast<Sorting*>(lParamSort);
        const auto& ka = s.KeyOf(a);
        const auto& kb = s.KeyOf(b);
        const bool bByLabel = ka.second != INT_MAX && kb.second != INT_MAX;
        const int nOrder = bByLabel ? CompareLabelKeys(ka.first, kb.first) : 0;
        if (nOrder != 0) return nOrder;
        return ka.second < kb.second ? -1 : ka.second > kb.second ? 1 : 0;
    };
    TreeView_SortChildrenCB(m_hWnd, &sort, FALSE);
}

// Pre-order without recursion: a chain of folders may be tens of thousands
// deep.
HTREEITEM CTreeVw::FindNode(HTREEITEM h, int nID) const {
    while (h) {
        if (GetItemID(h) == nID) return h;
        HTREEITEM hNext = GetChildItem(h);
        for (HTREEITEM hUp = h; !hNext && hUp; hUp = GetParentItem(hUp))
            hNext = GetNextSiblingItem(hUp);
        h = hNext;
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
    const CUrlItem& rec = *pDoc->m_PtrAry[nIndex];
    RelabelNode(hSel, rec.m_ID, rec.m_Title);
}

// The node keeps its place: its siblings go on being ordered by the title
// that placed it.
void CTreeVw::RelabelNode(HTREEITEM hNode, int nID, const CString& strTitle) {
    m_PlacedTitles.Relabelled(nID, GetItemText(hNode), strTitle);
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hNode;
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
    // Every change to the nodes or their order passes here: the order that
    // find searches in is taken again when next needed.
    switch (message) {
        case TVM_INSERTITEMA:
        case TVM_INSERTITEMW: {
            m_bNodeOrderValid = false;
            const LRESULT lResult = CTreeView::DefWindowProc(message, wParam, lParam);
            const auto* pInsert = reinterpret_cast<const TVINSERTSTRUCTA*>(lParam);
            if (lResult && pInsert && (pInsert->item.mask & TVIF_PARAM))
                m_NodeOfID[static_cast<int>(pInsert->item.lParam)] =
                    reinterpret_cast<HTREEITEM>(lResult);
            return lResult;
        }
        case TVM_SETITEMA:
        case TVM_SETITEMW:
            // A new label may stand elsewhere after a rebuild.
            if (lParam && (reinterpret_cast<const TVITEMA*>(lParam)->mask & TVIF_TEXT))
                m_bNodeOrderValid = false;
            break;
        case TVM_DELETEITEM:
        case TVM_SORTCHILDREN:
        case TVM_SORTCHILDRENCB:
            m_bNodeOrderValid = false;
            break;
        default:
            break;
    }
    if (message == WM_KEYDOWN) {
        if (wParam == VK_TAB) {
            COrdelinkDoc* pDoc = GetDocument();
            if (pDoc && pDoc->m_bEmpty != 1 && GetSelectedItem() != m_hRootNode)
                SendToFrame(ID_INT_FOCUS_FORM);
        } else if (wParam == VK_RETURN) {
            OnExecute();
        } else if (wParam == VK_ESCAPE && m_bDragging) {
            CancelDrag();
            return 0;
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
    // (-1, -1): the keyboard's context-menu key, for the selection.
    if (point.x == -1 && point.y == -1) {
        ShowContextMenuAtCorner();
        return;
    }
    // A right click on a node is for that node: it is selected first, so
    // that the menu's entries and commands are its own.
    TVHITTESTINFO hit = {};
    hit.pt = point;
    ScreenToClient(&hit.pt);
    HTREEITEM hHit = TreeView_HitTest(m_hWnd, &hit);
    if (hHit && (hit.flags & TVHT_ONITEM) && hHit != GetSelectedItem()) SelectItem(hHit);
    ShowContextMenu(point);
}

// ---- Command enabling

void CTreeVw::OnUpdateTreeCommand(CCmdUI* pCmdUI) {
    const CommandState state =
        CommandState::Of(*GetDocument(), m_bBrowserIsIE != 0, m_bDragging != 0);
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
        m_hRootNode = InsertNode("ROOT", kImageRoot, 0, TVI_ROOT, TVI_LAST);
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
    HTREEITEM hNew = InsertSorted(rec.m_Title, ImageOf(rec), nNewID, hParent);
    if (bForceRoot) m_hImportNode = hNew;
    TreeView_Expand(m_hWnd, m_hRootNode, TVE_EXPAND);
    SelectItem(hNew);
}

void CTreeVw::OnAddFolder() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nFirst = pDoc->m_PtrAry.GetSize();
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Add);
        InsertNewItem(TRUE, FALSE, FALSE);
        pDoc->History().Appended(nFirst);
    }
    pDoc->SetModifiedFlag(TRUE);
}

void CTreeVw::OnAddURL() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nFirst = pDoc->m_PtrAry.GetSize();
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Add);
        InsertNewItem(FALSE, FALSE, FALSE);
        pDoc->History().Appended(nFirst);
    }
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
    // What goes, with the folders that were collapsed, for an undo to show
    // them as they were.
    std::vector<int> ids;
    if (nID == 0) {
        for (const auto& entry : m_NodeOfID) ids.push_back(entry.first);
    } else {
        ids = CollectSubtreeIDs(pDoc->m_PtrAry, nID);
    }
    RememberCollapsed(ids);
    if (nID == 0) {
        TreeView_DeleteAllItems(m_hWnd);
        m_hRootNode = nullptr;
        m_hImportNode = nullptr;
        pDoc->History().DeleteAll();
        pDoc->m_bEmpty = 1;
        pDoc->SetCurIndex(-1);
        SendToFrame(ID_INT_SELECTION_CHANGED);
        pDoc->SetModifiedFlag(TRUE);
        return;
    }
    // The record and everything below it, in one pass over the table.
    pDoc->History().DeleteRecords(ids);
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

// ---- Capturing the browser's page

BOOL CTreeVw::ConnectBrowserDde() {
    return m_BrowserDde.Connect(CBrowserDde::ServiceFor(m_bBrowserIsIE));
}

CString CTreeVw::RequestWindowInfo() {
    return m_BrowserDde.RequestWindowInfo();
}

void CTreeVw::DisconnectBrowserDde() {
    m_BrowserDde.Disconnect();
}

// The page the browser shows becomes a new URL item under the selection, made
// as Add URL makes one; the form shows the captured title and URL until the
// user updates the item. A conversation that no longer answers (the browser
// was closed or restarted) is made once more before the capture fails, and a
// browser flag that names another browser than the connected one connects to
// that one: nothing is inserted without a page.
void CTreeVw::OnGetURL() {
    COrdelinkDoc* pDoc = GetDocument();
    if (m_BrowserDde.IsConnected() &&
        m_BrowserDde.Service() != CBrowserDde::ServiceFor(m_bBrowserIsIE))
        DisconnectBrowserDde();
    CString strReply;
    if (m_BrowserDde.IsConnected()) strReply = RequestWindowInfo();
    if (strReply.IsEmpty() && ConnectBrowserDde()) strReply = RequestWindowInfo();
    if (strReply.IsEmpty()) {
        ViewMessageBeep(0);
        AfxMessageBox(AfxLoadString(IDP_GETURL_FAILED));
        return;
    }
    CString strURL, strTitle;
    CutWindowInfoReply(strReply, strURL, strTitle);
    pDoc->SetPending(strTitle, strURL);
    const int nCount = pDoc->m_PtrAry.GetSize();
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::GetURL);
        InsertNewItem(FALSE, FALSE, FALSE);
        pDoc->History().Appended(nCount);
    }
    if (pDoc->m_PtrAry.GetSize() == nCount) return;  // refused: a URL item is selected
    pDoc->SetModifiedFlag(TRUE);
    SendToFrame(ID_INT_SHOW_PENDING);
}

// ---- The link page and the clipboard link

// The whole collection as an HTML page of links, in the temporary folder or
// where the user chooses, then opened in the browser.
void CTreeVw::OnCreateLinkHtml() {
    COrdelinkDoc* pDoc = GetDocument();
    const CString strBase = LinkPageBaseName(pDoc->GetTitle());
    char szTemp[MAX_PATH] = "";
    const DWORD cch = ::GetTempPathA(MAX_PATH, szTemp);
    if (cch == 0 || cch >= MAX_PATH) {
        AfxMessageBox("GetTempPath Error");
        return;
    }
    CString strPath;
    if (m_HtmlDirTemp != 0) {
        strPath.Format("%s%s.HTML", szTemp, static_cast<const char*>(strBase));
    } else {
        CFileDialog dlg(FALSE, "HTML", strBase + ".HTML",
                        OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_HIDEREADONLY,
                        "HTML Files (*.HTML)|*.HTML|HTM Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||",
                        this);
        if (dlg.DoModal() != IDOK) return;
        strPath = dlg.GetPathName();
    }
    CWaitCursor wait;
    LinkPageOptions options;
    options.strDocTitle = pDoc->GetTitle();
    options.strBuild = m_Build;
    options.created = CTime::GetCurrentTime();
    options.bPlainLinks = m_LinkTarget != 0;
    // A failure has been reported; a page not fully written is not opened.
    if (WriteLinkPage(*pDoc, strPath, options) != LinkPageResult::Done) return;
    ReportLinksWritten(CountLinksUnder(pDoc->m_PtrAry, 0), strPath);
    LaunchBrowser(strPath);
}

void CTreeVw::OnSetClipboardLink() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nIndex = pDoc->GetCurIndex();
    if (pDoc->m_bEmpty == 1 || nIndex < 0 || nIndex >= pDoc->m_PtrAry.GetSize()) return;
    const CUrlItem& rec = *pDoc->m_PtrAry[nIndex];
    if (rec.m_IsURL == 0) return;  // folders give no link
    if (CopyTextToClipboard(MakeClipboardLink(rec))) ReportClipboardLink(rec.m_Title);
}

namespace {

// Movable global memory holding cb bytes from p; null when none is left.
HGLOBAL GlobalText(const void* p, size_t cb) {
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    void* pMem = hMem ? ::GlobalLock(hMem) : nullptr;
    if (!pMem) {
        if (hMem) ::GlobalFree(hMem);
        return nullptr;
    }
    memcpy(pMem, p, cb);
    ::GlobalUnlock(hMem);
    return hMem;
}

}  // namespace

// The text goes on the clipboard as CF_TEXT in the legacy code page and as
// CF_UNICODETEXT; FALSE when it could not be placed.
BOOL CTreeVw::CopyTextToClipboard(const CString& strText) {
    if (!::OpenClipboard(m_hWnd)) {
        AfxMessageBox("Error OpenClipboard()");
        return FALSE;
    }
    // CF_TEXT in the legacy code page for the programs that read only that,
    // CF_UNICODETEXT with every character for the others.
    std::string legacyText;
    legacy::ToLegacy(strText.str(), legacyText);
    const std::u16string wide = legacy::ToUtf16(strText.str());
    HGLOBAL hText = GlobalText(legacyText.c_str(), legacyText.size() + 1);
    HGLOBAL hWide = GlobalText(wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    if (!hText || !hWide) {
        // The clipboard keeps what it had.
        if (hText) ::GlobalFree(hText);
        if (hWide) ::GlobalFree(hWide);
        ::CloseClipboard();
        return FALSE;
    }
    ::EmptyClipboard();
    // Once taken the memory is the clipboard's.
    const BOOL bPlaced = ::SetClipboardData(CF_TEXT, hText) != nullptr;
    if (!bPlaced) ::GlobalFree(hText);
    if (!::SetClipboardData(CF_UNICODETEXT, hWide)) ::GlobalFree(hWide);
    ::CloseClipboard();
    return bPlaced;
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

// The drag state goes before the capture is released, so the capture's loss
// that the release reports is not taken for a cancelled drag.
void CTreeVw::EndDrag() {
    m_bDragging = 0;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    TreeView_SelectDropTarget(m_hWnd, nullptr);
    if (m_pDragImage) {
        ImageList_Destroy(m_pDragImage);
        m_pDragImage = nullptr;
    }
}

// A drag that ends without the button's release (Esc, the capture taken by
// another window, a switch to another program) moves nothing.
void CTreeVw::CancelDrag() {
    if (!m_bDragging) return;
    if (m_pDragImage) {
        ImageList_DragLeave(m_hWnd);
        ImageList_EndDrag();
    }
    EndDrag();
}

LRESULT CTreeVw::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != m_hWnd) CancelDrag();
    return Default();
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
            if (nIndex >= 0) pDoc->History().SetParent(nIndex, GetItemID(m_hDropNode));
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

// Copies hSrc and its subtree under hNewParent: hSrc's copy at its sorted
// place, the copies below it in the order the originals had, all collapsed.
// Then removes the originals below hSrc, deepest first, so that each removal
// is of a single node. A loop, not recursion: a damaged bookmark file can
// give chains of folders tens of thousands deep.
void CTreeVw::MoveSubtree(HTREEITEM hSrc, HTREEITEM hNewParent) {
    struct Step {
        HTREEITEM hSrc, hNewParent;
    };
    std::vector<Step> todo{{hSrc, hNewParent}};
    std::vector<HTREEITEM> copied;  // pre-order
    std::vector<HTREEITEM> kids;
    while (!todo.empty()) {
        const Step step = todo.back();
        todo.pop_back();
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        item.hItem = step.hSrc;
        ::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const CString strText = GetItemText(step.hSrc);
        const int nID = static_cast<int>(item.lParam);
        HTREEITEM hAfter =
            step.hSrc == hSrc ? SortedPlace(step.hNewParent, strText, nID) : TVI_LAST;
        TVINSERTSTRUCTA tvis = MakeInsert(step.hNewParent, hAfter, strText, item.iImage, nID);
        tvis.item.iSelectedImage = item.iSelectedImage;
        HTREEITEM hNew = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
        copied.push_back(step.hSrc);
        // Children go on the stack last first, so they are copied first to last.
        kids.clear();
        for (HTREEITEM h = GetChildItem(step.hSrc); h; h = GetNextSiblingItem(h)) kids.push_back(h);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) todo.push_back({*it, hNew});
    }
    for (size_t i = copied.size(); i-- > 1;) TreeView_DeleteItem(m_hWnd, copied[i]);
}

// ---- Opening URLs

void CTreeVw::OnExecute() {
    COrdelinkDoc* pDoc = GetDocument();
    const int nIndex = pDoc->GetCurIndex();
    if (pDoc->m_bEmpty == 1 || nIndex < 0 || nIndex >= pDoc->m_PtrAry.GetSize()) return;
    const CUrlItem& rec = *pDoc->m_PtrAry[nIndex];
    if (rec.m_IsURL == 0) return;  // folders open nothing
    // The URL may come from any file or program: a program or a share is
    // opened only when the user agrees, a would-be switch never.
    switch (ClassifyOpenTarget(rec.m_URL)) {
        case OpenTarget::Now:
            break;
        case OpenTarget::Ask:
            if (AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_OPEN_ASK), ShownTarget(rec.m_URL)),
                              AFX_MB_YESNO | AFX_MB_ICONQUESTION | MB_DEFBUTTON2) != AFX_IDYES)
                return;
            break;
        case OpenTarget::Refused:
            ViewMessageBeep(0);
            AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_OPEN_REFUSED), ShownTarget(rec.m_URL)),
                          AFX_MB_OK | AFX_MB_ICONEXCLAMATION);
            return;
    }
    if (m_BrowserAny != 0)
        LaunchBrowser(rec.m_URL);
    else
        ShellOpenURL(rec.m_URL);
}

// The target is the browser's one (last) argument. A path in m_BrowserName is
// the program run; a command line there (see BrowserCommandLine.h) keeps its
// program and switches as the user wrote them.
void CTreeVw::LaunchBrowser(const CString& strTarget) {
    // Whatever the caller, nothing that a browser would take for a switch.
    if (ClassifyOpenTarget(strTarget) == OpenTarget::Refused) return;
    const DWORD dwAttr = ::GetFileAttributesA(m_BrowserName);
    const bool bFile = dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
    CString strCommand = BuildBrowserCommandLine(m_BrowserName, strTarget, bFile);
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
