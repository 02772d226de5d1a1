// The owner-drawn icon menus: what the menu bar and the right-button menu
// hold, the icon each entry draws (compared with its bitmap), the drawing
// of the selected, checked and disabled states, the measures, the aligned
// accelerators and the mnemonic keys.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "chrome/CIconMenu.h"
#include "res/resource.h"
#include "tests/win32/ChromeTestSupport.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

CIconMenu* IconMenuOf(HMENU hMenu) {
    return dynamic_cast<CIconMenu*>(CMenu::FromHandlePermanent(hMenu));
}

// The popup and position of the entry with this command (or this submenu
// text) anywhere under hMenu.
bool FindEntry(HMENU hMenu, UINT nID, const char* pszText, HMENU& hFound, int& nPos) {
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        HMENU hSub = GetSubMenu(hMenu, i);
        const bool bMatch = pszText ? MenuEntryText(hMenu, i) == pszText
                                    : (!hSub && GetMenuItemID(hMenu, i) == nID);
        if (bMatch) {
            hFound = hMenu;
            nPos = i;
            return true;
        }
        if (hSub && FindEntry(hSub, nID, pszText, hFound, nPos)) return true;
    }
    return false;
}

bool IsOwnerDrawn(HMENU hMenu, int nPos) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(hMenu, static_cast<UINT>(nPos), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
}

const CIconMenuItem* RecordOf(HMENU hMenu, int nPos) {
    CIconMenu* pMenu = IconMenuOf(hMenu);
    return pMenu ? pMenu->ItemAt(nPos) : nullptr;
}

class IconMenuFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Frame() != nullptr); }
    HMENU MenuBar() const { return f.Frame()->GetMenu(); }
    HWND FrameWnd() const { return f.Frame()->m_hWnd; }

    // The entry drawn through the frame's WM_MEASUREITEM and WM_DRAWITEM.
    Picture Draw(HMENU hMenu, int nPos, UINT itemState, int cx = 260) const {
        const CIconMenuItem* pItem = RecordOf(hMenu, nPos);
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, GetMenuItemID(hMenu, nPos),
                                 0,        0, reinterpret_cast<ULONG_PTR>(pItem)};
        SendMessageA(FrameWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        const int cy = static_cast<int>(mis.itemHeight);
        MemoryCanvas canvas(cx, cy, RGB(255, 0, 255));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = GetMenuItemID(hMenu, nPos);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = itemState;
        dis.hwndItem = reinterpret_cast<HWND>(hMenu);
        dis.hDC = canvas.dc();
        dis.rcItem = RECT{0, 0, cx, cy};
        dis.itemData = reinterpret_cast<ULONG_PTR>(pItem);
        EXPECT_EQ(SendMessageA(FrameWnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
        return canvas.Read();
    }

    ViewFixture f;
    const COLORREF menu = SysColor(COLOR_MENU);
    const COLORREF light = SysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = SysColor(COLOR_BTNSHADOW);
    const COLORREF face = SysColor(COLOR_BTNFACE);
    const COLORREF highlight = SysColor(COLOR_HIGHLIGHT);
};

// The icon bitmap as the menu shows it: standard greys mapped, the face
// colour transparent.
Picture IconPicture(int iconId) {
    HBITMAP hbm = AfxLoadSysColorBitmap(AfxGetResourceHandle(), static_cast<UINT>(iconId));
    MemoryCanvas canvas(16, 15, RGB(255, 0, 255));
    HDC hdcSrc = CreateCompatibleDC(canvas.dc());
    HGDIOBJ hOld = SelectObject(hdcSrc, hbm);
    BitBlt(canvas.dc(), 0, 0, 16, 15, hdcSrc, 0, 0, SRCCOPY);
    SelectObject(hdcSrc, hOld);
    DeleteDC(hdcSrc);
    DeleteObject(hbm);
    return canvas.Read();
}

int Count(const Picture& pic, const RECT& rc, COLORREF cr) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) n += pic.At(x, y) == cr;
    return n;
}

