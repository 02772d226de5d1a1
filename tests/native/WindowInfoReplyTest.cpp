// Cutting the browser's window-information reply and cleaning the title.
#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "browser/WindowInfoReply.h"
#include "tests/native/TestSupport.h"

TEST(WindowInfoReply, SplitAndReplace) {
    TextCodePages pages(932, 932);
    struct {
        const char *source, *first, *second;
    } splits[] = {
        {"a\",\"b", "a", "b"},
        {"a\",\"\",\"\",\"b\",\"c", "a", "b\",\"c"},  // leading separators go
        {"no separator here", "no separator here", ""},
        {"\",\"", "\",\"", ""},  // not longer than the separator
        {"x\",\"", "x", ""},
        {"", "", ""},
    };
    for (auto& c : splits) {
        CString first = "junk", second = "junk";
        SplitAt(c.source, first, second, "\",\"");
        EXPECT_EQ(first, c.first) << c.source;
        EXPECT_EQ(second, c.second) << c.source;
    }
    struct {
        const char *text, *find, *repl, *result;
        int count;
    } replaces[] = {
        {"a::b:", ":", "", "ab", 3},
        {"aaa", "a", "aa", "aaaaaa", 3},  // inserted text is not searched again
        {"x", "", "y", "x", 0},
        // 0x83 0x5C and 0x83 0x7C are single characters whose trail bytes
        // look like \ and |.
        {"\x83\x5C\\\x83\x7C|", "\\", "", "\x83\x5C\x83\x7C|", 1},
        {"\x83\x5C\\\x83\x7C|", "|", "-", "\x83\x5C\\\x83\x7C-", 1},
    };
    for (auto& c : replaces) {
        CString text = c.text;
        EXPECT_EQ(ReplaceAll(text, c.find, c.repl), c.count) << c.text;
        EXPECT_EQ(text, c.result) << c.text;
    }
}

TEST(WindowInfoReply, CutsAddressAndTitle) {
    TextCodePages pages(932, 932);
    struct {
        const char *reply, *url, *title;
    } cases[] = {
        {"\"http://a/\",\"Title\"", "http://a/", "Title"},
        {"\"http://a/\",\"T\",\"more, fields\"", "http://a/", "T,more, fields"},
        {"\"http://a/\"", "http://a/", ""},
        {"\"http://a/\",\"a/b|c: d?*\\\"<e>\"", "http://a/", "a-b-c de"},
        {"\"u\",\"\x83\x5C\x83\x7C\"", "u", "\x83\x5C\x83\x7C"},
        {"\"http://a/\r\nIconFile=x\t\",\"T\"", "http://a/IconFile=x", "T"},
        {"\"", "", ""},
        {"", "", ""},
    };
    for (auto& c : cases) {
        CString url, title;
        CutWindowInfoReply(c.reply, url, title);
        EXPECT_EQ(url, c.url) << c.reply;
        EXPECT_EQ(title, c.title) << c.reply;
    }
}
