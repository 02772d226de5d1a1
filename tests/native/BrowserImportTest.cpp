// Browsers' own bookmark files: the reader of the Chromium family's
// "Bookmarks" JSON, the profiles found in the application data folders, and
// the import-browser verb.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "convert/BrowserBookmarkFile.h"
#include "convert/BrowserProfiles.h"
#include "convert/DiskDir.h"
#include "convert/ImportFolder.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

using Status = CBrowserBookmarkFile::Status;

class ActiveCodePage {
public:
    explicit ActiveCodePage(int n) : m_nSaved(codepage::Active()) { codepage::SetActive(n); }
    ~ActiveCodePage() { codepage::SetActive(m_nSaved); }

private:
    int m_nSaved;
};

// Laid out as a current desktop Chrome writes it: the checksum first, the
// roots with their ids, guids and dates, sync metadata, the version.
const char kChromeFile[] = R"json({
   "checksum": "3f1c2b9a0e7d4c5b8a6f1e2d3c4b5a69",
   "roots": {
      "bookmark_bar": {
         "children": [ {
            "date_added": "13345678901234567",
            "date_last_used": "0",
            "guid": "0bc5d13f-2cba-5d74-951f-3f233fe6c908",
            "id": "5",
            "meta_info": { "power_bookmark_meta": "" },
            "name": "日本語のページ",
            "type": "url",
            "url": "https://example.jp/search?q=a&lang=ja"
         }, {
            "children": [ {
               "children": [  ],
               "date_added": "13345678901234568",
               "date_last_used": "0",
               "date_modified": "0",
               "guid": "c1f2a3b4-0000-4000-8000-000000000001",
               "id": "7",
               "name": "빈 폴더",
               "type": "folder"
            }, {
               "date_added": "13345678901234569",
               "guid": "c1f2a3b4-0000-4000-8000-000000000002",
               "id": "8",
               "name": "🎉 Party \"time\"",
               "type": "url",
               "url": "https://example.com/a?b=1&c=2#x"
            } ],
            "date_added": "13345678901234570",
            "date_last_used": "0",
            "date_modified": "13345678901234571",
            "guid": "c1f2a3b4-0000-4000-8000-000000000003",
            "id": "6",
            "name": "한국어 폴더",
            "type": "folder"
         }, {
            "date_added": "13345678901234572",
            "guid": "c1f2a3b4-0000-4000-8000-000000000004",
            "id": "9",
            "name": "Bookmarklet",
            "type": "url",
            "url": "javascript:(function(){var s=document.title;alert(s+'\u0026'+\"x\")})()"
         } ],
         "date_added": "13345678900000000",
         "date_last_used": "0",
         "date_modified": "13345678901234572",
         "guid": "0bc5d13f-2cba-5d74-951f-3f233fe6c908",
         "id": "1",
         "name": "ブックマーク バー",
         "type": "folder"
      },
      "other": {
         "children": [ {
            "date_added": "13345678901234573",
            "guid": "c1f2a3b4-0000-4000-8000-000000000005",
            "id": "10",
            "name": "",
            "type": "url",
            "url": "https://example.org/"
         } ],
         "date_added": "13345678900000000",
         "date_modified": "0",
         "guid": "82b081ec-3dd3-529c-8475-ab6c344590dd",
         "id": "2",
         "name": "その他のブックマーク",
         "type": "folder"
      },
      "synced": {
         "children": [  ],
         "date_added": "13345678900000000",
         "date_modified": "0",
         "guid": "4cf2e351-0e85-532b-bb37-df045d8f8d0f",
         "id": "3",
         "name": "モバイルのブックマーク",
         "type": "folder"
      }
   },
   "sync_metadata": "CgIIAQ==",
   "version": 1
}
)json";

