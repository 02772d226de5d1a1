// The About box: its figures against what the system reports, the link's
// look and what a click opens, the registered-browser fall-back and the
// error texts; the help commands without a help file.
#include <gtest/gtest.h>

#include <cstdio>

#include "chrome/CAboutDlg.h"
#include "res/resource.h"
#include "tests/win32/DialogTestSupport.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

void DeleteKeyTree(HKEY hParent, const std::string& key) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hParent, key.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS) return;
    char name[MAX_PATH];
    while (RegEnumKeyA(hKey, 0, name, sizeof(name)) == ERROR_SUCCESS) DeleteKeyTree(hKey, name);
    RegCloseKey(hKey);
    RegDeleteKeyA(hParent, key.c_str());
}

// A default value of HKEY_CLASSES_ROOT set for the test's life, then put back.
class ClassesRootValue {
public:
    ClassesRootValue(const std::string& key, const std::string& value)
        : m_key(key), m_top(key.substr(0, key.find('\\'))) {
        HKEY hTop = nullptr;
        m_bTopExisted =
            RegOpenKeyExA(HKEY_CLASSES_ROOT, m_top.c_str(), 0, KEY_READ, &hTop) == ERROR_SUCCESS;
        if (hTop) RegCloseKey(hTop);
        char buf[MAX_PATH] = "";
        LONG cb = sizeof(buf);
        m_bHad = RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buf, &cb) == ERROR_SUCCESS;
        m_old = buf;
        RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), 0);
    }
    ~ClassesRootValue() {
        if (m_bHad)
            RegSetValueA(HKEY_CLASSES_ROOT, m_key.c_str(), REG_SZ, m_old.c_str(), 0);
        else if (!m_bTopExisted)
            DeleteKeyTree(HKEY_CLASSES_ROOT, m_top);
    }

private:
    std::string m_key, m_top, m_old;
    bool m_bHad;
    bool m_bTopExisted;
};

// The stand-in program beside the test program: records its command line in
// a log and signals each run.
class StandIn {
public:
    explicit StandIn(const ScratchDir& dir) : m_log(WinPath(dir.File("standin.log"))) {
        char szExe[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, szExe, MAX_PATH);
        m_exe = szExe;
        m_exe = m_exe.substr(0, m_exe.find_last_of('\\') + 1) + "browser_standin.exe";
        m_hDone = CreateSemaphoreA(nullptr, 0, 100, "OrdelinkAboutStandInDone");
        SetEnvironmentVariableA("ORD_STANDIN_LOG", m_log.c_str());
        SetEnvironmentVariableA("ORD_STANDIN_DONE", "OrdelinkAboutStandInDone");
    }
    ~StandIn() {
        SetEnvironmentVariableA("ORD_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("ORD_STANDIN_DONE", nullptr);
        CloseHandle(m_hDone);
    }
    const std::string& Exe() const { return m_exe; }
    bool WaitRun() const { return WaitForSignal(m_hDone, 60000); }
    // The arguments of the recorded runs, one a line.
    std::string Log() const { return ReadBytes(m_log); }

private:
    static bool WaitForSignal(HANDLE h, DWORD ms) { return WaitForSingleObject(h, ms) == 0; }
    std::string m_log;
    std::string m_exe;
    HANDLE m_hDone;
};

// What the About box showed, read while it was open.
struct AboutView {
    std::string total, free, disk, linkText, tooltip;
    COLORREF linkColor = 0;
    HCURSOR linkCursor = nullptr;
    BOOL visited = FALSE;
};

CLinkStatic* LinkOf(HWND hDlg) {
    return dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, IDC_AUTHOR_LINK)));
}

