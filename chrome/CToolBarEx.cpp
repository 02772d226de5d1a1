#include "chrome/CToolBarEx.h"

#include "chrome/GdiDraw.h"
#include "fw/win/AfxRes.h"

namespace {

constexpr UINT_PTR kHoverTimerID = 1;
constexpr UINT kHoverPeriod = 250;    // ms: how soon leaving the bar un-highlights
constexpr int kMaxLineSeparator = 8;  // a wider separator holds a space, not a line

bool RectsMeet(const RECT& a, const RECT& b) {
    RECT r;
    return ::IntersectRect(&r, &a, &b) != FALSE;
}

}  // namespace

// One flat paint's custom-draw notifications to the creation parent.
struct CToolBarEx::CustomDrawContext {
    NMCUSTOMDRAW nmcd = {};
    DWORD dwPrepaint = 0;  // the answer to CDDS_PREPAINT
    DWORD dwItem = 0;      // the answer to the last CDDS_ITEMPREPAINT
    CToolBarEx* pBar = nullptr;
    HWND hReceiver = nullptr;  // none once the window is gone

    DWORD Send(DWORD dwStage) {
        nmcd.dwDrawStage = dwStage;
        if (!hReceiver) return 0;
        return static_cast<DWORD>(
            ::SendMessageA(hReceiver, WM_NOTIFY, nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&nmcd)));
    }
};

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
ON_MESSAGE(WM_PAINT, OnPaintMessage)
ON_MESSAGE(WM_PRINT, OnPrint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSizeEx)
ON_MESSAGE(WM_NCPAINT, OnNcPaintEx)
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

CToolBarEx::CToolBarEx() {
    CalcImageOffsets();
    ReadSysColors();
    // Labels in the stock GUI font (or a plain system font), 6 units high.
    LOGFONTA lf = {};
    HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hStock) {
        ::GetObjectA(hStock, sizeof(lf), &lf);
    } else {
        ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
        lf.lfWeight = FW_NORMAL;
        lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    }
    lf.lfHeight = 6;
    lf.lfWidth = 0;
    m_labelFont = ::CreateFontIndirectA(&lf);
}

CToolBarEx::~CToolBarEx() {
    if (m_labelFont) ::DeleteObject(m_labelFont);
}

BOOL CToolBarEx::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (!CToolBar::Create(pParentWnd, dwStyle, nID)) return FALSE;
    m_hwndNotify = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    return TRUE;
}

void CToolBarEx::ReadSysColors() {
    m_crFace = ::GetSysColor(COLOR_BTNFACE);
    m_crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
}

bool CToolBarEx::HasLabels() const {
    if (!m_hWnd) return false;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
        if (!GetButtonText(i).IsEmpty()) return true;
    return false;
}

void CToolBarEx::CalcImageOffsets() {
    m_cxImageOffset = (m_sizeButton.cx - m_sizeImage.cx) / 2;
    m_cyImageOffset = HasLabels() ? 3 : (m_sizeButton.cy - m_sizeImage.cy) / 2;
}

// The control's own image list when it has one; else one made from the
// button bitmap for this paint (m_bOwnImageList: destroyed after it).
HIMAGELIST CToolBarEx::GetPaintImageList() {
    m_bOwnImageList = FALSE;
    if (auto hList = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST))) return hList;
    if (!m_hbmImageWell) return nullptr;
    BITMAP bm = {};
    ::GetObjectA(m_hbmImageWell, sizeof(bm), &bm);
    const int cx = bm.bmBitsPixel <= 8 ? ((bm.bmWidth * 8 + 31) & ~31) / 8
                                       : ((bm.bmWidth * 24 + 31) & ~31) / 8;
    HDC hdcClient = ::GetDC(m_hWnd);
    HBITMAP hbmWork = ::CreateCompatibleBitmap(hdcClient, cx, bm.bmHeight);
    HDC hdcSrc = ::CreateCompatibleDC(hdcClient);
    HDC hdcDst = ::CreateCompatibleDC(hdcClient);
    HGDIOBJ hOldSrc = ::SelectObject(hdcSrc, m_hbmImageWell);
    HGDIOBJ hOldDst = ::SelectObject(hdcDst, hbmWork);
    ::BitBlt(hdcDst, 0, 0, bm.bmWidth, bm.bmHeight, hdcSrc, 0, 0, SRCCOPY);
    ::SelectObject(hdcSrc, hOldSrc);
    ::SelectObject(hdcDst, hOldDst);
    ::DeleteDC(hdcSrc);
    ::DeleteDC(hdcDst);
    ::ReleaseDC(m_hWnd, hdcClient);
    HIMAGELIST hList = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | ILC_COLOR24,
                                        cx / m_sizeImage.cx, 1);
    if (hList) {
        ImageList_SetBkColor(hList, m_crFace);
        ImageList_AddMasked(hList, hbmWork, m_crFace);
        m_bOwnImageList = TRUE;
    }
    ::DeleteObject(hbmWork);
    return hList;
}

