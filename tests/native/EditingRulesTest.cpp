#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "browser/BrowserCommandLine.h"
#include "res/resource.h"
#include "store/ItemEdits.h"
#include "tests/native/TestSupport.h"
#include "views/CommandRules.h"

namespace {

// Splits a command line as the C runtime of a Windows program does: argv[0]
// up to the first blank outside quotes (quotes only group), then arguments
// with the backslash-and-quote rules.
std::vector<std::string> SplitCommandLine(const std::string& cmd) {
    std::vector<std::string> args;
    size_t i = 0;
    std::string arg0;
    bool quoted = false;
    for (; i < cmd.size() && (quoted || (cmd[i] != ' ' && cmd[i] != '\t')); ++i) {
        if (cmd[i] == '"')
            quoted = !quoted;
        else
            arg0 += cmd[i];
    }
    args.push_back(arg0);
    while (true) {
        while (i < cmd.size() && (cmd[i] == ' ' || cmd[i] == '\t')) ++i;
        if (i >= cmd.size()) break;
        std::string arg;
        quoted = false;
        while (i < cmd.size() && (quoted || (cmd[i] != ' ' && cmd[i] != '\t'))) {
            size_t n = 0;
            while (i < cmd.size() && cmd[i] == '\\') ++n, ++i;
            if (i < cmd.size() && cmd[i] == '"') {
                arg.append(n / 2, '\\');
                if (n % 2) {
                    arg += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(n, '\\');
                if (i < cmd.size() && (quoted || (cmd[i] != ' ' && cmd[i] != '\t')))
                    arg += cmd[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace

TEST(EditingRules, UniqueNewTitlesAcrossTheWholeTableAndLetterCase) {
    const CString folder = Ansi("( ﾌｫﾙﾀﾞ )");
    const CString url = Ansi("新規作成 ( URL )");
    struct {
        std::vector<CString> existing;
        BOOL bFolder;
        CString want;
    } cases[] = {
        {{}, TRUE, folder},
        {{url}, FALSE, url + " -- 1"},
        {{url, url + " -- 2"}, FALSE, url + " -- 1"},
        {{url, url + " -- 1", url + " -- 2"}, FALSE, url + " -- 3"},
        {{Ansi("新規作成 ( url )")}, FALSE, url + " -- 1"},  // letter case ignored
        {{folder}, FALSE, url},
        {{Ansi("( ﾌｫﾙﾀﾞ ) -- 1")}, TRUE, folder},
    };
    for (auto& c : cases) {
        COrdelinkDoc doc;
        int id = 1;
        for (const CString& t : c.existing) {
            AddRecord(doc, id, id % 2 ? 0 : 1, t);
            ++id;
        }
        // The record being made is the last one and does not count.
        AddRecord(doc, id, 0, c.bFolder ? folder : url);
        EXPECT_EQ(MakeUniqueNewTitle(doc.m_PtrAry, c.bFolder), c.want) << c.want.str();
    }
}

TEST(EditingRules, SubtreeCollectionIsLevelOrderAndEnds) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "a");
    AddRecord(doc, 4, 3, "deep");
    AddRecord(doc, 2, 1, "b");
    AddRecord(doc, 3, 2, "c");
    AddRecord(doc, 5, 1, "b2");
    AddRecord(doc, 6, 0, "other");
    EXPECT_EQ(CollectSubtreeIDs(doc.m_PtrAry, 1), (std::vector<int>{1, 2, 5, 3, 4}));
    EXPECT_EQ(CollectSubtreeIDs(doc.m_PtrAry, 6), (std::vector<int>{6}));
    // A loop (7 -> 8 -> 7) and a record that is its own parent still end.
    AddRecord(doc, 7, 8, "x");
    AddRecord(doc, 8, 7, "y");
    AddRecord(doc, 9, 9, "z");
    EXPECT_EQ(CollectSubtreeIDs(doc.m_PtrAry, 7), (std::vector<int>{7, 8}));
    EXPECT_EQ(CollectSubtreeIDs(doc.m_PtrAry, 9), (std::vector<int>{9}));
    doc.DeleteItemsByID(CollectSubtreeIDs(doc.m_PtrAry, 1));
    EXPECT_EQ(doc.m_PtrAry.GetSize(), 4);
    EXPECT_EQ(doc.GetFreeID(), 1);
}

// In a damaged document Delete takes what the tree shows under the folder and
// nothing else: not every top-level record through a hidden record with ID 0,
// not the shown record of an ID repeated out of sight under the folder.
TEST(EditingRules, SubtreeCollectionTakesOnlyWhatTheTreeShows) {
    struct R {
        int id, parent;
    };
    const struct {
        const char* name;
        std::vector<R> records;
        int nDelete;
        std::vector<int> want;
        std::vector<int> left;  // IDs remaining, in table order
    } cases[] = {
        {"hidden ID 0 under the folder", {{1, 0}, {0, 1}, {2, 0}, {3, 2}}, 1, {1}, {0, 2, 3}},
        {"hidden repeat of a shown ID", {{1, 0}, {3, 0}, {3, 1}, {4, 1}}, 1, {1, 4}, {3, 3}},
        {"repeat shown elsewhere, its children",
         {{5, 0}, {1, 0}, {5, 1}, {6, 5}},
         1,
         {1},
         {5, 5, 6}},
        {"subfolder with hidden repeat below", {{1, 0}, {2, 1}, {1, 2}, {3, 2}}, 2, {2, 3}, {1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COrdelinkDoc doc;
        for (const R& r : c.records) AddRecord(doc, r.id, r.parent);
        const std::vector<int> ids = CollectSubtreeIDs(doc.m_PtrAry, c.nDelete);
        EXPECT_EQ(ids, c.want);
        doc.DeleteItemsByID(ids);
        std::vector<int> left;
        for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) left.push_back(doc.m_PtrAry[i]->m_ID);
        EXPECT_EQ(left, c.left);
    }
}

TEST(EditingRules, TitleChecksInTheirOrder) {
    TextCodePages pages(932, 932);
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "Dir");
    AddRecord(doc, 2, 1, "News", 1);
    AddRecord(doc, 3, 1, "Other", 1);
    AddRecord(doc, 4, 0, "Elsewhere", 1);
    struct {
        const char* title;
        UINT want;
    } cases[] = {
        {"rOoT", IDP_TITLE_IS_ROOT},
        {"ROOTS", 0},
        {"News", IDP_TITLE_EXISTS},
        {"news", 0},
        {"Other", 0},  // its own title
        {"Elsewhere", 0},
        {"a/b", IDP_TITLE_BAD_CHAR},
        {"a|b", IDP_TITLE_BAD_CHAR},
        {"\"", IDP_TITLE_BAD_CHAR},
        {"\x95\x5C", 0},  // 表: trail byte 0x5C is not a backslash
        {"\x95\x5C\\", IDP_TITLE_BAD_CHAR},
        {"", IDP_TITLE_EMPTY},
        {" ", 0},
    };
    for (auto& c : cases) EXPECT_EQ(CheckNewTitle(doc, 2, c.title), c.want) << c.title;
}

TEST(EditingRules, CommandEnablingAndContextMenu) {
    enum Sel { Empty, Nothing, Folder, Url };
    auto state = [](Sel s, bool ie) {
        CommandState st;
        st.bEmpty = s == Empty;
        st.bRecordSelected = s == Folder || s == Url;
        st.bSelectedIsURL = s == Url;
        st.bBrowserIsIE = ie;
        return st;
    };
    struct {
        UINT id;
        bool empty, nothing, folder, url;
    } cases[] = {
        {ID_SETTING, 1, 1, 1, 1},
        {ID_ADD_URL, 1, 1, 1, 0},
        {ID_ADD_FOLDER, 1, 1, 1, 0},
        {ID_GETURL, 1, 1, 1, 0},
        {ID_EXECUTE, 0, 0, 0, 1},
        {ID_CLIPBOARD_LINK, 0, 0, 0, 1},
        {ID_DELETE, 0, 1, 1, 1},
        {ID_CREATE_LINK_HTML, 0, 1, 1, 1},
        {ID_CONVERT_FAV_TO_FILE, 1, 1, 1, 1},
        {ID_CONVERT_FILE_TO_FAV, 0, 1, 1, 1},
        {ID_READ_BOOKMARK, 1, 1, 1, 1},
        {ID_EXPORT_BOOKMARK_FILE, 0, 1, 1, 1},
    };
    for (auto& c : cases) {
        EXPECT_EQ(IsTreeCommandEnabled(c.id, state(Empty, true)), c.empty) << c.id;
        EXPECT_EQ(IsTreeCommandEnabled(c.id, state(Nothing, true)), c.nothing) << c.id;
        EXPECT_EQ(IsTreeCommandEnabled(c.id, state(Folder, true)), c.folder) << c.id;
        EXPECT_EQ(IsTreeCommandEnabled(c.id, state(Url, true)), c.url) << c.id;
    }
    // Another browser than the one with Favorites: its two commands go.
    EXPECT_FALSE(IsTreeCommandEnabled(ID_CONVERT_FILE_TO_FAV, state(Folder, false)));
    EXPECT_FALSE(IsTreeCommandEnabled(ID_READ_BOOKMARK, state(Folder, false)));
    EXPECT_EQ(ContextMenuRemovals(state(Empty, true)), (std::vector<int>{1, 1}));
    EXPECT_EQ(ContextMenuRemovals(state(Nothing, true)), (std::vector<int>{2}));
    EXPECT_EQ(ContextMenuRemovals(state(Folder, true)), (std::vector<int>{2}));
    EXPECT_EQ(ContextMenuRemovals(state(Url, true)), (std::vector<int>{0}));
}

TEST(EditingRules, BrowserCommandLineGivesExactlyOneArgument) {
    TextCodePages pages(932, 932);
    const std::string browser = "C:\\Program Files\\Web Browser\\browser.exe";
    struct {
        std::string target, line;
    } cases[] = {
        {"http://example.com/", "\"" + browser + "\" http://example.com/"},
        {"http://example.com/a b", "\"" + browser + "\" \"http://example.com/a b\""},
        {"x\" --evil", "\"" + browser + "\" \"x\\\" --evil\""},
        {"C:\\my dir\\", "\"" + browser + "\" \"C:\\my dir\\\\\""},
        {"a\\\\\"b c", "\"" + browser + "\" \"a\\\\\\\\\\\"b c\""},
        {"C:\\dir\\page.html", "\"" + browser + "\" C:\\dir\\page.html"},
        {"", "\"" + browser + "\" "},  // an empty target stays empty
        {"\x95\x5C\" \x95\x5C", "\"" + browser + "\" \"\x95\x5C\\\" \x95\x5C\""},
    };
    for (auto& c : cases) {
        const std::string line =
            BuildBrowserCommandLine(browser.c_str(), c.target.c_str(), true).str();
        EXPECT_EQ(line, c.line) << c.target;
        if (c.target.empty() || c.target[0] == '\x95') continue;  // the splitter knows no DBCS
        EXPECT_EQ(SplitCommandLine(line), (std::vector<std::string>{browser, c.target}))
            << c.target;
    }
    EXPECT_EQ(BuildBrowserCommandLine("browser.exe", "x", true).str(), "browser.exe x");
}

TEST(EditingRules, ABrowserSettingThatIsACommandLineKeepsItsSwitches) {
    const std::string quoted = "\"C:\\Program Files\\Web Browser\\browser.exe\"";
    struct {
        std::string setting;
        bool bFile;  // the whole setting names an existing file
        std::string line;
    } cases[] = {
        // Its own quotes and switches: as written, the target quoted last.
        {quoted + " --new-window", false, quoted + " --new-window \"http://a/ b\""},
        {quoted, false, quoted + " \"http://a/ b\""},
        // Unquoted program with switches: no such file, so a command line.
        {"browser.exe -private", false, "browser.exe -private \"http://a/ b\""},
        // A plain path, existing or not quoted: the path is quoted whole.
        {"C:\\Web Browser\\browser.exe", true, "\"C:\\Web Browser\\browser.exe\" \"http://a/ b\""},
    };
    for (auto& c : cases) {
        EXPECT_EQ(IsBrowserCommandLine(c.setting.c_str(), c.bFile), !c.bFile) << c.setting;
        EXPECT_EQ(BuildBrowserCommandLine(c.setting.c_str(), "http://a/ b", c.bFile).str(), c.line)
            << c.setting;
    }
    // The target stays one argument, escaped, however it looks.
    const std::string line =
        BuildBrowserCommandLine((quoted + " --new-window").c_str(), "x\" --evil \\", false).str();
    EXPECT_EQ(SplitCommandLine(line),
              (std::vector<std::string>{"C:\\Program Files\\Web Browser\\browser.exe",
                                        "--new-window", "x\" --evil \\"}));
    EXPECT_EQ(BuildBrowserCommandLine(quoted.c_str(), "", false).str(), quoted + " \"\"");
}
