#include "tests/win32/ChromeTestSupport.h"

MemoryCanvas::MemoryCanvas(int cx, int cy, COLORREF crFill) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC hdcScreen = GetDC(nullptr);
    m_hdc = CreateCompatibleDC(hdcScreen);
    m_hbm = CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    ReleaseDC(nullptr, hdcScreen);
    m_hOld = SelectObject(m_hdc, m_hbm);
    RECT rc = {0, 0, cx, cy};
    HBRUSH hbr = CreateSolidBrush(crFill);
    FillRect(m_hdc, &rc, hbr);
    DeleteObject(hbr);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(m_hdc, m_hOld);
    DeleteObject(m_hbm);
    DeleteDC(m_hdc);
}

Picture MemoryCanvas::Read() const {
    GdiFlush();
    Picture pic;
    pic.cx = m_cx;
    pic.cy = m_cy;
    pic.pixels.resize(static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy));
    const auto* p = static_cast<const DWORD*>(m_pBits);
    for (size_t i = 0; i < pic.pixels.size(); ++i) {
        const DWORD v = p[i];
        pic.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    return pic;
}

Picture PrintWindowPicture(HWND hWnd) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MemoryCanvas canvas(rc.right - rc.left, rc.bottom - rc.top, RGB(255, 0, 255));
    SendMessageA(hWnd, WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    return canvas.Read();
}

Picture ScreenPicture(HWND hWnd) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    MemoryCanvas canvas(cx, cy, RGB(255, 0, 255));
    HDC hdc = GetWindowDC(hWnd);
    BitBlt(canvas.dc(), 0, 0, cx, cy, hdc, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, hdc);
    return canvas.Read();
}

COLORREF SysColor(int nIndex) {
    MemoryCanvas canvas(1, 1, GetSysColor(nIndex));
    return canvas.Read().At(0, 0);
}