LRESULT CToolBarEx::OnPaintMessage(WPARAM, LPARAM) {
    HIMAGELIST hImages = GetPaintImageList();
    if (!m_bFlatMode || !hImages) {
        if (m_bOwnImageList) ImageList_Destroy(hImages);
        return Default();
    }
    RECT rcUpdate;
    if (!::GetUpdateRect(m_hWnd, &rcUpdate, FALSE)) {
        if (m_bOwnImageList) ImageList_Destroy(hImages);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    PaintFlat(hdc, rcUpdate, hImages);
    ::EndPaint(m_hWnd, &ps);
    if (m_bOwnImageList) ImageList_Destroy(hImages);
    return 0;
}

// Printing (PrintWindow, WM_PRINT) draws what the screen shows: the border
// with its gripper and the buttons in the current look.
LRESULT CToolBarEx::OnPrint(WPARAM wParam, LPARAM lParam) {
    HDC hdc = reinterpret_cast<HDC>(wParam);
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    if (lParam & PRF_NONCLIENT) {
        RECT rc = {0, 0, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
        FillSolidRect(hdc, rc, m_crFace);
        if (m_bFlatMode) DrawGripper(hdc);
    }
    if (lParam & PRF_CLIENT) {
        POINT ptOrigin = {0, 0};
        ::ClientToScreen(m_hWnd, &ptOrigin);
        const int nSaved = ::SaveDC(hdc);
        ::OffsetViewportOrgEx(hdc, ptOrigin.x - rcWindow.left, ptOrigin.y - rcWindow.top, nullptr);
        OnPrintClient(wParam, PRF_CLIENT | PRF_ERASEBKGND);
        ::RestoreDC(hdc, nSaved);
    }
    return 0;
}

LRESULT CToolBarEx::OnPrintClient(WPARAM wParam, LPARAM lParam) {
    HDC hdc = reinterpret_cast<HDC>(wParam);
    RECT rcClient;
    GetClientRect(&rcClient);
    const int nSaved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    FillSolidRect(hdc, rcClient, m_crFace);
    HIMAGELIST hImages = GetPaintImageList();
    if (m_bFlatMode && hImages)
        PaintFlat(hdc, rcClient, hImages);
    else
        DefWindowProc(WM_PRINTCLIENT, wParam, lParam);
    if (m_bOwnImageList) ImageList_Destroy(hImages);
    ::RestoreDC(hdc, nSaved);
    return 0;
}

void CToolBarEx::PaintFlat(HDC hdc, const RECT& rcUpdate, HIMAGELIST hImages) {
    if (HasLabels()) CalcImageOffsets();
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    ::ScreenToClient(m_hWnd, &ptCursor);
    HGDIOBJ hOldFont = ::SelectObject(hdc, m_labelFont);

    CustomDrawContext cd;
    cd.pBar = this;
    cd.hReceiver = ::IsWindow(m_hwndNotify) ? m_hwndNotify : nullptr;
    cd.nmcd.hdr.hwndFrom = m_hWnd;
    cd.nmcd.hdr.idFrom = static_cast<UINT_PTR>(::GetWindowLongA(m_hWnd, GWL_ID));
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.hdc = hdc;
    cd.dwPrepaint = cd.Send(CDDS_PREPAINT);

    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        RECT rc;
        GetItemRect(i, &rc);
        UINT nID = 0, nStyle = 0;
        int iImage = 0;
        GetButtonInfo(i, nID, nStyle, iImage);
        const UINT nState = HIWORD(nStyle);
        if (nState & TBSTATE_HIDDEN) continue;
        if (LOWORD(nStyle) == TBSTYLE_SEP) {
            if ((nState & TBSTATE_WRAP) && IsFloating()) continue;
            DrawSeparator(hdc, rc);
            continue;
        }
        if (!RectsMeet(rc, rcUpdate)) continue;
        ::SetTextColor(hdc, RGB(0, 0, 0));
        ::SetBkColor(hdc, m_crFace);
        m_cxImageOffset = (rc.right - rc.left - m_sizeImage.cx) / 2;
        if (cd.dwPrepaint & CDRF_NOTIFYITEMDRAW) {
            cd.nmcd.rc = rc;
            cd.nmcd.dwItemSpec = nID;
            cd.nmcd.uItemState = 0;
            if (!SendMessage(TB_ISBUTTONENABLED, nID)) cd.nmcd.uItemState |= CDIS_DISABLED;
            if (nState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) cd.nmcd.uItemState |= CDIS_CHECKED;
            cd.nmcd.lItemlParam = 0;
            cd.dwItem = cd.Send(CDDS_ITEMPREPAINT);
            if (cd.dwItem & CDRF_SKIPDEFAULT) continue;
        }
        DrawButton(hdc, i, nID, nStyle, iImage, rc, ptCursor, hImages);
        if (cd.dwItem & CDRF_NOTIFYPOSTPAINT) cd.Send(CDDS_ITEMPOSTPAINT);
    }

    ::SelectObject(hdc, hOldFont);
    if (cd.dwPrepaint & CDRF_NOTIFYPOSTPAINT) cd.Send(CDDS_POSTPAINT);
}

void CToolBarEx::DrawButton(HDC hdc, int nIndex, UINT nID, UINT nStyle, int iImage, const RECT& rc,
                            POINT ptCursor, HIMAGELIST hImages) {
    const int P = (HIWORD(nStyle) & (TBSTATE_CHECKED | TBSTATE_PRESSED)) ? 1 : 0;
    const bool bEnabled = SendMessage(TB_ISBUTTONENABLED, nID) != 0;
    FillSolidRect(hdc, rc, m_crFace);
    if (P)
        Draw3dRect(hdc, rc, m_crShadow, m_crLight);
    else if (bEnabled && ::PtInRect(&rc, ptCursor))
        Draw3dRect(hdc, rc, m_crLight, m_crShadow);
    else if (bEnabled)
        Draw3dRect(hdc, rc, m_crFace, m_crFace);
    ::SetBkColor(hdc, m_crFace);
    ImageList_Draw(hImages, iImage, hdc, rc.left + P + m_cxImageOffset,
                   rc.top + P + m_cyImageOffset, ILD_TRANSPARENT);
    const CString strText = GetButtonText(nIndex);
    if (!strText.IsEmpty()) {
        RECT rcText = {rc.left + P + 3, rc.top + P + m_sizeImage.cy + m_cyImageOffset + 1,
                       rc.right + P - 3, rc.bottom + P - 3};
        ::DrawTextA(hdc, strText, strText.GetLength(), &rcText, DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
    if (!bEnabled) DrawDisabledButton(hdc, rc);
}

// Everything that is neither face nor highlight is the button's ink; it is
// drawn again as a highlight copy one pixel down and right under a shadow
// copy in place.
void CToolBarEx::DrawDisabledButton(HDC hdc, const RECT& rc) {
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hdcMask = ::CreateCompatibleDC(nullptr);
    HBITMAP hbmMask = ::CreateCompatibleBitmap(hdcMask, cx, cy);
    HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);
    ::PatBlt(hdcMask, 0, 0, cx, cy, WHITENESS);
    ::SetBkColor(hdc, m_crFace);
    ::BitBlt(hdcMask, 0, 0, cx, cy, hdc, rc.left, rc.top, SRCCOPY);
    ::SetBkColor(hdc, m_crLight);
    ::BitBlt(hdcMask, 0, 0, cx, cy, hdc, rc.left, rc.top, SRCPAINT);
    FillSolidRect(hdc, rc, m_crFace);
    ::SetBkColor(hdc, RGB(0, 0, 0));
    ::SetTextColor(hdc, RGB(255, 255, 255));
    HBRUSH hbrLight = ::CreateSolidBrush(m_crLight);
    HBRUSH hbrShadow = ::CreateSolidBrush(m_crShadow);
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hbrLight);
    ::BitBlt(hdc, rc.left + 1, rc.top + 1, cx, cy, hdcMask, 0, 0, 0xE20746);
    ::SelectObject(hdc, hbrShadow);
    ::BitBlt(hdc, rc.left, rc.top, cx, cy, hdcMask, 0, 0, 0xE20746);
    ::SelectObject(hdc, hOldBrush);
    ::SelectObject(hdcMask, hOldMask);
    ::DeleteDC(hdcMask);
    ::DeleteObject(hbmMask);
    ::DeleteObject(hbrLight);
    ::DeleteObject(hbrShadow);
}

void CToolBarEx::DrawSeparator(HDC hdc, const RECT& rc) {
    if (rc.right - rc.left > kMaxLineSeparator) return;
    RECT rcLine;
    if (IsHorzDocked()) {
        const LONG m = (rc.left + rc.right) / 2;
        rcLine = RECT{m - 1, rc.top, m + 1, rc.bottom};
    } else {
        const LONG c = (2 * rc.bottom + 5) / 2;
        rcLine = RECT{rc.left - m_sizeButton.cx, c - 1, rc.left, c + 1};
    }
    Draw3dRect(hdc, rcLine, m_crShadow, m_crLight);
}

void CToolBarEx::DrawGripper(HDC hdcWindow) {
    if (m_dwStyle & CBRS_FLOATING) return;
    RECT rc;
    GetWindowRect(&rc);
    ::OffsetRect(&rc, -rc.left, -rc.top);
    ::InflateRect(&rc, -4, -4);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        rc.right = rc.left + 3;
        Draw3dRect(hdcWindow, rc, m_crLight, m_crShadow);
        ::OffsetRect(&rc, 3, 0);
        Draw3dRect(hdcWindow, rc, m_crLight, m_crShadow);
    } else {
        rc.bottom = rc.top + 3;
        Draw3dRect(hdcWindow, rc, m_crLight, m_crShadow);
        ::OffsetRect(&rc, 0, 3);
        Draw3dRect(hdcWindow, rc, m_crLight, m_crShadow);
    }
}

