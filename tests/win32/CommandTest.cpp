// The tree's commands: enabling by state, the context menu, the memo pane,
// and opening URLs through a stand-in browser and through the shell.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

const std::vector<Rec> kDoc = {{1, 0, "Folder"}, {2, 1, "Page", 1, "http://example.com/"}};

TEST(CommandEnabling, EachCommandByState) {
    // Columns: empty, ROOT, folder, URL selected; the browser is IE.
    const struct {
        UINT nID;
        bool empty, root, folder, url;
    } cases[] = {
        {ID_SETTING, 1, 1, 1, 1},
        {ID_ADD_URL, 1, 1, 1, 0},
        {ID_ADD_FOLDER, 1, 1, 1, 0},
        {ID_GETURL, 1, 1, 1, 0},
        {ID_EXECUTE, 0, 0, 0, 1},
        {ID_CLIPBOARD_LINK, 0, 0, 0, 1},
        {ID_DELETE, 0, 1, 1, 1},
        {ID_CREATE_LINK_HTML, 0, 1, 1, 1},
        {ID_CONVERT_FAV_TO_FILE, 1, 1, 1, 1},
        {ID_CONVERT_FILE_TO_FAV, 0, 1, 1, 1},
        {ID_READ_BOOKMARK, 1, 1, 1, 1},
    };
    ViewFixture f;
    for (int state = 0; state < 4; ++state) {
        f.Load(state == 0 ? std::vector<Rec>{} : kDoc);
        f.Tree()->m_bBrowserIsIE = 1;
        if (state > 0) f.Select(state - 1);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "state " << state << " command " << c.nID);
            const bool expected[] = {c.empty, c.root, c.folder, c.url};
            EXPECT_EQ(f.Enabled(c.nID), expected[state]);
        }
    }
    // Another browser: the Favorites export and the bookmark import go.
    f.Tree()->m_bBrowserIsIE = 0;
    EXPECT_FALSE(f.Enabled(ID_CONVERT_FILE_TO_FAV));
    EXPECT_FALSE(f.Enabled(ID_READ_BOOKMARK));
}

// The program's message loop runs the idle pass (toolbar, status bar) each
// time the queue runs empty after a message that may change what is shown,
// also when a repaint is the last message before it: that once stopped the
// idle pass for good. A second thread plays the user: each step changes the
// selection and leaves a repaint of the whole frame behind, then waits until
// the toolbar follows. Steps wait for that state, not for a time: a repaint
// of the frame can take longer than a timer period under Wine. The frame's
// and toolbar's timers are stopped, so only the loop can bring the idle pass.
constexpr UINT kStepMessage = WM_APP + 1;
struct IdleScript {
    ViewFixture* f = nullptr;
    HWND hStepper = nullptr;
    DWORD dwUiThread = 0;
    int nSteps = 0;
    int nInStep = 0;
    std::atomic<int> nHandled{0};
};

