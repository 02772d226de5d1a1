// Small drawing steps shared by the toolbar and the icon menus.
#pragma once

#include <windows.h>

// Fills a rectangle with one colour.
void FillSolidRect(HDC hdc, const RECT& rc, COLORREF cr);
// A one-pixel frame: top and left in the first colour, right and bottom in
// the second.
void Draw3dRect(HDC hdc, const RECT& rc, COLORREF crTopLeft, COLORREF crBottomRight);
