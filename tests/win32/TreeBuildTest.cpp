// Building the tree in one pass (folders first, links placed by their
// neighbours) and the progress that long work shows in the status bar.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "fw/base/AfxHooks.h"
#include "fw/win/AfxRes.h"
#include "fw/win/CFileDialog.h"
#include "fw/win/CStatusBar.h"
#include "fw/win/CStatusProgress.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// Damaged parent links, labels equal but for case or width, Japanese among
// Latin, links before, between and after folders, a URL record with
// children, children stored before their parents, empty folders, and two
// labels the locale compares equal although their sort keys differ (an empty
// title and U+FFFD, the mark of undecodable bytes).
std::vector<Rec> TrickyDocument() {
    return {
        {40, 3, "子 b", 1},
        {41, 3, "子 a", 1},
        {3, 0, "フォルダ", 0},
        {1, 0, "news", 1},
        {2, 0, "News", 0},
        {4, 0, "NEWS", 1},
        {5, 0, "ｎｅｗｓ", 1},
        {6, 0, "ニュース", 1},
        {7, 0, "ﾆｭｰｽ", 0},
        {8, 0, "検索", 1},
        {9, 0, "apple", 1},
        {10, 0, "Zebra", 0},
        {11, 10, "z link", 1},
        {12, 10, "a link", 1},
        {13, 10, "m folder", 0},
        {14, 13, "deep", 0},
        {15, 14, "deeper", 1},
        {16, 0, "ページ", 1},
        {17, 16, "under a link", 1},
        {18, 0, "empty", 0},
        {0, 0, "ID zero", 1},
        {2, 0, "repeated 2", 1},
        {19, 19, "own parent", 0},
        {20, 21, "loop a", 0},
        {21, 20, "loop b", 0},
        {22, 99, "lost", 1},
        {23, 2, "news inside", 1},
        {24, 7, "ｶﾀｶﾅ", 1},
        {25, 7, "かな", 0},
        {26, 0, "1", 1},
        {27, 0, "10", 0},
        {28, 0, "9", 1},
        {29, 0, "\xEF\xBF\xBD", 1},
        {30, 0, "", 1},
    };
}

}  // namespace

// Same nodes, texts, images, item data, sibling order, expanded folders and
// selection as the level-by-level build gives.
TEST(TreeBuild, GivesTheTreeOfTheLevelByLevelBuild) {
    ViewFixture f;
    MessageRecorder messages;
    f.Load(TrickyDocument());
    HWND hTree = f.Tree()->m_hWnd;
    const std::string built = TreeDump(hTree);
    EXPECT_EQ(TreeView_GetSelection(hTree), f.Node(0));
    EXPECT_EQ(f.Doc()->GetCurIndex(), -1);
    EXPECT_TRUE(messages.messages.empty());

    BuildTreeAsBefore(f.Tree());
    EXPECT_EQ(built, TreeDump(hTree));
    EXPECT_EQ(TreeView_GetCount(hTree), 29u);
    EXPECT_EQ(TreeView_GetSelection(hTree), TreeView_GetRoot(hTree));
}

