// The desktop shortcut: the .lnk file the command writes, read back by an
// independent reader (lnkinfo, a Linux program that Wine starts directly),
// the rewrite of an existing one, and the failures. The shell looks up the
// desktop folder once a process and keeps it, and earlier tests of this
// program already have: so the command runs in the real program, started
// after the test has pointed the desktop elsewhere.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/CShellLinkFile.h"
#include "res/resource.h"
#include "tests/win32/AppProcess.h"

namespace {

const char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kLnkInfo[] = "Z:\\usr\\bin\\lnkinfo";

// Points the user's desktop folder elsewhere for the test's life, so the
// test writes nothing into the real one.
class DesktopAt {
public:
    explicit DesktopAt(const std::string& path) {
        RegCreateKeyA(HKEY_CURRENT_USER, kUserShellFolders, &m_hKey);
        char buf[MAX_PATH] = "";
        DWORD cb = sizeof(buf), type = 0;
        m_bHad = RegQueryValueExA(m_hKey, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(buf),
                                  &cb) == ERROR_SUCCESS;
        m_type = type;
        m_old.assign(buf, m_bHad && cb > 0 ? cb - 1 : 0);
        RegSetValueExA(m_hKey, "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>(path.size() + 1));
    }
    ~DesktopAt() {
        if (m_bHad)
            RegSetValueExA(m_hKey, "Desktop", 0, m_type,
                           reinterpret_cast<const BYTE*>(m_old.c_str()),
                           static_cast<DWORD>(m_old.size() + 1));
        else
            RegDeleteValueA(m_hKey, "Desktop");
        RegCloseKey(m_hKey);
    }

private:
    HKEY m_hKey = nullptr;
    bool m_bHad = false;
    DWORD m_type = REG_SZ;
    std::string m_old;
};

std::string DesktopPath() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    return path;
}

std::string UnixPath(const std::string& winPath) {
    using Fn = char*(CDECL*)(LPCWSTR);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return "";
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, winPath.c_str(), -1, wide, MAX_PATH);
    char* unixName = fn(wide);
    std::string result = unixName ? unixName : "";
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// lnkinfo's report on a link file; empty when it could not run. Wine's
// process object for a Linux program may end before the program has written
// its report, so a shell writes it under another name and renames it when
// lnkinfo has ended: the report is complete once its name appears.
std::string LnkInfo(const ScratchDir& dir, const std::string& linkPath) {
    const std::string outPath = dir.File("lnkinfo.txt");
    const std::string unixOut = UnixPath(WinPath(outPath));
    std::string cmd = std::string("Z:\\bin\\sh -c \"/usr/bin/lnkinfo '") + UnixPath(linkPath) +
                      "' >'" + unixOut + ".part' 2>&1; mv '" + unixOut + ".part' '" + unixOut +
                      "'\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return std::string();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // A bound far above the few milliseconds lnkinfo needs.
    for (int i = 0;
         i < 1200 && GetFileAttributesA(WinPath(outPath).c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    return ReadBytes(WinPath(outPath));
}

// The value after "Name<blanks>:" on lnkinfo's line for it.
std::string Field(const std::string& report, const std::string& name) {
    size_t pos = 0;
    while ((pos = report.find(name, pos)) != std::string::npos) {
        const size_t colon = report.find(':', pos + name.size());
        const size_t eol = report.find('\n', pos);
        if (colon != std::string::npos && colon < eol &&
            report.find_first_not_of("\t ", pos + name.size()) == colon) {
            const size_t start = report.find_first_not_of("\t ", colon + 1);
            return start < eol ? report.substr(start, eol - start) : "";
        }
        pos += name.size();
    }
    return "";
}

// The program's window on A.pmk, started with the desktop where it is now.
HWND StartProgram(AppProcess& app, size_t& process) {
    process = app.Start("A.pmk");
    return app.WaitForWindow(process, "A.pmk - Ordelink");
}

TEST(Shortcut, OnTheDesktopTwiceLeavesOneLinkToThisProgram) {
    AppProcess app;
    ScratchDir dir;
    const std::string desktop = WinPath(dir.File("Desktop"));
    CreateDirectoryA(desktop.c_str(), nullptr);
    DesktopAt redirect(desktop);
    ASSERT_EQ(DesktopPath(), desktop);
    ASSERT_NE(GetFileAttributesA(kLnkInfo), INVALID_FILE_ATTRIBUTES)
        << "lnkinfo (Debian package liblnk-utils) is missing; scripts/setup-machine installs it";

    // A file of that name is replaced without asking, and a second run
    // rewrites the one file. SendMessage returns once the command is done;
    // a message box would keep it from returning, so none is looked for.
    const std::string link = desktop + "\\Ordelink.lnk";
    WriteBytes(link, "not a link");
    size_t process = 0;
    HWND hMain = StartProgram(app, process);
    ASSERT_NE(hMain, nullptr);
    SendMessageA(hMain, WM_COMMAND, ID_CREATE_SHORTCUT, 0);
    EXPECT_EQ(ReadBytes(link).substr(0, 4), std::string("L\0\0\0", 4));
    SendMessageA(hMain, WM_COMMAND, ID_CREATE_SHORTCUT, 0);
    std::string names;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((desktop + "\\*").c_str(), &fd);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    do {
        if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
            names += std::string(fd.cFileName) + "|";
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    EXPECT_EQ(names, "Ordelink.lnk|");

    const std::string report = LnkInfo(dir, link);
    ASSERT_FALSE(report.empty());
    const std::string folder = app.Exe().substr(0, app.Exe().find_last_of('\\'));
    EXPECT_EQ(Field(report, "Local path"), app.Exe()) << report;
    EXPECT_EQ(Field(report, "Working directory"), folder) << report;
    EXPECT_EQ(Field(report, "Command line arguments"), "") << report;
    EXPECT_EQ(Field(report, "Description"), "") << report;
}

// A folder where the link file would go: the shell cannot write the link.
// (A desktop path too long for the link cannot be set up: the shell then
// falls back to the default desktop.)
TEST(Shortcut, FailureGivesTheMessage) {
    ScratchDir dir;
    const std::string desktop = WinPath(dir.File("Occupied"));
    CreateDirectoryA(desktop.c_str(), nullptr);
    CreateDirectoryA((desktop + "\\Ordelink.lnk").c_str(), nullptr);
    AppProcess app;
    DesktopAt redirect(desktop);
    size_t process = 0;
    HWND hMain = StartProgram(app, process);
    ASSERT_NE(hMain, nullptr);
    PostMessageA(hMain, WM_COMMAND, ID_CREATE_SHORTCUT, 0);
    HWND hBox = app.WaitForMessageBox(process);
    ASSERT_NE(hBox, nullptr);
    EXPECT_EQ(DialogStaticTexts(hBox), "Create Shortcut Error!!\n");
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(GetFileAttributesA((desktop + "\\Ordelink.lnk").c_str()), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Shortcut, NothingToSaveIsSuccess) {
    CShellLinkFile link;
    EXPECT_TRUE(link.SaveShortcutFile());
}

}  // namespace