TEST_F(IconMenuFixture, MenuBarIsTextAndEveryPopupEntryOwnerDrawn) {
    const std::vector<std::string> bar = {"File(&F)",    "Edit(&E)", "Option(&O)",
                                          "Setting(&S)", "View(&V)", "Help(&H)"};
    ASSERT_EQ(GetMenuItemCount(MenuBar()), static_cast<int>(bar.size()));
    int nEntries = 0;
    for (int i = 0; i < GetMenuItemCount(MenuBar()); ++i) {
        char text[64] = "";
        GetMenuStringA(MenuBar(), static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        EXPECT_EQ(text, bar[static_cast<size_t>(i)]);
        EXPECT_FALSE(IsOwnerDrawn(MenuBar(), i));
        // Popups and their submenus: owner-drawn, each with its own record.
        std::vector<HMENU> popups = {GetSubMenu(MenuBar(), i)};
        while (!popups.empty()) {
            HMENU hPopup = popups.back();
            popups.pop_back();
            ASSERT_NE(IconMenuOf(hPopup), nullptr);
            for (int j = 0; j < GetMenuItemCount(hPopup); ++j) {
                EXPECT_TRUE(IsOwnerDrawn(hPopup, j));
                EXPECT_NE(RecordOf(hPopup, j), nullptr);
                if (HMENU hSub = GetSubMenu(hPopup, j)) popups.push_back(hSub);
                ++nEntries;
            }
        }
    }
    EXPECT_EQ(nEntries, 40);
    // Their texts, as the resource has them.
    EXPECT_EQ(MenuEntryText(GetSubMenu(MenuBar(), 0), 0), "New(&N)\tCtrl+N");
    EXPECT_EQ(MenuEntryText(GetSubMenu(MenuBar(), 1), 1), "Redo(&R)\tCtrl+Y");
    EXPECT_EQ(MenuEntryText(GetSubMenu(MenuBar(), 1), 7), "Find(&F)...\tCtrl+F");
    EXPECT_EQ(MenuEntryText(GetSubMenu(MenuBar(), 1), 11), "Add");
}

TEST_F(IconMenuFixture, EachEntryDrawsTheIconItIsGiven) {
    static const UINT kMain[] = {ORDELINK_MAIN_MENU_ICONS};
    struct Case {
        UINT id;
        const char* text;  // the submenu entry found by text
        int icon;
    };
    std::vector<Case> cases;
    for (size_t i = 0; i + 1 < std::size(kMain); i += 2)
        cases.push_back({kMain[i], nullptr, static_cast<int>(kMain[i + 1])});
    cases.push_back({0, "Add", IDB_MI_ADD});
    // Entries without an icon.
    for (UINT id : {UINT(ID_FILE_SAVE_AS), UINT(ID_EDIT_UNDO), UINT(ID_VIEW_TOOLBAR),
                    UINT(ID_VIEW_STATUS_BAR), UINT(ID_READ_BOOKMARK)})
        cases.push_back({id, nullptr, -1});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : std::to_string(c.id));
        HMENU hMenu = nullptr;
        int nPos = -1;
        ASSERT_TRUE(FindEntry(MenuBar(), c.id, c.text, hMenu, nPos));
        const CIconMenuItem* pItem = RecordOf(hMenu, nPos);
        ASSERT_NE(pItem, nullptr);
        EXPECT_EQ(pItem->iconId, c.icon);
        if (c.icon < 0) continue;
        // Enabled and at rest: the bitmap's pixels in the icon box at
        // (2, d + 2), the menu colour where the bitmap has the face colour.
        EnableMenuItem(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION | MF_ENABLED);
        const Picture pic = Draw(hMenu, nPos, 0);
        const Picture icon = IconPicture(c.icon);
        const int d = std::max(0, (pic.cy - 15 - 4) / 2);
        int nInk = 0, nWrong = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) {
                const COLORREF want = icon.At(x, y) == face ? menu : icon.At(x, y);
                nInk += icon.At(x, y) != face;
                nWrong += pic.At(2 + x, d + 2 + y) != want;
            }
        EXPECT_GT(nInk, 10);
        EXPECT_EQ(nWrong, 0);
    }
}