const char kChromeOutline[] =
    "+ ブックマーク バー\n"
    "  - 日本語のページ | https://example.jp/search?q=a&lang=ja\n"
    "  + 한국어 폴더\n"
    "    + 빈 폴더\n"
    "    - 🎉 Party \"time\" | https://example.com/a?b=1&c=2#x\n"
    "  - Bookmarklet | javascript:(function(){var s=document.title;alert(s+'&'+\"x\")})()\n"
    "+ その他のブックマーク\n"
    "  -  | https://example.org/\n";

// As Edge writes it: a byte-order mark, the roots in another order, members
// Chrome does not write, and a kind of node this reader does not know; and
// an address with a tab and a line break, which browsers drop.
const char kEdgeFile[] =
    "\xEF\xBB\xBF"
    R"({"checksum":"00","roots":{
  "synced":{"children":[{"id":"20","name":"Phone","type":"url","url":"https://m.example/\t\r\nIconFile=x",
    "show_icon":false,"source":"sync"}],"id":"3","name":"Mobile favorites","type":"folder"},
  "other":{"children":[],"id":"2","name":"Other favorites","type":"folder"},
  "bookmark_bar":{"children":[{"id":"21","name":"Bar","type":"url","url":"https://bar.example/",
    "source":"user_add"},{"id":"22","name":"Split view","type":"workspace"}],
    "id":"1","name":"Favorites bar","type":"folder"},
  "workspaces_v2":{"children":[],"id":"4","name":"Workspaces","type":"folder"}},
 "version":1})";

Status ParseText(const std::string& text, CBrowserBookmarkFile& file) {
    return file.Parse(text);
}

// The file imported under a folder of a fresh document: its outline.
std::string ImportedOutline(const CBrowserBookmarkFile& file,
                            RecordingObserver* pObserver = nullptr) {
    COrdelinkDoc doc;
    doc.OnNewDocument();
    const int nFolder = AddImportFolder(doc, "In");
    ImportBrowserBookmarks(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID, pObserver);
    if (pObserver) {
        ExpectReportsMatch(doc, *pObserver, nFolder + 1, doc.m_PtrAry[nFolder]->m_ID);
    }
    return Outline(doc, doc.m_PtrAry[nFolder]->m_ID);
}

struct CliResult {
    int code;
    std::string out, err;
};

CliResult Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

std::string MakeDirs(std::string strPath, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        strPath = diskdir::Join(strPath, name);
        diskdir::MakeDirectory(strPath);
    }
    return strPath;
}

}  // namespace

// Names and addresses come out exactly, in file order, with the roots in
// their fixed order and an empty root left out.
TEST(BrowserBookmarkFile, ChromeAndEdgeFilesAsTheyAreWritten) {
    ActiveCodePage utf8(65001);
    CBrowserBookmarkFile file;
    ASSERT_EQ(ParseText(kChromeFile, file), Status::Ok) << file.GetError();
    EXPECT_EQ(file.GetLinkCount(), 4);
    RecordingObserver observer;
    EXPECT_EQ(ImportedOutline(file, &observer), kChromeOutline);

    ASSERT_EQ(ParseText(kEdgeFile, file), Status::Ok) << file.GetError();
    EXPECT_EQ(file.GetLinkCount(), 2);
    EXPECT_EQ(ImportedOutline(file),
              "+ Favorites bar\n  - Bar | https://bar.example/\n"
              "+ Mobile favorites\n  - Phone | https://m.example/IconFile=x\n");
}

// In a legacy code page the text is converted, not taken as UTF-8 bytes.
TEST(BrowserBookmarkFile, TitlesTakeTheDocumentsCodePage) {
    ActiveCodePage cp932(932);
    CBrowserBookmarkFile file;
    ASSERT_EQ(ParseText(kChromeFile, file), Status::Ok);
    EXPECT_EQ(file.GetEntries()[0].strTitle.str(), Ansi("ブックマーク バー").str());
    EXPECT_EQ(file.GetEntries()[1].strTitle.str(), Ansi("日本語のページ").str());
}

