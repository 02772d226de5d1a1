// The window driven as a person drives it: real clicks, drags and keys
// through the system's input queue, and what the screen shows afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ChromeTestSupport.h"
#include "tests/win32/DialogTestSupport.h"
#include "tests/win32/UserInput.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

const std::vector<Rec> kDoc = {{1, 0, "Folder"}, {2, 0, "Link", 1, "http://example.com/"}};

class HandsOn : public ::testing::Test {
public:
    void Start(const std::vector<Rec>& doc) {
        f.Load(doc);
        in.Front();
    }
    HWND Tree() const { return f.Tree()->m_hWnd; }
    HWND FormItem(int nID) const { return GetDlgItem(f.Form()->m_hWnd, nID); }
    void ClickNode(int nID) const {
        in.Click(NodeCentre(Tree(), f.Node(nID)));
        in.Settle();
    }

    ViewFixture f;
    UserInput in{f.h};
};

// What a popup menu of the tree showed, and the selection when it opened.
struct TreePopup {
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR ref) {
        auto* self = reinterpret_cast<TreePopup*>(ref);
        if (msg == WM_INITMENUPOPUP && !self->bShown) {
            self->bShown = true;
            HMENU hMenu = reinterpret_cast<HMENU>(wParam);
            for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
                self->entries.push_back(MenuEntryText(hMenu, i));
            self->nSelected = self->f->SelectedID();
            if (self->bChooseSecond)
                self->in->Keys({VK_DOWN}), self->in->Keys({VK_DOWN}), self->in->Keys({VK_RETURN});
            else
                EndMenu();
        }
        return DefSubclassProc(hWnd, msg, wParam, lParam);
    }
    TreePopup(HandsOn* pTest, bool bChoose) : f(&pTest->f), in(&pTest->in), bChooseSecond(bChoose) {
        SetWindowSubclass(f->Tree()->m_hWnd, Proc, 31, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TreePopup() { RemoveWindowSubclass(f->Tree()->m_hWnd, Proc, 31); }
    ViewFixture* f;
    UserInput* in;
    bool bChooseSecond;
    bool bShown = false;
    std::vector<std::string> entries;
    int nSelected = -1;
};

TEST_F(HandsOn, ARightClickIsForTheNodeUnderTheMouse) {
    using Texts = std::vector<std::string>;
    const struct {
        const char* what;
        int nNode;  // right-clicked; -1: below the nodes; -2: Shift+F10
        int nSelected;
        Texts entries;
    } cases[] = {
        {"the folder", 1, 1, Texts{"Add", "Delete"}},
        {"the ROOT", 0, 0, Texts{"Add", "Delete"}},
        {"below the nodes", -1, 2, Texts{"Delete", "Excute"}},
        {"Shift+F10 with the mouse on the folder", -2, 2, Texts{"Delete", "Excute"}},
    };
    Start(kDoc);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        f.Select(2);
        TreePopup popup(this, false);
        if (c.nNode >= 0) {
            in.Click(NodeCentre(Tree(), f.Node(c.nNode)), VK_RBUTTON);
        } else if (c.nNode == -1) {
            RECT rc;
            GetClientRect(Tree(), &rc);
            POINT pt = {rc.right / 2, rc.bottom - 5};
            ClientToScreen(Tree(), &pt);
            in.Click(pt, VK_RBUTTON);
        } else {
            in.MoveTo(NodeCentre(Tree(), f.Node(1)));
            in.Keys({VK_SHIFT, VK_F10});
        }
        ASSERT_TRUE(in.RunUntil([&] { return popup.bShown; }));
        EXPECT_EQ(popup.nSelected, c.nSelected);
        EXPECT_EQ(popup.entries, c.entries);
        in.Settle();
    }
    // Delete from the menu of a right-clicked folder deletes that folder.
    f.Select(2);
    {
        TreePopup popup(this, true);
        in.Click(NodeCentre(Tree(), f.Node(1)), VK_RBUTTON);
        ASSERT_TRUE(in.RunUntil([&] { return f.Record(1) == nullptr; }));
    }
    EXPECT_EQ(f.Shape(), "ROOT(Link)");
}

