// The toolbar docks on every side of the frame and floats in a small frame
// of its own; the panes take the room that is left each time; the place is
// kept in the settings file.
#include <gtest/gtest.h>

#include <string>

#include "fw/win/CMiniDockFrameWnd.h"
#include "res/resource.h"
#include "tests/win32/ChromeTestSupport.h"
#include "tests/win32/GuiTestSupport.h"

namespace {

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hChild) {
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, GetParent(hChild), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class DockingFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.Start()); }
    CMainFrame* Frame() const { return h.Frame(); }
    CToolBarEx& Bar() const { return h.Frame()->m_wndToolBar; }
    HWND Panes() const { return GetDlgItem(Frame()->m_hWnd, AFX_IDW_PANE_FIRST); }
    RECT StatusRect() const { return ChildRect(Frame()->m_wndStatusBar.m_hWnd); }

    ScratchDir dir;
    AppHarness h{dir};
};

TEST_F(DockingFixture, EachSideTakesItsEdgeAndThePanesTheRest) {
    RECT rcClient;
    GetClientRect(Frame()->m_hWnd, &rcClient);
    const RECT rcStatus = StatusRect();
    const LONG cyArea = rcStatus.top;  // the status bar spans the bottom
    const struct {
        DWORD side;
        const char* name;
    } sides[] = {{CBRS_ALIGN_LEFT, "left"},
                 {CBRS_ALIGN_RIGHT, "right"},
                 {CBRS_ALIGN_BOTTOM, "bottom"},
                 {CBRS_ALIGN_TOP, "top"}};
    for (const auto& s : sides) {
        SCOPED_TRACE(s.name);
        Frame()->DockControlBar(&Bar(), s.side);
        EXPECT_EQ(GetParent(Bar().m_hWnd), Frame()->m_hWnd);
        EXPECT_FALSE(Bar().IsFloating());
        EXPECT_EQ(Bar().GetBarStyle() & CBRS_ALIGN_ANY, s.side);
        const RECT bar = ChildRect(Bar().m_hWnd);
        const RECT panes = ChildRect(Panes());
        const bool bVert = s.side == CBRS_ALIGN_LEFT || s.side == CBRS_ALIGN_RIGHT;
        if (bVert) {
            EXPECT_EQ(bar.top, 0);
            EXPECT_EQ(bar.bottom, cyArea);
            EXPECT_EQ(panes.top, 0);
            EXPECT_EQ(panes.bottom, cyArea);
            EXPECT_EQ(panes.right - panes.left + bar.right - bar.left, rcClient.right);
            EXPECT_EQ(s.side == CBRS_ALIGN_LEFT ? bar.left : panes.left, 0);
            EXPECT_EQ(s.side == CBRS_ALIGN_LEFT ? panes.left : bar.left,
                      s.side == CBRS_ALIGN_LEFT ? bar.right : panes.right);
            // A column: every button starts at the same x, one row each.
            RECT first, prev;
            Bar().GetItemRect(0, &first);
            prev = first;
            for (int i = 1; i < Bar().GetCount(); ++i) {
                if (Bar().GetItemID(i) == ID_SEPARATOR) continue;
                RECT rc;
                Bar().GetItemRect(i, &rc);
                EXPECT_EQ(rc.left, first.left) << i;
                EXPECT_GT(rc.top, prev.top) << i;
                prev = rc;
            }
            // The bar is as wide as a button and its borders.
            EXPECT_LT(bar.right - bar.left, 3 * Bar().GetButtonSize().cx);
        } else {
            EXPECT_EQ(bar.left, 0);
            EXPECT_EQ(bar.right, rcClient.right);
            EXPECT_EQ(panes.left, 0);
            EXPECT_EQ(panes.right, rcClient.right);
            EXPECT_EQ(panes.bottom - panes.top + bar.bottom - bar.top, cyArea);
            if (s.side == CBRS_ALIGN_TOP) {
                EXPECT_EQ(bar.top, 0);
                EXPECT_EQ(panes.top, bar.bottom);
            } else {
                EXPECT_EQ(bar.bottom, cyArea);
                EXPECT_EQ(panes.bottom, bar.top);
            }
        }
    }
}

