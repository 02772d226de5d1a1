// The settings sheet driven in-process: what OK writes to the settings file,
// that Cancel writes nothing, pages never opened, and the choice that needs
// Internet Explorer.
#include <gtest/gtest.h>

#include <map>

#include "app/BrowserDetect.h"
#include "res/resource.h"
#include "tests/win32/DialogTestSupport.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// Every "Section/Key" of an INI file with its value.
std::map<std::string, std::string> ParseIni(const std::string& text) {
    std::map<std::string, std::string> values;
    std::string section;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (size_t eq = line.find('='); eq != std::string::npos) {
            values[section + "/" + line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    return values;
}

const char kAllSettings[] =
    "[Setting]\r\nBrowserAny=0\r\nAppAny=1\r\nTitleEmpty=0\r\nToolBarType=1\r\n"
    "HtmlDirTemp=1\r\nLinkTarget=1\r\n";

// The settings record of the tree view as "Key=value" text.
std::string Record(const CTreeVw* t) {
    char buf[160];
    snprintf(buf, sizeof(buf),
             "BrowserAny=%d AppAny=%d TitleEmpty=%d ToolBarType=%d HtmlDirTemp=%d LinkTarget=%d",
             t->m_BrowserAny, t->m_AppAny, t->m_TitleEmpty, t->m_ToolBarType, t->m_HtmlDirTemp,
             t->m_LinkTarget);
    return buf;
}

struct SheetFixture : ViewFixture {
    explicit SheetFixture(const char* ini) {
        h.WriteIni(ini);
        Load({{1, 0, "Folder"}});
    }
    // Runs the Setting command with the sheet driven by these steps.
    bool Run(std::vector<ModalDriver::Step> steps) {
        ModalDriver driver(std::move(steps));
        Command(ID_SETTING);
        return driver.Finished();
    }
};

TEST(SettingsSheet, OkWritesTheChangedKeyAndTheBuild) {
    const struct {
        int page;
        int button;
        const char* key;
        const char* value;
    } cases[] = {
        {0, IDC_BROWSER_ANY, "Setting/BrowserAny", "1"},
        {1, IDC_APP_SINGLE, "Setting/AppAny", "0"},
        {1, IDC_TITLE_BLANK, "Setting/TitleEmpty", "1"},
        {2, IDC_TOOLBAR_NORMAL, "Setting/ToolBarType", "0"},
        {2, IDC_HTML_DIR_ASK, "Setting/HtmlDirTemp", "0"},
        {2, IDC_LINK_TARGET_NEW, "Setting/LinkTarget", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        SheetFixture f(kAllSettings);
        ASSERT_EQ(f.Tree()->m_Build, "0.00");
        auto expected = ParseIni(kAllSettings);
        expected[c.key] = c.value;
        expected["AboutApp/Build"] = "1.30";

        ASSERT_TRUE(f.Run({SelectPage(c.page), ClickOnPage(c.button), PressSheetButton(PSBTN_OK)}));
        EXPECT_EQ(ParseIni(ReadBytes(f.h.IniPath())), expected);
        // The record holds what was written; the build text follows at the
        // next load.
        std::string record = Record(f.Tree());
        EXPECT_NE(record.find(std::string(c.key).substr(8) + "=" + c.value), std::string::npos)
            << record;
        EXPECT_EQ(f.Tree()->m_Build, "0.00");
        EXPECT_EQ(f.Frame()->m_wndToolBar.m_bFlatMode, c.button != IDC_TOOLBAR_NORMAL);
    }
}

TEST(SettingsSheet, NormalToFlatSwitchesTheToolbarAtOnce) {
    SheetFixture f("[Setting]\r\nToolBarType=0\r\n");
    ASSERT_FALSE(f.Frame()->m_wndToolBar.m_bFlatMode);
    ASSERT_TRUE(f.Run({SelectPage(2), ClickOnPage(IDC_TOOLBAR_FLAT), PressSheetButton(PSBTN_OK)}));
    EXPECT_TRUE(f.Frame()->m_wndToolBar.m_bFlatMode);
    EXPECT_EQ(f.h.ReadIniInt("Setting", "ToolBarType"), 1);
}

TEST(SettingsSheet, CancelChangesNothing) {
    SheetFixture f(kAllSettings);
    const std::string before = ReadBytes(f.h.IniPath());
    const std::string record = Record(f.Tree());
    ASSERT_TRUE(f.Run({ClickOnPage(IDC_BROWSER_ANY), SelectPage(1), ClickOnPage(IDC_APP_SINGLE),
                       ClickOnPage(IDC_TITLE_BLANK), SelectPage(2), ClickOnPage(IDC_TOOLBAR_NORMAL),
                       ClickOnPage(IDC_LINK_TARGET_NEW), PressSheetButton(PSBTN_CANCEL)}));
    EXPECT_EQ(ReadBytes(f.h.IniPath()), before);
    EXPECT_EQ(Record(f.Tree()), record);
    EXPECT_TRUE(f.Frame()->m_wndToolBar.m_bFlatMode);
}

TEST(SettingsSheet, PagesNeverOpenedHandBackTheirValues) {
    // Every value the opposite of its default, and no file yet.
    SheetFixture f(
        "[Setting]\r\nBrowserAny=1\r\nAppAny=0\r\nTitleEmpty=1\r\nToolBarType=0\r\n"
        "HtmlDirTemp=0\r\nLinkTarget=0\r\n");
    f.Tree()->m_BrowserName = "C:\\Browser\\browser.exe";
    const std::string record = Record(f.Tree());
    std::string caption, tabs;
    ASSERT_TRUE(f.Run(
        {Do([&](HWND hSheet) {
             caption = TextOf(hSheet);
             HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
             const int n = static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
             for (int i = 0; i < n; ++i) {
                 char text[64] = "";
                 TCITEMA item = {};
                 item.mask = TCIF_TEXT;
                 item.pszText = text;
                 item.cchTextMax = sizeof(text);
                 SendMessageA(hTab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
                 tabs += std::string(text) + "|";
             }
         }),
         PressSheetButton(PSBTN_OK)}));
    EXPECT_EQ(caption, "Property Sheet");
    EXPECT_EQ(tabs, A("ブラウザ設定|Ordelink 設定|その他|"));
    EXPECT_EQ(Record(f.Tree()), record);
    EXPECT_EQ(f.Tree()->m_BrowserName, "C:\\Browser\\browser.exe");
    const auto written = ParseIni(ReadBytes(f.h.IniPath()));
    EXPECT_EQ(written.at("Setting/AppAny"), "0");
    EXPECT_EQ(written.at("Setting/TitleEmpty"), "1");
    EXPECT_EQ(written.at("Setting/ToolBarType"), "0");
    EXPECT_EQ(written.at("Setting/HtmlDirTemp"), "0");
    EXPECT_EQ(written.at("Setting/LinkTarget"), "0");
    EXPECT_EQ(written.at("AboutApp/Build"), "1.30");
    EXPECT_EQ(written.count("Setting/BrowserName"), 0u);
    EXPECT_FALSE(f.Frame()->m_wndToolBar.m_bFlatMode);
}

// Each page opens showing the record's values.
TEST(SettingsSheet, PagesShowTheRecord) {
    SheetFixture f("[Setting]\r\nAppAny=0\r\nTitleEmpty=1\r\nHtmlDirTemp=0\r\n");
    std::vector<int> checked;
    auto read = [&](std::vector<int> ids) {
        return OnPage([&checked, ids](HWND, HWND hPage) {
            for (int id : ids)
                if (IsDlgButtonChecked(hPage, id) == BST_CHECKED) checked.push_back(id);
        });
    };
    ASSERT_TRUE(f.Run({read({IDC_BROWSER_ANY, IDC_BROWSER_SINGLE}), SelectPage(1),
                       read({IDC_APP_ANY, IDC_APP_SINGLE, IDC_TITLE_DEFAULT, IDC_TITLE_BLANK}),
                       SelectPage(2),
                       read({IDC_TOOLBAR_FLAT, IDC_TOOLBAR_NORMAL, IDC_HTML_DIR_TEMP,
                             IDC_HTML_DIR_ASK, IDC_LINK_TARGET_SAME, IDC_LINK_TARGET_NEW}),
                       PressSheetButton(PSBTN_CANCEL)}));
    EXPECT_EQ(checked,
              (std::vector<int>{IDC_BROWSER_SINGLE, IDC_APP_SINGLE, IDC_TITLE_BLANK,
                                IDC_TOOLBAR_FLAT, IDC_HTML_DIR_ASK, IDC_LINK_TARGET_SAME}));
}

INT_PTR OtherBrowser(const char*, const char*, CString& strResult) {
    strResult = "C:\\Program Files\\Other\\other.exe";
    return 42;
}

TEST(SettingsSheet, SingleWindowChoiceNeedsInternetExplorer) {
    ViewFixture f;
    SetFindExecutableForTest(OtherBrowser);
    f.h.WriteIni("[Setting]\r\nBrowserAny=0\r\n");
    f.Load({});
    ASSERT_EQ(f.Tree()->m_bBrowserIsIE, 0);
    bool bAnyChecked = false, bSingleEnabled = true;
    ModalDriver driver({OnPage([&](HWND, HWND hPage) {
                            bAnyChecked = IsDlgButtonChecked(hPage, IDC_BROWSER_ANY) == BST_CHECKED;
                            bSingleEnabled = IsWindowEnabled(GetDlgItem(hPage, IDC_BROWSER_SINGLE));
                        }),
                        PressSheetButton(PSBTN_OK)});
    f.Command(ID_SETTING);
    ASSERT_TRUE(driver.Finished());
    EXPECT_TRUE(bAnyChecked);
    EXPECT_FALSE(bSingleEnabled);
    EXPECT_EQ(f.Tree()->m_BrowserName, "C:\\Program Files\\Other\\other.exe");
    EXPECT_EQ(f.h.ReadIniInt("Setting", "BrowserAny"), 1);
}

}  // namespace