// After a drag of a splitter bar the screen shows the form as a full
// repaint draws it: nothing stale or white is left behind.
TEST_F(HandsOn, TheFormIsWholeAfterASplitterBarIsDragged) {
    Start(kDoc);
    ClickNode(2);
    const struct {
        const char* what;
        bool bOuter;  // the bar beside the tree, else the one under the form
        int nMove;
    } cases[] = {
        {"tree narrower", true, -120},
        {"tree wider", true, 90},
        {"form taller", false, 40},
        {"form lower", false, -30},
    };
    HWND hForm = f.Form()->m_hWnd;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSplitterWnd& split = c.bOuter ? static_cast<CSplitterWnd&>(f.Frame()->m_wndSplitter)
                                       : f.Frame()->m_wndSubSplitter;
        int nSize = 0, nMin = 0;
        if (c.bOuter)
            split.GetColumnInfo(0, nSize, nMin);
        else
            split.GetRowInfo(0, nSize, nMin);
        const int nBar = CSplitterWnd::kBorder + nSize + CSplitterWnd::kBorder + 1;
        POINT pt = c.bOuter ? POINT{nBar, 60} : POINT{60, nBar};
        ClientToScreen(split.m_hWnd, &pt);
        const POINT to = c.bOuter ? POINT{pt.x + c.nMove, pt.y} : POINT{pt.x, pt.y + c.nMove};
        in.Drag(pt, to);
        ASSERT_TRUE(in.RunUntil([&] {
            int n = 0, m = 0;
            if (c.bOuter)
                split.GetColumnInfo(0, n, m);
            else
                split.GetRowInfo(0, n, m);
            return n == nSize + c.nMove;
        }));
        in.Settle();
        const Picture shown = ScreenPicture(hForm);
        RedrawWindow(hForm, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const Picture full = ScreenPicture(hForm);
        ASSERT_EQ(shown.pixels.size(), full.pixels.size());
        int nStale = 0;
        for (size_t i = 0; i < full.pixels.size(); ++i) nStale += shown.pixels[i] != full.pixels[i];
        EXPECT_EQ(nStale, 0);
    }
}

// A pasted link's title passes UPDATE as it is: the user can correct the
// address at once.
TEST_F(HandsOn, APastedLinkCanBeUpdatedAtOnce) {
    const struct {
        const char* clip;
        const char* title;
    } cases[] = {
        {"http://example.net/a?b=1", "http--example.net-ab=1"},
        {"https://example.org/x|y", "https--example.org-x-y"},
    };
    Start(kDoc);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clip);
        ASSERT_TRUE(OpenClipboard(Tree()));
        EmptyClipboard();
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, strlen(c.clip) + 1);
        memcpy(GlobalLock(h), c.clip, strlen(c.clip) + 1);
        GlobalUnlock(h);
        SetClipboardData(CF_TEXT, h);
        CloseClipboard();
        ClickNode(1);
        const int nCount = f.Doc()->m_PtrAry.GetSize();
        in.Keys({VK_CONTROL, 'V'});
        ASSERT_TRUE(in.RunUntil([&] { return f.Doc()->m_PtrAry.GetSize() == nCount + 1; }));
        const int nID = f.SelectedID();
        EXPECT_EQ(f.Record(nID)->m_Title.str(), c.title);
        // The address corrected in the form, then UPDATE.
        HWND hURL = FormItem(IDC_URL);
        in.Click(WindowCentre(hURL));
        ASSERT_TRUE(in.RunUntil([&] { return GetFocus() == hURL; }));
        in.Keys({VK_END});
        in.Type("#top");
        MessageRecorder messages;
        in.Click(WindowCentre(FormItem(IDC_UPDATE)));
        ASSERT_TRUE(
            in.RunUntil([&] { return GetFocus() == Tree() || !messages.messages.empty(); }));
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(f.Record(nID)->m_Title.str(), c.title);
        EXPECT_EQ(f.Record(nID)->m_URL.str(), std::string(c.clip) + "#top");
    }
}

// F1 reaches the help command wherever the focus is.
TEST_F(HandsOn, F1AsksForHelp) {
    Start(kDoc);
    ClickNode(2);
    const CString expected =
        AfxFormatString1(AfxLoadString(IDP_NO_HELP_FILE), COrdelinkApp::HelpFilePath());
    for (HWND hWnd : {Tree(), FormItem(IDC_TITLE), f.Edit()->m_hWnd}) {
        SCOPED_TRACE(WindowTitle(hWnd));
        in.Click(WindowCentre(hWnd));
        ASSERT_TRUE(in.RunUntil([&] { return GetFocus() == hWnd; }));
        MessageRecorder messages;
        in.Keys({VK_F1});
        ASSERT_TRUE(in.RunUntil([&] { return !messages.messages.empty(); }));
        EXPECT_EQ(messages.messages[0].text, expected);
        in.Settle();
    }
}

