// The conversion verbs of ordelink-cli end to end: documents created and
// saved, time stamps from --now, messages and exit codes.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "convert/DiskDir.h"
#include "fw/base/Platform.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

struct CliResult {
    int code;
    std::string out, err;
};

CliResult Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

const char kNow[] = "2024-01-02 03:04:05";

const std::string kBookmarks =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n"
    "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
    "    <DT><H3 ADD_DATE=\"1\">F</H3>\n    <DL><p>\n"
    "        <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n    </DL><p>\n"
    "</DL><p>\n";

}  // namespace

TEST(ConvertCli, ImportBookmarks) {
    ScratchDir dir;
    const std::string doc = dir.File("d.pmk"), htm = dir.File("bookmark.htm");
    WriteBytes(htm, kBookmarks);
    CliResult r = Cli({"import-bookmarks", doc, htm, "--now", kNow});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "added \"Bookmark (24年01月02日 03時04分05秒)\" (ID 1) with 3 records\n");
    r = Cli({"import-bookmarks", doc, htm, "--now", kNow});
    EXPECT_EQ(r.out, "added \"Bookmark (24年01月02日 03時04分05秒)\" (ID 5) with 3 records\n");
    r = Cli({"dump", doc});
    EXPECT_EQ(r.out.substr(0, r.out.find("4\t5\t")),
              "0\t1\t0\tfolder\tBookmark (24年01月02日 03時04分05秒)\t\t\n"
              "1\t2\t1\turl\tA\thttp://a/\t\n"
              "2\t3\t1\tfolder\tF\t\t\n"
              "3\t4\t3\turl\tB\thttp://b/\t\n");

    // Unreadable input: nothing is done, not even a new document.
    const std::string none = dir.File("none.pmk");
    r = Cli({"import-bookmarks", none, dir.File("missing.htm")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "file Open Error\nコンバート ( Bookmark -> File ) に失敗しました。\n");
    EXPECT_FALSE(platform::FileExists(none));

    // Nested deeper than the records keep: everything is saved, the
    // failure reported.
    std::string deep = "<DL>\n";
    for (int i = 0; i < 1010; ++i) deep += "<DT><H3 ADD_DATE=\"1\">F</H3>\n<DL>\n";
    WriteBytes(htm, deep);
    r = Cli({"import-bookmarks", none, htm, "--now", kNow});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "added \"Bookmark (24年01月02日 03時04分05秒)\" (ID 1) with 1010 records\n");
    EXPECT_EQ(r.err, "コンバート ( Bookmark -> File ) に失敗しました。\n");

    EXPECT_EQ(Cli({"import-bookmarks", doc, htm, "--now", "yesterday"}).code, kCliUsage);
    WriteBytes(dir.File("cut.pmk"), std::string("\x01\x00\x00\x00\x05", 5));
    EXPECT_EQ(Cli({"import-bookmarks", dir.File("cut.pmk"), htm}).code, 2);
}

TEST(ConvertCli, FavoritesBothWays) {
    ScratchDir dir;
    const std::string doc = dir.File("d.pmk"), fav = dir.File("fav");
    diskdir::MakeDirectory(fav);
    diskdir::MakeDirectory(diskdir::Join(fav, "Sub"));
    WriteBytes(diskdir::Join(fav, "a.url"), "[InternetShortcut]\r\nURL=http://a/\r\n");
    WriteBytes(diskdir::Join(diskdir::Join(fav, "Sub"), "b.url"), "URL=http://b/\n");

    CliResult r = Cli({"import-favorites", doc, fav, "--now", kNow});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "added \"お気に入り (24年01月02日 03時04分05秒)\" (ID 1) with 3 records\n");
    r = Cli({"import-favorites", doc, dir.File("missing")});
    EXPECT_EQ(r.code, 2);

    const std::string out = dir.File("out");
    diskdir::MakeDirectory(out);
    r = Cli({"export-favorites", doc, out, "--now", "2024-02-03 04:05:06"});
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string dated =
        diskdir::Join(diskdir::Join(diskdir::Join(out, "Convert"),
                                    diskdir::NameToDisk(Ansi("24年02月03日 04時05分06秒"))),
                      diskdir::NameToDisk(Ansi("お気に入り (24年01月02日 03時04分05秒)")));
    EXPECT_EQ(ReadBytes(diskdir::Join(dated, "a.URL")), "[InternetShortcut]\r\nURL=http://a/\r\n");
    EXPECT_EQ(ReadBytes(diskdir::Join(diskdir::Join(dated, "Sub"), "b.URL")),
              "[InternetShortcut]\r\nURL=http://b/\r\n");
    // The same second again: the date directory exists, nothing is written.
    r = Cli({"export-favorites", doc, out, "--now", "2024-02-03 04:05:06"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "コンバート ( File -> お気に入り ) に失敗しました。\n");

    // A title that cannot be a name: the rest is written, the failure said.
    const std::string bad = dir.File("bad.htm");
    WriteBytes(bad, "<DL><p>\n    <DT><A HREF=\"http://x/\" ADD_DATE=\"1\">a/b</A>\n</DL><p>\n");
    Cli({"import-bookmarks", doc, bad});
    r = Cli({"export-favorites", doc, out, "--now", kNow});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "コンバート ( File -> お気に入り ) に失敗しました。\n");

    const std::string empty = dir.File("empty.pmk");
    WriteBytes(empty, std::string(4, '\0'));
    EXPECT_EQ(Cli({"export-favorites", empty, out}).code, 2);
}

TEST(ConvertCli, LinkPageAndAnchor) {
    ScratchDir dir;
    const std::string doc = dir.File("Links.pmk"), htm = dir.File("b.htm");
    WriteBytes(htm, kBookmarks);
    Cli({"import-bookmarks", doc, htm, "--now", kNow});

    const std::string page = dir.File("Links.HTML");
    CliResult r = Cli({"linkpage", doc, page, "--now", kNow});
    EXPECT_EQ(r.code, 0) << r.err;
    std::string text = LegacyToUtf8(ReadBytes(page));
    EXPECT_NE(text.find("<HEAD><TITLE>Links.pmk</TITLE></HEAD>\r\n"), std::string::npos);
    EXPECT_NE(text.find("作成：2024.01.02 03:04</FONT>"), std::string::npos);
    EXPECT_NE(text.find("・<A HREF=\"http://a/\">A</A><BR>\r\n"), std::string::npos);
    r = Cli({"linkpage", doc, page, "--new-window"});
    text = LegacyToUtf8(ReadBytes(page));
    EXPECT_NE(text.find("・<A HREF=\"http://a/\" TARGET=\"_BLANK\">A</A><BR>\r\n"),
              std::string::npos);
    r = Cli({"linkpage", doc, dir.File("no/such.HTML")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "File could not be opened \n");

    r = Cli({"anchor", doc, "2"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "<A HREF=\"http://a/\">A</A>\n");
    EXPECT_EQ(Cli({"anchor", doc, "3"}).code, 2);  // a folder
    EXPECT_EQ(Cli({"anchor", doc, "99"}).code, 2);
    EXPECT_EQ(Cli({"anchor", doc, "x2"}).code, kCliUsage);
}