// Whatever is wrong, nothing is handed out and the reason is given.
TEST(BrowserBookmarkFile, DamagedAndForeignFilesAreRefusedWhole) {
    const std::string good = R"({"roots":{"bookmark_bar":{"children":[)"
                             R"({"name":"a","type":"url","url":"http://a/"}],"type":"folder"}}})";
    struct {
        std::string text;
        Status status;
        const char* pszError;
    } cases[] = {
        {"", Status::Damaged, "damaged: not valid JSON at byte 1"},
        {good.substr(0, good.size() - 3), Status::Damaged, "damaged: not valid JSON"},
        {R"({"roots":{"other":{"children":[],}}})", Status::Damaged, "damaged: not valid JSON"},
        {"{\"roots\":{\"other\":{\"name\":\"\xFF\"}}}", Status::Damaged, "damaged: not valid JSON"},
        {R"({"roots":{"other":{"children":{}}}})", Status::Damaged,
         "damaged: the root \"other\" is not a folder"},
        {R"({"roots":{"other":5}})", Status::Damaged,
         "damaged: the root \"other\" is not a folder"},
        {R"({"roots":{"other":{"children":[7]}}})", Status::Damaged,
         "damaged: bookmark node 1 is not an object"},
        {R"({"roots":{"other":{"children":[{"type":"url","url":"http://a/"},{"type":"url"}]}}})",
         Status::Damaged, "damaged: bookmark node 2 is a link without an address"},
        {R"({"roots":{"other":{"children":[{"type":"url","name":3,"url":"x"}]}}})", Status::Damaged,
         "damaged: bookmark node 1 has a name that is not text"},
        {R"({"roots":{"other":{"children":[{"name":"x"}]}}})", Status::Damaged,
         "damaged: bookmark node 1 has no type"},
        {R"({"roots":{"other":{"children":[{"type":"folder","children":"x"}]}}})", Status::Damaged,
         "damaged: bookmark node 1 is a folder without a list"},
        {"[1,2,3]", Status::Foreign, "not a browser's bookmark file (no bookmark roots)"},
        {R"({"name":"package","version":"1.0.0","dependencies":{}})", Status::Foreign,
         "not a browser's bookmark file (no bookmark roots)"},
        {R"({"roots":{}})", Status::Foreign, "not a browser's bookmark file (no bookmark roots)"},
        {R"({"roots":[]})", Status::Foreign, "not a browser's bookmark file (no bookmark roots)"},
    };
    for (const auto& c : cases) {
        CBrowserBookmarkFile file;
        ASSERT_EQ(file.Parse(good), Status::Ok);
        EXPECT_EQ(file.Parse(c.text), c.status) << c.text;
        EXPECT_EQ(file.GetError().compare(0, strlen(c.pszError), c.pszError), 0)
            << c.text << " -> " << file.GetError();
        EXPECT_TRUE(file.GetEntries().empty()) << c.text;
        EXPECT_EQ(file.GetLinkCount(), 0);
    }
    CBrowserBookmarkFile missing;
    EXPECT_EQ(missing.Load("/nonexistent/Bookmarks"), Status::Unreadable);
}

// A new profile's file: three empty roots, nothing to import but no error.
// A file nested far deeper than a thread's stack could follow is read too.
TEST(BrowserBookmarkFile, EmptyProfileAndDeepNesting) {
    CBrowserBookmarkFile file;
    EXPECT_EQ(file.Parse(R"({"roots":{"bookmark_bar":{"children":[],"name":"B","type":"folder"},
        "other":{"children":[],"name":"O","type":"folder"},
        "synced":{"children":[],"name":"M","type":"folder"}},"version":1})"),
              Status::Ok);
    EXPECT_TRUE(file.GetEntries().empty());

    const int kDepth = 100000;
    std::string deep = R"({"roots":{"other":{"children":[)";
    for (int i = 0; i < kDepth; ++i) deep += R"({"type":"folder","name":"f","children":[)";
    deep += R"({"type":"url","name":"end","url":"http://end/"})";
    for (int i = 0; i < kDepth; ++i) deep += "]}";
    deep += "]}}}";
    ASSERT_EQ(file.Parse(deep), Status::Ok) << file.GetError();
    ASSERT_EQ(file.GetEntries().size(), static_cast<size_t>(kDepth + 2));
    EXPECT_EQ(file.GetEntries().back().nParent, kDepth);
    EXPECT_EQ(file.GetEntries().back().strURL.str(), "http://end/");
}