TEST_F(IconMenuFixture, StatesDrawnAsTheirKindsRequire) {
    HMENU hFile = GetSubMenu(MenuBar(), 0);
    HMENU hView = GetSubMenu(MenuBar(), 4);
    const int cyMenu = std::max(GetSystemMetrics(SM_CYMENU), 19);
    const int d = std::max(0, (cyMenu - 19) / 2);
    const int xText = 16 + 9;
    const RECT textBox = {xText, 0, 200, cyMenu};

    // Selected with an icon (New): the icon column keeps the menu colour,
    // the rest is highlighted, and the icon is framed raised.
    {
        const Picture pic = Draw(hFile, 0, ODS_SELECTED);
        EXPECT_EQ(pic.At(1, 1), menu);
        EXPECT_EQ(pic.At(16 + 6, 1), highlight);
        EXPECT_EQ(pic.At(0, d + 8), light);        // outer box, left
        EXPECT_EQ(pic.At(16 + 3, d + 8), shadow);  // outer box, right
        EXPECT_EQ(pic.At(8, d), light);            // top
        EXPECT_EQ(pic.At(8, d + 15 + 3), shadow);  // bottom
    }
    // Selected without icon or check (Save As): highlighted over the full
    // width.
    {
        const Picture pic = Draw(hFile, 3, ODS_SELECTED);
        EXPECT_EQ(pic.At(1, 1), highlight);
        EXPECT_EQ(pic.At(pic.cx - 2, pic.cy - 2), highlight);
    }
    // Checked without icon (Tool Bar): a sunken box with a check mark.
    {
        const Picture pic = Draw(hView, 0, ODS_CHECKED);
        const RECT C = {1, d + 2, 17, d + 17};
        EXPECT_EQ(pic.At(C.left, C.top + 5), shadow);
        EXPECT_EQ(pic.At(C.right - 1, C.top + 5), light);
        EXPECT_EQ(pic.At(C.left + 2, C.top + 2), SysColor(COLOR_3DLIGHT));
        static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
        const COLORREF mark = SysColor(COLOR_MENUTEXT);
        for (int c = 0; c < 7; ++c)
            for (int r = 0; r < 3; ++r)
                EXPECT_EQ(pic.At(C.left + 4 + c, C.top + 4 + kTop[c] + r), mark) << c << "," << r;
        // Selected and checked: the box keeps the menu colour and the
        // highlight leaves the icon column.
        const Picture sel = Draw(hView, 0, ODS_CHECKED | ODS_SELECTED);
        EXPECT_EQ(sel.At(C.left + 2, C.top + 2), menu);
        EXPECT_EQ(sel.At(16 + 6, 1), highlight);
    }
    // Grayed with an icon (Save): embossed icon in face, highlight and
    // shadow only; the label twice, offset, unless selected.
    {
        const Picture pic = Draw(hFile, 2, ODS_GRAYED);
        const RECT iconBox = {2, d + 2, 18, d + 17};
        std::set<COLORREF> colors;
        for (int y = iconBox.top; y < iconBox.bottom; ++y)
            for (int x = iconBox.left; x < iconBox.right; ++x) colors.insert(pic.At(x, y));
        for (COLORREF cr : colors)
            EXPECT_TRUE(cr == face || cr == light || cr == shadow) << std::hex << cr;
        EXPECT_GT(Count(pic, iconBox, shadow), 5);
        const COLORREF gray = SysColor(COLOR_GRAYTEXT);
        EXPECT_GT(Count(pic, textBox, gray), 10);
        EXPECT_GT(Count(pic, textBox, light), 10);
        const Picture sel = Draw(hFile, 2, ODS_GRAYED | ODS_SELECTED);
        EXPECT_EQ(Count(sel, textBox, gray), 0);
        EXPECT_GT(Count(sel, textBox, menu), 10);
    }
}

