#include "chrome/GdiDraw.h"

void FillSolidRect(HDC hdc, const RECT& rc, COLORREF cr) {
    const COLORREF crOld = ::SetBkColor(hdc, cr);
    ::ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hdc, crOld);
}

void Draw3dRect(HDC hdc, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight) {
    const LONG x = rc.left, y = rc.top, cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    FillSolidRect(hdc, RECT{x, y, x + cx - 1, y + 1}, crTopLeft);
    FillSolidRect(hdc, RECT{x, y, x + 1, y + cy - 1}, crTopLeft);
    FillSolidRect(hdc, RECT{x + cx - 1, y, x + cx, y + cy}, crBottomRight);
    FillSolidRect(hdc, RECT{x, y + cy - 1, x + cx, y + cy}, crBottomRight);
}
