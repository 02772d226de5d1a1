#include "fw/win/CStatusBar.h"

#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"

namespace {

class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        static_cast<CStatusBar*>(m_pOther)->EnablePane(static_cast<int>(m_nIndex), bOn);
    }
    void SetCheck(int) override {}
    void SetText(const char* pszText) override {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), pszText);
    }
};

constexpr int kPanePadding = 8;  // sunken edges and a little air around the text

}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    DWORD dwWndStyle = PrepareCreate(pParentWnd, dwStyle);
    dwWndStyle |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
    const RECT rect = {0, 0, 0, 0};
    if (!CreateEx(0, STATUSCLASSNAMEA, "", dwWndStyle, rect, pParentWnd, nID)) return FALSE;
    if (m_pDockSite) m_pDockSite->AddControlBar(this);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    m_panes.clear();
    HDC hdc = ::GetDC(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : nullptr;
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane = {lpIDArray[i], 0, CString(), false};
        if (pane.nID != ID_SEPARATOR) {
            if (!AfxLoadString(pane.nID, pane.strText)) bResult = FALSE;
            SIZE size = {};
            ::GetTextExtentPoint32A(hdc, pane.strText, pane.strText.GetLength(), &size);
            pane.cxWidth = size.cx + kPanePadding;
        }
        m_panes.push_back(pane);
    }
    if (hOld) ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_hWnd, hdc);
    UpdateParts();
    for (int i = 0; i < GetCount(); ++i) ShowPane(i);
    return bResult;
}

// The message pane takes what the indicators leave; the last indicator ends
// at the size grip.
void CStatusBar::UpdateParts() {
    if (m_panes.empty()) return;
    RECT rc;
    GetClientRect(&rc);
    std::vector<int> edges(m_panes.size());
    int right = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    edges.back() = -1;
    for (size_t i = m_panes.size() - 1; i > 0; --i) {
        right -= m_panes[i].cxWidth;
        edges[i - 1] = right;
    }
    SendMessage(SB_SETPARTS, static_cast<WPARAM>(edges.size()),
                reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT, int, int) {
    Default();
    UpdateParts();
}

int CStatusBar::CommandToIndex(UINT nID) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].nID == nID) return i;
    return -1;
}

void CStatusBar::ShowPane(int nIndex) {
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    const char* psz = pane.bDisabled ? "" : static_cast<const char*>(pane.strText);
    if (GetPaneText(nIndex) != psz)
        SendMessage(SB_SETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(psz));
}

CString CStatusBar::GetPaneText(int nIndex) const {
    // The length may be counted in UTF-16 units while the text comes in the
    // code page, up to three bytes each in UTF-8 (a surrogate pair's four
    // bytes are two units): room for that, then the text's own end.
    const int n = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(nIndex)));
    CString s;
    char* p = s.GetBuffer(3 * n + 1);
    p[0] = '\0';
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(p));
    s.ReleaseBuffer();
    return s;
}

void CStatusBar::SetPaneText(int nIndex, const char* pszText) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    m_panes[static_cast<size_t>(nIndex)].strText = pszText ? pszText : "";
    ShowPane(nIndex);
}

void CStatusBar::EnablePane(int nIndex, BOOL bEnable) {
    if (nIndex < 0 || nIndex >= GetCount()) return;
    m_panes[static_cast<size_t>(nIndex)].bDisabled = !bEnable;
    ShowPane(nIndex);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        // The message pane belongs to the frame's prompts, not to a command.
        if (state.m_nID == ID_SEPARATOR) continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

int CStatusBar::CalcHeight(int) {
    HDC hdc = ::GetDC(m_hWnd);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : nullptr;
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hdc, &tm);
    if (hOld) ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_hWnd, hdc);
    return tm.tmHeight + 8;
}
