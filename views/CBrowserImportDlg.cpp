#include "views/CBrowserImportDlg.h"

#include <windows.h>
#include <commctrl.h>

#include "fw/base/AfxHooks.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CBrowserImportDlg, CDialog)
ON_BN_CLICKED(IDC_OPEN_BOOKMARK_FILE, OnOpenBookmarkFile)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_BROWSER_PROFILES, OnProfilesChanged)
ON_NOTIFY(NM_DBLCLK, IDC_BROWSER_PROFILES, OnProfilesDblClk)
END_MESSAGE_MAP()

namespace {

// The count column: the number, or why there is none.
CString CountText(const BrowserProfile& profile) {
    if (profile.bDatabase) return AfxLoadString(IDS_BROWSER_EXPORT_FIRST);
    if (profile.nLinks < 0) return AfxLoadString(IDS_BROWSER_UNREADABLE);
    return CString(std::to_string(profile.nLinks));
}

void SetCell(HWND hList, int nRow, int nColumn, const CString& strText) {
    LVITEMA item = {};
    item.iSubItem = nColumn;
    item.pszText = const_cast<char*>(static_cast<const char*>(strText));
    ::SendMessageA(hList, LVM_SETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CBrowserImportDlg::CBrowserImportDlg(const std::vector<BrowserProfile>& profiles, CWnd* pParentWnd)
    : CDialog(IDD_IMPORT_BROWSER, pParentWnd), m_profiles(profiles) {}

bool CBrowserImportDlg::IsImportable(const BrowserProfile& profile) {
    return !profile.bDatabase && profile.nLinks >= 0;
}

HWND CBrowserImportDlg::ListWindow() const {
    return ::GetDlgItem(m_hWnd, IDC_BROWSER_PROFILES);
}

BOOL CBrowserImportDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND hList = ListWindow();
    ListView_SetExtendedListViewStyle(hList, LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(hList, &rc);
    const int nWidth = rc.right - rc.left - ::GetSystemMetrics(SM_CXVSCROLL);
    const int widths[] = {nWidth * 3 / 10, nWidth * 4 / 10, nWidth - nWidth * 7 / 10};
    const CString strColumns = AfxLoadString(IDS_BROWSER_COLUMNS);
    int nStart = 0;
    for (int c = 0; c < 3; ++c) {
        int nEnd = strColumns.Find('\n', nStart);
        if (nEnd < 0) nEnd = strColumns.GetLength();
        const CString strTitle = strColumns.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = widths[c];
        column.pszText = const_cast<char*>(static_cast<const char*>(strTitle));
        ::SendMessageA(hList, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }

    bool bFirefox = false;
    int nFirstImportable = -1;
    for (size_t i = 0; i < m_profiles.size(); ++i) {
        const BrowserProfile& p = m_profiles[i];
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(static_cast<const char*>(p.strBrowser));
        item.lParam = static_cast<LPARAM>(i);
        const int nRow = static_cast<int>(
            ::SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        SetCell(hList, nRow, 1, p.strProfile);
        SetCell(hList, nRow, 2, CountText(p));
        bFirefox = bFirefox || p.bDatabase;
        if (nFirstImportable < 0 && IsImportable(p)) nFirstImportable = nRow;
    }
    if (bFirefox) SetDlgItemText(IDC_BROWSER_HINT, AfxLoadString(IDS_BROWSER_FIREFOX_HINT));
    if (m_profiles.empty()) SetDlgItemText(IDC_BROWSER_NOTE, AfxLoadString(IDS_BROWSER_NONE_FOUND));
    if (nFirstImportable >= 0) {
        ListView_SetItemState(hList, nFirstImportable, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    UpdateImportButton();
    if (nFirstImportable < 0) {
        // Nothing to import here: opening a file is what is left.
        ::SendMessageA(m_hWnd, DM_SETDEFID, IDC_OPEN_BOOKMARK_FILE, 0);
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_OPEN_BOOKMARK_FILE));
        return FALSE;
    }
    ::SetFocus(hList);
    return FALSE;
}

std::vector<size_t> CBrowserImportDlg::SelectedImportable() const {
    std::vector<size_t> chosen;
    HWND hList = ListWindow();
    int nRow = -1;
    while ((nRow = ListView_GetNextItem(hList, nRow, LVNI_SELECTED)) >= 0) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = nRow;
        ::SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const size_t nIndex = static_cast<size_t>(item.lParam);
        if (nIndex < m_profiles.size() && IsImportable(m_profiles[nIndex]))
            chosen.push_back(nIndex);
    }
    return chosen;
}

void CBrowserImportDlg::UpdateImportButton() {
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), !SelectedImportable().empty());
}

void CBrowserImportDlg::OnOK() {
    m_chosen = SelectedImportable();
    // Enter with nothing importable chosen does what the default button says.
    if (m_chosen.empty()) {
        if (::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0) ==
            MAKELRESULT(IDC_OPEN_BOOKMARK_FILE, DC_HASDEFID))
            OnOpenBookmarkFile();
        return;
    }
    EndDialog(IDOK);
}

void CBrowserImportDlg::OnOpenBookmarkFile() {
    EndDialog(IDC_OPEN_BOOKMARK_FILE);
}

void CBrowserImportDlg::OnProfilesChanged(NMHDR*, LRESULT*) {
    UpdateImportButton();
}

void CBrowserImportDlg::OnProfilesDblClk(NMHDR*, LRESULT*) {
    if (!SelectedImportable().empty()) OnOK();
}