ModalDriver::Step ReadAbout(AboutView& v) {
    return Do([&v](HWND hDlg) {
        v.total = TextOf(GetDlgItem(hDlg, IDC_PHYS_TOTAL));
        v.free = TextOf(GetDlgItem(hDlg, IDC_PHYS_FREE));
        v.disk = TextOf(GetDlgItem(hDlg, IDC_DISK_FREE));
        v.linkText = TextOf(GetDlgItem(hDlg, IDC_AUTHOR_LINK));
        if (CLinkStatic* pLink = LinkOf(hDlg)) {
            v.tooltip = pLink->m_toolTip.GetText(pLink, 1).str();
            v.linkColor = pLink->GetTextColor();
            v.linkCursor = pLink->m_hCursor;
            v.visited = pLink->m_visited;
        }
    });
}

ModalDriver::Step ClickLink() {
    return Do([](HWND hDlg) {
        HWND hLink = GetDlgItem(hDlg, IDC_AUTHOR_LINK);
        SendMessageA(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(hLink, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    });
}

unsigned long long ParseMB(const std::string& text) {
    unsigned long long n = 0;
    return sscanf(text.c_str(), "%llu MB", &n) == 1 ? n : ~0ull;
}

TEST(AboutBox, FiguresAreTheSystemsInWholeMegabytes) {
    ViewFixture f;
    AboutView v;
    ModalDriver driver({ReadAbout(v), PressButton(IDOK)});
    f.Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_TRUE(driver.Finished());

    MEMORYSTATUSEX ms = {};
    ms.dwLength = sizeof(ms);
    GlobalMemoryStatusEx(&ms);
    // Machines beyond 4 GB show their real size, not a 32-bit remainder.
    EXPECT_EQ(v.total, std::to_string(ms.ullTotalPhys >> 20) + " MB");
    EXPECT_LE(ParseMB(v.free), ms.ullTotalPhys >> 20);

    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, dir);
    const char root[] = {dir[0], ':', '\\', 0};
    ULARGE_INTEGER avail, total, freeBytes;
    ASSERT_TRUE(GetDiskFreeSpaceExA(root, &avail, &total, &freeBytes));
    unsigned long long shownMB = 0;
    char letter = 0;
    ASSERT_EQ(sscanf(v.disk.c_str(), "%llu MB Free on %c:", &shownMB, &letter), 2) << v.disk;
    EXPECT_EQ(letter, static_cast<char>(dir[0] & ~0x20));
    // Other programs write to the disk meanwhile.
    const long long diff =
        static_cast<long long>(shownMB) - static_cast<long long>(freeBytes.QuadPart >> 20);
    EXPECT_LE(diff < 0 ? -diff : diff, 256) << v.disk;
    EXPECT_EQ(v.disk, std::to_string(shownMB) + " MB Free on " + letter + ":");

    EXPECT_EQ(v.linkText, "Varnoth");
    EXPECT_EQ(v.tooltip, CAboutDlg::kContactTarget);
    EXPECT_EQ(v.linkColor, RGB(0, 0, 238));
    EXPECT_EQ(v.linkCursor,
              LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_HAND)));
}

TEST(AboutBox, MegabytesOfLargeCounts) {
    const struct {
        unsigned long long bytes;
        unsigned long mb;
    } cases[] = {
        {0, 0},
        {(1ull << 20) - 1, 0},
        {24ull << 30, 24 * 1024},          // 24 GB of memory
        {(400ull << 30) + 12345, 409600},  // 400 GB free
        {~0ull, 0xFFFFFFFFul},             // beyond what the text takes
    };
    for (const auto& c : cases) EXPECT_EQ(CAboutDlg::Megabytes(c.bytes), c.mb) << c.bytes;
}

TEST(AboutBox, LinkClickOpensTheMailHandler) {
    ViewFixture f;
    StandIn standin(f.dir);
    ClassesRootValue scheme("mailto", "URL:MailTo Protocol");
    ClassesRootValue command("mailto\\shell\\open\\command", "\"" + standin.Exe() + "\" \"%1\"");
    MessageRecorder messages;
    AboutView v;
    ModalDriver driver({ClickLink(), ReadAbout(v), PressButton(IDOK)});
    f.Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_TRUE(driver.Finished());
    ASSERT_TRUE(standin.WaitRun());
    EXPECT_NE(standin.Log().find(std::string("\n") + CAboutDlg::kContactTarget + "\n"),
              std::string::npos)
        << standin.Log();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(v.visited);
    EXPECT_EQ(v.linkColor, RGB(0, 0, 255));
}

