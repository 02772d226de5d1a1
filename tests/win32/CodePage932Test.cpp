// Checks that need the Windows build running with the Japanese code page.
#include <gtest/gtest.h>
#include <windows.h>

#include "fw/base/CArchive.h"
#include "fw/base/CodePage.h"
#include "tests/native/TestSupport.h"

TEST(CodePage932, TheTestRunsUnderCodePage932) {
    ASSERT_EQ(GetACP(), 932u) << "Run the tests with LANG=ja_JP.UTF-8 so that Wine uses code page "
                                 "932; every other test of text depends on it.";
    EXPECT_EQ(codepage::Active(), 932);
    EXPECT_TRUE(codepage::IsLeadByte(0x95));
    EXPECT_FALSE(codepage::IsLeadByte(0xB1));  // half-width katakana
}

TEST(CodePage932, Utf16StringsReadAsShiftJis) {
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
}
