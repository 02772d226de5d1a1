#include "views/CLinkResultsWnd.h"

#include <commctrl.h>

#include <unordered_set>

#include "fw/base/AfxHooks.h"
#include "fw/win/CFrameWnd.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeVw.h"
#include "views/ViewBeep.h"

namespace {
constexpr int kMargin = 8;
constexpr int kButtonHeight = 24;
constexpr int kButtonWidth = 130;

CString StatusText(const CLinkResultsWnd::Row& row) {
    CString str = LinkStatusName(row.status);
    if (row.status == LinkStatus::Broken) {
        CString strCode;
        strCode.Format(" %d", row.nCode);
        str += strCode;
    } else if (row.status == LinkStatus::Failed && !row.strError.IsEmpty()) {
        str += ": ";
        str += row.strError;
    }
    return str;
}
}  // namespace

BEGIN_MESSAGE_MAP(CLinkResultsWnd, CWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_BN_CLICKED(IDC_RESULTS_UPDATE, OnUpdateClicked)
ON_BN_CLICKED(IDC_RESULTS_CLOSE, OnCloseClicked)
ON_COMMAND(IDCANCEL, OnCloseClicked)
ON_NOTIFY(NM_DBLCLK, IDC_RESULTS_LIST, OnListDblClk)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_RESULTS_LIST, OnListChanged)
END_MESSAGE_MAP()

CLinkResultsWnd::~CLinkResultsWnd() = default;

BOOL CLinkResultsWnd::ShowCheck(CWnd* pOwner, CTreeVw* pTree, std::vector<Row> rows, int nChecked) {
    m_rows = std::move(rows);
    CString strCount;
    strCount.Format("%d", nChecked);
    return Show(pOwner, pTree, AfxFormatString1(AfxLoadString(IDS_CHECK_RESULTS_TITLE), strCount),
                IDS_CHECK_COLUMNS, true);
}

BOOL CLinkResultsWnd::ShowDuplicates(CWnd* pOwner, CTreeVw* pTree, std::vector<Row> rows,
                                     int nGroups) {
    m_rows = std::move(rows);
    CString strCount;
    strCount.Format("%d", nGroups);
    return Show(pOwner, pTree, AfxFormatString1(AfxLoadString(IDS_DUPLICATES_TITLE), strCount),
                IDS_DUPLICATE_COLUMNS, false);
}

