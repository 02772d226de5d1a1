#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

// Restores the active code page after a test that changes it.
struct CodePageGuard {
    int saved = codepage::Active();
    ~CodePageGuard() { codepage::SetActive(saved); }
};

int NoCase(const std::string& a, const std::string& b) {
    int r = codepage::CompareNoCase(a.data(), a.size(), b.data(), b.size());
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

TEST(CodePage, LeadBytesOfTheActiveCodePage) {
    CodePageGuard guard;
    codepage::SetActive(932);
    for (int c : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(codepage::IsLeadByte(c)) << c;
    for (int c : {0x41, 0x80, 0xA0, 0xB1, 0xDF, 0xFD}) EXPECT_FALSE(codepage::IsLeadByte(c)) << c;
    codepage::SetActive(1252);
    EXPECT_FALSE(codepage::IsLeadByte(0x95));
}

TEST(CodePage, CaseInsensitiveComparisonIsCharacterWise) {
    CodePageGuard guard;
    codepage::SetActive(932);
    struct {
        std::string a, b;
        int want;
    } cases[] = {
        {"News", "nEWS", 0},
        {"\x83\x41", "\x83\x61", -1},  // ア vs ヂ: trail bytes are not letters here
        {"a\x83\x41", "A\x83\x41", 0},
        {"_", "a", -1},  // letters fold to lower case, so '_' sorts before them
        {"", "a", -1},
        {"ab", "a", 1},
        {"\xB1", "\x83\x41", 1},  // half-width katakana byte vs lead byte
    };
    for (auto& c : cases) EXPECT_EQ(NoCase(c.a, c.b), c.want) << c.a << " / " << c.b;
}

// The searches against a plain walk over the characters, on random text that
// mixes ASCII, lead bytes (also at the very end) and trail bytes that look
// like the searched characters.
TEST(CodePage, SearchesAgreeWithACharacterWalk) {
    CodePageGuard guard;
    const char alphabet[] = {'"',    '\\',   '<',    'D',    'T',    '>',    ' ',   'a',
                             '\x81', '\x95', '\x5C', '\xE0', '\x22', '\xC3', '\xA9'};
    const std::string needles[] = {"\"",    "\\",       "<DT><",   "\x95\x5C",
                                   "\x5C<", "\x81\x81", "\xC3\xA9"};
    std::mt19937 rng(3);
    for (int nCodePage : {932, 1252, 65001}) {
        codepage::SetActive(nCodePage);
        for (int round = 0; round < 3000; ++round) {
            std::string hay(rng() % 24, ' ');
            for (char& c : hay) c = alphabet[rng() % sizeof alphabet];
            // Character starts, by the walk the searches promise.
            std::vector<size_t> starts;
            for (size_t i = 0; i < hay.size(); i += codepage::CharLength(&hay[i], hay.size() - i))
                starts.push_back(i);
            for (const std::string& needle : needles) {
                long want = -1;
                for (size_t i : starts)
                    if (hay.compare(i, needle.size(), needle) == 0) {
                        want = static_cast<long>(i);
                        break;
                    }
                ASSERT_EQ(codepage::Find(hay.data(), hay.size(), needle.data(), needle.size()),
                          want)
                    << nCodePage << " " << hay << " / " << needle;
            }
            for (char ch : {'"', '\\', '\x81', '\xE0', '\xA9'}) {
                long want = -1;
                for (size_t i : starts)
                    if (hay[i] == ch && codepage::CharLength(&hay[i], hay.size() - i) == 1)
                        want = static_cast<long>(i);
                ASSERT_EQ(codepage::ReverseFind(hay.data(), hay.size(), ch), want)
                    << nCodePage << " " << hay << " / " << ch;
            }
        }
    }
}

TEST(CodePage, Utf8SequencesAreOneCharacter) {
    CodePageGuard guard;
    codepage::SetActive(65001);
    struct {
        std::string text;
        size_t want;
    } cases[] = {
        {"a\xC3\xA9", 1},
        {"\xC3\xA9", 2},          // é
        {"\xED\x95\x9C", 3},      // 한
        {"\xF0\x9F\x98\x80", 4},  // an emoji outside the BMP
        {"\xF0\x9F\x98", 1},      // cut at the end of the text
        {"\xE2\x80"
         "A",
         1},              // broken by an ASCII byte
        {"\xA9\xA9", 1},  // a stray continuation byte
        {"\xC0\x80", 1},  // never a lead byte
    };
    for (auto& c : cases)
        EXPECT_EQ(codepage::CharLength(c.text.data(), c.text.size()), c.want) << c.text;
    // No byte is a double-byte lead byte, and a trimmed blank never cuts a sequence.
    for (int b = 0; b < 256; ++b) EXPECT_FALSE(codepage::IsLeadByte(static_cast<unsigned char>(b)));
}

TEST(CodePage, SingleByteCodePageSearchesEveryByte) {
    CodePageGuard guard;
    codepage::SetActive(1252);
    const std::string hay = "\x95\x5C";
    EXPECT_EQ(codepage::Find(hay.data(), hay.size(), "\\", 1), 1);
    EXPECT_EQ(codepage::ReverseFind(hay.data(), hay.size(), '\\'), 1);
}

// Windows maps some characters to a best-fit look-alike instead (é to e).
#ifndef _WIN32
TEST(CodePage, UnconvertibleCharactersBecomeOneMarkEach) {
    struct {
        std::string utf8, want;
    } cases[] = {
        {"r\xC3\xA9seau", "r?seau"},  // é has no cp932 form
        {"a\xC3"
         "b",
         "a?b"},                       // a cut sequence loses no following byte
        {"\xE6\x97\xA5", "\x93\xFA"},  // 日
    };
    for (auto& c : cases) {
        std::string out;
        ASSERT_TRUE(platform::Utf8ToCodePage(c.utf8, 932, out));
        EXPECT_EQ(out, c.want) << c.utf8;
    }
}
#endif
