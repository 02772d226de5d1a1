// The main frame: its place and pane sizes from and back to the settings
// file, the bars, the relay of the internal commands and the clock.
#include "tests/win32/GuiTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <regex>
#include <utility>
#include <vector>

#include "fw/base/CTime.h"
#include "fw/win/CView.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"

namespace {

RECT WindowRect(HWND h) {
    RECT rc;
    GetWindowRect(h, &rc);
    return rc;
}

int PaneWidth(CWnd* pPane) {
    RECT rc;
    pPane->GetWindowRect(&rc);
    return rc.right - rc.left;
}

int PaneHeight(CWnd* pPane) {
    RECT rc;
    pPane->GetWindowRect(&rc);
    return rc.bottom - rc.top;
}

TEST(MainFrame, FirstStartWithoutSettingsFile) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    ASSERT_NE(pFrame, nullptr);

    const RECT rc = WindowRect(pFrame->m_hWnd);
    EXPECT_EQ(rc.left, 100);
    EXPECT_EQ(rc.top, 100);
    EXPECT_EQ(rc.right - rc.left, 700);
    EXPECT_EQ(rc.bottom - rc.top, 330);

    int cx = 0, cy = 0, nMin = 0;
    pFrame->m_wndSplitter.GetColumnInfo(0, cx, nMin);
    pFrame->m_wndSubSplitter.GetRowInfo(0, cy, nMin);
    EXPECT_EQ(cx, 270);
    EXPECT_EQ(cy, 120);
    EXPECT_EQ(PaneWidth(pFrame->m_wndSplitter.GetPane(0, 0)), 270);
    EXPECT_EQ(PaneHeight(pFrame->m_wndSubSplitter.GetPane(0, 0)), 120);

    EXPECT_EQ(WindowTitle(pFrame->m_hWnd), Ansi("無題 - Ordelink").str());
    CString strBarText;
    pFrame->m_wndToolBar.GetWindowText(strBarText);
    EXPECT_EQ(strBarText, "ToolBar");
    // Nothing is written at start-up.
    EXPECT_EQ(GetFileAttributesA(h.IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(MainFrame, PanesAreTheThreeViewsInTheirPlaces) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    const struct {
        CWnd* pane;
        const char* className;
    } cases[] = {
        {pFrame->m_wndSplitter.GetPane(0, 0), "SysTreeView32"},
        {pFrame->m_wndSubSplitter.GetPane(0, 0), "#32770"},
        {pFrame->m_wndSubSplitter.GetPane(1, 0), "Edit"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.pane, nullptr);
        char cls[64] = "";
        GetClassNameA(c.pane->m_hWnd, cls, sizeof(cls));
        EXPECT_STRCASEEQ(cls, c.className);
        EXPECT_NE(dynamic_cast<CView*>(c.pane), nullptr) << c.className;
    }
    EXPECT_EQ(pFrame->m_wndSubSplitter.GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
    // The tree pane is bordered, with buttons and lines and the selection
    // always shown; no lines at the root, no label editing.
    const LONG style = GetWindowLongA(cases[0].pane->m_hWnd, GWL_STYLE);
    const LONG wanted =
        WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (TVS_LINESATROOT | TVS_EDITLABELS), 0);
    // The tree view, the template's own view, starts as the active one.
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->m_wndSplitter.GetPane(0, 0));
}

TEST(MainFrame, StoredPlaceAndPaneSizesAreUsedAndWrittenBack) {
    ScratchDir dir;
    AppHarness h(dir);
    h.WriteIni(
        "[AboutApp Rect]\r\nRect Left=40\r\nRect Top=30\r\nRect Right=840\r\nRect "
        "Bottom=630\r\n[AboutApp Client]\r\nTreeVw-X=200\r\nFormVw-Y=90\r\n");
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    const RECT rc = WindowRect(pFrame->m_hWnd);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.right, 840);
    EXPECT_EQ(rc.bottom, 630);
    EXPECT_EQ(PaneWidth(pFrame->m_wndSplitter.GetPane(0, 0)), 200);
    EXPECT_EQ(PaneHeight(pFrame->m_wndSubSplitter.GetPane(0, 0)), 90);

