// The real program in processes of its own: the single-instance rule with
// two starts, and an end-to-end start with a screenshot of the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/win32/AppProcess.h"

namespace {

TEST(SingleInstance, SecondStartRaisesTheFirstOrRunsBesideIt) {
    const struct {
        const char* appAny;
        bool secondRuns;
    } cases[] = {{"0", false}, {"1", true}};
    // The rule looks at every window of the Wine session: a program window
    // of another test run in the same prefix would be the one raised.
    if (COrdelinkApp::FindRunningTitle() != "No")
        GTEST_SKIP() << "another Ordelink window is open in this Wine session";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appAny);
        AppProcess inst;
        inst.WriteIni(std::string("[Setting]\r\nAppAny=") + c.appAny + "\r\n");
        const size_t first = inst.Start("A.pmk");
        HWND hFirst = inst.WaitForWindow(first, "A.pmk - Ordelink");
        ASSERT_NE(hFirst, nullptr);
        const size_t second = inst.Start("B.pmk");
        if (c.secondRuns) {
            EXPECT_NE(inst.WaitForWindow(second, "B.pmk - Ordelink"), nullptr);
        } else {
            // It ends at once, without a window and without opening B.
            ASSERT_EQ(WaitForSingleObject(inst.Process(second), AppProcess::kExitTimeoutMs),
                      WAIT_OBJECT_0);
            DWORD code = 1;
            GetExitCodeProcess(inst.Process(second), &code);
            EXPECT_EQ(code, 0u);
            EXPECT_EQ(FindWindowA(nullptr, "B.pmk - Ordelink"), nullptr);
        }
        EXPECT_TRUE(IsWindow(hFirst));
        EXPECT_TRUE(IsWindowVisible(hFirst));
    }
}

// Writes the window's part of the screen as a 24-bit BMP.
bool SaveScreenshot(HWND hWnd, const std::string& path) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC hdcScreen = GetDC(nullptr);
    HDC hdcMem = CreateCompatibleDC(hdcScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hbm = CreateDIBSection(hdcScreen, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdcMem, hbm);
    BitBlt(hdcMem, 0, 0, w, h, hdcScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER bf = {};
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi.bmiHeader);
    bf.bfSize = bf.bfOffBits + stride * static_cast<DWORD>(h);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(&bf), sizeof(bf));
    f.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
    f.write(static_cast<const char*>(pBits), static_cast<std::streamsize>(stride * h));
    SelectObject(hdcMem, hOld);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    ReleaseDC(nullptr, hdcScreen);
    return f.good();
}

BOOL CALLBACK CollectClass(HWND h, LPARAM lParam) {
    char cls[64] = "";
    GetClassNameA(h, cls, sizeof(cls));
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(cls);
    return TRUE;
}

TEST(EndToEnd, ProgramStartsWithItsWindowAndIsScreenshot) {
    AppProcess inst;
    const size_t p = inst.Start("A.pmk");
    HWND hMain = inst.WaitForWindow(p, "A.pmk - Ordelink");
    ASSERT_NE(hMain, nullptr);
    std::vector<std::string> classes;
    EnumChildWindows(hMain, CollectClass, reinterpret_cast<LPARAM>(&classes));
    for (const char* expected :
         {"ToolbarWindow32", "msctls_statusbar32", "SysTreeView32", "#32770", "Edit"}) {
        bool found = false;
        for (const std::string& cls : classes) found |= lstrcmpiA(cls.c_str(), expected) == 0;
        EXPECT_TRUE(found) << expected;
    }
    CreateDirectoryA(ORD_SCREENSHOT_DIR, nullptr);
    const std::string shot = std::string(ORD_SCREENSHOT_DIR) + "/e2e-main-window.bmp";
    EXPECT_TRUE(SaveScreenshot(hMain, shot));
    std::cout << "screenshot: " << shot << "\n";
    // Closed like a user does, the program ends by itself.
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(inst.Process(p), AppProcess::kExitTimeoutMs), WAIT_OBJECT_0);
}

}  // namespace
