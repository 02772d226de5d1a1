// The Favorites import and export on real directories: what is taken and
// skipped, the record order and IDs, the shortcut bytes, titles that must not
// become names, and export followed by import.
#include <gtest/gtest.h>

#include "convert/DiskDir.h"
#include "convert/FavoritesExport.h"
#include "convert/FavoritesImport.h"
#include "convert/ImportFolder.h"
#include "convert/UrlFile.h"
#include "fw/base/CodePage.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

// A path below dir from names in UTF-8, as the system spells them.
std::string DiskPath(const std::string& strDir, std::initializer_list<const char*> names) {
    std::string path = strDir;
    for (const char* name : names) path = diskdir::Join(path, diskdir::NameToDisk(Ansi(name)));
    return path;
}

void MakeDirs(const std::string& strDir, std::initializer_list<const char*> names) {
    std::string path = strDir;
    for (const char* name : names) {
        path = diskdir::Join(path, diskdir::NameToDisk(Ansi(name)));
        diskdir::MakeDirectory(path);
    }
}

int ImportInto(COrdelinkDoc& doc, const std::string& strDir, RecordingObserver* pObs = nullptr) {
    const int nFolder = AddImportFolder(doc, "F");
    return ImportFavoritesFolder(doc, strDir, nullptr, doc.m_PtrAry[nFolder]->m_ID, pObs);
}

// Names in a directory, in UTF-8, sorted.
std::vector<std::string> Names(const std::string& strDir) {
    std::vector<diskdir::Entry> entries;
    diskdir::List(strDir, entries);
    std::vector<std::string> names;
    for (auto& e : entries) names.push_back(ToUtf8(diskdir::NameFromDisk(e.strName)));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(FavoritesImport, TakesShortcutsAndDirectories) {
    ScratchDir dir;
    const std::string root = dir.Path();
    MakeDirs(root, {"News"});
    MakeDirs(root, {"News", "チャンネル", "deep"});
    MakeDirs(root, {"x.URL"});
    MakeDirs(root, {"ソフトウェアの更新"});
    MakeDirs(root, {"Empty"});
    MakeDirs(root, {"News", "Deeper", "ソフトウェアの更新"});
    WriteUrlFile(DiskPath(root, {"a.url"}), "http://a/");
    WriteUrlFile(DiskPath(root, {"My.Site.URL"}), "http://my/");
    WriteUrlFile(DiskPath(root, {"News", "b.Url"}), "http://b/");
    WriteUrlFile(DiskPath(root, {"News", "チャンネル", "c.url"}), "http://c/");
    WriteUrlFile(DiskPath(root, {"News", "Deeper", "表示.url"}), "http://d/");
    WriteUrlFile(DiskPath(root, {"ソフトウェアの更新", "e.url"}), "http://e/");
    WriteBytes(DiskPath(root, {"a.URL.txt"}), "URL=http://no/\r\n");
    WriteBytes(DiskPath(root, {"a.lnk"}), "URL=http://no/\r\n");
    WriteBytes(DiskPath(root, {"desktop.ini"}), "[.ShellClassInfo]\r\n");
    WriteBytes(DiskPath(root, {"broken.url"}), "[InternetShortcut]\r\n");
    // Tabs and lone carriage returns are no part of an address.
    WriteBytes(DiskPath(root, {"z.url"}), "[InternetShortcut]\r\nURL=http://z/\ta\rIconFile=i\r\n");

    COrdelinkDoc doc;
    RecordingObserver obs;
    EXPECT_EQ(ImportInto(doc, root, &obs), 1);
    EXPECT_EQ(Outline(doc, 1, true),
              "+ Empty\n"
              "+ News\n"
              "  + Deeper\n"
              "    - 表示 | http://d/\n"
              "  - b | http://b/\n"
              "+ x.URL\n"
              "- My.Site | http://my/\n"
              "- a | http://a/\n"
              "- broken | http://conversion-missed.invalid/\n"
              "- z | http://z/aIconFile=i\n");
    ExpectReportsMatch(doc, obs, 1, 1);
    ExpectImportOrder(doc, 1, 1);
}

TEST(FavoritesImport, IdsAndUnreadableDirectories) {
    ScratchDir dir;
    WriteUrlFile(DiskPath(dir.Path(), {"a.url"}), "http://a/");
    MakeDirs(dir.Path(), {"s"});
    COrdelinkDoc doc;
    for (int id : {1, 2, 5}) AddRecord(doc, id, 0, "old", 0);
    EXPECT_EQ(ImportInto(doc, dir.Path()), 1);
    const CItemTable& t = doc.m_PtrAry;
    ASSERT_EQ(t.GetSize(), 6);
    EXPECT_EQ(t[3]->m_ID, 3);  // the import folder
    EXPECT_EQ(t[4]->m_ID, 4);
    EXPECT_EQ(t[5]->m_ID, 6);

    COrdelinkDoc missing;
    EXPECT_EQ(ImportInto(missing, dir.File("none")), 0);
    EXPECT_EQ(missing.m_PtrAry.GetSize(), 1);  // the import folder stays, empty
}

TEST(FavoritesExport, WritesTheTreeAsShortcuts) {
    ScratchDir dir;
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "News", 1, "http://u/?q=\"x\"");
    AddRecord(doc, 2, 0, "Tech", 0);
    AddRecord(doc, 3, 2, "Blog", 1, "http://v/");
    AddRecord(doc, 4, 0, Ansi("空"), 0);
    AddRecord(doc, 5, 0, "NoURL", 1, "");
    const CTime time(2024, 4, 16, 9, 5, 7);
    std::string strDateDir;
    ASSERT_EQ(ExportFavorites(dir.Path(), CDocumentTree(doc), time, &strDateDir),
              ExportResult::Done);
    EXPECT_EQ(strDateDir, DiskPath(dir.Path(), {"Convert", "24年04月16日 09時05分07秒"}));
    EXPECT_EQ(Names(strDateDir), (std::vector<std::string>{"News.URL", "NoURL.URL", "Tech", "空"}));
    EXPECT_EQ(ReadBytes(DiskPath(strDateDir, {"News.URL"})),
              "[InternetShortcut]\r\nURL=http://u/?q=\"x\"\r\n");
    EXPECT_EQ(ReadBytes(DiskPath(strDateDir, {"Tech", "Blog.URL"})),
              "[InternetShortcut]\r\nURL=http://v/\r\n");
    EXPECT_EQ(ReadBytes(DiskPath(strDateDir, {"NoURL.URL"})), "[InternetShortcut]\r\nURL=\r\n");
    EXPECT_TRUE(Names(DiskPath(strDateDir, {"空"})).empty());

    // A second export in the same second finds its date directory taken.
    EXPECT_EQ(ExportFavorites(dir.Path(), CDocumentTree(doc), time), ExportResult::NotStarted);
    EXPECT_EQ(ExportFavorites(dir.File("none/deeper"), CDocumentTree(doc), time),
              ExportResult::NotStarted);

    // Exported and imported again: the same hierarchy.
    COrdelinkDoc back;
    EXPECT_EQ(ImportInto(back, strDateDir), 1);
    EXPECT_EQ(Outline(back, 1, true), Outline(doc, 0, true));
}