    // The user drags the vertical bar 50 pixels to the right and moves the
    // window.
    CSplitterWnd& split = pFrame->m_wndSplitter;
    const int xBar = CSplitterWnd::kBorder + 200 + CSplitterWnd::kBorder + 1;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xBar, 50));
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(xBar + 50, 50));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xBar + 50, 50));
    int cx = 0, nMin = 0;
    split.GetColumnInfo(0, cx, nMin);
    EXPECT_EQ(cx, 250);
    MoveWindow(pFrame->m_hWnd, 60, 70, 720, 500, TRUE);
    h.Close();

    EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Left"), 60);
    EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Top"), 70);
    EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Right"), 780);
    EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Bottom"), 570);
    EXPECT_EQ(h.ReadIniInt("AboutApp Client", "TreeVw-X"), 250);
    EXPECT_EQ(h.ReadIniInt("AboutApp Client", "FormVw-Y"), 90);
}

// Closing a maximised or minimised window keeps the stored rectangle, but
// the pane sizes are written in any case.
TEST(MainFrame, ClosingMaximisedOrMinimisedKeepsTheStoredRectangle) {
    for (int nShow : {SW_MAXIMIZE, SW_MINIMIZE}) {
        SCOPED_TRACE(nShow);
        ScratchDir dir;
        AppHarness h(dir);
        h.WriteIni(
            "[AboutApp Rect]\r\nRect Left=10\r\nRect Top=20\r\nRect Right=710\r\nRect "
            "Bottom=420\r\n[AboutApp Client]\r\nTreeVw-X=150\r\nFormVw-Y=80\r\n");
        ASSERT_TRUE(h.Start());
        CMainFrame* pFrame = h.Frame();
        // A new pane width, so the write is seen.
        pFrame->m_wndSplitter.SetColumnInfo(0, 180, 0);
        pFrame->m_wndSplitter.RecalcLayout();
        pFrame->ShowWindow(nShow);
        h.Close();
        EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Left"), 10);
        EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Top"), 20);
        EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Right"), 710);
        EXPECT_EQ(h.ReadIniInt("AboutApp Rect", "Rect Bottom"), 420);
        EXPECT_EQ(h.ReadIniInt("AboutApp Client", "TreeVw-X"), 180);
        EXPECT_EQ(h.ReadIniInt("AboutApp Client", "FormVw-Y"), 80);
    }
}

// Records the internal commands each pane receives.
struct RelayLog {
    std::vector<std::pair<std::string, UINT>> entries;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR ref) {
        if (msg == WM_COMMAND && LOWORD(wParam) >= ID_INT_FOCUS_FORM &&
            LOWORD(wParam) <= ID_INT_SELECTION_CHANGED) {
            auto* pLog = reinterpret_cast<std::pair<RelayLog*, std::string>*>(ref);
            pLog->first->entries.emplace_back(pLog->second, LOWORD(wParam));
        }
        return DefSubclassProc(hWnd, msg, wParam, lParam);
    }
};

TEST(MainFrame, RelaysInternalCommandsInOrderAndActivatesThePane) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    CWnd* pTree = pFrame->m_wndSplitter.GetPane(0, 0);
    CWnd* pForm = pFrame->m_wndSubSplitter.GetPane(0, 0);
    CWnd* pEdit = pFrame->m_wndSubSplitter.GetPane(1, 0);
    RelayLog log;
    std::pair<RelayLog*, std::string> tags[] = {{&log, "tree"}, {&log, "form"}, {&log, "edit"}};
    CWnd* panes[] = {pTree, pForm, pEdit};
    for (int i = 0; i < 3; ++i)
        SetWindowSubclass(panes[i]->m_hWnd, RelayLog::Proc, 7,
                          reinterpret_cast<DWORD_PTR>(&tags[i]));

    using Steps = std::vector<std::pair<std::string, UINT>>;
    const struct {
        UINT nID;
        CWnd* pActiveBefore;
        Steps expected;
        CWnd* pActiveAfter;
    } cases[] = {
        {ID_INT_SELECTION_CHANGED, pTree,
         Steps{{"form", ID_INT_SELECTION_CHANGED}, {"edit", ID_INT_SELECTION_CHANGED}}, pTree},
        // The frame relays its commands whichever pane is active.
        {ID_INT_SELECTION_CHANGED, pEdit,
         Steps{{"form", ID_INT_SELECTION_CHANGED}, {"edit", ID_INT_SELECTION_CHANGED}}, pEdit},
        {ID_INT_ITEM_CHANGED, pForm,
         Steps{{"edit", ID_INT_ITEM_CHANGED}, {"tree", ID_INT_ITEM_CHANGED}}, pTree},
        {ID_INT_SHOW_PENDING, pTree, Steps{{"form", ID_INT_SHOW_PENDING}}, pForm},
        {ID_INT_FOCUS_FORM, pTree, Steps{}, pForm},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nID);
        pFrame->SetActiveView(dynamic_cast<CView*>(c.pActiveBefore));
        log.entries.clear();
        pFrame->SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_EQ(log.entries, c.expected);
        EXPECT_EQ(pFrame->GetActiveView(), c.pActiveAfter);
        // Commands that activate a pane give it the focus, or (the form)
        // the first of its controls. 32805 moves no focus: the panes may
        // disable themselves for the new selection.
        if (c.nID != ID_INT_SELECTION_CHANGED) {
            HWND hFocus = GetFocus();
            EXPECT_TRUE(hFocus == c.pActiveAfter->m_hWnd ||
                        IsChild(c.pActiveAfter->m_hWnd, hFocus));
        }
    }
    for (CWnd* pPane : panes) RemoveWindowSubclass(pPane->m_hWnd, RelayLog::Proc, 7);
}

