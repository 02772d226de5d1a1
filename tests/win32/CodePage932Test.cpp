// Checks that need the Windows build running with the program's manifest on a
// Japanese system: UTF-8 as the process's code page, 932 as the legacy one.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/base/CArchive.h"
#include "fw/base/CodePage.h"
#include "tests/native/TestSupport.h"

TEST(CodePage932, TheTestRunsUnderCodePage932) {
    ASSERT_EQ(codepage::Legacy(), 932) << "Run the tests with LANG=ja_JP.UTF-8 so that Wine uses "
                                          "code page 932; every other test of text depends on it.";
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
    EXPECT_EQ(codepage::Active(), 65001);
    EXPECT_TRUE(codepage::IsLegacyLeadByte(0x95));
    EXPECT_FALSE(codepage::IsLegacyLeadByte(0xB1));  // half-width katakana
    // The narrow API speaks UTF-8: an emoji survives a window's text.
    HWND h = CreateWindowA("STATIC", "\xF0\x9F\x98\x80 \xED\x95\x9C", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, nullptr, nullptr);
    char buf[32] = "";
    GetWindowTextA(h, buf, sizeof buf);
    DestroyWindow(h);
    EXPECT_STREQ(buf, "\xF0\x9F\x98\x80 \xED\x95\x9C");
}

// Where Windows ignores the manifest the program's text stays in code page 932.
TEST(CodePage932, Utf16StringsReadAsShiftJis) {
    const int nActive = codepage::Active();
    codepage::SetActive(932);
    ScratchDir dir;
    // "日本語ﾃｽﾄ" as UTF-16LE in the archive's wide form.
    const std::u16string text = u"日本語ﾃｽﾄ";
    std::string bytes("\xFF\xFE\xFF", 3);
    bytes += static_cast<char>(text.size());
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    WriteBytes(dir.File("w.bin"), bytes);
    CFile f;
    ASSERT_TRUE(f.Open(dir.File("w.bin").c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_EQ(s.str(), "\x93\xFA\x96\x7B\x8C\xEA\xC3\xBD\xC4");
    codepage::SetActive(nActive);
}
