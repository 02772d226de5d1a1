#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "find/CFindIndex.h"
#include "find/TreeOrder.h"
#include "fw/base/CodePage.h"
#include "fw/base/SearchFold.h"
#include "tests/native/TestSupport.h"

namespace {

std::string Hex(const std::string& s) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
        out += ' ';
    }
    return out;
}

}  // namespace

// The same table runs natively (the cp932 tables) and under Windows (the
// system's mapping), with the text in code page 932 and in UTF-8, so every
// folding is held to one result.
TEST(SearchFold, WidthKanaAndCaseFoldToOneForm) {
    struct {
        const char* in;
        const char* want;
    } cases[] = {
        {"ふぉるだ", "ﾌｫﾙﾀﾞ"},
        {"フォルダ", "ﾌｫﾙﾀﾞ"},
        {"ﾌｫﾙﾀﾞ", "ﾌｫﾙﾀﾞ"},
        {"がっこう ガッコウ", "ｶﾞｯｺｳ ｶﾞｯｺｳ"},
        {"ぱぴぷぺぽ バビブベボ", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
        {"ヴ", "ｳﾞ"},
        {"ゃゅょ ャュョ ッ ヲ ン", "ｬｭｮ ｬｭｮ ｯ ｦ ﾝ"},
        {"「ー」、。・", "｢ｰ｣､｡･"},
        {"ＡＢＣ ａｂｃ ０１２９", "abc abc 0129"},
        {"Hello WORLD", "hello world"},
        {"ｈｔｔｐ：／／ＷＷＷ．ｅｘａｍｐｌｅ．ｃｏｍ", "http://www.example.com"},
        {"｜～＃＄％＆（）＊＋，－＝＠［］＾＿｛｝？！＜＞；", "|~#$%&()*+,-=@[]^_{}?!<>;"},
        {"“引用” ‘’", "\"引用\" ''"},
        {"ゝゞヽヾ", "ヽヽﾞヽヽﾞ"},
        {"全角　空白", "全角 空白"},
        // Kanji are copied whole; their trail bytes are not letters.
        {"陰表掛十", "陰表掛十"},
        {"メモ\r\n二行目", "ﾒﾓ\r\n二行目"},
        {"", ""},
    };
    const int nSaved = codepage::Active();
    for (int nCodePage : {932, 65001}) {
        codepage::SetActive(nCodePage);
        for (const auto& c : cases) {
            const std::string want = Ansi(c.want).str();
            const std::string got = codepage::FoldForSearch(Ansi(c.in).str());
            EXPECT_EQ(Hex(got), Hex(want)) << nCodePage << " " << c.in;
        }
    }
    codepage::SetActive(932);
    // Signs without a single-byte form in the code page keep theirs.
    EXPECT_EQ(Hex(codepage::FoldForSearch(Ansi("→○■").str())), Hex(Ansi("→○■").str()));
    // The full-width yen sign folds to the byte 0x5C, the yen of the code page.
    EXPECT_EQ(Hex(codepage::FoldForSearch(Ansi("￥100").str())), Hex("\\100"));
    // Characters with two codes: 纊 (NEC-selected and IBM), Ⅰ (IBM and NEC), ≒.
    EXPECT_EQ(Hex(codepage::FoldForSearch("\xED\x40 \xFA\x4A \x87\x90")),
              Hex("\xFA\x5C \x87\x54 \x81\xE0"));
    codepage::SetActive(nSaved);
}

TEST(SearchFold, TrailBytesAreNeverMatchedAlone) {
    TextCodePages pages(932, 932);
    // 表 is 95 5C, 掛 8A 7C, 陰 89 41: their trail bytes look like \, | and A.
    struct {
        const char* hay;
        const char* needle;
        bool want;
    } cases[] = {
        {"表示", "\\", false}, {"C:\\表示", "\\", true}, {"掛け", "|", false}, {"a|b", "|", true},
        {"陰", "a", false},    {"陰A", "a", true},       {"表示", "表", true}, {"表示", "示", true},
        {"x表", "表", true},   {"abc", "", false},       {"ab", "abc", false}, {"ｶﾞ", "ｶ", true},
    };
    for (const auto& c : cases) {
        const std::string hay = codepage::FoldForSearch(Ansi(c.hay).str());
        const std::string needle = codepage::FoldForSearch(Ansi(c.needle).str());
        EXPECT_EQ(CFindIndex::Contains(hay, needle), c.want) << c.hay << " / " << c.needle;
    }
    // A needle ending in a lead byte does not match the first half of a character.
    EXPECT_FALSE(CFindIndex::Contains("\x95\x5C", "\x95"));
    EXPECT_TRUE(CFindIndex::Contains("a\x95", "\x95"));
    // A match after a rejected one in the same text.
    EXPECT_TRUE(CFindIndex::Contains("\x95\x5C\x5C", "\x5C"));
}

// 亜 is 88 9F: both its bytes can lead. A run of it holds 9F 88 (a character
// too) at every odd offset, each across two characters. However many such
// candidates a record holds, its text is read once: a record of a million
// of them is searched at once, not in hours.
TEST(SearchFold, LongRunsOfLeadByteLikeCharactersAreReadOnce) {
    TextCodePages pages(932, 932);
    std::string run;
    for (int i = 0; i < 1 << 20; ++i) run += "\x88\x9F";
    const std::string needle = "\x9F\x88";
    const struct {
        const char* name;
        std::string hay;
        bool want;
    } cases[] = {
        {"only across characters", run, false},
        {"one whole at the end", run + needle, true},
        {"after a single-byte start", "a" + run + needle, true},
        {"shifted by a single byte", "a" + run, false},
    };
    for (const auto& c : cases) EXPECT_EQ(CFindIndex::Contains(c.hay, needle), c.want) << c.name;
}

namespace {

// ROOT
//   b-folder (1)            memo: "二行の\r\nメモ ふぉるだ"
//     Zeta (4)  URL http://Example.com/表示
//     alpha (3) URL http://a|b.test/
//   A-folder (2)
//     フォルダ (5)
//   orphan (6) under 99: never shown
struct FindFixture {
    COrdelinkDoc doc;
    FindFixture() {
        AddRecord(doc, 4, 1, "Zeta", 1, Ansi("http://Example.com/表示"));
        AddRecord(doc, 1, 0, "b-folder", 0, "", Ansi("二行の\r\nメモ ふぉるだ"));
        AddRecord(doc, 3, 1, "alpha", 1, "http://a|b.test/");
        AddRecord(doc, 2, 0, "A-folder");
        AddRecord(doc, 5, 2, Ansi("フォルダ"));
        AddRecord(doc, 6, 99, Ansi("ﾌｫﾙﾀﾞ orphan"));
    }
};

}  // namespace

TEST(TreeOrder, FoldersBeforeTheirContentsSiblingsByTitle) {
    FindFixture f;
    EXPECT_EQ(TreeOrderIDs(f.doc.m_PtrAry), (std::vector<int>{2, 5, 1, 3, 4}));

    // Damage: ID 0, a repeated ID, a record that is its own parent, a loop.
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "one");
    AddRecord(doc, 0, 0, "zero");
    AddRecord(doc, 1, 0, "one again");
    AddRecord(doc, 2, 2, "self");
    AddRecord(doc, 3, 4, "loop a");
    AddRecord(doc, 4, 3, "loop b");
    AddRecord(doc, 5, 1, "child");
    EXPECT_EQ(TreeOrderIDs(doc.m_PtrAry), (std::vector<int>{1, 5}));

    // The caller's own sibling order.
    auto byIdDescending = [](const CUrlItem& a, const CUrlItem& b) { return a.m_ID > b.m_ID; };
    EXPECT_EQ(TreeOrderIDs(f.doc.m_PtrAry, byIdDescending), (std::vector<int>{2, 5, 1, 4, 3}));
}