LRESULT CALLBACK StepperProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kStepMessage) {
        auto* s = reinterpret_cast<IdleScript*>(lParam);
        s->f->Doc()->SetCurIndex(wParam ? s->f->Doc()->IndexOfID(2) : -1);
        InvalidateRect(s->f->Frame()->m_hWnd, nullptr, TRUE);
        ++s->nHandled;
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

DWORD WINAPI PlayUser(void* p) {
    auto* s = static_cast<IdleScript*>(p);
    const HWND hBar = s->f->Frame()->m_wndToolBar.m_hWnd;
    for (int i = 0; i < 8; ++i) {
        const bool bURL = i % 2 == 0;
        PostMessageA(s->hStepper, kStepMessage, bURL, reinterpret_cast<LPARAM>(s));
        ++s->nSteps;
        // The toolbar follows within milliseconds; the bound only ends a
        // wait that would otherwise last for ever.
        const DWORD tStart = GetTickCount();
        while (GetTickCount() - tStart < 20000) {
            DWORD_PTR nEnabled = 0;
            SendMessageTimeoutA(hBar, TB_ISBUTTONENABLED, ID_EXECUTE, 0, SMTO_NORMAL, 20000,
                                &nEnabled);
            if (s->nHandled == s->nSteps && (nEnabled != 0) == bURL) {
                ++s->nInStep;
                break;
            }
            Sleep(5);
        }
    }
    PostThreadMessageA(s->dwUiThread, WM_QUIT, 0, 0);
    return 0;
}

TEST(CommandEnabling, TheMessageLoopKeepsTheToolbarInStep) {
    ViewFixture f;
    f.Load(kDoc);
    f.Frame()->SetActiveView(f.Tree());
    KillTimer(f.Frame()->m_hWnd, 1);
    KillTimer(f.Frame()->m_wndToolBar.m_hWnd, 1);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StepperProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrdelinkTestStepper";
    RegisterClassA(&wc);
    IdleScript script;
    script.f = &f;
    script.dwUiThread = GetCurrentThreadId();
    script.hStepper = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
    ASSERT_NE(script.hStepper, nullptr);
    HANDLE hUser = CreateThread(nullptr, 0, PlayUser, &script, 0, nullptr);
    f.h.app.Run();
    WaitForSingleObject(hUser, INFINITE);
    CloseHandle(hUser);
    DestroyWindow(script.hStepper);
    EXPECT_EQ(script.nSteps, 8);
    EXPECT_EQ(script.nInStep, 8);
}

TEST(CommandEnabling, MenuEntriesFollowTheRules) {
    ViewFixture f;
    f.Load(kDoc);
    f.Select(2);
    f.Frame()->SetActiveView(f.Tree());
    HMENU hEdit = GetSubMenu(GetMenu(f.Frame()->m_hWnd), 1);
    SendMessageA(f.Frame()->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), 1);
    EXPECT_FALSE(GetMenuState(hEdit, ID_EXECUTE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(hEdit, ID_GETURL, MF_BYCOMMAND) & MF_GRAYED);
}

std::vector<std::string> MenuTexts(HMENU hMenu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        texts.push_back(MenuEntryText(hMenu, i));
    }
    return texts;
}

TEST(ContextMenu, EntriesByState) {
    using Texts = std::vector<std::string>;
    const struct {
        int state;  // 0 empty, then ROOT, folder, URL selected
        Texts entries;
    } cases[] = {
        {0, Texts{"Add"}},
        {1, Texts{"Add", "Delete"}},
        {2, Texts{"Add", "Delete"}},
        {3, Texts{"Delete", "Excute"}},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        f.Load(c.state == 0 ? std::vector<Rec>{} : kDoc);
        if (c.state > 0) f.Select(c.state - 1);
        HMENU hMenu = f.Tree()->LoadContextMenu();
        ASSERT_NE(hMenu, nullptr);
        EXPECT_EQ(MenuTexts(GetSubMenu(hMenu, 0)), c.entries);
        DestroyMenu(hMenu);
    }
}

// Records the popup the tree tracks, then closes it.
struct PopupSpy {
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR ref) {
        if (msg == WM_INITMENUPOPUP) {
            auto* self = reinterpret_cast<PopupSpy*>(ref);
            self->entries = MenuTexts(reinterpret_cast<HMENU>(wParam));
            ++self->nShown;
            EndMenu();
        }
        return DefSubclassProc(hWnd, msg, wParam, lParam);
    }
    std::vector<std::string> entries;
    int nShown = 0;
};

