#include "tests/win32/AppProcess.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CloseWindowProc(HWND h, LPARAM) {
    PostMessageA(h, WM_CLOSE, 0, 0);
    return TRUE;
}

// Stops at the thread's first visible top-level dialog.
BOOL CALLBACK FindDialogProc(HWND h, LPARAM lParam) {
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (strcmp(cls, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = h;
    return FALSE;
}

BOOL CALLBACK CollectStaticProc(HWND h, LPARAM lParam) {
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[1024] = "";
        GetWindowTextA(h, text, sizeof(text));
        if (*text) *reinterpret_cast<std::string*>(lParam) += std::string(text) + "\n";
    }
    return TRUE;
}

}  // namespace

AppProcess::AppProcess() {
    m_exe = WinPath(m_dir.File("Ordelink.exe"));
    EXPECT_TRUE(CopyFileA(ORD_APP_EXE, m_exe.c_str(), FALSE)) << GetLastError();
    for (const char* name : {"A.pmk", "B.pmk"})
        WriteBytes(m_dir.File(name), ReadBytes(TestDataPath("sample.pmk")));
}

AppProcess::~AppProcess() {
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

void AppProcess::WriteIni(const std::string& text) {
    WriteBytes(m_dir.File("Ordelink.INI"), text);
}

size_t AppProcess::Start(const char* document) {
    std::string cmd = "\"" + m_exe + "\" \"" + File(document) + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    EXPECT_TRUE(CreateProcessA(m_exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi))
        << GetLastError();
    m_processes.push_back(pi);
    return m_processes.size() - 1;
}

HWND AppProcess::WaitForWindow(size_t i, const std::string& title) const {
    WaitForInputIdle(Process(i), kStartTimeoutMs);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kStartTimeoutMs) {
        if (HWND h = FindWindowA(nullptr, title.c_str())) return h;
        if (WaitForSingleObject(Process(i), 50) == WAIT_OBJECT_0) break;
    }
    return FindWindowA(nullptr, title.c_str());
}

HWND AppProcess::WaitForMessageBox(size_t i) const {
    const DWORD start = GetTickCount();
    HWND hBox = nullptr;
    while (GetTickCount() - start < kStartTimeoutMs) {
        EnumThreadWindows(m_processes[i].dwThreadId, FindDialogProc,
                          reinterpret_cast<LPARAM>(&hBox));
        if (hBox || WaitForSingleObject(Process(i), 50) == WAIT_OBJECT_0) break;
    }
    return hBox;
}

std::string DialogStaticTexts(HWND hDlg) {
    std::string texts;
    EnumChildWindows(hDlg, CollectStaticProc, reinterpret_cast<LPARAM>(&texts));
    return texts;
}