TEST(FindIndex, FindsTitleUrlAndMemoInTreeOrder) {
    FindFixture f;
    const std::vector<int> order = TreeOrderIDs(f.doc.m_PtrAry);
    CFindIndex index;
    struct {
        const char* query;
        std::vector<int> want;
    } cases[] = {
        {"ふぉるだ", {5, 1}},  // title 5, memo of 1; the orphan is not shown
        {"ﾌｫﾙﾀﾞ", {5, 1}},       {"フォルダ", {5, 1}}, {"FOLDER", {2, 1}}, {"example.COM", {4}},
        {"ｅｘａｍｐｌｅ", {4}}, {"\\", {}},                           // only the trail byte of 表
        {"表示", {4}},           {"|", {3}},           {"めも", {1}},  // second line of the memo
        {"\r\n", {1}},           {"http://", {3, 4}},  {"", {}},           {"nothing", {}},
        {"a-folder", {2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(index.Find(f.doc.m_PtrAry, order, Ansi(c.query)), c.want) << c.query;
}

TEST(FindIndex, FollowsEditsToTheTable) {
    FindFixture f;
    CFindIndex index;
    auto find = [&](const char* q) {
        return index.Find(f.doc.m_PtrAry, TreeOrderIDs(f.doc.m_PtrAry), Ansi(q));
    };
    EXPECT_EQ(find("zeta"), (std::vector<int>{4}));
    f.doc.m_PtrAry[0]->m_Title = "Omega";  // record 4 renamed
    EXPECT_EQ(find("zeta"), (std::vector<int>{}));
    EXPECT_EQ(find("omega"), (std::vector<int>{4}));
    f.doc.m_PtrAry[1]->m_Memo = "";
    EXPECT_EQ(find("ふぉるだ"), (std::vector<int>{5}));
    f.doc.DeleteItemsByID({1, 4, 3});
    AddRecord(f.doc, 1, 2, "zeta again");
    EXPECT_EQ(find("zeta"), (std::vector<int>{1}));
    EXPECT_EQ(find("a"), (std::vector<int>{2, 1}));
    f.doc.m_PtrAry[2]->m_ParentID = 0;  // the orphan comes into view
    EXPECT_EQ(find("orphan"), (std::vector<int>{6}));
    index.Clear();
    EXPECT_EQ(find("orphan"), (std::vector<int>{6}));
}

TEST(FindIndex, StepsThroughMatchesWithWrapAround) {
    const std::vector<int> order{10, 11, 12, 13, 14, 15};
    const std::vector<int> matches{11, 13, 15};
    struct {
        int nCurrent;
        bool bForward;
        int want;
    } cases[] = {
        {0, true, 0},  {0, false, 2},   // from the ROOT
        {11, true, 1}, {11, false, 2},  // a match: its neighbours, wrapping
        {15, true, 0}, {15, false, 1}, {12, true, 1}, {12, false, 0},  // between matches
        {14, true, 2}, {10, false, 2}, {99, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepMatch(matches, order, c.nCurrent, c.bForward), c.want)
            << c.nCurrent << (c.bForward ? " forward" : " back");
    EXPECT_EQ(StepMatch({}, order, 11, true), -1);
    EXPECT_EQ(MatchIndexOf(matches, 13), 1);
    EXPECT_EQ(MatchIndexOf(matches, 12), -1);
}