TEST_F(DockingFixture, StandingBarDrawsItsGripperOnTopAndSeparatorsAcross) {
    Frame()->DockControlBar(&Bar(), CBRS_ALIGN_LEFT);
    const Picture pic = PrintWindowPicture(Bar().m_hWnd);
    const COLORREF face = SysColor(COLOR_BTNFACE), light = SysColor(COLOR_BTNHIGHLIGHT),
                   shadow = SysColor(COLOR_BTNSHADOW);
    const int x = pic.cx / 2;
    EXPECT_EQ(pic.At(x, 3), face);
    EXPECT_EQ(pic.At(x, 4), light);
    EXPECT_EQ(pic.At(x, 6), shadow);
    EXPECT_EQ(pic.At(x, 7), light);
    EXPECT_EQ(pic.At(x, 9), shadow);
    EXPECT_EQ(pic.At(x, 10), face);
    // Each separator is a horizontal etched line under the button before it.
    POINT ptClient = {0, 0};
    ClientToScreen(Bar().m_hWnd, &ptClient);
    RECT rcWindow;
    GetWindowRect(Bar().m_hWnd, &rcWindow);
    int nLines = 0;
    for (int i = 1; i < Bar().GetCount(); ++i) {
        if (Bar().GetItemID(i) != ID_SEPARATOR) continue;
        RECT rcSep, rcButton;
        Bar().GetItemRect(i, &rcSep);
        Bar().GetItemRect(i - 1, &rcButton);
        const int c = (2 * rcSep.bottom + 5) / 2;
        const int xw = (rcButton.left + rcButton.right) / 2 + ptClient.x - rcWindow.left;
        const int yw = c + ptClient.y - rcWindow.top;
        if (yw + 1 >= pic.cy) break;  // the rest of the column is cut off by the frame
        EXPECT_EQ(pic.At(xw, yw - 1), shadow) << i;
        EXPECT_EQ(pic.At(xw, yw), light) << i;
        // The line lies between the rows.
        RECT rcNext;
        Bar().GetItemRect(i + 1, &rcNext);
        EXPECT_GT(c, rcButton.bottom) << i;
        EXPECT_LT(c, rcNext.top + 1) << i;
        ++nLines;
    }
    EXPECT_GE(nLines, 4);
}