// The client area moves past the gripper: along a horizontal bar 4 pixels
// right, along a standing one 6 down. A shift, not a shrink, in both looks.
LRESULT CToolBarEx::OnNcCalcSizeEx(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CToolBar::OnNcCalcSize(wParam, lParam);
    RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        rc.left += 4;
        rc.right += 4;
    } else {
        rc.top += 6;
        rc.bottom += 6;
    }
    return lResult;
}

LRESULT CToolBarEx::OnNcPaintEx(WPARAM wParam, LPARAM lParam) {
    if (!m_bFlatMode) return CToolBar::OnNcPaint(wParam, lParam);
    EraseNonClient();
    HDC hdc = ::GetWindowDC(m_hWnd);
    if (hdc) {
        DrawGripper(hdc);
        ::ReleaseDC(m_hWnd, hdc);
    }
    return 0;
}

void CToolBarEx::OnMouseMove(UINT, POINT point) {
    if (m_bFlatMode) {
        const int nOldHot = m_nHotButton;
        m_nHotButton = -1;
        const int nCount = GetCount();
        for (int i = 0; i < nCount; ++i) {
            RECT rc;
            GetItemRect(i, &rc);
            UINT nID = 0, nStyle = 0;
            int iImage = 0;
            GetButtonInfo(i, nID, nStyle, iImage);
            if ((LOWORD(nStyle) & TBSTYLE_SEP) || !SendMessage(TB_ISBUTTONENABLED, nID)) continue;
            if (::PtInRect(&rc, point)) {
                if (i != nOldHot) ::InvalidateRect(m_hWnd, &rc, FALSE);
                m_nHotButton = i;
            } else if (i == nOldHot) {
                ::InvalidateRect(m_hWnd, &rc, FALSE);
            }
        }
        if (m_nHoverTimer) KillTimer(m_nHoverTimer);
        m_nHoverTimer = SetTimer(kHoverTimerID, kHoverPeriod);
    }
    Default();
}

