// The desktop shortcut: the .lnk file the command writes, read back by an
// independent reader (lnkinfo, a Linux program that Wine starts directly),
// the rewrite of an existing one, and the failures.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/CShellLinkFile.h"
#include "res/resource.h"
#include "tests/win32/ViewTestSupport.h"

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

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

TEST(Shortcut, OnTheDesktopTwiceLeavesOneLinkToThisProgram) {
    ViewFixture f;
    const std::string desktop = WinPath(f.dir.File("Desktop"));
    CreateDirectoryA(desktop.c_str(), nullptr);
    DesktopAt redirect(desktop);
    ASSERT_EQ(DesktopPath(), desktop);
    ASSERT_NE(GetFileAttributesA(kLnkInfo), INVALID_FILE_ATTRIBUTES)
        << "lnkinfo (Debian package liblnk-utils) is missing; scripts/setup-machine installs it";

    // A file of that name is replaced without asking, and a second run
    // rewrites the one file.
    const std::string link = desktop + "\\Ordelink.lnk";
    WriteBytes(link, "not a link");
    MessageRecorder messages;
    EXPECT_TRUE(f.Enabled(ID_CREATE_SHORTCUT));
    f.Frame()->SendMessage(WM_COMMAND, ID_CREATE_SHORTCUT, 0);
    EXPECT_EQ(ReadBytes(link).substr(0, 4), std::string("L\0\0\0", 4));
    f.Frame()->SendMessage(WM_COMMAND, ID_CREATE_SHORTCUT, 0);
    EXPECT_TRUE(messages.messages.empty());
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

    const std::string report = LnkInfo(f.dir, link);
    ASSERT_FALSE(report.empty());
    const std::string exe = ModulePath();
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    EXPECT_EQ(Field(report, "Local path"), exe) << report;
    EXPECT_EQ(Field(report, "Working directory"), folder) << report;
    EXPECT_EQ(Field(report, "Command line arguments"), "") << report;
    EXPECT_EQ(Field(report, "Description"), "") << report;
}

TEST(Shortcut, FailuresGiveTheMessage) {
    ViewFixture f;
    const struct {
        const char* what;
        std::string desktop;
    } cases[] = {
        // A folder where the link file would go.
        {"occupied name", WinPath(f.dir.File("Occupied"))},
        // A link path beyond what the file system takes.
        {"long path", WinPath(f.dir.File(std::string(200, 'd'))) + "\\" + std::string(60, 'e')},
    };
    CreateDirectoryA(cases[0].desktop.c_str(), nullptr);
    CreateDirectoryA((cases[0].desktop + "\\Ordelink.lnk").c_str(), nullptr);
    CreateDirectoryA(WinPath(f.dir.File(std::string(200, 'd'))).c_str(), nullptr);
    CreateDirectoryA(cases[1].desktop.c_str(), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DesktopAt redirect(c.desktop);
        MessageRecorder messages;
        f.Frame()->SendMessage(WM_COMMAND, ID_CREATE_SHORTCUT, 0);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "Create Shortcut Error!!");
    }
}

TEST(Shortcut, NothingToSaveIsSuccess) {
    CShellLinkFile link;
    EXPECT_TRUE(link.SaveShortcutFile());
}

}  // namespace
