// The bookmark file reader: line cutting, the level rules, the record order
// and IDs, the single-pass walk against the plain level reader, and the
// runaway guard.
#include <gtest/gtest.h>

#include <random>

#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "tests/native/BookmarkReference.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

// Imports text under a new import folder of an empty document; returns the
// importer's result.
int ImportText(COrdelinkDoc& doc, const std::string& text, CImportObserver* pObserver = nullptr) {
    CBookmarkFile file;
    file.SetText(text);
    const int nFolder = AddImportFolder(doc, "Bookmark");
    return ImportBookmarkLevel(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID, 1, pObserver);
}

std::string Crlf(std::string s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Both importers on the same text must create the same records.
void ExpectSameAsReference(const std::string& text) {
    CBookmarkFile file;
    file.SetText(text);
    COrdelinkDoc fast, plain;
    const int nFast = ImportBookmarkLevel(fast, file, nullptr, 0, 1);
    int64_t nBudget = BookmarkRecordLimit(file);
    const int nPlain = ReferenceImport(plain, file, 0, 1, nBudget);
    EXPECT_EQ(nFast, nPlain) << text;
    EXPECT_EQ(RecordLines(fast), RecordLines(plain)) << text;
}

}  // namespace

TEST(BookmarkImport, CuttingLines) {
    struct {
        const char* line;
        const char* title;
        const char* url;
    } links[] = {
        {"    <DT><A HREF=\"http://a.example/\" ADD_DATE=\"1\" LAST_VISIT=\"2\">Alpha</A>", "Alpha",
         "http://a.example/"},
        // No ADD_DATE: the address comes out empty.
        {"<DT><A HREF=\"http://x.example/\">X</A>", "X", ""},
        // A quote in the title: cut after that quote.
        {"<DT><A HREF=\"u\" ADD_DATE=\"1\">Say \"hi\" now</A>", "now", "u"},
        // Character references stay as they are.
        {"<DT><A HREF=\"http://x/?a=1&amp;b=2\" ADD_DATE=\"1\">Tom &amp; Jerry</A>",
         "Tom &amp; Jerry", "http://x/?a=1&amp;b=2"},
        {"<DT><A HREF=\"http://e/\" ADD_DATE=\"1\"></A>", "", "http://e/"},
    };
    for (auto& c : links) {
        CString url;
        EXPECT_EQ(ParseBookmarkLink(c.line, url), c.title) << c.line;
        EXPECT_EQ(url, c.url) << c.line;
    }
    EXPECT_EQ(ParseBookmarkFolderTitle("    <DT><H3 FOLDED ADD_DATE=\"1\">News</H3>"), "News");
    EXPECT_EQ(ParseBookmarkFolderTitle("<DT><H3 ADD_DATE=\"1\"></H3>"), "");
    // Without an attribute there is no quote before '>': the cut starts early.
    EXPECT_EQ(ParseBookmarkFolderTitle("<DT><H3>Plain</H3>"), "DT><H3>Plain");

    struct {
        const char* line;
        int level;
    } levels[] = {{"", 0},          {"   x", 0},      {"    x", 1},          {"       x", 1},
                  {"        x", 2}, {"\t\t\t\tx", 1}, {" \t \r\v\f\t x", 2}, {"        ", 2}};
    for (auto& c : levels) EXPECT_EQ(IndentLevel(c.line), c.level) << '"' << c.line << '"';
}

TEST(BookmarkImport, LevelRules) {
    const char* kHead = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n";
    struct {
        const char* name;
        std::string body;
        const char* outline;
    } cases[] = {
        {"usual layout",
         "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "    <DT><H3 ADD_DATE=\"1\">F</H3>\n"
         "    <DL><p>\n"
         "        <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n"
         "    </DL><p>\n"
         "</DL><p>\n",
         "- A | http://a/\n+ F\n  - B | http://b/\n"},
        {"seven blanks are taken, nine are nested",
         "       <DT><A HREF=\"http://7/\" ADD_DATE=\"1\">Seven</A>\n"
         "         <DT><A HREF=\"http://9/\" ADD_DATE=\"1\">Nine</A>\n"
         "</DL><p>\n",
         "- Seven | http://7/\n"},
        {"tabs count for the level but not for the nested test",
         "\t\t\t\t<DT><H3 ADD_DATE=\"1\">F</H3>\n"
         "\t\t\t\t<DL><p>\n"
         "\t\t\t\t\t\t\t\t<DT><A HREF=\"http://in/\" ADD_DATE=\"1\">In</A>\n"
         "    </DL><p>\n"
         "\t\t\t\t<DT><A HREF=\"http://out/\" ADD_DATE=\"1\">Out</A>\n"
         "</DL><p>\n",
         "- In | http://in/\n- Out | http://out/\n+ F\n  - In | http://in/\n"},
        {"the end line compares rounded levels",
         "    <DT><H3 ADD_DATE=\"1\">F</H3>\n"
         "    <DL><p>\n"
         "        <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "     </DL><p>\n"
         "    <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n"
         "</DL><p>\n",
         "- B | http://b/\n+ F\n  - A | http://a/\n"},
        {"a folder without its end line takes every later line",
         "    <DT><H3 ADD_DATE=\"1\">F</H3>\n"
         "    <DL><p>\n"
         "        <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "    <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n"
         "        <DT><A HREF=\"http://c/\" ADD_DATE=\"1\">C</A>\n"
         "</DL><p>\n",
         "- B | http://b/\n+ F\n  - A | http://a/\n  - B | http://b/\n  - C | http://c/\n"},
        {"separators, descriptions and lower case are ignored",
         "    <HR>\n"
         "    <DD>A description <DT> inside\n"
         "    <dt><a href=\"http://lower/\" add_date=\"1\">lower</a>\n"
         "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "    <DT><HR>\n"
         "</DL><p>\n",
         "- A | http://a/\n"},
        {"a line with both markers is a link and a folder",
         "    <DT><H3 ADD_DATE=\"1\">F</H3><DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "</DL><p>\n",
         "- A | \n+ F</H3><DT><A HREF=\"http://a/\" ADD_DATE=\"1\">\n"},
    };
    for (auto& c : cases) {
        for (bool bCrlf : {false, true}) {
            const std::string text = bCrlf ? Crlf(kHead + c.body) : kHead + c.body;
            COrdelinkDoc doc;
            EXPECT_EQ(ImportText(doc, text), 1) << c.name;
            EXPECT_EQ(Outline(doc, 1), c.outline) << c.name << (bCrlf ? " (CR LF)" : " (LF)");
            ExpectSameAsReference(text);
        }
    }
}

