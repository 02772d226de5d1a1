// The link page: the exact bytes for a small document, the level rules, the
// placeholder rules, and documents whose parent links loop.
#include <gtest/gtest.h>

#include "convert/LinkPage.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

const std::string kRule = "<!" + std::string(56, '-') + ">\r\n";
const std::string kSeparator = "<!-区切り" + std::string(49, '-') + "><BR>\r\n";
const std::string kTail = kRule + kSeparator + "--- END ---\r\n" +
                          "</FONT>\r\n</BODY>\r\n</HTML>\r\n" + "<!" + std::string(19, '-') +
                          " 【 END OF FILE 】" + std::string(19, '-') + ">\r\n";

std::string Page(COrdelinkDoc& doc, bool bPlainLinks = true) {
    ScratchDir dir;
    LinkPageOptions options;
    options.strDocTitle = "Links.pmk";
    options.created = CTime(1998, 4, 16, 9, 5, 7);
    options.bPlainLinks = bPlainLinks;
    EXPECT_EQ(WriteLinkPage(doc, dir.File("Links.HTML").c_str(), options), LinkPageResult::Done);
    return LegacyToUtf8(ReadBytes(dir.File("Links.HTML")));
}

// The part between the head and the tail, in UTF-8.
std::string Body(COrdelinkDoc& doc, bool bPlainLinks = true) {
    const std::string page = Page(doc, bPlainLinks);
    const std::string created = "09:05</FONT><BR>\r\n" + kRule;
    const size_t nStart = page.find(created);
    const size_t nTail = page.rfind(kTail);
    if (nStart == std::string::npos || nTail == std::string::npos) return "(no head or tail)";
    return page.substr(nStart + created.size(), nTail - nStart - created.size());
}

std::string Heading(const std::string& text) {
    return kSeparator + "<FONT SIZE=3>" + text + "</FONT><BR>\r\n";
}

std::string Link(const std::string& url, const std::string& title) {
    return "・<A HREF=\"" + url + "\">" + title + "</A><BR>\r\n";
}

}  // namespace

TEST(LinkPage, ThePageOfASmallDocument) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "A", 1, "http://a/");
    AddRecord(doc, 2, 0, "F", 0);
    AddRecord(doc, 3, 2, "B", 1, "http://b/");
    const std::string page = Page(doc);
    const std::string head = kRule + "<!------ Ordelink Version 0.00";
    ASSERT_EQ(page.compare(0, head.size(), head), 0) << page;
    const std::string versionEnd = " ------>\r\n";
    const size_t nVersionEnd = page.find(versionEnd) + versionEnd.size();
    EXPECT_EQ(page.find('\n'), kRule.size() - 1);
    EXPECT_EQ(page.find('\n', kRule.size()), nVersionEnd - 1) << "one version line";
    EXPECT_EQ(page.substr(nVersionEnd),
              kRule +
                  "<HTML>\r\n<HEAD><TITLE>Links.pmk</TITLE></HEAD>\r\n"
                  "<BODY BGCOLOR=\"#000000\" TEXT=\"#FFFFFF\" LINK=\"#FFFF00\" VLINK=\"#A0A000\" "
                  "ALINK=\"#FF0000\">\r\n"
                  "<FONT SIZE=2>\r\n<FONT COLOR=\"#FF0000\" SIZE=5><B>LINK</B></FONT>\r\n"
                  "<FONT COLOR=\"#00F0FF\" SIZE=3><B>Links.pmk</B></FONT>\r\n"
                  "<FONT COLOR=\"#00F0FF\">作成：1998.04.16 09:05</FONT><BR>\r\n" +
                  kRule + Heading("【ROOT】") + Link("http://a/", "A") + Heading("【ROOT】-【F】") +
                  Link("http://b/", "B") + kTail);
}

