#include "chrome/CIconMenu.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <utility>

#include "chrome/GdiDraw.h"
#include "fw/win/CWnd.h"
#include "res/resource.h"

namespace {

HFONT CreateMenuFont() {
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return nullptr;
    return ::CreateFontIndirectA(&ncm.lfMenuFont);
}

HWND MainWindow() {
    CWnd* pMain = AfxGetMainWnd();
    return pMain ? pMain->m_hWnd : nullptr;
}

bool IsNewShell() {
    const int v = AfxShellVariant();
    return v == 1 || v == 3;
}

void FillSolid(HDC hdc, const RECT& rc, COLORREF cr) {
    FillSolidRect(hdc, rc, cr);
}

void Frame3d(HDC hdc, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight) {
    Draw3dRect(hdc, rc, crTopLeft, crBottomRight);
}

void FrameSolid(HDC hdc, const RECT& rc, COLORREF cr) {
    Draw3dRect(hdc, rc, cr, cr);
}

int TextWidth(HDC hdc, const wchar_t* psz, int n) {
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, psz, n, &size);
    return size.cx;
}

// The image index of a command in the toolbar resource with this ID, when
// there is such a resource; 0 otherwise.
int ToolbarImageIndex(int nResource, UINT_PTR nCommandID) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc =
        ::FindResourceA(hInst, MAKEINTRESOURCEA(nResource), MAKEINTRESOURCEA(RES_TYPE_TOOLBAR));
    if (!hRsrc) return 0;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const DWORD cb = ::SizeofResource(hInst, hRsrc);
    const auto* pData = hGlobal ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    if (!pData || cb < 4 * sizeof(WORD)) return 0;
    const WORD nCount = pData[3];
    if (cb < (4u + nCount) * sizeof(WORD)) return 0;
    int iImage = 0;
    for (WORD i = 0; i < nCount; ++i) {
        const WORD id = pData[4 + i];
        if (id == 0) continue;
        if (id == nCommandID) return iImage;
        ++iImage;
    }
    return 0;
}

// Draws part of a bitmap embossed: its dark pixels in the highlight colour
// one pixel down and right, then in the shadow colour in place, over the
// face colour.
void DrawEmbossed(HDC hdc, int x, int y, int cx, int cy, HBITMAP hbm, int xSrc, int ySrc) {
    HDC hdcSrc = ::CreateCompatibleDC(hdc);
    HDC hdcMask = ::CreateCompatibleDC(hdc);
    struct {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[2];
    } bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 1;
    bmi.bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    void* pBits = nullptr;
    HBITMAP hbmMask = ::CreateDIBSection(hdcMask, reinterpret_cast<BITMAPINFO*>(&bmi),
                                         DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOldSrc = ::SelectObject(hdcSrc, hbm);
    HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);
    ::BitBlt(hdcMask, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);

    RECT rc = {x, y, x + cx, y + cy};
    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF crOldText = ::SetTextColor(hdc, RGB(0, 0, 0));
    const COLORREF crOldBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    HBRUSH hbrLight = ::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT));
    HBRUSH hbrShadow = ::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hbrLight);
    ::BitBlt(hdc, x + 1, y + 1, cx, cy, hdcMask, 0, 0, 0xB8074A);
    ::SelectObject(hdc, hbrShadow);
    ::BitBlt(hdc, x, y, cx, cy, hdcMask, 0, 0, 0xB8074A);
    ::SelectObject(hdc, hOldBrush);
    ::SetTextColor(hdc, crOldText);
    ::SetBkColor(hdc, crOldBk);
    ::DeleteObject(hbrLight);
    ::DeleteObject(hbrShadow);
    ::SelectObject(hdcMask, hOldMask);
    ::SelectObject(hdcSrc, hOldSrc);
    ::DeleteObject(hbmMask);
    ::DeleteDC(hdcMask);
    ::DeleteDC(hdcSrc);
}