// The bar never captures the mouse: leaving it is noticed by this poll.
void CToolBarEx::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != m_nHoverTimer || m_nHoverTimer == 0) {
        Default();
        return;
    }
    if (m_nHotButton < 0) {
        Default();
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    if (::PtInRect(&rcWindow, pt)) return;
    RECT rc;
    GetItemRect(m_nHotButton, &rc);
    ::InvalidateRect(m_hWnd, &rc, FALSE);
    m_nHotButton = -1;
    KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
}

LRESULT CToolBarEx::OnSysColorChange(WPARAM, LPARAM) {
    const LRESULT lResult = CToolBar::OnSysColorChange(0, 0);
    ReadSysColors();
    return lResult;
}

LRESULT CToolBarEx::OnSetButtonSize(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    if (lResult) CalcImageOffsets();
    return lResult;
}

LRESULT CToolBarEx::OnSetBitmapSize(WPARAM, LPARAM) {
    const LRESULT lResult = Default();
    if (lResult) CalcImageOffsets();
    return lResult;
}

// Flat: the buttons whose state the update changed are repainted, as the
// control no longer paints them itself.
void CToolBarEx::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    if (!m_bFlatMode) {
        CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        return;
    }
    const int nCount = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    if (static_cast<int>(m_prevStyles.size()) < nCount)
        m_prevStyles.resize(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) m_prevStyles[static_cast<size_t>(i)] = GetButtonStyle(i);
    CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    for (int i = 0; i < nCount; ++i) {
        if (GetButtonStyle(i) == m_prevStyles[static_cast<size_t>(i)]) continue;
        RECT rc;
        GetItemRect(i, &rc);
        ::InvalidateRect(m_hWnd, &rc, TRUE);
    }
}
