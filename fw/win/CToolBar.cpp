#include "fw/win/CToolBar.h"

#include <vector>

#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"

namespace {

// A toolbar button's state, changed only when it differs, so that the idle
// pass repaints nothing when nothing changed.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        HWND h = m_pOther->m_hWnd;
        const BOOL bNow = ::SendMessageA(h, TB_ISBUTTONENABLED, m_nID, 0) != 0;
        if (bNow != (bOn != FALSE))
            ::SendMessageA(h, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn != 0, 0));
    }
    void SetCheck(int nCheck) override {
        HWND h = m_pOther->m_hWnd;
        const BOOL bNow = ::SendMessageA(h, TB_ISBUTTONCHECKED, m_nID, 0) != 0;
        if (bNow != (nCheck != 0))
            ::SendMessageA(h, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0, 0));
    }
    void SetText(const char*) override {}
};

constexpr int kSeparatorWidth = 8;

}  // namespace

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
END_MESSAGE_MAP()

// Borders along a horizontal bar: room for a gripper before the buttons,
// a little after them, two pixels above and below.
CToolBar::CToolBar() {
    m_cxLeftBorder = 8;
    m_cxRightBorder = 4;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() {
    if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    DWORD dwWndStyle = PrepareCreate(pParentWnd, dwStyle);
    // The frame places the bar; the control only draws and hit-tests.
    dwWndStyle |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
    const RECT rect = {0, 0, 0, 0};
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWndStyle, rect, pParentWnd, nID)) return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (m_pDockSite) m_pDockSite->AddControlBar(this);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc =
        ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(AFX_RT_TOOLBAR));
    if (!hRsrc) return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const DWORD cb = ::SizeofResource(hInst, hRsrc);
    const auto* pData = hGlobal ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    // Version 1, image width, image height, count, then the IDs: a resource
    // shorter than it says is refused rather than read past its end.
    if (!pData || cb < 4 * sizeof(WORD) || pData[0] != 1) return FALSE;
    const WORD nCount = pData[3];
    if (cb < (4u + nCount) * sizeof(WORD)) return FALSE;
    m_sizeImage = {pData[1], pData[2]};
    m_sizeButton = {m_sizeImage.cx + 7, m_sizeImage.cy + 7};
    std::vector<UINT> ids(pData + 4, pData + 4 + nCount);

    // The standard greys, black and white of the picture follow the
    // current 3D colours.
    HBITMAP hbm = AfxLoadSysColorBitmap(hInst, nIDResource);
    if (!hbm) return FALSE;
    if (m_hbmImageWell) ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbm;
    m_nIDResource = nIDResource;
    BITMAP bm = {};
    ::GetObjectA(hbm, sizeof(bm), &bm);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(m_sizeImage.cx, m_sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeButton.cx, m_sizeButton.cy));
    TBADDBITMAP ab = {nullptr, reinterpret_cast<UINT_PTR>(hbm)};
    SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(bm.bmWidth / m_sizeImage.cx),
                reinterpret_cast<LPARAM>(&ab));
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        b = TBBUTTON{};
        if (lpIDArray[i] == ID_SEPARATOR) {
            b.iBitmap = kSeparatorWidth;
            b.fsStyle = TBSTYLE_SEP;
        } else {
            b.iBitmap = iImage++;
            b.idCommand = static_cast<int>(lpIDArray[i]);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    return SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nIDCount),
                       reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

LRESULT CToolBar::OnSysColorChange(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    if (m_hbmImageWell && m_nIDResource) {
        if (HBITMAP hbm = AfxLoadSysColorBitmap(AfxGetResourceHandle(), m_nIDResource)) {
            BITMAP bm = {};
            ::GetObjectA(hbm, sizeof(bm), &bm);
            TBREPLACEBITMAP rb = {nullptr, reinterpret_cast<UINT_PTR>(m_hbmImageWell), nullptr,
                                  reinterpret_cast<UINT_PTR>(hbm), bm.bmWidth / m_sizeImage.cx};
            if (SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&rb))) {
                ::DeleteObject(m_hbmImageWell);
                m_hbmImageWell = hbm;
            } else {
                ::DeleteObject(hbm);
            }
        }
    }
    Invalidate();
    return lResult;
}

int CToolBar::GetCount() const {
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

int CToolBar::CommandToIndex(UINT nID) const {
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nID));
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b));
    return (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(b.idCommand);
}

void CToolBar::GetItemRect(int nIndex, RECT* pRect) const {
    *pRect = RECT{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pRect));
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b));
    return MAKELONG(b.fsStyle, b.fsState);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == ID_SEPARATOR) continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

int CToolBar::CalcHeight(int) {
    return CalcFixedLayout().cy;
}

// Standing along a left or right edge the buttons form one column: each
// row ends after its button, or after the separator that follows it, which
// then makes a gap between the rows.
void CToolBar::OnBarStyleChange(DWORD, DWORD dwNewStyle) {
    if (!m_hWnd) return;
    const bool bColumn = !(dwNewStyle & CBRS_FLOATING) && !(dwNewStyle & CBRS_ORIENT_HORZ);
    const int nCount = GetCount();
    bool bChanged = false;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON b = {};
        SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        bool bWrap = false;
        if (bColumn) {
            TBBUTTON next = {};
            const bool bLast = i + 1 >= nCount;
            if (!bLast)
                SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i + 1),
                            reinterpret_cast<LPARAM>(&next));
            bWrap = (b.fsStyle & TBSTYLE_SEP) || bLast || !(next.fsStyle & TBSTYLE_SEP);
        }
        const BYTE fsState = bWrap ? (b.fsState | TBSTATE_WRAP) : (b.fsState & ~TBSTATE_WRAP);
        if (fsState != b.fsState) {
            // Separators share command ID 0: theirs is set by index.
            if (b.fsStyle & TBSTYLE_SEP)
                SetButtonState(i, fsState);
            else
                SendMessage(TB_SETSTATE, static_cast<WPARAM>(b.idCommand), MAKELONG(fsState, 0));
            bChanged = true;
        }
    }
    if (bChanged) {
        // Lays the buttons out again for the new rows.
        SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeButton.cx, m_sizeButton.cy));
        Invalidate();
    }
}

void CToolBar::SetButtonState(int nIndex, BYTE fsState) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STATE | TBIF_BYINDEX;
    info.fsState = fsState;
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

SIZE CToolBar::CalcFixedLayout() {
    SIZE content = {0, m_sizeButton.cy};
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetButtonStyle(i) & MAKELONG(0, TBSTATE_HIDDEN)) continue;
        RECT rc;
        GetItemRect(i, &rc);
        if (rc.right > content.cx) content.cx = rc.right;
        if (rc.bottom > content.cy) content.cy = rc.bottom;
    }
    return WindowSizeForClient(content);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b));
    nID = (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(b.idCommand);
    nStyle = MAKELONG(b.fsStyle, b.fsState);
    iImage = b.iBitmap;
}

CString CToolBar::GetButtonText(int nIndex) const {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & TBSTYLE_SEP) return CString();
    char sz[256] = "";
    const LRESULT n = SendMessage(TB_GETBUTTONTEXTA, static_cast<WPARAM>(b.idCommand),
                                  reinterpret_cast<LPARAM>(sz));
    return n > 0 ? CString(sz) : CString();
}

UINT CToolBar::HitTestCommand(POINT pt) const {
    const int nIndex = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    if (nIndex < 0 || nIndex >= GetCount()) return 0;
    return GetItemID(nIndex);
}