// A string of 16-bit units out of a resource that need not be aligned.
std::wstring ReadText(const BYTE* p, size_t cb, size_t& pos) {
    std::wstring s;
    while (pos + 2 <= cb) {
        const wchar_t c = static_cast<wchar_t>(p[pos] | (p[pos + 1] << 8));
        pos += 2;
        if (!c) break;
        s.push_back(c);
    }
    return s;
}

}  // namespace

int AfxShellVariant() {
    static const int nVariant = [] {
        OSVERSIONINFOA vi = {};
        vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!::GetVersionExA(&vi)) return 2;
#pragma GCC diagnostic pop
        if (vi.dwPlatformId == VER_PLATFORM_WIN32_NT) return vi.dwMajorVersion >= 4 ? 3 : 2;
        return vi.dwMajorVersion >= 4 ? 1 : 0;
    }();
    return nVariant;
}

CIconMenu::~CIconMenu() {
    DestroyMenu();
}

BOOL CIconMenu::DestroyMenu() {
    while (!m_subMenus.empty()) {
        CIconMenu* pSub = m_subMenus.back();
        m_subMenus.pop_back();
        delete pSub;
    }
    for (CIconMenuItem* pItem : m_items) delete pItem;
    m_items.clear();
    return CMenu::DestroyMenu();
}

// The data is the standard menu template: version and header size, then
// the entries, each an option word, a command ID unless it opens a popup,
// and a zero-terminated UTF-16 text; MF_END closes a level.
BOOL CIconMenu::LoadMenu(const char* pszName) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, pszName, MAKEINTRESOURCEA(4) /* RT_MENU */);
    if (!hRsrc) return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const size_t cb = ::SizeofResource(hInst, hRsrc);
    const auto* p = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!p || cb < 4) return FALSE;
    DestroyMenu();
    if (!CreateMenu()) return FALSE;
    size_t pos = 4 + static_cast<size_t>(p[2] | (p[3] << 8));
    std::vector<std::pair<CIconMenu*, bool>> stack = {{this, false}};
    while (!stack.empty() && pos + 2 <= cb) {
        const UINT nOption = static_cast<UINT>(p[pos] | (p[pos + 1] << 8));
        pos += 2;
        UINT nID = 0;
        if (!(nOption & MF_POPUP)) {
            if (pos + 2 > cb) break;
            nID = static_cast<UINT>(p[pos] | (p[pos + 1] << 8));
            pos += 2;
        }
        const std::wstring text = ReadText(p, cb, pos);
        const UINT nFlags = nOption & ~static_cast<UINT>(MF_END);
        CIconMenu* pTop = stack.back().first;
        if (nOption & MF_POPUP) {
            if (nOption & MF_END) stack.back().second = true;
            auto* pSub = new CIconMenu;
            if (!pSub->CreatePopupMenu()) {
                delete pSub;
                break;
            }
            m_subMenus.push_back(pSub);
            pTop->AppendIconItem(text.c_str(), nFlags, reinterpret_cast<UINT_PTR>(pSub->m_hMenu),
                                 -1);
            stack.push_back({pSub, false});
        } else {
            pTop->AppendIconItem(text.c_str(), nFlags, nID, -1);
            if (nOption & MF_END) stack.back().second = true;
            while (!stack.empty() && stack.back().second) {
                stack.back().first->AlignAccelerators();
                stack.pop_back();
            }
        }
    }
    // The menu bar's own entries are drawn by the system as text.
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount && i < static_cast<int>(m_items.size()); ++i) {
        CIconMenuItem* pItem = m_items[static_cast<size_t>(i)];
        const CString strText = pItem->GetText();
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            pItem->flags = MF_BYPOSITION | MF_POPUP;
            ::ModifyMenuA(m_hMenu, static_cast<UINT>(i), pItem->flags,
                          reinterpret_cast<UINT_PTR>(hSub), strText);
        } else {
            pItem->flags = MF_BYPOSITION;
            ::ModifyMenuA(m_hMenu, static_cast<UINT>(i), pItem->flags, pItem->commandId, strText);
        }
    }
    return TRUE;
}