TEST(ContextMenu, OpensFromTheMouseAndTheKeyboard) {
    ViewFixture f;
    f.Load(kDoc);
    f.Select(2);
    HWND hTree = f.Tree()->m_hWnd;
    PopupSpy spy;
    SetWindowSubclass(hTree, PopupSpy::Proc, 9, reinterpret_cast<DWORD_PTR>(&spy));
    // Right button (screen point), the menu key (-1, -1), Shift+F10.
    POINT pt = {10, 10};
    ClientToScreen(hTree, &pt);
    SendMessageA(hTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hTree), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(spy.nShown, 1);
    SendMessageA(hTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hTree), MAKELPARAM(-1, -1));
    EXPECT_EQ(spy.nShown, 2);
    // The right button on the control itself, which then asks for the menu
    // (Wine's tree control asks its parent, which hands it back): one menu.
    PostMessageA(hTree, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageA(hTree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(spy.nShown, 3);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(hTree, WM_KEYDOWN, VK_F10, 0);
    f.h.PumpIdle();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(spy.nShown, 4);
    EXPECT_EQ(spy.entries, (std::vector<std::string>{"Delete", "Excute"}));
    RemoveWindowSubclass(hTree, PopupSpy::Proc, 9);
}

TEST(Memo, StoredOnEveryChangeKeptAcrossSelectionAndSaved) {
    ViewFixture f;
    f.Load(kDoc);
    f.Select(2);
    EXPECT_FALSE(f.Doc()->IsModified());  // showing a memo changes nothing
    HWND hEdit = f.Edit()->m_hWnd;
    for (char ch : std::string("note")) SendMessageA(hEdit, WM_CHAR, ch, 1);
    EXPECT_EQ(f.Record(2)->m_Memo, "note");
    EXPECT_TRUE(f.Doc()->IsModified());
    f.Select(1);
    CString text;
    f.Edit()->GetWindowText(text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(f.Edit()->IsWindowEnabled());
    f.Select(2);
    f.Edit()->GetWindowText(text);
    EXPECT_EQ(text, "note");
    f.Select(0);
    EXPECT_FALSE(f.Edit()->IsWindowEnabled());

    const std::string path = WinPath(f.dir.File("memo.pmk"));
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(f.h.app.OpenDocumentFile(path.c_str()));
    EXPECT_EQ(f.Record(2)->m_Memo, "note");
}

// Memos longer than the edit control's default limit (about 30,000
// characters): read from the file they are shown whole, typing and pasting
// go on past the limit, and the file gets back exactly what the pane holds.
TEST(Memo, AsLongAsTheFileHoldsShownEditedAndSavedWhole) {
    std::string memo;
    while (memo.size() < 100000) memo += A("メモの一行 a line of the memo\r\n");
    std::string pasted;
    while (pasted.size() < 50000) pasted += A("貼り付け pasted text ");
    ViewFixture f;
    f.Load({{1, 0, "Long", 1, "http://example.com/"}, {2, 0, "Empty", 1, "http://example.com/"}});
    f.Doc()->m_PtrAry[0]->m_Memo = memo.c_str();
    const std::string path = WinPath(f.dir.File("long.pmk"));
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(f.h.app.OpenDocumentFile(path.c_str()));

    f.Select(1);
    HWND hEdit = f.Edit()->m_hWnd;
    CString text;
    f.Edit()->GetWindowText(text);
    EXPECT_EQ(text.str(), memo);
    // Shown and left: saved back unchanged.
    f.Select(2);
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    EXPECT_EQ(f.Record(1)->m_Memo.str(), memo);

    // Typing at the end of the long memo.
    f.Select(1);
    const int nEnd = GetWindowTextLengthW(hEdit);
    SendMessageA(hEdit, EM_SETSEL, nEnd, nEnd);
    SendMessageA(hEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(f.Record(1)->m_Memo.str(), memo + "x");
    // Pasting a long text into an empty memo.
    f.Select(2);
    SendMessageA(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    EXPECT_EQ(f.Record(2)->m_Memo.str(), pasted);

    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(f.h.app.OpenDocumentFile(path.c_str()));
    EXPECT_EQ(f.Record(1)->m_Memo.str(), memo + "x");
    EXPECT_EQ(f.Record(2)->m_Memo.str(), pasted);
}

// The stand-in browser beside the test program, and what it recorded.
class StandIn {
public:
    explicit StandIn(const ScratchDir& dir) : m_log(WinPath(dir.File("standin.log"))) {
        char szExe[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, szExe, MAX_PATH);
        std::string exe = szExe;
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + "browser_standin.exe";
        // A folder with a blank, as browsers' folders have.
        const std::string folder = WinPath(dir.File("Program Files"));
        CreateDirectoryA(folder.c_str(), nullptr);
        m_exe = folder + "\\browser standin.exe";
        CopyFileA(exe.c_str(), m_exe.c_str(), FALSE);
        m_hDone = CreateSemaphoreA(nullptr, 0, 100, "OrdelinkStandInDone");
        SetEnvironmentVariableA("ORD_STANDIN_LOG", m_log.c_str());
        SetEnvironmentVariableA("ORD_STANDIN_DONE", "OrdelinkStandInDone");
    }
    ~StandIn() {
        SetEnvironmentVariableA("ORD_STANDIN_LOG", nullptr);
        SetEnvironmentVariableA("ORD_STANDIN_DONE", nullptr);
        CloseHandle(m_hDone);
    }
    const std::string& Exe() const { return m_exe; }
    // Waits (bounded) until n runs have written their record.
    bool WaitRuns(int n) const {
        for (int i = 0; i < n; ++i)
            if (WaitForSingleObject(m_hDone, 60000) != WAIT_OBJECT_0) return false;
        return true;
    }
    std::string Log() const { return ReadBytes(m_log); }

private:
    std::string m_log;
    std::string m_exe;
    HANDLE m_hDone;
};

TEST(Execute, StartsTheBrowserWithTheURLAsItsOneArgument) {
    ViewFixture f;
    const char* kURL = "http://example.com/a b?q=\"x\"&y";
    f.Load({{1, 0, "Folder"}, {2, 0, "Page", 1, kURL}});
    StandIn standin(f.dir);
    f.Tree()->m_BrowserName = standin.Exe().c_str();
    f.Tree()->m_BrowserAny = 1;
    f.Select(2);
    // The command, the Enter key and a double click: one new process each.
    f.Command(ID_EXECUTE);
    PostMessageA(f.Tree()->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    f.h.PumpIdle();
    NMHDR nm = {f.Tree()->m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(f.Tree()->m_hWnd)),
                static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(GetParent(f.Tree()->m_hWnd), WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
    ASSERT_TRUE(standin.WaitRuns(3));
    const std::string commandLine =
        "\"" + standin.Exe() + "\" \"http://example.com/a b?q=\\\"x\\\"&y\"";
    std::string once = commandLine + "\n1\n" + kURL + "\n";
    EXPECT_EQ(standin.Log(), once + once + once);

    // A folder opens nothing: only the URL's run after it is recorded.
    f.Select(1);
    f.Tree()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    f.Select(2);
    f.Command(ID_EXECUTE);
    ASSERT_TRUE(standin.WaitRuns(1));
    EXPECT_EQ(standin.Log(), once + once + once + once);
}

// A BrowserName the user wrote as a command line, with its own quotes and a
// switch: the program gets its switch and the URL as the one last argument.
// A plain path keeps being quoted whole.
TEST(Execute, ABrowserSettingThatIsACommandLineKeepsItsSwitches) {
    ViewFixture f;
    const char* kURL = "http://example.com/a b";
    f.Load({{1, 0, "Page", 1, kURL}});
    StandIn standin(f.dir);
    const struct {
        std::string setting, args;
    } cases[] = {
        {"\"" + standin.Exe() + "\" --new-window", "2\n--new-window\n" + std::string(kURL) + "\n"},
        {"\"" + standin.Exe() + "\"", "1\n" + std::string(kURL) + "\n"},
        {standin.Exe(), "1\n" + std::string(kURL) + "\n"},
    };
    f.Tree()->m_BrowserAny = 1;
    f.Select(1);
    std::string log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        f.Tree()->m_BrowserName = c.setting.c_str();
        f.Command(ID_EXECUTE);
        ASSERT_TRUE(standin.WaitRuns(1));
        const std::string now = standin.Log();
        const std::string run = now.substr(log.size());
        log = now;
        // The command line as given, then the arguments as split.
        EXPECT_EQ(run.substr(run.find('\n') + 1), c.args);
    }
}

// Through the shell a program runs only once the user agrees to the
// message naming it; a missing file is then reported with the shell's code.
TEST(Execute, GoesThroughTheShellWhenOneBrowserWindowIsWanted) {
    ViewFixture f;
    StandIn standin(f.dir);
    const std::string missing = WinPath(f.dir.File("missing.zzz"));
    f.Load({{1, 0, "Runs", 1, ""}, {2, 0, "Missing", 1, ""}});
    f.Doc()->m_PtrAry[0]->m_URL = standin.Exe().c_str();
    f.Doc()->m_PtrAry[1]->m_URL = missing.c_str();
    f.Tree()->m_BrowserAny = 0;
    f.Tree()->m_BrowserName = "C:\\nowhere\\never.exe";
    MessageRecorder messages(AFX_IDYES);
    f.Select(1);
    f.Command(ID_EXECUTE);
    ASSERT_TRUE(standin.WaitRuns(1));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              AfxFormatString1(AfxLoadString(IDP_OPEN_ASK), standin.Exe().c_str()));
    EXPECT_EQ(messages.messages[0].type & 0xFFF, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    f.Select(2);
    f.Command(ID_EXECUTE);
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[2].text, "ShellExecute Error Code[2]");
}

// A URL from a bookmark file or a drop can name a program on a share, or be
// written to pass as the browser's switch: the first runs only when the
// user says Yes, the second never reaches the browser.
TEST(Execute, AProgramOnlyWhenTheUserAgreesASwitchNever) {
    ViewFixture f;
    const std::string web = "mailto:someone@example.com";
    const std::string share = "\\\\host\\share\\run.exe";
    const std::string flag = "--browser-subprocess-path=\\\\host\\s\\x.exe";
    f.Load({{1, 0, "Mail", 1, web.c_str()},
            {2, 0, "Share", 1, share.c_str()},
            {3, 0, "Switch", 1, flag.c_str()}});
    StandIn standin(f.dir);
    f.Tree()->m_BrowserName = standin.Exe().c_str();
    f.Tree()->m_BrowserAny = 1;
    const struct {
        int nID;
        int nAnswer;
        bool bRuns;
        UINT nMessage;
        const std::string& url;
    } cases[] = {
        {2, IDNO, false, IDP_OPEN_ASK, share},
        {2, AFX_IDYES, true, IDP_OPEN_ASK, share},
        {3, AFX_IDYES, false, IDP_OPEN_REFUSED, flag},
    };
    std::string log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        MessageRecorder messages(c.nAnswer);
        BeepCounter beeps;
        f.Select(c.nID);
        f.Command(ID_EXECUTE);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text,
                  AfxFormatString1(AfxLoadString(c.nMessage), c.url.c_str()));
        EXPECT_EQ(beeps.count(), c.nMessage == IDP_OPEN_REFUSED ? 1 : 0);
        // The mail item runs at once after each case, asking nothing: the
        // runs recorded since the last case show whether this one ran.
        f.Select(1);
        f.Command(ID_EXECUTE);
        EXPECT_EQ(messages.messages.size(), 1u);
        ASSERT_TRUE(standin.WaitRuns(c.bRuns ? 2 : 1));
        const std::string now = standin.Log();
        const std::string runs = now.substr(log.size());
        log = now;
        EXPECT_NE(runs.find("\n1\n" + web + "\n"), std::string::npos);
        EXPECT_EQ(runs.find("\n1\n" + c.url + "\n") != std::string::npos, c.bRuns);
    }
}

}  // namespace