TEST_F(DockingFixture, FloatsInASmallFrameCaptionedToolBarAndDocksBack) {
    const RECT panesDocked = ChildRect(Panes());
    Frame()->FloatControlBar(&Bar(), POINT{300, 250});
    ASSERT_TRUE(Bar().IsFloating());
    ASSERT_NE(Bar().m_pDockFrame, nullptr);
    HWND hMini = Bar().m_pDockFrame->m_hWnd;
    EXPECT_EQ(GetParent(Bar().m_hWnd), hMini);
    EXPECT_EQ(WindowTitle(hMini), "ToolBar");
    EXPECT_TRUE(GetWindowLongA(hMini, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(hMini, GW_OWNER), Frame()->m_hWnd);
    RECT rcMini;
    GetWindowRect(hMini, &rcMini);
    EXPECT_EQ(rcMini.left, 300);
    EXPECT_EQ(rcMini.top, 250);
    EXPECT_TRUE(IsWindowVisible(hMini));
    // The frame fills the bar's client: all buttons in one row, in view.
    RECT rcMiniClient, rcBar, rcLast;
    GetClientRect(hMini, &rcMiniClient);
    GetWindowRect(Bar().m_hWnd, &rcBar);
    EXPECT_EQ(rcBar.right - rcBar.left, rcMiniClient.right);
    EXPECT_EQ(rcBar.bottom - rcBar.top, rcMiniClient.bottom);
    RECT rcFirst;
    Bar().GetItemRect(0, &rcFirst);
    Bar().GetItemRect(Bar().GetCount() - 1, &rcLast);
    RECT rcBarClient;
    GetClientRect(Bar().m_hWnd, &rcBarClient);
    EXPECT_LE(rcLast.right, rcBarClient.right);
    EXPECT_EQ(rcLast.top, rcFirst.top);
    // No gripper while floating.
    const Picture pic = PrintWindowPicture(Bar().m_hWnd);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(pic.At(x, pic.cy / 2), SysColor(COLOR_BTNFACE)) << x;
    // The panes take the toolbar's room.
    const RECT panes = ChildRect(Panes());
    EXPECT_EQ(panes.top, 0);
    EXPECT_GT(panes.bottom - panes.top, panesDocked.bottom - panesDocked.top);
    // Its buttons still command the main frame.
    EXPECT_EQ(Bar().m_pDockSite, Frame());
    // A double click on the caption docks it where it was.
    SendMessageA(hMini, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(310, 255));
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_FALSE(IsWindow(hMini));
    EXPECT_EQ(GetParent(Bar().m_hWnd), Frame()->m_hWnd);
    const RECT back = ChildRect(Panes());
    EXPECT_TRUE(EqualRect(&back, &panesDocked));
}

TEST_F(DockingFixture, ClosingTheFloatingFrameHidesTheBarUntilTheViewMenuShowsIt) {
    Frame()->FloatControlBar(&Bar(), POINT{320, 260});
    HWND hMini = Bar().m_pDockFrame->m_hWnd;
    SendMessageA(hMini, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(hMini));
    EXPECT_FALSE(Bar().IsWindowVisible());
    SendMessageA(Frame()->m_hWnd, WM_COMMAND, ID_VIEW_TOOLBAR, 0);
    EXPECT_TRUE(IsWindowVisible(hMini));
    EXPECT_TRUE(Bar().IsWindowVisible());
    EXPECT_TRUE(Bar().IsFloating());
}

TEST_F(DockingFixture, DraggedToAnEdgeItDocksThereElsewhereItFloats) {
    RECT rcPanes;
    GetWindowRect(Panes(), &rcPanes);
    RECT rcBar;
    GetWindowRect(Bar().m_hWnd, &rcBar);
    const LONG yMid = (rcPanes.top + rcPanes.bottom) / 2;
    const LONG xMid = (rcPanes.left + rcPanes.right) / 2;
    RECT rcStatus;
    GetWindowRect(Frame()->m_wndStatusBar.m_hWnd, &rcStatus);
    const struct {
        POINT pt;
        DWORD side;
    } cases[] = {
        {{rcBar.left + 40, rcBar.top + 5}, CBRS_ALIGN_TOP},
        {{rcPanes.left + 3, yMid}, CBRS_ALIGN_LEFT},
        {{rcPanes.right - 3, yMid}, CBRS_ALIGN_RIGHT},
        {{xMid, rcStatus.top - 3}, CBRS_ALIGN_BOTTOM},
        {{xMid, yMid}, 0},                 // the middle: float
        {{rcPanes.right + 200, yMid}, 0},  // off the frame: float
        {{xMid, rcStatus.top + 3}, 0},     // over the status bar
    };
    for (const auto& c : cases)
        EXPECT_EQ(Frame()->DockSideFromPoint(&Bar(), c.pt), c.side) << c.pt.x << "," << c.pt.y;
}

TEST(Docking, PlaceIsKeptInTheSettingsFile) {
    const struct {
        const char* name;
        DWORD side;  // CBRS_FLOATING: floating
    } cases[] = {{"left", CBRS_ALIGN_LEFT}, {"floating", CBRS_FLOATING}, {"top", CBRS_ALIGN_TOP}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        {
            AppHarness h(dir);
            ASSERT_TRUE(h.Start());
            CMainFrame* pFrame = h.Frame();
            if (c.side == CBRS_FLOATING)
                pFrame->FloatControlBar(&pFrame->m_wndToolBar, POINT{340, 270});
            else
                pFrame->DockControlBar(&pFrame->m_wndToolBar, c.side);
            h.Close();
            EXPECT_EQ(h.ReadIniInt("AboutApp Bar", "Bar59392 Dock"), static_cast<int>(c.side));
        }
        AppHarness h(dir);
        ASSERT_TRUE(h.Start());
        CToolBarEx& bar = h.Frame()->m_wndToolBar;
        EXPECT_EQ(bar.IsFloating() != FALSE, c.side == CBRS_FLOATING);
        if (c.side == CBRS_FLOATING) {
            ASSERT_NE(bar.m_pDockFrame, nullptr);
            RECT rc;
            GetWindowRect(bar.m_pDockFrame->m_hWnd, &rc);
            EXPECT_EQ(rc.left, 340);
            EXPECT_EQ(rc.top, 270);
        } else {
            EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, c.side);
        }
    }
}

}  // namespace