void CIconMenu::AppendIconItem(const wchar_t* pszText, UINT nFlags, UINT_PTR nID, int iconId) {
    if (nID == 0)
        nFlags = MF_SEPARATOR | MF_OWNERDRAW;
    else
        nFlags |= MF_OWNERDRAW;
    auto* pItem = new CIconMenuItem;
    m_items.push_back(pItem);
    pItem->SetText(pszText);
    pItem->iconId = iconId;
    pItem->imageIndex = -1;
    pItem->commandId = nID;
    if (iconId >= 0) LoadIcon(pItem, iconId);
    pItem->flags = nFlags;
    ::AppendMenuA(m_hMenu, nFlags, nID, reinterpret_cast<const char*>(pItem));
}

CIconMenuItem* CIconMenu::ItemAt(int nPos) const {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(nPos), TRUE, &info)) return nullptr;
    auto* pItem = reinterpret_cast<CIconMenuItem*>(info.dwItemData);
    return OwnsItem(pItem) ? pItem : nullptr;
}

bool CIconMenu::OwnsItem(const CIconMenuItem* pItem) const {
    return pItem && std::find(m_items.begin(), m_items.end(), pItem) != m_items.end();
}

// Submenus are searched first, so an entry of a popup is found in it.
bool CIconMenu::FindByCommand(UINT nCommandID, CIconMenu*& pMenu, int& nPos) {
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            auto* pSub = dynamic_cast<CIconMenu*>(FromHandlePermanent(hSub));
            if (pSub && pSub->FindByCommand(nCommandID, pMenu, nPos)) return true;
        } else if (::GetMenuItemID(m_hMenu, i) == nCommandID) {
            pMenu = this;
            nPos = i;
            return true;
        }
    }
    return false;
}

CIconMenuItem* CIconMenu::FindByText(const wchar_t* pszText) {
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        CIconMenuItem* pItem = ItemAt(i);
        if (pItem && std::wcscmp(pItem->text, pszText) == 0) return pItem;
        if (HMENU hSub = ::GetSubMenu(m_hMenu, i)) {
            auto* pSub = dynamic_cast<CIconMenu*>(FromHandlePermanent(hSub));
            if (pSub)
                if (CIconMenuItem* pFound = pSub->FindByText(pszText)) return pFound;
        }
    }
    return nullptr;
}

BOOL CIconMenu::SetItemIcon(const char* pszText, UINT nCommandID, int iconId) {
    if (!pszText) return SetItemIcon(static_cast<const wchar_t*>(nullptr), nCommandID, iconId);
    CIconMenuItem conv;
    conv.SetText(pszText);
    return SetItemIcon(conv.text, nCommandID, iconId);
}

BOOL CIconMenu::SetItemIcon(const wchar_t* pszText, UINT nCommandID, int iconId) {
    CIconMenu* pMenu = nullptr;
    int nPos = -1;
    CIconMenuItem* pItem = nullptr;
    if (FindByCommand(nCommandID, pMenu, nPos)) pItem = pMenu->ItemAt(nPos);
    if (!pItem) {
        pItem = new CIconMenuItem;
        m_items.push_back(pItem);
    }
    if (pszText) pItem->SetText(pszText);
    pItem->iconId = iconId;
    pItem->imageIndex = -1;
    pItem->commandId = nCommandID;
    if (iconId >= 0) LoadIcon(pItem, iconId);
    pItem->flags = MF_OWNERDRAW;
    return ::ModifyMenuA(m_hMenu, nCommandID, MF_BYCOMMAND | MF_OWNERDRAW, nCommandID,
                         reinterpret_cast<const char*>(pItem));
}