BOOL CLinkResultsWnd::Show(CWnd* pOwner, CTreeVw* pTree, const CString& strTitle, UINT nColumnsID,
                           bool bCheck) {
    m_pTree = pTree;
    m_bCheck = bCheck;
    if (!m_hWnd) {
        RECT rcOwner = {0, 0, 640, 360};
        if (pOwner) pOwner->GetWindowRect(&rcOwner);
        // Below and right of the owner's corner, so that the tree stays in sight.
        const RECT rect = {rcOwner.left + 240, rcOwner.top + 150, rcOwner.left + 240 + 680,
                           rcOwner.top + 150 + 300};
        if (!CreateEx(0, AfxWndClassName(), strTitle,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, rect,
                      pOwner, 0))
            return FALSE;
        HINSTANCE hInst = AfxGetInstanceHandle();
        HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        m_hList = ::CreateWindowExA(
            WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 0, 0, m_hWnd,
            reinterpret_cast<HMENU>(IDC_RESULTS_LIST), hInst, nullptr);
        ::SendMessageA(m_hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                       LVS_EX_FULLROWSELECT);
        m_hUpdate =
            ::CreateWindowExA(0, "BUTTON", AfxLoadString(IDS_UPDATE_ADDRESSES),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                              m_hWnd, reinterpret_cast<HMENU>(IDC_RESULTS_UPDATE), hInst, nullptr);
        m_hClose =
            ::CreateWindowExA(0, "BUTTON", AfxLoadString(IDS_CHECK_CLOSE),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                              m_hWnd, reinterpret_cast<HMENU>(IDC_RESULTS_CLOSE), hInst, nullptr);
        if (!m_hList || !m_hUpdate || !m_hClose) return FALSE;
        for (HWND h : {m_hList, m_hUpdate, m_hClose})
            ::SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    SetWindowText(strTitle);
    // Columns for this kind of list.
    while (::SendMessageA(m_hList, LVM_DELETECOLUMN, 0, 0)) {
    }
    const CString strColumns = AfxLoadString(nColumnsID);
    static const int kWidths[2][4] = {{140, 110, 170, 230}, {40, 170, 170, 270}};
    int nColumn = 0;
    for (int nStart = 0; nStart <= strColumns.GetLength() && nColumn < 4; ++nColumn) {
        int nTab = strColumns.Find('\t', nStart);
        if (nTab < 0) nTab = strColumns.GetLength();
        CString strName = strColumns.Mid(nStart, nTab - nStart);
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = kWidths[bCheck ? 0 : 1][nColumn];
        col.pszText = const_cast<char*>(strName.str().c_str());
        ::SendMessageA(m_hList, LVM_INSERTCOLUMNA, nColumn, reinterpret_cast<LPARAM>(&col));
        nStart = nTab + 1;
    }
    ::ShowWindow(m_hUpdate, bCheck ? SW_SHOW : SW_HIDE);
    Fill();
    Relayout();
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

CString CLinkResultsWnd::FolderPath(int nID) const {
    const CItemTable& table = m_pTree->GetDocument()->m_PtrAry;
    const CUrlItem* pItem = table.FindID(nID);
    CString strPath;
    // A damaged file may hold a loop of parents: the walk stops after as
    // many steps as there are records.
    int nParent = pItem ? pItem->m_ParentID : 0;
    for (int nSteps = 0; nParent != 0 && nSteps < table.GetSize(); ++nSteps) {
        const CUrlItem* pParent = table.FindID(nParent);
        if (!pParent) break;
        strPath = strPath.IsEmpty() ? pParent->m_Title : pParent->m_Title + "/" + strPath;
        nParent = pParent->m_ParentID;
    }
    return strPath.IsEmpty() ? CString("ROOT") : CString("ROOT/") + strPath;
}

CString CLinkResultsWnd::GetCellText(int nRow, int nColumn) const {
    const Row& row = GetRow(nRow);
    const CUrlItem* pItem = m_pTree->GetDocument()->m_PtrAry.FindID(row.nID);
    const CString strTitle = pItem ? pItem->m_Title : CString();
    if (m_bCheck) {
        switch (nColumn) {
            case 0:
                return FolderPath(row.nID);
            case 1:
                return strTitle;
            case 2:
                return StatusText(row);
            default:
                return row.status == LinkStatus::Redirected ? row.strLocation : row.strURL;
        }
    }
    switch (nColumn) {
        case 0: {
            CString str;
            str.Format("%d", row.nGroup);
            return str;
        }
        case 1:
            return FolderPath(row.nID);
        case 2:
            return strTitle;
        default:
            return row.strURL;
    }
}

void CLinkResultsWnd::Fill() {
    ::SendMessageA(m_hList, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < GetRowCount(); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        for (int nColumn = 0; nColumn < 4; ++nColumn) {
            CString strText = GetCellText(i, nColumn);
            item.iSubItem = nColumn;
            item.pszText = const_cast<char*>(strText.str().c_str());
            ::SendMessageA(m_hList, nColumn == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, i,
                           reinterpret_cast<LPARAM>(&item));
        }
    }
    EnableUpdate();
}

void CLinkResultsWnd::Relayout() {
    RECT rc;
    GetClientRect(&rc);
    const int yButtons = rc.bottom - kMargin - kButtonHeight;
    ::MoveWindow(m_hList, kMargin, kMargin, rc.right - 2 * kMargin, yButtons - 2 * kMargin, TRUE);
    ::MoveWindow(m_hClose, rc.right - kMargin - 90, yButtons, 90, kButtonHeight, TRUE);
    ::MoveWindow(m_hUpdate, rc.right - 2 * kMargin - 90 - kButtonWidth, yButtons, kButtonWidth,
                 kButtonHeight, TRUE);
}

void CLinkResultsWnd::OnSize(UINT, int, int) {
    Default();
    if (m_hList) Relayout();
}

void CLinkResultsWnd::OnClose() {
    ShowWindow(SW_HIDE);
}

// Tab and Shift+Tab move between the list and the buttons and Escape closes,
// as in a dialog; every other key keeps its way to the main window's
// accelerators.
BOOL CLinkResultsWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_TAB || pMsg->wParam == VK_ESCAPE))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