TEST_F(IconMenuFixture, MeasuresAndAlignedAccelerators) {
    HMENU hFile = GetSubMenu(MenuBar(), 0);
    // A separator is half a menu line high and has no width.
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(RecordOf(hFile, 5))};
    SendMessageA(FrameWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemWidth, 0u);
    EXPECT_EQ(static_cast<int>(mis.itemHeight), GetSystemMetrics(SM_CYMENU) / 2);
    // An entry: text width plus two icon widths and one.
    const CIconMenuItem* pNew = RecordOf(hFile, 0);
    mis = {ODT_MENU, 0, ID_FILE_NEW, 0, 0, reinterpret_cast<ULONG_PTR>(pNew)};
    SendMessageA(FrameWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(static_cast<int>(mis.itemHeight), std::max(GetSystemMetrics(SM_CYMENU), 19));

    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HFONT hFont = CreateFontIndirectA(&ncm.lfMenuFont);
    HDC hdc = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    auto width = [&](const std::wstring& s) {
        SIZE size = {};
        GetTextExtentPoint32W(hdc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    EXPECT_EQ(static_cast<int>(mis.itemWidth), width(pNew->text) + 33);
    // File: the labels before a tab are padded to one column.
    std::vector<int> columns;
    int nSpace = width(L" ");
    for (const CIconMenuItem* pItem : IconMenuOf(hFile)->Items()) {
        const wchar_t* pTab = std::wcschr(pItem->text, L'\t');
        if (pTab) columns.push_back(width(std::wstring(pItem->text, pTab)));
    }
    ASSERT_EQ(columns.size(), 3u);
    for (int col : columns) EXPECT_LE(std::abs(col - columns[0]), nSpace);
    // The longest label without a tab ("Save As(&A)...") fits before it.
    EXPECT_GE(columns[0], width(L"Save As(&A)... "));
    // Option has no accelerators and is not padded.
    for (const CIconMenuItem* pItem : IconMenuOf(GetSubMenu(MenuBar(), 2))->Items()) {
        const size_t n = std::wcslen(pItem->text);
        EXPECT_TRUE(n == 0 || pItem->text[n - 1] != L' ');
    }
    SelectObject(hdc, hOld);
    ReleaseDC(nullptr, hdc);
    DeleteObject(hFont);
}

TEST_F(IconMenuFixture, MnemonicKeysChooseTheirEntries) {
    HMENU hFile = GetSubMenu(MenuBar(), 0);
    HMENU hEdit = GetSubMenu(MenuBar(), 1);
    const struct {
        HMENU menu;
        char key;
        LRESULT expected;
    } cases[] = {
        {hFile, 'n', MAKELRESULT(0, MNC_EXECUTE)},
        {hFile, 'A', MAKELRESULT(3, MNC_EXECUTE)},
        {hFile, 'x', MAKELRESULT(8, MNC_EXECUTE)},
        {hEdit, 'p', MAKELRESULT(5, MNC_EXECUTE)},
        {hEdit, 't', MAKELRESULT(3, MNC_EXECUTE)},
        {hEdit, 'r', MAKELRESULT(1, MNC_EXECUTE)},
        {hEdit, 'f', MAKELRESULT(7, MNC_EXECUTE)},
        {hEdit, 'v', MAKELRESULT(9, MNC_EXECUTE)},
        {hFile, 'e', MAKELRESULT(4, MNC_EXECUTE)},
        {hFile, 'q', 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(FrameWnd(), WM_MENUCHAR, MAKEWPARAM(c.key, MF_POPUP),
                               reinterpret_cast<LPARAM>(c.menu)),
                  c.expected)
            << c.key;
}

// Records the right-button menu's entries with their icons, then closes it.
struct IconPopupSpy {
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR ref) {
        if (msg == WM_INITMENUPOPUP) {
            auto* self = reinterpret_cast<IconPopupSpy*>(ref);
            HMENU hMenu = reinterpret_cast<HMENU>(wParam);
            self->entries.clear();
            for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
                const CIconMenuItem* pItem = RecordOf(hMenu, i);
                self->entries.push_back(MenuEntryText(hMenu, i) + ":" +
                                        std::to_string(pItem ? pItem->iconId : -2));
            }
            ++self->nShown;
            EndMenu();
        }
        return DefSubclassProc(hWnd, msg, wParam, lParam);
    }
    std::vector<std::string> entries;
    int nShown = 0;
};

TEST_F(IconMenuFixture, ContextMenuShowsItsEntriesWithIconsInEveryState) {
    const std::vector<Rec> doc = {{1, 0, "folder"}, {2, 1, "url", 1, "http://example.com/"}};
    using Texts = std::vector<std::string>;
    const struct {
        int state;  // 0 empty document, then ROOT, folder, URL selected
        Texts entries;
    } cases[] = {
        {0, Texts{"Add:161"}},
        {1, Texts{"Add:161", "Delete:147"}},
        {2, Texts{"Add:161", "Delete:147"}},
        {3, Texts{"Delete:147", "Excute:151"}},
    };
    HWND hTree = f.Tree()->m_hWnd;
    IconPopupSpy spy;
    SetWindowSubclass(hTree, IconPopupSpy::Proc, 11, reinterpret_cast<DWORD_PTR>(&spy));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        f.Load(c.state == 0 ? std::vector<Rec>{} : doc);
        if (c.state > 0) f.Select(c.state - 1);
        SendMessageA(hTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hTree), MAKELPARAM(-1, -1));
        EXPECT_EQ(spy.entries, c.entries);
    }
    // Many right clicks leave no GDI objects behind.
    const DWORD nBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 20; ++i)
        SendMessageA(hTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hTree), MAKELPARAM(-1, -1));
    const DWORD nAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(nAfter, nBefore + 2);
    EXPECT_EQ(spy.nShown, 24);
    RemoveWindowSubclass(hTree, IconPopupSpy::Proc, 11);
}