TEST(FavoritesExport, TitlesThatMustNotBecomeNames) {
    struct {
        const char* title;
        bool writable;
    } names[] = {
        {"News", true},       {"a.b", true},        {"ソ", true},  // trail byte 0x5C
        {"表|", false},       {"ポ", true},                        // trail byte 0x7C
        {"..\\..\\x", false}, {"../x", false},      {"a:b", false},       {"a*", false},
        {"?", false},         {"say \"x\"", false}, {"<b>", false},       {"a|b", false},
        {".", false},         {"..", false},        {"a.", false},        {"a ", false},
        {"", false},          {"CON", false},       {"con", false},       {"nul.txt", false},
        {"Aux .x", false},    {"COM1", false},      {"lpt9.URL", false},  {"COM0", true},
        {"COM10", true},      {"CONSOLE", true},    {"tab\there", false}, {"PRN2", true},
    };
    for (auto& c : names) EXPECT_EQ(IsWritableName(Ansi(c.title)), c.writable) << c.title;
    // Bytes as they stand in code page 932: after a lead byte, a byte below
    // 0x40 is no second byte but a character of its own.
    for (const char* pszTitle : {"a\x81/b", "\x81/..", "a\x81:b", "\x81*", "\x81\t"})
        EXPECT_FALSE(IsWritableName(pszTitle)) << pszTitle;
    // The superscript digits, where the code page has them, make ports too.
    const int nSaved = codepage::Active();
    const struct {
        int nCodePage;
        const char* title;
        bool writable;
    } ports[] = {
        {1252, "COM\xB9", false}, {1252, "lpt\xB3.url", false},  {1252, "COM\xB9x", true},
        {1252, "COM\xBC", true},  {65001, "LPT\xC2\xB2", false}, {932, "COM\xB9", true},
    };
    for (const auto& c : ports) {
        codepage::SetActive(c.nCodePage);
        EXPECT_EQ(IsWritableName(c.title), c.writable) << c.nCodePage << " " << c.title;
    }
    codepage::SetActive(nSaved);

    ScratchDir dir;
    MakeDirs(dir.Path(), {"Startup"});
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "..", 0);
    AddRecord(doc, 2, 1, "x", 1, "http://escaped/");
    AddRecord(doc, 3, 0, "..\\..\\Startup\\evil", 1, "http://evil/");
    AddRecord(doc, 4, 0, "../../Startup/evil", 1, "http://evil/");
    AddRecord(doc, 5, 0, "NUL", 1, "http://device/");
    AddRecord(doc, 6, 0, "ok", 1, "http://ok/");
    AddRecord(doc, 7, 0, "Sub", 0);
    AddRecord(doc, 8, 7, "CON", 1, "http://device/");
    AddRecord(doc, 9, 7, "fine", 1, "http://fine/");
    AddRecord(doc, 10, 7, "", 1, "http://untitled/");
    AddRecord(doc, 11, 0, "", 0);
    AddRecord(doc, 12, 11, "inside", 1, "http://inside/");
    std::string strDateDir;
    EXPECT_EQ(
        ExportFavorites(dir.Path(), CDocumentTree(doc), CTime(2024, 1, 1, 0, 0, 0), &strDateDir),
        ExportResult::Incomplete);
    EXPECT_EQ(Names(strDateDir), (std::vector<std::string>{"Sub", "ok.URL"}));
    EXPECT_EQ(Names(DiskPath(strDateDir, {"Sub"})), (std::vector<std::string>{".URL", "fine.URL"}));
    EXPECT_EQ(Names(DiskPath(dir.Path(), {"Startup"})), std::vector<std::string>{});
    EXPECT_EQ(Names(DiskPath(dir.Path(), {"Convert"})).size(), 1u);
}

