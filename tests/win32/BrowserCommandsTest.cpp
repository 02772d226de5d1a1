// GetURL against a stand-in DDE service in a second process, the link page
// and the clipboard link, driven through the tree view's commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "convert/LinkPage.h"
#include "fw/base/LegacyText.h"
#include "fw/win/CFileDialog.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "store/ItemEdits.h"
#include "tests/win32/StandInPrograms.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// ---- GetURL

// A folder with a URL in it and a URL at the top; the tree view asks the
// service the browser flag names and waits 3 s at most for an answer.
struct GetUrlFixture : ViewFixture {
    GetUrlFixture() {
        Load({{1, 0, "Folder"},
              {2, 1, "Inner", 1, "http://inner/"},
              {3, 0, "Top", 1, "http://top/"}});
        Tree()->m_BrowserDde.m_dwTimeout = 30000;
        Tree()->m_bBrowserIsIE = 1;
    }
    // The reply as a browser sends it.
    // The reply as a browser sends it: in the legacy code page.
    static std::string Reply(const std::string& url, const std::string& title) {
        std::string bytes;
        legacy::ToLegacy("\"" + url + "\",\"" + title + "\"", bytes);
        return bytes;
    }
    int Count() const { return Doc()->m_PtrAry.GetSize(); }
};

// A capture: one new URL item under the selection, selected, holding the
// default title and URL until UPDATE; the form shows the captured values and
// has the focus; the document is modified.
void ExpectCaptured(const GetUrlFixture& f, int nParentID, const std::string& title,
                    const std::string& url) {
    const CUrlItem& rec = *f.Doc()->m_PtrAry[f.Count() - 1];
    EXPECT_EQ(f.SelectedID(), rec.m_ID);
    EXPECT_EQ(rec.m_ParentID, nParentID);
    EXPECT_EQ(rec.m_IsURL, 1);
    EXPECT_EQ(rec.m_URL, kNewItemURL);
    EXPECT_EQ(TreeView_GetParent(f.Tree()->m_hWnd, f.Node(rec.m_ID)), f.Node(nParentID));
    EXPECT_EQ(f.FieldText(IDC_TITLE), title);
    EXPECT_EQ(f.FieldText(IDC_URL), url);
    EXPECT_EQ(f.Frame()->GetActiveView(), f.Form());
    HWND hFocus = GetFocus();
    EXPECT_TRUE(hFocus == f.Form()->m_hWnd || IsChild(f.Form()->m_hWnd, hFocus));
    EXPECT_TRUE(f.Doc()->IsModified());
}

TEST(GetURL, CapturesTheBrowsersPageAsANewItemUnderTheSelection) {
    GetUrlFixture f;
    StandInDdeServer server(
        "IEXPLORE", f.Reply("http://example.com/a?b=1", "Example: a/b | \"c\" <d>*?\",\"0"));
    ASSERT_TRUE(server.Ready());
    BeepCounter beeps;
    MessageRecorder messages;
    f.Select(1);
    ASSERT_TRUE(f.Enabled(ID_GETURL));
    f.Command(ID_GETURL);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(beeps.count(), 0);
    ASSERT_EQ(f.Count(), 4);
    EXPECT_EQ(f.Doc()->m_PtrAry[3]->m_ID, 4);
    // Further fields stay in the title, without their quotes.
    ExpectCaptured(f, 1, "Example a-b - c d,0", "http://example.com/a?b=1");

    // The conversation serves the next capture too, here under the ROOT.
    f.Doc()->SetModifiedFlag(FALSE);
    f.Select(0);
    f.Command(ID_GETURL);
    ASSERT_EQ(f.Count(), 5);
    ExpectCaptured(f, 0, "Example a-b - c d,0", "http://example.com/a?b=1");
    EXPECT_TRUE(messages.messages.empty());

    // UPDATE gives the captured values to the item.
    SendMessageA(f.Form()->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(f.Form()->m_hWnd, IDC_UPDATE)));
    EXPECT_EQ(f.Doc()->m_PtrAry[4]->m_Title, "Example a-b - c d,0");
    EXPECT_EQ(f.Doc()->m_PtrAry[4]->m_URL, "http://example.com/a?b=1");

    // Undo takes back the UPDATE, then the capture: the item goes and the
    // ROOT it went into is selected; redo brings it back.
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Doc()->m_PtrAry[4]->m_URL, kNewItemURL);
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Count(), 4);
    EXPECT_EQ(f.SelectedID(), 0);
    EXPECT_TRUE(f.Doc()->IsModified());  // the first capture is still there
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Count(), 5);
    EXPECT_EQ(f.SelectedID(), 5);
}