TEST(MainFrame, ToolbarLookFollowsTheSettingOnce) {
    ScratchDir dir;
    AppHarness h(dir);
    h.WriteIni("[Setting]\r\nToolBarType=0\r\n");
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    // The tree view's initial update chose the normal look.
    EXPECT_FALSE(pFrame->m_wndToolBar.m_bFlatMode);
    pFrame->SendMessage(WM_COMMAND, ID_INT_TOOLBAR_FLAT, 0);
    EXPECT_TRUE(pFrame->m_wndToolBar.m_bFlatMode);
    pFrame->SendMessage(WM_COMMAND, ID_INT_TOOLBAR_FLAT, 0);
    EXPECT_TRUE(pFrame->m_wndToolBar.m_bFlatMode);
    pFrame->SendMessage(WM_COMMAND, ID_INT_TOOLBAR_NORMAL, 0);
    EXPECT_FALSE(pFrame->m_wndToolBar.m_bFlatMode);
}

TEST(MainFrame, ClockPaneShowsTheTimeAfterTheIdlePass) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CStatusBar& bar = h.Frame()->m_wndStatusBar;
    ASSERT_EQ(bar.GetCount(), 4);
    const int nClock = bar.CommandToIndex(ID_INDICATOR_CLOCK);
    EXPECT_EQ(nClock, 3);
    const CString before = CTime::GetCurrentTime().Format(" %m/%d %H:%M:%S ");
    h.PumpIdle();
    const CString after = CTime::GetCurrentTime().Format(" %m/%d %H:%M:%S ");
    const CString shown = bar.GetPaneText(nClock);
    EXPECT_TRUE(std::regex_match(shown.str(), std::regex(" \\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d ")))
        << shown.str();
    EXPECT_TRUE(shown == before || shown == after) << shown.str();
    EXPECT_EQ(bar.GetPaneText(0), "Ready");
    // The pane is as wide as its sample text needs, like every indicator.
    EXPECT_GT(bar.GetPaneWidth(nClock), bar.GetPaneWidth(bar.CommandToIndex(ID_INDICATOR_CAPS)));
}

// A WM_COMMAND without a control runs only while the command is enabled.
TEST(MainFrame, DisabledCommandSentWithoutControlIsNotRun) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    auto* pEdit = dynamic_cast<CView*>(pFrame->m_wndSubSplitter.GetPane(1, 0));
    pFrame->SetActiveView(pEdit);
    pEdit->SetWindowText("memo");
    const struct {
        int selStart, selEnd;
        const char* expected;
    } cases[] = {
        {0, 0, "memo"},  // nothing selected: Cut is disabled
        {0, 2, "mo"},    // a selection: Cut runs
    };
    for (const auto& c : cases) {
        pEdit->SendMessage(EM_SETSEL, c.selStart, c.selEnd);
        pFrame->SendMessage(WM_COMMAND, ID_EDIT_CUT, 0);
        CString text;
        pEdit->GetWindowText(text);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(MainFrame, ToolbarButtonsAndTheirStateFromTheActiveView) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    CToolBarEx& bar = pFrame->m_wndToolBar;
    const UINT expected[] = {ORDELINK_TOOLBAR_BUTTONS};
    ASSERT_EQ(bar.GetCount(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < bar.GetCount(); ++i) EXPECT_EQ(bar.GetItemID(i), expected[i]) << i;

    // Save belongs to the document, Copy to the edit view: the idle pass
    // enables each through the route of the moment.
    pFrame->SetActiveView(dynamic_cast<CView*>(pFrame->m_wndSplitter.GetPane(0, 0)));
    h.PumpIdle();
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_SAVE));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));
    auto* pEdit = dynamic_cast<CView*>(pFrame->m_wndSubSplitter.GetPane(1, 0));
    pFrame->SetActiveView(pEdit);
    pEdit->SetWindowText("memo");
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    h.PumpIdle();
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));
}