TEST(FavoritesExport, OrderDuplicatesAndDamagedParents) {
    ScratchDir dir;
    COrdelinkDoc doc;
    // Two folders of one title share a directory; the export says it failed.
    AddRecord(doc, 1, 0, "Same", 0);
    AddRecord(doc, 2, 0, "Same", 0);
    AddRecord(doc, 3, 1, "a", 1, "http://a/");
    AddRecord(doc, 4, 2, "b", 1, "http://b/");
    // Two shortcuts of one title: the later one in the tree's order is kept.
    AddRecord(doc, 5, 0, "dup", 1, "http://first/");
    AddRecord(doc, 6, 0, "DUP2", 1, "http://x/");
    AddRecord(doc, 7, 0, "dup", 1, "http://second/");
    // A folder whose ID is 0 and a folder under itself are not walked forever.
    AddRecord(doc, 0, 0, "zero", 0);
    AddRecord(doc, 9, 9, "self", 0);
    std::string strDateDir;
    EXPECT_EQ(
        ExportFavorites(dir.Path(), CDocumentTree(doc), CTime(2024, 1, 1, 0, 0, 0), &strDateDir),
        ExportResult::Incomplete);
    EXPECT_EQ(Names(DiskPath(strDateDir, {"Same"})), (std::vector<std::string>{"a.URL", "b.URL"}));
    EXPECT_EQ(ReadUrlFile(DiskPath(strDateDir, {"dup.URL"})), "http://second/");

    std::vector<std::pair<CExportTree::Node, const CUrlItem*>> children;
    CDocumentTree(doc).Children(nullptr, children);
    std::string order;
    for (auto& c : children) order += c.second->m_Title.str() + ",";
    EXPECT_EQ(order, "dup,dup,DUP2,Same,Same,zero,");
}

TEST(FavoritesExport, NameRulesHoldForTheNameOnDisk) {
    // A URL item's name on disk ends in ".URL", so a trailing dot or blank
    // and a lone dot are harmless there; a folder's name is its title.
    const struct {
        const char* title;
        const char* fileOnDisk;  // nullptr: refused
        bool folderWritten;
    } cases[] = {
        {"News.", "News..URL", false}, {"Blank ", "Blank .URL", false},
        {".", "..URL", false},         {"CON", nullptr, false},
        {"a:b", nullptr, false},       {"Plain", "Plain.URL", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ScratchDir dir;
        COrdelinkDoc item;
        AddRecord(item, 1, 0, Ansi(c.title), 1, "http://x/");
        std::string strDateDir;
        EXPECT_EQ(ExportFavorites(dir.Path(), CDocumentTree(item), CTime(2024, 1, 1, 0, 0, 0),
                                  &strDateDir),
                  c.fileOnDisk ? ExportResult::Done : ExportResult::Incomplete);
        EXPECT_EQ(Names(strDateDir), c.fileOnDisk ? std::vector<std::string>{c.fileOnDisk}
                                                  : std::vector<std::string>{});

        COrdelinkDoc folder;
        AddRecord(folder, 1, 0, Ansi(c.title), 0);
        EXPECT_EQ(ExportFavorites(dir.Path(), CDocumentTree(folder), CTime(2024, 1, 1, 0, 0, 1),
                                  &strDateDir),
                  c.folderWritten ? ExportResult::Done : ExportResult::Incomplete);
        EXPECT_EQ(Names(strDateDir).size(), c.folderWritten ? 1u : 0u);
    }
}