BOOL CIconMenu::SetItemIconByText(const char* pszText, const char* pszEntryText, int iconId) {
    CIconMenuItem wanted;
    wanted.SetText(pszEntryText);
    CIconMenuItem* pItem = FindByText(wanted.text);
    if (!pItem) return FALSE;
    if (pszText) pItem->SetText(pszText);
    pItem->iconId = iconId;
    pItem->imageIndex = -1;
    if (iconId >= 0) LoadIcon(pItem, iconId);
    return TRUE;
}

// The icon bitmap with the standard greys following the 3D colours, in a
// masked list of its own; a missing bitmap leaves the list empty.
void CIconMenu::LoadIcon(CIconMenuItem* pItem, int iconId) {
    pItem->imageIndex = 0;
    const int nIndex = ToolbarImageIndex(iconId, pItem->commandId);
    if (nIndex > 0) pItem->imageIndex = nIndex;
    if (pItem->images)
        ImageList_RemoveAll(pItem->images);
    else
        pItem->images = ImageList_Create(m_iconWidth, m_iconHeight, ILC_MASK | ILC_COLOR24, 1, 1);
    HINSTANCE hInst = AfxGetResourceHandle();
    if (!::FindResourceA(hInst, MAKEINTRESOURCEA(iconId), MAKEINTRESOURCEA(2) /* RT_BITMAP */))
        return;
    HBITMAP hbm = AfxLoadSysColorBitmap(hInst, static_cast<UINT>(iconId));
    if (!hbm) return;
    if (pItem->images) ImageList_AddMasked(pItem->images, hbm, ::GetSysColor(COLOR_BTNFACE));
    ::DeleteObject(hbm);
}

// Pads the labels before a tab with spaces so that the accelerator texts of
// one popup start in a common column.
void CIconMenu::AlignAccelerators() {
    HWND hWnd = MainWindow();
    HDC hdc = ::GetDC(hWnd);
    HFONT hFont = CreateMenuFont();
    HGDIOBJ hOld = hFont ? ::SelectObject(hdc, hFont) : nullptr;
    auto labelOf = [](const CIconMenuItem* pItem) {
        const wchar_t* pTab = std::wcschr(pItem->text, L'\t');
        return std::wstring(
            pItem->text, pTab ? static_cast<size_t>(pTab - pItem->text) : std::wcslen(pItem->text));
    };
    int nColumn = -1;
    for (const CIconMenuItem* pItem : m_items) {
        const std::wstring label = labelOf(pItem) + L" ";
        nColumn = std::max(nColumn, TextWidth(hdc, label.c_str(), static_cast<int>(label.size())));
    }
    for (CIconMenuItem* pItem : m_items) {
        const wchar_t* pTab = std::wcschr(pItem->text, L'\t');
        if (!pTab) continue;
        std::wstring label = labelOf(pItem);
        const std::wstring accel(pTab);
        // The spaces stop where the buffer would overflow.
        while (TextWidth(hdc, label.c_str(), static_cast<int>(label.size())) < nColumn &&
               label.size() + accel.size() + 1 < CIconMenuItem::kTextSize)
            label.push_back(L' ');
        pItem->SetText((label + accel).c_str());
    }
    if (hOld) ::SelectObject(hdc, hOld);
    if (hFont) ::DeleteObject(hFont);
    ::ReleaseDC(hWnd, hdc);
}

void CIconMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
    const auto* pItem = reinterpret_cast<const CIconMenuItem*>(lpMIS->itemData);
    if (pItem->flags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    HFONT hFont = CreateMenuFont();
    HWND hWnd = MainWindow();
    HDC hdc = ::GetDC(hWnd);
    HGDIOBJ hOld = (hFont && IsNewShell()) ? ::SelectObject(hdc, hFont) : nullptr;
    const int w = TextWidth(hdc, pItem->text, static_cast<int>(std::wcslen(pItem->text)));
    if (hOld) ::SelectObject(hdc, hOld);
    ::ReleaseDC(hWnd, hdc);
    if (hFont) ::DeleteObject(hFont);
    lpMIS->itemWidth = static_cast<UINT>(w + 2 * m_iconWidth + 1);
    lpMIS->itemHeight =
        static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYMENU), m_iconHeight + 4));
}

void CIconMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    const auto* pItem = reinterpret_cast<const CIconMenuItem*>(lpDIS->itemData);
    HDC hdc = lpDIS->hDC;
    const RECT R = lpDIS->rcItem;
    const LONG L = R.left, T = R.top, Rt = R.right, B = R.bottom;

    if (pItem->flags & MF_SEPARATOR) {
        RECT rc = {L, T + (B - T) / 2, Rt, B};
        ::DrawEdge(hdc, &rc, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool bGrayed = (lpDIS->itemState & ODS_GRAYED) != 0;
    const bool bChecked = (lpDIS->itemState & ODS_CHECKED) != 0;
    const bool bIcon = pItem->iconId != -1;
    const bool bPushed = bIcon && bSelected && !bGrayed;
    const bool bDimmed = bIcon && bGrayed;
    const COLORREF crMenu = ::GetSysColor(COLOR_MENU);
    const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF crText = ::GetSysColor(COLOR_MENUTEXT);

    // Background; the icon column keeps the menu colour under an icon or a
    // check box.
    if (bSelected) {
        RECT rc = (!bIcon && !bChecked) ? R : RECT{L + m_iconWidth + 5, T, Rt, B};
        FillSolid(hdc, rc, ::GetSysColor(COLOR_HIGHLIGHT));
        crText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        FillSolid(hdc, R, crMenu);
        FrameSolid(hdc, R, crMenu);
    }

    const LONG d = std::max(0L, (B - T - m_iconHeight - 4) / 2);
    const RECT I = {L + 1, T + d + 1, L + m_iconWidth + 3, T + d + m_iconHeight + 3};
    const RECT O = {L, T + d, L + m_iconWidth + 4, T + d + m_iconHeight + 4};
    const POINT P = {L + 2, T + d + 2};

    if (bIcon) {
        FrameSolid(hdc, I, crMenu);
        if (bDimmed) {
            HBITMAP hbm = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pItem->iconId));
            FrameSolid(hdc, O, crMenu);
            if (hbm) {
                DrawEmbossed(hdc, P.x, P.y, m_iconWidth, m_iconHeight, hbm,
                             pItem->imageIndex * m_iconWidth, 0);
                ::DeleteObject(hbm);
            }
        } else {
            if (bPushed) {
                FillSolid(hdc, I, crMenu);
                if (IsNewShell()) {
                    if (bChecked)
                        Frame3d(hdc, O, crShadow, crLight);
                    else
                        Frame3d(hdc, O, crLight, crShadow);
                }
            } else if (bChecked) {
                FillSolid(hdc, I, ::GetSysColor(COLOR_3DLIGHT));
                if (IsNewShell()) Frame3d(hdc, O, crShadow, crLight);
            } else {
                FillSolid(hdc, I, crMenu);
                FrameSolid(hdc, O, crMenu);
            }
            if (pItem->images)
                ImageList_Draw(pItem->images, pItem->imageIndex, hdc, P.x, P.y, ILD_TRANSPARENT);
        }
    }

    if (!bIcon && bChecked) {
        RECT C = {L + 1, T + d + 2, L + m_iconWidth + 1, T + d + m_iconHeight + 2};
        FillSolid(hdc, C, bSelected ? crMenu : ::GetSysColor(COLOR_3DLIGHT));
        ::DrawEdge(hdc, &C, BDR_SUNKENOUTER, BF_RECT);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfoA(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID, FALSE, &info);
        const COLORREF crMark = ::GetSysColor(COLOR_MENUTEXT);
        if (info.hbmpChecked) {
            HBRUSH hbr = ::CreateSolidBrush(crMark);
            HPEN hpen = ::CreatePen(PS_SOLID, 1, crMark);
            HGDIOBJ hOldBrush = ::SelectObject(hdc, hbr);
            HGDIOBJ hOldPen = ::SelectObject(hdc, hpen);
            ::Ellipse(hdc, C.left + 5, C.top + 4, C.left + 11, C.top + 10);
            ::SelectObject(hdc, hOldPen);
            ::SelectObject(hdc, hOldBrush);
            ::DeleteObject(hpen);
            ::DeleteObject(hbr);
        } else {
            static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
            for (int c = 0; c < 7; ++c)
                for (int r = 0; r < 3; ++r)
                    ::SetPixelV(hdc, C.left + 4 + c, C.top + 4 + kTop[c] + r, crMark);
        }
    }

    if (pItem->text[0]) {
        RECT X = {L + m_iconWidth + 9, T - 1, Rt, B - 1};
        const wchar_t* pTab = std::wcschr(pItem->text, L'\t');
        std::wstring label(
            pItem->text, pTab ? static_cast<size_t>(pTab - pItem->text) : std::wcslen(pItem->text));
        std::wstring accel = pTab ? std::wstring(pTab + 1) : std::wstring();
        if (pTab) X.right -= m_iconWidth;
        HFONT hFont = CreateMenuFont();
        HGDIOBJ hOldFont = hFont ? ::SelectObject(hdc, hFont) : nullptr;
        const int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
        const COLORREF crOld = ::GetTextColor(hdc);
        auto drawBoth = [&](const RECT& rc, COLORREF cr) {
            ::SetTextColor(hdc, cr);
            RECT r = rc;
            ::DrawTextW(hdc, label.c_str(), static_cast<int>(label.size()), &r,
                        DT_VCENTER | DT_SINGLELINE);
            if (!accel.empty()) {
                r = rc;
                ::DrawTextW(hdc, accel.c_str(), static_cast<int>(accel.size()), &r,
                            DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
            }
        };
        if (!bGrayed) {
            drawBoth(X, crText);
        } else if (bSelected) {
            // Grey on the highlight, as the system draws its own disabled
            // entries, so that it does not read as enabled; the menu colour
            // only where grey would not show on it.
            const COLORREF crGray = ::GetSysColor(COLOR_GRAYTEXT);
            drawBoth(X, crGray != ::GetSysColor(COLOR_HIGHLIGHT) ? crGray : crMenu);
        } else {
            RECT X1 = X;
            ::OffsetRect(&X1, 1, 1);
            drawBoth(X1, crLight);
            drawBoth(X, ::GetSysColor(COLOR_GRAYTEXT));
        }
        ::SetTextColor(hdc, crOld);
        ::SetBkMode(hdc, nOldMode);
        if (hOldFont) ::SelectObject(hdc, hOldFont);
        if (hFont) ::DeleteObject(hFont);
    }
}

// Owner-drawn entries have no text for the system to find mnemonics in:
// the entry whose label has "&" before the key runs (or opens its popup).
LRESULT CIconMenu::MenuChar(UINT nChar, UINT) {
    if (nChar == 0 || nChar >= 0x80) return 0;
    const wint_t wKey = std::towupper(static_cast<wint_t>(nChar));
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        const CIconMenuItem* pItem = ItemAt(i);
        if (!pItem || (pItem->flags & MF_SEPARATOR)) continue;
        for (const wchar_t* p = pItem->text; *p && *p != L'\t'; ++p) {
            if (*p != L'&') continue;
            if (p[1] == L'&') {
                ++p;  // "&&" is a literal ampersand
                continue;
            }
            if (p[1] && std::towupper(static_cast<wint_t>(p[1])) == wKey)
                return MAKELRESULT(i, MNC_EXECUTE);
            break;
        }
    }
    return 0;
}
