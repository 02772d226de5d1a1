// Starting the real application object in the test process, with a settings
// file of the test's own, and driving it with messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/COrdelinkApp.h"
#include "tests/native/TestSupport.h"

class COrdelinkDoc;

// The application with its settings file in a folder of the test's choosing.
class TestApp : public COrdelinkApp {
public:
    void SetIniPath() override { m_strProfileName = m_strIniPath; }
    CString m_strIniPath;
};

class AppHarness {
public:
    explicit AppHarness(const ScratchDir& dir);
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    std::string IniPath() const { return m_iniPath; }
    void WriteIni(const std::string& text) const;
    std::string ReadIniString(const char* section, const char* key) const;
    int ReadIniInt(const char* section, const char* key, int nDefault = -9999) const;

    // InitInstance with these command-line arguments.
    BOOL Start(const std::vector<std::string>& args = {});
    CMainFrame* Frame() const;
    COrdelinkDoc* Document() const;
    // Handles what is queued, then runs the idle pass.
    void PumpIdle();
    // Closes the main window and ends the application as the program does.
    void Close();

    TestApp app;

private:
    std::string m_iniPath;
    bool m_bEnded = false;
};

// A menu entry's text in the active code page: the system's for text
// entries, the icon menu's record for owner-drawn ones.
std::string MenuEntryText(HMENU hMenu, int nPos);

// The window's title in the active code page.
std::string WindowTitle(HWND hWnd);
// A Windows path for a file the tests made (they use '/' separators).
std::string WinPath(const std::string& path);