TEST(GetURL, AsksTheServiceOfTheBrowserFlagAndFollowsItsChanges) {
    GetUrlFixture f;
    StandInDdeServer ie("IEXPLORE", f.Reply("http://ie/", "IE page"));
    StandInDdeServer ns("NETSCAPE", f.Reply("http://ns/", "NS page"));
    ASSERT_TRUE(ie.Ready());
    ASSERT_TRUE(ns.Ready());
    MessageRecorder messages;
    const struct {
        int bBrowserIsIE;
        const char* title;
        const char* url;
    } cases[] = {
        {1, "IE page", "http://ie/"},
        {0, "NS page", "http://ns/"},  // the browser changed since the connection
        {0, "NS page", "http://ns/"},
        {1, "IE page", "http://ie/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        f.Tree()->m_bBrowserIsIE = c.bBrowserIsIE;
        f.Select(1);
        const int nBefore = f.Count();
        f.Command(ID_GETURL);
        ASSERT_EQ(f.Count(), nBefore + 1);
        ExpectCaptured(f, 1, c.title, c.url);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(GetURL, WithoutAPageTellsTheUserAndInsertsNothing) {
    const struct {
        const char* name;
        const char* service;  // nullptr: no server at all
        std::vector<std::string> options;
    } cases[] = {
        {"no browser", nullptr, {}},
        {"only the other browser", "NETSCAPE", {}},
        {"no data", "IEXPLORE", {"--none"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GetUrlFixture f;
        std::unique_ptr<StandInDdeServer> server;
        if (c.service) {
            server =
                std::make_unique<StandInDdeServer>(c.service, f.Reply("http://x/", "X"), c.options);
            ASSERT_TRUE(server->Ready());
        }
        f.Select(1);
        BeepCounter beeps;
        MessageRecorder messages;
        f.Command(ID_GETURL);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, AfxLoadString(IDP_GETURL_FAILED));
        EXPECT_EQ(beeps.count(), 1);
        EXPECT_EQ(f.Count(), 3);
        EXPECT_EQ(f.SelectedID(), 1);
        EXPECT_FALSE(f.Doc()->IsModified());
        EXPECT_EQ(f.Frame()->GetActiveView(), f.Tree());
    }
}

TEST(GetURL, ABrowserClosedOrRestartedSinceTheLastCaptureIsAskedAnew) {
    GetUrlFixture f;
    BeepCounter beeps;
    MessageRecorder messages;
    {
        StandInDdeServer first("IEXPLORE", f.Reply("http://first/", "First"), {"--once"});
        ASSERT_TRUE(first.Ready());
        f.Select(1);
        f.Command(ID_GETURL);
        ExpectCaptured(f, 1, "First", "http://first/");
        ASSERT_TRUE(first.WaitExit());
    }
    // Restarted: the old conversation is dead, a new one answers.
    {
        StandInDdeServer second("IEXPLORE", f.Reply("http://second/", "Second"));
        ASSERT_TRUE(second.Ready());
        f.Select(1);
        f.Command(ID_GETURL);
        ASSERT_EQ(f.Count(), 5);
        ExpectCaptured(f, 1, "Second", "http://second/");
        EXPECT_TRUE(messages.messages.empty());
    }
    // Closed: nothing is inserted, the user is told.
    f.Select(1);
    f.Command(ID_GETURL);
    EXPECT_EQ(f.Count(), 5);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, AfxLoadString(IDP_GETURL_FAILED));
    EXPECT_EQ(beeps.count(), 1);
}

TEST(GetURL, DoubleByteTitlesKeepCharactersWhoseSecondByteIsABackslashOrABar) {
    GetUrlFixture f;
    // 表 and ソ end in 0x5C, ポ in 0x7C; the real "|", "/" and "\" are cleaned.
    const std::string title = A("ソフト表示|ポータル/日本\\語");
    ASSERT_NE(title.find('\x5C'), std::string::npos);
    const std::string url = A("http://example.jp/表示/");
    StandInDdeServer server("IEXPLORE", f.Reply(url, title));
    ASSERT_TRUE(server.Ready());
    f.Select(0);
    f.Command(ID_GETURL);
    ExpectCaptured(f, 0, A("ソフト表示-ポータル-日本語"), url);
}

// ---- Link page

std::string g_dialogAnswer;  // empty: cancel
CFileDialog g_dialogSeen(FALSE);

INT_PTR AnswerDialog(CFileDialog& dlg) {
    g_dialogSeen = dlg;
    if (g_dialogAnswer.empty()) return IDCANCEL;
    dlg.SetPathName(g_dialogAnswer.c_str());
    return IDOK;
}

struct LinkPageFixture : ViewFixture {
    explicit LinkPageFixture(const char* pszDocName) : browser(dir) {
        Load({{1, 0, "News"},
              {2, 1, "Tech", 1, "http://tech/?a=1&b=2"},
              {3, 0, u8"日本語のページ", 1, "http://jp/"},
              {4, 1, "Deep"},
              {5, 4, "<b>", 1, "http://deep/"}});
        if (pszDocName) Doc()->SetPathName(WinPath(dir.File(pszDocName)).c_str());
        Tree()->m_BrowserName = browser.Exe().c_str();
        Tree()->m_Build = "1.30";
        // The temporary folder has a blank in its name.
        tempDir = WinPath(dir.File("temp dir"));
        CreateDirectoryA(tempDir.c_str(), nullptr);
        char szOld[MAX_PATH] = "";
        if (GetEnvironmentVariableA("TMP", szOld, MAX_PATH)) oldTmp = szOld;
        SetEnvironmentVariableA("TMP", tempDir.c_str());
        oldHandler = CFileDialog::SetHandler(AnswerDialog);
    }
    ~LinkPageFixture() {
        SetEnvironmentVariableA("TMP", oldTmp.empty() ? nullptr : oldTmp.c_str());
        CFileDialog::SetHandler(oldHandler);
    }
    // What the portable writer makes of the document now.
    std::string WriterOutput(bool bPlainLinks) {
        LinkPageOptions options;
        options.strDocTitle = Doc()->GetTitle();
        options.strBuild = "1.30";
        options.created = CTime::GetCurrentTime();
        options.bPlainLinks = bPlainLinks;
        const std::string path = WinPath(dir.File("expected.html"));
        EXPECT_EQ(WriteLinkPage(*Doc(), path.c_str(), options), LinkPageResult::Done);
        return ReadBytes(path);
    }
    // The one run of the browser opened exactly this file.
    void ExpectOpened(const std::string& path) {
        ASSERT_TRUE(browser.WaitRuns(1));
        const std::string log = browser.Log();
        // The stand-in, a program of the legacy code page, gets the path in it.
        std::string legacyPath;
        legacy::ToLegacy(path, legacyPath);
        const std::string tail = "\n1\n" + legacyPath + "\n";
        ASSERT_GE(log.size(), tail.size());
        EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
    }

    StandInBrowser browser;
    std::string tempDir;
    std::string oldTmp;
    CFileDialog::Handler oldHandler;
};

TEST(LinkPage, InTheTemporaryFolderIsTheWritersPageAndOpensInTheBrowser) {
    const struct {
        const char* docName;  // nullptr: never saved
        const char* fileName;
        int nLinkTarget;
    } cases[] = {
        {"Links.pmk", "Links.HTML", 1},
        {"Links.pmk", "Links.HTML", 0},
        {nullptr, u8"無題.HTML", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        LinkPageFixture f(c.docName);
        f.Tree()->m_HtmlDirTemp = 1;
        f.Tree()->m_LinkTarget = c.nLinkTarget;
        MessageRecorder messages;
        ASSERT_TRUE(f.Enabled(ID_CREATE_LINK_HTML));
        // The minute on the page may turn during the command.
        const std::string before = f.WriterOutput(c.nLinkTarget != 0);
        f.Command(ID_CREATE_LINK_HTML);
        const std::string after = f.WriterOutput(c.nLinkTarget != 0);
        const std::string path = f.tempDir + "\\" + A(c.fileName);
        const std::string page = ReadBytes(path);
        EXPECT_TRUE(page == before || page == after);
        EXPECT_NE(page.find(c.nLinkTarget ? "\"http://tech/?a=1&b=2\">" : "TARGET=\"_BLANK\""),
                  std::string::npos);
        f.ExpectOpened(path);
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_FALSE(f.Doc()->IsModified());
    }
}

TEST(LinkPage, WithTheDialogSettingGoesWhereTheUserChooses) {
    LinkPageFixture f("Links.pmk");
    f.Tree()->m_HtmlDirTemp = 0;
    MessageRecorder messages;

    // Cancel: nothing written, no browser.
    g_dialogAnswer.clear();
    const std::vector<std::string> files = f.dir.List();
    f.Command(ID_CREATE_LINK_HTML);
    EXPECT_EQ(f.dir.List(), files);
    EXPECT_FALSE(g_dialogSeen.IsOpenDialog());
    EXPECT_EQ(g_dialogSeen.GetDefExt(), "HTML");
    EXPECT_EQ(g_dialogSeen.GetFileName(), "Links.HTML");
    EXPECT_EQ(g_dialogSeen.GetFilter(),
              "HTML Files (*.HTML)|*.HTML|HTM Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||");
    const DWORD dwFlags = OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_HIDEREADONLY;
    EXPECT_EQ(g_dialogSeen.GetFlags() & dwFlags, dwFlags);
    EXPECT_EQ(GetFileAttributesA((f.tempDir + "\\Links.HTML").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(f.browser.Log().empty());
    EXPECT_TRUE(messages.messages.empty());

    // A folder that cannot take the file: the message, no browser.
    g_dialogAnswer = WinPath(f.dir.File("missing folder")) + "\\Links.HTML";
    f.Command(ID_CREATE_LINK_HTML);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "File could not be opened ");
    EXPECT_TRUE(f.browser.Log().empty());

    // The chosen file, opened in the browser.
    g_dialogAnswer = WinPath(f.dir.File("chosen page.HTML"));
    const std::string before = f.WriterOutput(true);
    f.Command(ID_CREATE_LINK_HTML);
    const std::string after = f.WriterOutput(true);
    const std::string page = ReadBytes(g_dialogAnswer);
    EXPECT_TRUE(page == before || page == after);
    f.ExpectOpened(g_dialogAnswer);
    EXPECT_EQ(messages.messages.size(), 1u);
    // The status bar says where the page went, and keeps saying it when the
    // idle text comes back, until another prompt takes its place.
    const std::string written = A("3 件のリンクを書き出しました： ") + g_dialogAnswer;
    EXPECT_EQ(f.Status(), written);
    f.Frame()->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(f.Status(), written);
    f.Frame()->SetMessageText(f.Frame()->GetMessageString(ID_FILE_NEW));
    f.Frame()->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(f.Status(), "Ready");
    EXPECT_EQ(GetFileAttributesA((f.tempDir + "\\Links.HTML").c_str()), INVALID_FILE_ATTRIBUTES);
}

// ---- Clipboard link

// The clipboard's CF_UNICODETEXT as text, or its CF_TEXT bytes.
std::string ClipboardText(HWND hOwner, UINT nFormat = CF_UNICODETEXT) {
    std::string text = "<not text>";
    if (!OpenClipboard(hOwner)) return "<not open>";
    if (HANDLE h = GetClipboardData(nFormat)) {
        if (const void* p = GlobalLock(h)) {
            text = nFormat == CF_TEXT ? std::string(static_cast<const char*>(p))
                                      : legacy::FromUtf16(static_cast<const char16_t*>(p));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(HWND hOwner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(hOwner));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

TEST(ClipboardLink, PutsTheSelectedItemsAnchorOnTheClipboard) {
    ViewFixture f;
    f.Load({{1, 0, "Folder"},
            {2, 1, u8"日本語 & <b>表示</b>", 1, "http://example.com/?q=\"x\"&y=1"},
            {3, 1, "No address", 1, ""},
            {4, 1, u8"한국어 — Café", 1, "http://k.example/"}});
    HWND hOwner = f.Frame()->m_hWnd;
    MessageRecorder messages;
    const struct {
        int nID;
        std::string expected;
    } cases[] = {
        {2, A(u8"<A HREF=\"http://example.com/?q=\"x\"&y=1\">日本語 & <b>表示</b></A>")},
        {3, "<A HREF=\"\">No address</A>"},
        {4, A(u8"<A HREF=\"http://k.example/\">한국어 — Café</A>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nID);
        SetClipboardText(hOwner, "before");
        f.Select(c.nID);
        ASSERT_TRUE(f.Enabled(ID_CLIPBOARD_LINK));
        f.Command(ID_CLIPBOARD_LINK);
        EXPECT_EQ(ClipboardText(hOwner), c.expected);
        // CF_TEXT beside it, for programs of the legacy code page.
        std::string legacyText;
        legacy::ToLegacy(c.expected, legacyText);
        EXPECT_EQ(ClipboardText(hOwner, CF_TEXT), legacyText);
        EXPECT_EQ(f.Status(), A("1 件の LINK をクリップボードへ作成しました： ") +
                                  f.Record(c.nID)->m_Title.str());
    }
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(f.Doc()->IsModified());

    // A folder and the ROOT give no link, even when the command is sent.
    for (int nID : {1, 0}) {
        SCOPED_TRACE(nID);
        SetClipboardText(hOwner, "kept");
        f.Select(nID);
        EXPECT_FALSE(f.Enabled(ID_CLIPBOARD_LINK));
        f.Command(ID_CLIPBOARD_LINK);
        f.Tree()->SendMessage(WM_COMMAND, ID_CLIPBOARD_LINK, 0);
        EXPECT_EQ(ClipboardText(hOwner), "kept");
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ClipboardLink, AClipboardHeldByAnotherWindowIsReported) {
    ViewFixture f;
    f.Load({{1, 0, "Page", 1, "http://page/"}});
    f.Select(1);
    MessageRecorder messages;
    HWND hOther = f.Form()->m_hWnd;
    SetClipboardText(hOther, "held");
    ASSERT_TRUE(OpenClipboard(hOther));
    f.Command(ID_CLIPBOARD_LINK);
    CloseClipboard();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Error OpenClipboard()");
    EXPECT_EQ(ClipboardText(hOther), "held");
}

}  // namespace