void CLinkResultsWnd::Dismiss() {
    m_rows.clear();
    if (!m_hWnd) return;
    ::SendMessageA(m_hList, LVM_DELETEALLITEMS, 0, 0);
    ShowWindow(SW_HIDE);
}

void CLinkResultsWnd::EnableUpdate() {
    BOOL bAny = FALSE;
    for (int i = -1;
         (i = static_cast<int>(::SendMessageA(m_hList, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        if (i < GetRowCount() && GetRow(i).status == LinkStatus::Redirected) bAny = TRUE;
    ::EnableWindow(m_hUpdate, bAny);
}

void CLinkResultsWnd::OnListChanged(NMHDR*, LRESULT* pResult) {
    EnableUpdate();
    *pResult = 0;
}

void CLinkResultsWnd::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pItem = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (pItem->iItem >= 0) ActivateRow(pItem->iItem);
    *pResult = 0;
}

void CLinkResultsWnd::ActivateRow(int nRow) {
    if (nRow < 0 || nRow >= GetRowCount() || !m_pTree) return;
    HTREEITEM hNode = m_pTree->NodeOfID(GetRow(nRow).nID);
    if (!hNode) {
        // Deleted since the list was made.
        ViewMessageBeep(0);
        return;
    }
    m_pTree->SelectItem(hNode);
    ::SendMessageA(m_pTree->m_hWnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hNode));
}

// Only records that still hold the address that was checked change: one
// edited or deleted meanwhile is left alone.
void CLinkResultsWnd::UpdateAddresses() {
    if (!m_bCheck || !m_pTree) return;
    COrdelinkDoc* pDoc = m_pTree->GetDocument();
    std::vector<int> rows;
    for (int i = -1;
         (i = static_cast<int>(::SendMessageA(m_hList, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        if (i < GetRowCount() && GetRow(i).status == LinkStatus::Redirected) rows.push_back(i);
    std::unordered_set<int> updated;
    {
        CChangeHistory::Group group(pDoc->History(), ChangeKind::Update);
        for (int i : rows) {
            const Row& row = GetRow(i);
            const int nIndex = pDoc->IndexOfID(row.nID);
            if (nIndex < 0) continue;
            const CUrlItem* pItem = pDoc->m_PtrAry[nIndex];
            if (!pItem->m_IsURL || pItem->m_URL != row.strURL) continue;
            pDoc->History().SetTitleURL(nIndex, pItem->m_Title, row.strLocation);
            updated.insert(i);
        }
    }
    if (updated.empty()) {
        ViewMessageBeep(0);
        return;
    }
    pDoc->SetModifiedFlag(TRUE);
    std::vector<Row> kept;
    for (int i = 0; i < GetRowCount(); ++i)
        if (!updated.count(i)) kept.push_back(m_rows[static_cast<size_t>(i)]);
    m_rows = std::move(kept);
    Fill();
    // The form shows the selected record's address anew.
    if (CWnd* pMain = AfxGetMainWnd()) pMain->SendMessage(WM_COMMAND, ID_INT_SELECTION_CHANGED, 0);
}