// The folder an import goes into is named by the browser whose user-data
// folder holds the file, else by the file.
TEST(BrowserBookmarkFile, BrowserNameOfFile) {
    struct {
        const char* pszPath;
        const char* pszName;
    } cases[] = {
        {"C:\\Users\\u\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Bookmarks",
         "Google Chrome"},
        {"c:/users/u/appdata/local/microsoft/edge/user data/Profile 1/Bookmarks", "Microsoft Edge"},
        {"/home/u/BraveSoftware/Brave-Browser/User Data/Default/Bookmarks", "Brave"},
        {"C:\\AppData\\Roaming\\Opera Software\\Opera Stable\\Bookmarks", "Opera"},
        {"C:\\AppData\\Roaming\\Opera Software\\Opera GX Stable\\Bookmarks", "Opera GX"},
        {"/tmp/Google/Chrome/Bookmarks", "Bookmarks"},
        {"/tmp/export/bookmarks_1_2_24.html", "bookmarks_1_2_24.html"},
    };
    for (const auto& c : cases) EXPECT_EQ(BrowserNameOfFile(c.pszPath).str(), c.pszName);
}

// Profiles with a bookmarks file, named from "Local State", counted, in the
// browsers' order; Firefox's only listed.
TEST(BrowserProfiles, FoundInTheApplicationDataFolders) {
    ActiveCodePage utf8(65001);
    ScratchDir dir;
    const std::string local = MakeDirs(dir.Path(), {"Local"});
    const std::string roaming = MakeDirs(dir.Path(), {"Roaming"});
    const std::string chrome = MakeDirs(local, {"Google", "Chrome", "User Data"});
    for (const char* name : {"Profile 10", "Default", "Profile 2", "System Profile", "Broken"})
        MakeDirs(chrome, {name});
    WriteBytes(diskdir::Join(diskdir::Join(chrome, "Default"), "Bookmarks"), kChromeFile);
    WriteBytes(diskdir::Join(diskdir::Join(chrome, "Profile 2"), "Bookmarks"), kEdgeFile);
    WriteBytes(diskdir::Join(diskdir::Join(chrome, "Profile 10"), "Bookmarks"), "{\"roots\":{}}");
    WriteBytes(diskdir::Join(diskdir::Join(chrome, "Broken"), "Bookmarks"), "{\"roots\":");
    WriteBytes(diskdir::Join(chrome, "Local State"),
               R"({"profile":{"info_cache":{"Default":{"name":"仕事"},"Profile 2":{"name":"Home"},
                   "Profile 10":{"name":""}}}})");
    const std::string edge = MakeDirs(local, {"Microsoft", "Edge", "User Data", "Default"});
    WriteBytes(diskdir::Join(edge, "Bookmarks"), kEdgeFile);
    const std::string opera = MakeDirs(roaming, {"Opera Software", "Opera Stable"});
    WriteBytes(diskdir::Join(opera, "Bookmarks"), kChromeFile);
    const std::string firefox = MakeDirs(roaming, {"Mozilla", "Firefox"});
    WriteBytes(diskdir::Join(firefox, "profiles.ini"),
               "[Install4F96D1932A9F858E]\r\nDefault=Profiles/abc.default-release\r\n\r\n"
               "[Profile1]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/xyz.default\r\n\r\n"
               "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\n"
               "Path=Profiles/abc.default-release\r\nDefault=1\r\n\r\n"
               "[General]\r\nStartWithLastProfile=1\r\nVersion=2\r\n");

    struct Row {
        std::string browser, profile;
        int nLinks;
        bool bDatabase;
        bool operator==(const Row& o) const {
            return browser == o.browser && profile == o.profile && nLinks == o.nLinks &&
                   bDatabase == o.bDatabase;
        }
    };
    std::vector<Row> rows;
    for (const BrowserProfile& p : FindBrowserProfiles(local, roaming))
        rows.push_back({p.strBrowser.str(), p.strProfile.str(), p.nLinks, p.bDatabase});
    const std::vector<Row> expected = {
        {"Google Chrome", "仕事", 4, false},     {"Google Chrome", "Broken", -1, false},
        {"Google Chrome", "Home", 2, false},     {"Google Chrome", "Profile 10", -1, false},
        {"Microsoft Edge", "Default", 2, false}, {"Opera", "", 4, false},
        {"Firefox", "default", -1, true},        {"Firefox", "default-release", -1, true},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i] == expected[i])
            << i << ": " << rows[i].browser << " / " << rows[i].profile << " / " << rows[i].nLinks;
    EXPECT_EQ(FindBrowserProfiles(diskdir::Join(local, "x"), "").size(), 0u);
}

