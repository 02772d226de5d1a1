// The real program in processes of its own: Ordelink.exe copied into a
// scratch folder beside a settings file and documents of the test's own.
// State a process keeps for its life (the shell's desktop folder, for one)
// starts fresh in each of them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/GuiTestSupport.h"

class AppProcess {
public:
    // Bounds far above what a start or an end needs on a loaded machine.
    static constexpr DWORD kStartTimeoutMs = 60000;
    static constexpr DWORD kExitTimeoutMs = 60000;

    // Copies the program and the documents A.pmk and B.pmk.
    AppProcess();
    // Closes what is still running, ending it only when it does not close.
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    void WriteIni(const std::string& text);
    std::string File(const char* name) const { return WinPath(m_dir.File(name)); }
    const std::string& Exe() const { return m_exe; }

    // Starts the program with a document; the index of the process.
    size_t Start(const char* document);
    HANDLE Process(size_t i) const { return m_processes[i].hProcess; }

    // The window with this exact title, waiting while the process lives.
    HWND WaitForWindow(size_t i, const std::string& title) const;
    // The first message box of process i, waiting while it lives; null if
    // the process ended without one.
    HWND WaitForMessageBox(size_t i) const;

private:
    ScratchDir m_dir;
    std::string m_exe;
    std::vector<PROCESS_INFORMATION> m_processes;
};

// The texts of a dialog's static controls, one per line.
std::string DialogStaticTexts(HWND hDlg);
