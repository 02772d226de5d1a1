// Pixels of windows and menu entries, read back for the window chrome's
// tests.
#pragma once

#include <windows.h>

#include <vector>

// A picture in 0x00BBGGRR colours (as COLORREF), row by row.
struct Picture {
    int cx = 0;
    int cy = 0;
    std::vector<COLORREF> pixels;
    // Outside the picture: kOutside, never a colour.
    static constexpr COLORREF kOutside = 0xFFFFFFFF;
    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= cx || y >= cy) return kOutside;
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x)];
    }
};

// A 32-bit memory DC of the given size, filled with a colour.
class MemoryCanvas {
public:
    MemoryCanvas(int cx, int cy, COLORREF crFill);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC dc() const { return m_hdc; }
    Picture Read() const;

private:
    int m_cx, m_cy;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
    void* m_pBits = nullptr;
};

// The whole window (border and client) as its WM_PRINT draws it.
Picture PrintWindowPicture(HWND hWnd);
// The window as the screen shows it now (after it has painted).
Picture ScreenPicture(HWND hWnd);
// The colour as the display stores it (a 32-bit canvas keeps it exactly).
COLORREF SysColor(int nIndex);