// The verb: a browser's file, a bookmark HTML file, and files refused with
// the document left as it was.
TEST(BrowserImportCli, ImportBrowser) {
    ScratchDir dir;
    const std::string doc = dir.File("d.pmk");
    const std::string profile = MakeDirs(dir.Path(), {"Google", "Chrome", "User Data", "Default"});
    const std::string bookmarks = diskdir::Join(profile, "Bookmarks");
    WriteBytes(bookmarks, kEdgeFile);
    CliResult r = Cli({"import-browser", doc, bookmarks, "--now", "2024-01-02 03:04:05"});
    EXPECT_EQ(r.code, kCliOk) << r.err;
    EXPECT_EQ(r.out, "added \"Google Chrome (24年01月02日 03時04分05秒)\" (ID 1) with 4 records\n");
    r = Cli({"dump", doc});
    EXPECT_EQ(r.out,
              "0\t1\t0\tfolder\tGoogle Chrome (24年01月02日 03時04分05秒)\t\t\n"
              "1\t2\t1\tfolder\tFavorites bar\t\t\n"
              "2\t3\t2\turl\tBar\thttps://bar.example/\t\n"
              "3\t4\t1\tfolder\tMobile favorites\t\t\n"
              "4\t5\t4\turl\tPhone\thttps://m.example/IconFile=x\t\n");

    const std::string html = dir.File("export 100%.html");
    WriteBytes(html,
               "\n<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
               "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n</DL><p>\n");
    r = Cli({"import-browser", doc, html, "--now", "2024-01-02 03:04:06"});
    EXPECT_EQ(r.code, kCliOk) << r.err;
    EXPECT_EQ(r.out,
              "added \"export 100%.html (24年01月02日 03時04分06秒)\" (ID 6) with 1 records\n");

    const std::string before = ReadBytes(doc);
    struct {
        const char* pszName;
        std::string bytes;
        const char* pszError;
    } refused[] = {
        {"damaged.json", "{\"roots\":{\"other\":{\"children\":[", "damaged: not valid JSON"},
        {"package.json", "{\"name\":\"x\"}", "not a browser's bookmark file"},
        {"notes.txt", "just some text", "neither a browser's bookmark file nor"},
    };
    for (const auto& c : refused) {
        WriteBytes(dir.File(c.pszName), c.bytes);
        r = Cli({"import-browser", doc, dir.File(c.pszName)});
        EXPECT_EQ(r.code, kCliUnreadable) << c.pszName;
        EXPECT_NE(r.err.find(c.pszError), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    r = Cli({"import-browser", doc, dir.File("missing")});
    EXPECT_EQ(r.code, kCliUnreadable);
    EXPECT_EQ(ReadBytes(doc), before);
    EXPECT_EQ(Cli({"import-browser", dir.File("new.pmk"), dir.File("package.json")}).code,
              kCliUnreadable);
    EXPECT_FALSE(platform::FileExists(dir.File("new.pmk")));
    EXPECT_EQ(Cli({"import-browser", doc}).code, kCliUsage);
}