TEST(BookmarkImport, RecordOrderIdsAndReports) {
    // Links of a level first, then each folder followed by its contents;
    // every record takes the smallest free ID when it is filled.
    COrdelinkDoc doc;
    for (int id : {1, 2, 5}) AddRecord(doc, id, 0, "old", 0);
    const std::string text =
        "<H1>Bookmarks</H1>\n<DL><p>\n"
        "    <DT><H3 ADD_DATE=\"1\">F</H3>\n    <DL><p>\n"
        "        <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n    </DL><p>\n"
        "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
        "    <DT><H3 ADD_DATE=\"1\">G</H3>\n    <DL><p>\n    </DL><p>\n"
        "</DL><p>\n";
    CBookmarkFile file;
    file.SetText(text);
    const int nFolder = AddImportFolder(doc, "Bookmark");
    EXPECT_EQ(doc.m_PtrAry[nFolder]->m_ID, 3);
    RecordingObserver obs;
    EXPECT_EQ(ImportBookmarkLevel(doc, file, nullptr, 3, 1, &obs), 1);
    EXPECT_EQ(RecordLines(doc).substr(RecordLines(doc).find("3<0")),
              "3<0 F Bookmark|\n4<3 L A|http://a/\n6<3 F F|\n7<6 L B|http://b/\n8<3 F G|\n");
    ExpectReportsMatch(doc, obs, nFolder + 1, 3);
}

TEST(BookmarkImport, SinglePassAgreesWithTheLevelReader) {
    // Random files from the pieces that decide the levels: indentation of
    // blanks and tabs, entries, end lines, lines with both markers.
    const char* kPieces[] = {
        "<DT><A HREF=\"http://x/\" ADD_DATE=\"1\">L</A>",
        "<DT><H3 ADD_DATE=\"1\">F</H3>",
        "</DL><p>",
        "<DL><p>",
        "<HR>",
        "<DT><H3 ADD_DATE=\"1\">B</H3><DT><A HREF=\"http://b/\" ADD_DATE=\"1\">b</A>",
        "</DL><p><DT><A HREF=\"http://e/\" ADD_DATE=\"1\">e</A>",
        "\x81 <DT><A HREF=\"http://j/\" ADD_DATE=\"1\">j</A>",
    };
    std::mt19937 rng(20240101);
    for (int nFile = 0; nFile < 300; ++nFile) {
        std::string text = "<H1>B</H1>\n";
        const int nLines = 1 + rng() % 40;
        for (int i = 0; i < nLines; ++i) {
            const int nIndent = rng() % 14;
            for (int k = 0; k < nIndent; ++k) text += rng() % 5 ? ' ' : '\t';
            text += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
            text += rng() % 7 ? "\n" : "\r\n";
        }
        ExpectSameAsReference(text);
        if (HasFailure()) return;
    }
}

TEST(BookmarkImport, FoldersWithoutEndLinesStopAtTheRecordLimit) {
    // Each folder takes every later folder again: 2^40 records without the
    // guard. The import stops at 4 per entry line plus 1,000 and says so.
    std::string text = "<DL>\n";
    for (int i = 0; i < 40; ++i)
        text += "<DT><H3 ADD_DATE=\"1\">F" + std::to_string(i) + "</H3>\n<DL>\n";
    COrdelinkDoc doc;
    EXPECT_EQ(ImportText(doc, text), 0);
    EXPECT_EQ(doc.m_PtrAry.GetSize(), 1 + 4 * 40 + 1000);
    ExpectSameAsReference(text);
}

TEST(BookmarkImport, DeclaredUtf8IsTakenIntoTheCodePage) {
    const std::string link = "<DT><A HREF=\"http://j/\" ADD_DATE=\"1\">日本語</A>\n";
    struct {
        std::string head;
        bool converted;
    } cases[] = {
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n<DL><p>\n",
         true},
        {"\xEF\xBB\xBF<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n", true},
        {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n", false},
        // A declaration after the first list belongs to some entry.
        {"<DL><p>\n<DT><A HREF=\"http://c/\" ADD_DATE=\"1\">charset=utf-8</A>\n", false},
    };
    for (auto& c : cases) {
        COrdelinkDoc doc;
        ImportText(doc, c.head + link);
        const CUrlItem* p = doc.m_PtrAry[doc.m_PtrAry.GetUpperBound()];
        EXPECT_EQ(p->m_Title, c.converted ? Ansi("日本語") : CString("日本語")) << c.head;
    }
}
