// The real program in processes of its own: the single-instance rule with
// two starts, and an end-to-end start with a screenshot of the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/win32/GuiTestSupport.h"

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kExitTimeoutMs = 60000;

// Ordelink.exe copied beside a settings file and documents of the test's own.
class Installation {
public:
    Installation() {
        m_exe = WinPath(m_dir.File("Ordelink.exe"));
        EXPECT_TRUE(CopyFileA(ORD_APP_EXE, m_exe.c_str(), FALSE)) << GetLastError();
        for (const char* name : {"A.pmk", "B.pmk"})
            WriteBytes(m_dir.File(name), ReadBytes(TestDataPath("sample.pmk")));
    }
    ~Installation() {
        for (PROCESS_INFORMATION& pi : m_processes) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
                EnumThreadWindows(pi.dwThreadId, CloseWindowProc, 0);
                if (WaitForSingleObject(pi.hProcess, kExitTimeoutMs) == WAIT_TIMEOUT)
                    TerminateProcess(pi.hProcess, 1);
            }
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    void WriteIni(const std::string& text) { WriteBytes(m_dir.File("Ordelink.INI"), text); }
    std::string File(const char* name) const { return WinPath(m_dir.File(name)); }

    // Starts the program with a document; the index of the process.
    size_t Start(const char* document) {
        std::string cmd = "\"" + m_exe + "\" \"" + File(document) + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        EXPECT_TRUE(CreateProcessA(m_exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi))
            << GetLastError();
        m_processes.push_back(pi);
        return m_processes.size() - 1;
    }
    HANDLE Process(size_t i) const { return m_processes[i].hProcess; }

    // The window with this exact title, waiting while the process lives.
    HWND WaitForWindow(size_t i, const std::string& title) const {
        WaitForInputIdle(Process(i), kStartTimeoutMs);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kStartTimeoutMs) {
            if (HWND h = FindWindowA(nullptr, title.c_str())) return h;
            if (WaitForSingleObject(Process(i), 50) == WAIT_OBJECT_0) break;
        }
        return FindWindowA(nullptr, title.c_str());
    }

private:
    static BOOL CALLBACK CloseWindowProc(HWND h, LPARAM) {
        PostMessageA(h, WM_CLOSE, 0, 0);
        return TRUE;
    }
    ScratchDir m_dir;
    std::string m_exe;
    std::vector<PROCESS_INFORMATION> m_processes;
};

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
        Installation inst;
        inst.WriteIni(std::string("[Setting]\r\nAppAny=") + c.appAny + "\r\n");
        const size_t first = inst.Start("A.pmk");
        HWND hFirst = inst.WaitForWindow(first, "A.pmk - Ordelink");
        ASSERT_NE(hFirst, nullptr);
        const size_t second = inst.Start("B.pmk");
        if (c.secondRuns) {
            EXPECT_NE(inst.WaitForWindow(second, "B.pmk - Ordelink"), nullptr);
        } else {
            // It ends at once, without a window and without opening B.
            ASSERT_EQ(WaitForSingleObject(inst.Process(second), kExitTimeoutMs), WAIT_OBJECT_0);
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
    Installation inst;
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
    EXPECT_EQ(WaitForSingleObject(inst.Process(p), kExitTimeoutMs), WAIT_OBJECT_0);
}

}  // namespace