TEST(MainFrame, NextPaneCyclesThroughTheThreeViews) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    CWnd* order[] = {pFrame->m_wndSplitter.GetPane(0, 0), pFrame->m_wndSubSplitter.GetPane(0, 0),
                     pFrame->m_wndSubSplitter.GetPane(1, 0)};
    pFrame->SetActiveView(dynamic_cast<CView*>(order[0]));
    for (int i = 1; i <= 3; ++i) {
        pFrame->SendMessage(WM_COMMAND, ID_NEXT_PANE, 0);
        EXPECT_EQ(pFrame->GetActiveView(), order[i % 3]) << i;
    }
    pFrame->SendMessage(WM_COMMAND, ID_PREV_PANE, 0);
    EXPECT_EQ(pFrame->GetActiveView(), order[2]);

    // F6 pressed in a pane reaches the frame's accelerators through the
    // message loop's pre-translation.
    MSG msg = {order[2]->m_hWnd, WM_KEYDOWN, VK_F6, 0x00400001, 0, {0, 0}};
    EXPECT_TRUE(h.app.PreTranslateMessage(&msg));
    EXPECT_EQ(pFrame->GetActiveView(), order[0]);
}

std::vector<std::string> MenuTexts(HMENU hMenu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        texts.push_back(MenuEntryText(hMenu, i));
    }
    return texts;
}

// Opening the File menu puts the recent files in place of the placeholder,
// once, with their numbers; the entries after them keep their state.
TEST(MainFrame, FileMenuShowsTheRecentFiles) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    h.app.AddToRecentFileList("C:\\one\\two\\three\\four\\five\\b&c.pmk");
    h.app.AddToRecentFileList("C:\\docs\\a.pmk");
    CMainFrame* pFrame = h.Frame();
    HMENU hFile = GetSubMenu(pFrame->GetMenu(), 0);
    ASSERT_NE(hFile, nullptr);
    for (int round = 0; round < 2; ++round) {
        pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
        const std::vector<std::string> expected = {"New(&N)\tCtrl+N",
                                                   "Open(&O)...\tCtrl+O",
                                                   "Save(&S)\tCtrl+S",
                                                   "Save As(&A)...",
                                                   "Export Bookmark File(&E)...",
                                                   "Import from Browser(&B)...",
                                                   "",
                                                   "&1 C:\\docs\\a.pmk",
                                                   "&2 C:\\...\\three\\four\\five\\b&&c.pmk",
                                                   "",
                                                   "Exit(&X)"};
        EXPECT_EQ(MenuTexts(hFile), expected) << round;
        EXPECT_EQ(GetMenuItemID(hFile, 7), static_cast<UINT>(ID_FILE_MRU_FILE1));
        EXPECT_EQ(GetMenuItemID(hFile, 8), static_cast<UINT>(ID_FILE_MRU_FILE1 + 1));
        EXPECT_FALSE(GetMenuState(hFile, ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    }
}

}  // namespace

namespace {

// View > Tool Bar and View > Status Bar hide and show their bar, and the
// panes take the room.
TEST(MainFrame, ViewMenuHidesAndShowsTheBars) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CMainFrame* pFrame = h.Frame();
    const struct {
        UINT nID;
        CWnd* pBar;
    } cases[] = {{ID_VIEW_TOOLBAR, &pFrame->m_wndToolBar},
                 {ID_VIEW_STATUS_BAR, &pFrame->m_wndStatusBar}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nID);
        const int cyPanes = PaneHeight(&pFrame->m_wndSplitter);
        RECT rcBar;
        c.pBar->GetWindowRect(&rcBar);
        pFrame->SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_FALSE(c.pBar->IsWindowVisible());
        EXPECT_EQ(PaneHeight(&pFrame->m_wndSplitter), cyPanes + (rcBar.bottom - rcBar.top));
        pFrame->SendMessage(WM_COMMAND, c.nID, 0);
        EXPECT_TRUE(c.pBar->IsWindowVisible());
        EXPECT_EQ(PaneHeight(&pFrame->m_wndSplitter), cyPanes);
    }
}

}  // namespace