TEST(AboutBox, FallsBackToTheProgramRegisteredForWebPages) {
    ScratchDir dir;
    StandIn standin(dir);
    ClassesRootValue htm(".htm", "OrdelinkTest.htm");
    ClassesRootValue open("OrdelinkTest.htm\\shell\\open\\command",
                          "\"" + standin.Exe() + "\" -page \"%1\"");
    // No handler for this scheme: the shell fails, the page handler runs.
    const char kTarget[] = "ordelinktest:page";
    EXPECT_GT(CLinkStatic::OpenTarget(kTarget, SW_SHOWNOACTIVATE), 32);
    ASSERT_TRUE(standin.WaitRun());
    EXPECT_NE(standin.Log().find("\n2\n-page\nordelinktest:page\n"), std::string::npos)
        << standin.Log();
}

TEST(AboutBox, FailedClickReportsTheShellsCode) {
    ViewFixture f;
    // The page class has no open command: the shell's own failure is shown.
    ClassesRootValue htm(".htm", "OrdelinkTest.nothing");
    MessageRecorder messages;
    AboutView v;
    int nShellCode = 0;
    ModalDriver driver(
        {Do([&](HWND hDlg) {
             LinkOf(hDlg)->SetTarget("ordelinktest:nowhere");
             nShellCode = static_cast<int>(reinterpret_cast<INT_PTR>(ShellExecuteA(
                 nullptr, "open", "ordelinktest:nowhere", nullptr, nullptr, SW_SHOW)));
         }),
         ClickLink(), ReadAbout(v), PressButton(IDOK)});
    f.Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_TRUE(driver.Finished());
    ASSERT_LE(nShellCode, 32);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, CLinkStatic::OpenErrorText(nShellCode));
    EXPECT_EQ(messages.messages[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_FALSE(v.visited);
    EXPECT_EQ(v.tooltip, "ordelinktest:nowhere");
}

TEST(LinkStatic, FallbackCommandCutsThePlaceholder) {
    const struct {
        const char* registered;
        const char* expected;
    } cases[] = {
        {"\"C:\\b\\browser.exe\" \"%1\"", "\"C:\\b\\browser.exe\"  mailto:a@b"},
        {"C:\\b\\browser.exe -nohome %1", "C:\\b\\browser.exe -nohome  mailto:a@b"},
        {"C:\\b\\browser.exe", "C:\\b\\browser.exe mailto:a@b"},
        {"\"C:\\b\\browser.exe\" -url \"%1\" -x", "\"C:\\b\\browser.exe\" -url  mailto:a@b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLinkStatic::BuildFallbackCommand(c.registered, "mailto:a@b"), c.expected);
}

TEST(LinkStatic, ErrorTexts) {
    const std::string head = "Unable to open hyperlink:\n\n";
    const struct {
        int code;
        const char* why;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\n"
         "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {25, "Unknown Error (25) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const auto& c : cases) EXPECT_EQ(CLinkStatic::OpenErrorText(c.code), head + c.why);
}

TEST(Help, WithoutAHelpFileTheUserIsTold) {
    ViewFixture f;
    MessageRecorder messages;
    for (UINT nID : {ID_HELP, ID_HELP_INDEX}) {
        EXPECT_TRUE(f.Enabled(nID));
        f.Frame()->SendMessage(WM_COMMAND, nID, 0);
    }
    ASSERT_EQ(messages.messages.size(), 2u);
    const CString expected =
        Ansi("ヘルプ ファイルはインストールされていません。\n\n") + COrdelinkApp::HelpFilePath();
    EXPECT_EQ(messages.messages[0].text, expected);
    EXPECT_EQ(messages.messages[1].text, expected);
    EXPECT_TRUE(f.Enabled(ID_APP_ABOUT));
}

}  // namespace
