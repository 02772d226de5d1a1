// The resources as the program sees them: every contract text of the string
// table and the menus, loaded through the narrow API, is byte for byte the
// cp932 form of the text the resource script promises.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/win/AfxWin.h"
#include "res/resource.h"
#include "tests/native/TestSupport.h"

namespace {

enum Part { kFull, kPrompt };
struct ExpectedString {
    unsigned id;
    Part part;
    const char* utf8;
};
struct ExpectedMenuItem {
    unsigned id;
    const char* utf8;
};
#include "expected_strings.inc"

TEST(Resources, StringTableEntriesLoadInTheProcessCodePage) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    for (const auto& e : kExpectedStrings) {
        CString loaded;
        ASSERT_TRUE(AfxLoadString(e.id, loaded)) << e.id;
        if (e.part == kPrompt) loaded = AfxExtractSubString(loaded, 0);
        EXPECT_EQ(loaded.str(), Ansi(e.utf8).str()) << e.id;
    }
}

void ExpectMenuTexts(UINT nMenu, const ExpectedMenuItem* items, size_t count) {
    HMENU hMenu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nMenu));
    ASSERT_NE(hMenu, nullptr);
    for (size_t i = 0; i < count; ++i) {
        char text[256] = "";
        GetMenuStringA(hMenu, items[i].id, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_EQ(std::string(text), Ansi(items[i].utf8).str()) << items[i].id;
    }
    DestroyMenu(hMenu);
}

TEST(Resources, MenuEntriesLoadInTheProcessCodePage) {
    ExpectMenuTexts(IDR_MAINFRAME, kExpectedMenu128, std::size(kExpectedMenu128));
    ExpectMenuTexts(IDR_TREE_POPUP, kExpectedMenu107, std::size(kExpectedMenu107));
}

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialogs name their font in Japanese; the name must arrive intact, or
// the system falls back to a font without Japanese.
TEST(Resources, DialogsUseTheJapaneseFontByName) {
    HWND hHost =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (UINT id : {IDD_ABOUTBOX, IDD_FORMVW, IDD_PPAGE1, IDD_PPAGE2, IDD_PPAGE3, IDD_PPAGE4}) {
        HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), hHost,
                                       NoDialogProc, 0);
        ASSERT_NE(hDlg, nullptr) << id;
        auto hFont = reinterpret_cast<HFONT>(SendMessageA(hDlg, WM_GETFONT, 0, 0));
        LOGFONTA lf = {};
        ASSERT_TRUE(GetObjectA(hFont, sizeof(lf), &lf)) << id;
        EXPECT_EQ(std::string(lf.lfFaceName), Ansi("ＭＳ Ｐゴシック").str()) << id;
        DestroyWindow(hDlg);
    }
    DestroyWindow(hHost);
}

}  // namespace