namespace {

struct Seen {
    std::vector<std::string> texts;
    bool bBar = false;
    bool bWaitCursor = true;
    bool bPainted = true;
};
Seen* g_pSeen = nullptr;
std::string g_bookmarkPath;

// The program's wait cursor (the tests run without the program's own hooks).
int g_nWait = 0;
void WaitCursor(bool bBegin) {
    if (bBegin ? g_nWait++ == 0 : --g_nWait == 0)
        ::SetCursor(::LoadCursor(nullptr, bBegin ? IDC_WAIT : IDC_ARROW));
}

CStatusBar* StatusBar(ViewFixture& f) {
    return dynamic_cast<CStatusBar*>(f.Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
}

void LookAtStatusBar(CStatusProgress&) {
    auto* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    auto* pBar = dynamic_cast<CStatusBar*>(pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    g_pSeen->texts.push_back(pBar->GetPaneText(0).str());
    HWND hChild = ::FindWindowExA(pBar->m_hWnd, nullptr, PROGRESS_CLASSA, nullptr);
    g_pSeen->bBar = g_pSeen->bBar || (hChild && ::IsWindowVisible(hChild));
    g_pSeen->bWaitCursor = g_pSeen->bWaitCursor && ::GetCursor() == ::LoadCursor(nullptr, IDC_WAIT);
    // What was invalidated has been painted before the work goes on.
    g_pSeen->bPainted = g_pSeen->bPainted && !::GetUpdateRect(pBar->m_hWnd, nullptr, FALSE) &&
                        !::GetUpdateRect(pFrame->m_hWnd, nullptr, FALSE);
}

}  // namespace

// Whatever the work, the message pane shows "done / total" growing to the
// total, beside a progress bar, under the wait cursor, the windows painted;
// afterwards the pane has its text back and the bar is gone.
TEST(TreeBuild, LongWorkShowsItsCountAndABarInTheStatusBar) {
    std::vector<std::string> texts;
    std::vector<Rec> records;
    for (int i = 1; i <= 400; ++i) {
        texts.push_back("link " + std::to_string(i));
        records.push_back({i, i <= 20 ? 0 : 1 + i % 20, texts.back().c_str(), i > 20});
    }
    ViewFixture f;
    f.Frame()->ShowWindow(SW_SHOWNORMAL);
    ScratchDir files;
    g_bookmarkPath = WinPath(files.File("bookmark.htm"));
    {
        std::string html = "<DL><p>\n";
        for (int i = 0; i < 300; ++i)
            html += "    <DT><A HREF=\"http://example.com/" + std::to_string(i) + "\">page " +
                    std::to_string(i) + "</A>\n";
        WriteBytes(files.File("bookmark.htm"), html + "</DL><p>\n");
    }
    const struct {
        const char* name;
        std::function<void()> work;
        int nTotal;
    } cases[] = {
        {"build", [&] { f.Load(records); }, 400},
        {"undo of a delete of everything",
         [&] {
             f.Select(0);
             f.Command(ID_DELETE);
             f.Command(ID_EDIT_UNDO);
         },
         400},
        {"bookmark file into the window",
         [&] {
             MessageRecorder yes(AFX_IDYES);
             CFileDialog::SetHandler([](CFileDialog& dlg) -> INT_PTR {
                 dlg.SetPathName(g_bookmarkPath.c_str());
                 return IDOK;
             });
             f.Command(ID_READ_BOOKMARK);
             CFileDialog::SetHandler(nullptr);
         },
         600},
    };
    CStatusProgress::SetDelay(0);
    CStatusProgress::SetRefreshHookForTest(LookAtStatusBar);
    const AfxWaitCursorHandler previous = AfxSetWaitCursorHandler(WaitCursor);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StatusBar(f)->SetPaneText(0, "before");
        Seen seen;
        g_pSeen = &seen;
        c.work();
        ASSERT_FALSE(seen.texts.empty());
        int nLast = 0;
        for (const std::string& text : seen.texts) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(text, m, std::regex("(\\d+) / (\\d+)"))) << text;
            EXPECT_EQ(std::stoi(m[2]), c.nTotal);
            EXPECT_GE(std::stoi(m[1]), nLast);
            nLast = std::stoi(m[1]);
        }
        EXPECT_LE(nLast, c.nTotal);
        EXPECT_TRUE(seen.bBar);
        EXPECT_TRUE(seen.bWaitCursor);
        EXPECT_TRUE(seen.bPainted);
        EXPECT_EQ(StatusBar(f)->GetPaneText(0).str(), "before");
        EXPECT_EQ(::FindWindowExA(StatusBar(f)->m_hWnd, nullptr, PROGRESS_CLASSA, nullptr),
                  nullptr);
    }
    AfxSetWaitCursorHandler(previous);
    CStatusProgress::SetRefreshHookForTest(nullptr);
    CStatusProgress::SetDelay(500);
    g_pSeen = nullptr;
}