// The bookmark file dialogs list ".html" files beside ".htm" ones.
TEST_F(HandsOn, TheBookmarkDialogsListHtmAndHtmlFiles) {
    Start(kDoc);
    for (const char* name : {"old.htm", "new.html", "notes.txt"}) WriteBytes(f.dir.File(name), "x");
    char szOld[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, szOld);
    SetCurrentDirectoryA(WinPath(f.dir.Path()).c_str());
    for (int nIE : {1, 0}) {
        SCOPED_TRACE(nIE);
        f.Tree()->m_bBrowserIsIE = nIE;
        std::vector<std::string> listed;
        // The names the dialog's file list shows once it has filled it.
        ModalDriver driver({[&](HWND hDlg) {
                                HWND hList = FindWindowExA(
                                    FindWindowExA(hDlg, nullptr, "SHELLDLL_DefView", nullptr),
                                    nullptr, "SysListView32", nullptr);
                                const int n = hList ? ListView_GetItemCount(hList) : 0;
                                for (int i = 0; i < n; ++i) {
                                    char text[MAX_PATH] = "";
                                    ListView_GetItemText(hList, i, 0, text, MAX_PATH);
                                    listed.push_back(text);
                                }
                                return n > 0;
                            },
                            PressButton(IDCANCEL)});
        MessageRecorder yes(AFX_IDYES);
        f.Command(nIE ? ID_READ_BOOKMARK : ID_CONVERT_FAV_TO_FILE);
        EXPECT_TRUE(driver.Finished());
        std::vector<std::string> stems;
        for (const std::string& s : listed) stems.push_back(s.substr(0, s.find('.')));
        std::sort(stems.begin(), stems.end());
        EXPECT_EQ(stems, (std::vector<std::string>{"new", "old"}));
    }
    SetCurrentDirectoryA(szOld);
}

// With the mouse on a disabled entry of an icon menu, the entry's text is
// grey on the highlight, never the enabled entries' white.
TEST_F(HandsOn, ADisabledMenuEntryUnderTheMouseLooksDisabled) {
    Start(kDoc);
    ClickNode(2);  // a URL item: GetURL is off
    struct Spy {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR ref) {
            auto* self = reinterpret_cast<Spy*>(ref);
            if (msg == WM_DRAWITEM) {
                const auto* pDIS = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (pDIS->CtlType == ODT_MENU && pDIS->itemID == ID_GETURL &&
                    (pDIS->itemState & ODS_SELECTED)) {
                    self->rcItem = pDIS->rcItem;
                    self->bDrawnSelected = true;
                }
            }
            if (msg == WM_ENTERIDLE && wParam == MSGF_MENU) {
                HWND hPopup = reinterpret_cast<HWND>(lParam);
                HMENU hEdit = GetSubMenu(GetMenu(hWnd), 1);
                if (!self->bMoved) {
                    for (int i = 0; i < GetMenuItemCount(hEdit); ++i)
                        if (GetMenuItemID(hEdit, i) == ID_GETURL) {
                            RECT rc;
                            GetMenuItemRect(hWnd, hEdit, i, &rc);
                            self->in->MoveTo({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
                            self->bMoved = true;
                        }
                } else if (self->bDrawnSelected && !self->bTaken) {
                    self->popup = ScreenPicture(hPopup);
                    RECT rcWindow;
                    GetWindowRect(hPopup, &rcWindow);
                    POINT origin = {0, 0};
                    ClientToScreen(hPopup, &origin);
                    OffsetRect(&self->rcItem, origin.x - rcWindow.left, origin.y - rcWindow.top);
                    self->bTaken = true;
                    EndMenu();
                }
            }
            return DefSubclassProc(hWnd, msg, wParam, lParam);
        }
        UserInput* in;
        bool bMoved = false, bDrawnSelected = false, bTaken = false;
        RECT rcItem = {};
        Picture popup;
    } spy{&in, false, false, false, {}, {}};
    HWND hFrame = f.Frame()->m_hWnd;
    SetWindowSubclass(hFrame, Spy::Proc, 32, reinterpret_cast<DWORD_PTR>(&spy));
    in.Keys({VK_MENU, 'E'});
    const bool bTaken = in.RunUntil([&] { return spy.bTaken; });
    RemoveWindowSubclass(hFrame, Spy::Proc, 32);
    ASSERT_TRUE(bTaken);
    // The label's part of the entry, right of the icon column.
    const COLORREF gray = SysColor(COLOR_GRAYTEXT), white = SysColor(COLOR_HIGHLIGHTTEXT);
    int nGray = 0, nWhite = 0;
    for (int y = spy.rcItem.top; y < spy.rcItem.bottom; ++y)
        for (int x = spy.rcItem.left + 25; x < spy.rcItem.right; ++x) {
            const COLORREF cr = spy.popup.At(x, y);
            nGray += cr == gray;
            nWhite += cr == white;
        }
    EXPECT_GT(nGray, 10);
    EXPECT_EQ(nWhite, 0);
}

// The selected node stays marked while the form has the focus.
TEST_F(HandsOn, TheSelectionStaysShownWhileTheFormIsEdited) {
    Start(kDoc);
    ClickNode(2);
    in.Click(WindowCentre(FormItem(IDC_TITLE)));
    ASSERT_TRUE(in.RunUntil([&] { return GetFocus() == FormItem(IDC_TITLE); }));
    in.Settle();
    RECT rc;
    TreeView_GetItemRect(Tree(), f.Node(2), &rc, TRUE);
    const Picture pic = ScreenPicture(Tree());
    RECT rcWindow;
    GetWindowRect(Tree(), &rcWindow);
    POINT origin = {0, 0};
    ClientToScreen(Tree(), &origin);
    const int dx = origin.x - rcWindow.left, dy = origin.y - rcWindow.top;
    // Marked: plainly apart from the window's colour, not a shade off it.
    const COLORREF window = SysColor(COLOR_WINDOW);
    auto apart = [](COLORREF a, COLORREF b) {
        return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) +
                   abs(GetBValue(a) - GetBValue(b)) >=
               96;
    };
    int nMarked = 0, nAll = 0;
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
        for (int x = rc.left + 1; x < rc.right - 1; ++x, ++nAll)
            nMarked += apart(pic.At(x + dx, y + dy), window);
    EXPECT_GT(nMarked, nAll / 2);
}