// Records the commands the frame receives; when the View popup opens it
// types "t" as a user would.
struct KeyboardSpy {
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR ref) {
        auto* self = reinterpret_cast<KeyboardSpy*>(ref);
        if (msg == WM_COMMAND) self->ids.push_back(LOWORD(wParam));
        if (msg == WM_INITMENUPOPUP && !HIWORD(lParam)) {
            ++self->nPopups;
            PostMessageA(hWnd, WM_KEYDOWN, 'T', 0x00140001);
            PostMessageA(hWnd, WM_CHAR, 't', 0x00140001);
        }
        return DefSubclassProc(hWnd, msg, wParam, lParam);
    }
    std::vector<UINT> ids;
    int nPopups = 0;
};

// A menu left open ends the test's wait rather than hanging it.
void CALLBACK CloseMenuLater(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

TEST_F(IconMenuFixture, KeyboardOpensTheMenuAndRunsAnEntryByItsMnemonic) {
    f.Load({{1, 0, "folder"}});
    f.Select(1);
    KeyboardSpy spy;
    SetWindowSubclass(FrameWnd(), KeyboardSpy::Proc, 12, reinterpret_cast<DWORD_PTR>(&spy));
    // Alt+V opens View; "t" then chooses "Tool Bar (&T)", which hides the
    // toolbar.
    ASSERT_TRUE(f.Frame()->m_wndToolBar.IsWindowVisible());
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 60000, CloseMenuLater);
    SendMessageA(FrameWnd(), WM_SYSCOMMAND, SC_KEYMENU, 'v');
    KillTimer(nullptr, nTimer);
    f.h.PumpIdle();
    RemoveWindowSubclass(FrameWnd(), KeyboardSpy::Proc, 12);
    EXPECT_EQ(spy.nPopups, 1);
    EXPECT_EQ(spy.ids, std::vector<UINT>{ID_VIEW_TOOLBAR});
    EXPECT_FALSE(f.Frame()->m_wndToolBar.IsWindowVisible());
}

}  // namespace