TEST(LinkPage, Levels) {
    struct Record {
        int id, parent;
        bool url;
        const char* title;
        const char* address;
    };
    struct {
        const char* name;
        std::vector<Record> records;
        bool plain;
        std::string body;
    } cases[] = {
        {"one link",
         {{1, 0, true, "T", "http://u/"}},
         true,
         Heading("【ROOT】") + Link("http://u/", "T")},
        {"new window",
         {{1, 0, true, "T", "http://u/"}},
         false,
         Heading("【ROOT】") + "・<A HREF=\"http://u/\" TARGET=\"_BLANK\">T</A><BR>\r\n"},
        {"only folders", {{1, 0, false, "F", ""}, {2, 1, false, "G", ""}}, true, ""},
        {"a folder of folders has no heading",
         {{1, 0, false, "F", ""}, {2, 1, false, "G", ""}, {3, 2, true, "x", "http://x/"}},
         true,
         Heading("【ROOT】-【F】-【G】") + Link("http://x/", "x")},
        {"table order, not title order",
         {{1, 0, true, "b", "http://b/"}, {2, 0, true, "a", "http://a/"}},
         true,
         Heading("【ROOT】") + Link("http://b/", "b") + Link("http://a/", "a")},
        {"empty title",
         {{1, 0, true, "", "http://u/"}},
         true,
         Heading("【ROOT】") + Link("http://u/", "?")},
        {"empty address", {{1, 0, true, "T", ""}}, true, Heading("【ROOT】") + Link("", "T")},
        {"percent signs are not placeholders",
         {{1, 0, true, "T%1", "http://x/a%20b%2Fc"}},
         true,
         Heading("【ROOT】") + Link("http://x/a%20b%2Fc", "T%1")},
        {"nothing is escaped",
         {{1, 0, true, "<b> & \"q\"", "http://x/?a&b"}},
         true,
         Heading("【ROOT】") + Link("http://x/?a&b", "<b> & \"q\"")},
        {"a loop of parents reachable from the ROOT",
         {{2, 0, false, "F", ""},
          {3, 2, false, "G", ""},
          {2, 3, false, "H", ""},
          {4, 3, true, "x", "http://x/"}},
         true,
         Heading("【ROOT】-【F】-【G】") + Link("http://x/", "x")},
        {"a folder with ID 0",
         {{0, 0, false, "Z", ""}, {1, 0, true, "T", "http://u/"}},
         true,
         Heading("【ROOT】") + Link("http://u/", "T")},
    };
    for (auto& c : cases) {
        COrdelinkDoc doc;
        for (const Record& r : c.records)
            AddRecord(doc, r.id, r.parent, Ansi(r.title), r.url ? 1 : 0, Ansi(r.address));
        EXPECT_EQ(Body(doc, c.plain), c.body) << c.name;
    }
}

TEST(LinkPage, EntriesAndNames) {
    struct {
        const char *entry, *a1, *a2, *result;
    } entries[] = {
        {"a%1b%2c", "X", "Y", "aXbYc"},  {"a%1b%2c", "X", "", "aXb?c"},
        {"a%1b%2c", "", "Y", "a%1b%2c"}, {"%1%3%0", "X", "Y", "X??"},
        {"%1|%2", "%2", "%1", "%2|%1"},  {"100% %x %", "X", "", "100% %x %"},
    };
    for (auto& c : entries)
        EXPECT_EQ(FormatHtmlEntry(c.entry, c.a1, c.a2), c.result) << c.entry << " " << c.a1;

    EXPECT_EQ(LinkPageBaseName("Links.pmk"), "Links");
    EXPECT_EQ(LinkPageBaseName(Ansi("無題")), Ansi("無題"));
    EXPECT_EQ(LinkPageBaseName(Ansi("本.pmk")), Ansi("本"));

    COrdelinkDoc doc;
    MessageRecorder recorder;
    ScratchDir dir;
    EXPECT_EQ(WriteLinkPage(doc, dir.File("no/such/dir.HTML").c_str(), LinkPageOptions()),
              LinkPageResult::OpenFailed);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "File could not be opened ");
}