// Find and undo show the node they select from the tree's left edge, so the
// ROOT and the folders stay in sight; a label longer than the pane is shown
// as the control shows it.
TEST_F(HandsOn, FindAndUndoLeaveTheTreeAtItsLeftEdge) {
    const std::string fits(12, 'f'), tooLong(160, 'w');
    Start({{1, 0, "A"},
           {2, 1, "B"},
           {3, 2, "C"},
           {4, 3, ("fits " + fits).c_str(), 1, "http://f/"},
           {5, 3, ("long " + tooLong).c_str(), 1, "http://w/"}});
    ClickNode(0);
    auto scrolled = [&] { return GetScrollPos(Tree(), SB_HORZ); };
    auto find = [&](const char* text) {
        in.Keys({VK_CONTROL, 'F'});
        ASSERT_TRUE(in.RunUntil([&] { return f.Frame()->m_wndFindBar.HasFocus(); }));
        in.Keys({VK_HOME});
        in.Keys({VK_SHIFT, VK_END});
        in.Type(text);
    };
    find("long w");
    ASSERT_TRUE(in.RunUntil([&] { return f.SelectedID() == 5; }));
    EXPECT_GT(scrolled(), 0);
    find("fits f");
    ASSERT_TRUE(in.RunUntil([&] { return f.SelectedID() == 4; }));
    EXPECT_EQ(scrolled(), 0);
    in.Keys({VK_ESCAPE});
    ASSERT_TRUE(in.RunUntil([&] { return GetFocus() == Tree(); }));
    EXPECT_EQ(scrolled(), 0);

    // Undo after the long label was shown brings the deleted node back at
    // the left edge.
    ClickNode(4);
    SendMessageA(Tree(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 200), 0);
    ASSERT_GT(scrolled(), 0);
    in.Keys({VK_DELETE});
    ASSERT_TRUE(in.RunUntil([&] { return f.Record(4) == nullptr; }));
    in.Keys({VK_CONTROL, 'Z'});
    ASSERT_TRUE(in.RunUntil([&] { return f.SelectedID() == 4; }));
    EXPECT_EQ(scrolled(), 0);
}

// Enter in TITLE or URL presses UPDATE.
TEST_F(HandsOn, EnterInTheFormPressesUpdate) {
    const struct {
        int nField;
        const char* typed;
        const char* title;
        const char* url;
        UINT nMessage;  // 0: none
    } cases[] = {
        {IDC_TITLE, "Renamed", "Renamed", "http://example.com/", 0},
        {IDC_URL, "http://changed/", "Renamed", "http://changed/", 0},
        {IDC_TITLE, "a/b", "Renamed", "http://changed/", IDP_TITLE_BAD_CHAR},
    };
    Start(kDoc);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ClickNode(2);
        HWND hField = FormItem(c.nField);
        in.Click(WindowCentre(hField));
        ASSERT_TRUE(in.RunUntil([&] { return GetFocus() == hField; }));
        in.Keys({VK_HOME});
        in.Keys({VK_SHIFT, VK_END});
        in.Type(c.typed);
        MessageRecorder messages;
        in.Keys({VK_RETURN});
        ASSERT_TRUE(in.RunUntil(
            [&] { return c.nMessage ? !messages.messages.empty() : GetFocus() == Tree(); }));
        EXPECT_EQ(f.Record(2)->m_Title.str(), c.title);
        EXPECT_EQ(f.Record(2)->m_URL.str(), c.url);
        if (c.nMessage) {
            EXPECT_EQ(messages.messages[0].text, AfxLoadString(c.nMessage));
        }
        in.Settle();
    }
}

}  // namespace
