#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "fw/base/CString.h"
#include "fw/base/CTime.h"

// Shift-JIS bytes: 表 = 95 5C (trail byte is '\'), ア = 83 41 (trail 'A'),
// ヂ = 83 61 (trail 'a'), マ = 83 7D (trail '}').
#define HYO "\x95\x5C"
#define A_KANA "\x83\x41"
#define DI_KANA "\x83\x61"

TEST(CString, ExtractionClampsToTheString) {
    const CString s("abcdef");
    struct {
        CString got;
        const char* want;
    } cases[] = {
        {s.Mid(2), "cdef"}, {s.Mid(2, 2), "cd"},     {s.Mid(-1, 2), "ab"}, {s.Mid(4, 10), "ef"},
        {s.Mid(9), ""},     {s.Left(3), "abc"},      {s.Left(-1), ""},     {s.Left(99), "abcdef"},
        {s.Right(2), "ef"}, {s.Right(99), "abcdef"}, {s.Right(-3), ""},
    };
    for (auto& c : cases) EXPECT_EQ(c.got.str(), c.want);
}

TEST(CString, SearchesNeverMatchATrailByte) {
    TextCodePages pages(932, 932);
    struct {
        const char* hay;
        const char* needle;
        int start;
        int want;
    } cases[] = {
        {"ab" HYO "\\x", "\\", 0, 4},  // the trail byte 5C of 表 is skipped
        {HYO, "\\", 0, -1},
        {A_KANA "A", "A", 0, 2},  // the trail byte 41 of ア is skipped
        {"x" A_KANA, "\x41", 0, -1},
        {"abcabc", "bc", 0, 1},
        {"abcabc", "bc", 2, 4},
        {"abc", "", 1, 1},
        {"abc", "c", 7, -1},
    };
    for (auto& c : cases) EXPECT_EQ(CString(c.hay).Find(c.needle, c.start), c.want) << c.hay;
}

TEST(CString, ReverseFindAndFindOneOfAreAware) {
    TextCodePages pages(932, 932);
    EXPECT_EQ(CString("C:\\dir\\" HYO ".pmk").ReverseFind('\\'), 6);
    EXPECT_EQ(CString(HYO).ReverseFind('\\'), -1);
    EXPECT_EQ(CString(HYO "a/b").FindOneOf("\\/"), 3);
}

TEST(CString, ReplaceAndRemoveLeaveDoubleByteCharactersAlone) {
    TextCodePages pages(932, 932);
    CString s("a\\" HYO "\\");
    EXPECT_EQ(s.Replace("\\", "/"), 2);
    EXPECT_EQ(s.str(), "a/" HYO "/");
    CString t(A_KANA "AA");
    EXPECT_EQ(t.Replace('A', 'B'), 2);
    EXPECT_EQ(t.str(), A_KANA "BB");
    CString u("x" HYO "\\");
    EXPECT_EQ(u.Remove('\\'), 1);
    EXPECT_EQ(u.str(), "x" HYO);
    CString v("aaa");
    EXPECT_EQ(v.Replace("a", "aa"), 3);
    EXPECT_EQ(v.str(), "aaaaaa");
}

TEST(CString, CaseFoldingTouchesSingleByteLettersOnly) {
    TextCodePages pages(932, 932);
    CString s("ab" DI_KANA "Z");
    s.MakeUpper();
    EXPECT_EQ(s.str(), "AB" DI_KANA "Z");
    EXPECT_EQ(CString("News").CompareNoCase("nEWS"), 0);
    EXPECT_NE(CString(A_KANA).CompareNoCase(DI_KANA), 0);
    EXPECT_LT(CString("apple").CompareNoCase("Banana"), 0);
    EXPECT_GT(CString("abc").CompareNoCase("AB"), 0);
    EXPECT_NE(CString("News").Compare("news"), 0);
}

TEST(CString, TrimAndFormat) {
    CString s("  a b \t\r\n");
    s.TrimLeft();
    s.TrimRight();
    EXPECT_EQ(s.str(), "a b");
    CString f;
    f.Format("%s[%d]%05.1f", "x", -3, 2.25);
    EXPECT_EQ(f.str(), "x[-3]002.2");
    CString big;
    big.Format("%s", std::string(5000, 'q').c_str());
    EXPECT_EQ(big.GetLength(), 5000);
}

TEST(CTime, FormatsCodesAndKeepsDoubleByteText) {
    CTime t(2026, 12, 8, 9, 5, 3);
    EXPECT_EQ(t.Format("%y/%m/%d %H:%M:%S").str(), "26/12/08 09:05:03");
    // 年 = 94 4E; a trail byte equal to '%' (0x25) cannot occur in cp932,
    // but the text around the codes must survive unchanged.
    EXPECT_EQ(t.Format("%y\x94\x4E%m").str(),
              "26\x94\x4E"
              "12");
}
