// Text outside the legacy code page, with the program's text in UTF-8: the
// document file, the settings file, shortcut files and the link page keep
// every character, and keep the legacy bytes wherever the text fits.
#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "convert/LinkPage.h"
#include "convert/UrlFile.h"
#include "fw/base/CArchive.h"
#include "fw/base/CProfileFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/LegacyText.h"
#include "fw/base/Platform.h"
#include "fw/base/SearchFold.h"
#include "tests/native/TestSupport.h"
#include "tests/native/TextCodePages.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

std::string Utf16Form(const std::u16string& s) {
    std::string out("\xFF\xFE\xFF", 3);
    out += static_cast<char>(s.size());
    for (char16_t c : s) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string Narrow(const std::string& bytes) {
    return std::string(1, static_cast<char>(bytes.size())) + bytes;
}

std::string OneRecordFile(const std::string& title, const std::string& url) {
    return std::string("\x01\x00\x00\x00", 4) + title + url + std::string(1, '\0') +
           std::string("\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 12);
}

}  // namespace

TEST(UnicodeText, DocumentStringsKeepTheLegacyFormWhereTheyFit) {
    TextCodePages pages(65001, 932);
    struct {
        const char* title;  // UTF-8
        std::string stored;
    } cases[] = {
        {"News", Narrow("News")},
        {"日本語ﾃｽﾄ", Narrow("\x93\xFA\x96\x7B\x8C\xEA\xC3\xBD\xC4")},
        {"表示", Narrow("\x95\x5C\x8E\xA6")},
        {"한국어", Utf16Form(u"한국어")},
        {"Café — résumé", Utf16Form(u"Café — résumé")},
        {"ΑΒΓ", Narrow("\x83\x9F\x83\xA0\x83\xA1")},
        {"Ελληνικά", Utf16Form(u"Ελληνικά")},
        {"😀 smile", Utf16Form(u"😀 smile")},
        {"简体中文", Utf16Form(u"简体中文")},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, c.title, 1, "http://a/");
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("d.pmk").c_str()));
        const std::string bytes = ReadBytes(dir.File("d.pmk"));
        EXPECT_EQ(bytes, OneRecordFile(c.stored, Narrow("http://a/"))) << c.title;
        COrdelinkDoc loaded;
        ASSERT_TRUE(loaded.OnOpenDocument(dir.File("d.pmk").c_str()));
        ASSERT_EQ(loaded.m_PtrAry.GetSize(), 1);
        EXPECT_EQ(loaded.m_PtrAry[0]->m_Title.str(), c.title);
        // Saved again: the same bytes.
        ASSERT_TRUE(loaded.OnSaveDocument(dir.File("e.pmk").c_str()));
        EXPECT_EQ(ReadBytes(dir.File("e.pmk")), bytes) << c.title;
    }
}

TEST(UnicodeText, ALegacyDocumentLoadsAndSavesByteForByte) {
    const std::string original = ReadBytes(TestDataPath("sample.pmk"));
    ScratchDir dir;
    TextCodePages pages(65001, 932);
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(TestDataPath("sample.pmk").c_str()));
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("s.pmk").c_str()));
    EXPECT_TRUE(ReadBytes(dir.File("s.pmk")) == original);
}

TEST(UnicodeText, LegacyTextAgreesWithTheSystemForEveryCharacter) {
    TextCodePages pages(65001, 932);
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            std::string bytes(1, static_cast<char>(lead));
            if (platform::IsSystemLeadByte(932, lead))
                bytes += static_cast<char>(trail);
            else if (trail > 0)
                break;
            std::string want;
            ASSERT_TRUE(platform::CodePageToUtf8(bytes, 932, want));
            ASSERT_EQ(legacy::FromLegacy(bytes), want) << lead << " " << trail;
        }
    }
    std::string out;
    EXPECT_TRUE(legacy::ToLegacy("ｿﾌﾄ表", out));
    EXPECT_EQ(out, "\xBF\xCC\xC4\x95\x5C");
    EXPECT_FALSE(legacy::ToLegacy("Café", out));
    EXPECT_FALSE(legacy::ToLegacy("😀", out));
}

TEST(UnicodeText, SettingsFileOfAnOlderVersion) {
    TextCodePages pages(65001, 932);
    ScratchDir dir;
    const std::string ini = dir.File("Ordelink.INI");
    // "C:\プログラム\browser.exe" and "C:\文書\しおり.pmk" in code page 932.
    const std::string browser = "C:\\\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\\browser.exe";
    const std::string recent = "C:\\\x95\xB6\x8F\x91\\\x82\xB5\x82\xA8\x82\xE8.pmk";
    WriteBytes(ini, "[Setting]\r\nBrowserName=" + browser + "\r\n  browserany = 1 \r\n" +
                        "[Recent File List]\r\nFile1=\"" + recent + "\"\r\n");
    CProfileFile file(ini);
    EXPECT_EQ(file.GetString("Setting", "BrowserName", "").str(), "C:\\プログラム\\browser.exe");
    EXPECT_EQ(file.GetInt("SETTING", "BrowserAny", 0), 1);
    EXPECT_EQ(file.GetString("Recent File List", "File1", "").str(), "C:\\文書\\しおり.pmk");
    EXPECT_EQ(file.GetString("Recent File List", "File2", "none").str(), "none");

    // Japanese text keeps the file in code page 932, the other lines as they were.
    ASSERT_TRUE(file.WriteString("Recent File List", "File2", "C:\\表.pmk"));
    EXPECT_EQ(ReadBytes(ini), "[Setting]\r\nBrowserName=" + browser + "\r\n  browserany = 1 \r\n" +
                                  "[Recent File List]\r\nFile1=\"" + recent +
                                  "\"\r\nFile2=C:\\\x95\x5C.pmk\r\n");
    // Korean does not fit: the file becomes UTF-16 with its mark, and stays so.
    ASSERT_TRUE(file.WriteString("Recent File List", "File3", "C:\\한국.pmk"));
    ASSERT_TRUE(file.WriteString("AboutApp", "Build", "1.30"));
    EXPECT_EQ(ReadBytes(ini).substr(0, 4), std::string("\xFF\xFE[\0", 4));
    EXPECT_EQ(file.GetString("Recent File List", "File3", "").str(), "C:\\한국.pmk");
    EXPECT_EQ(file.GetString("Setting", "BrowserName", "").str(), "C:\\プログラム\\browser.exe");
    EXPECT_EQ(file.GetString("AboutApp", "Build", "").str(), "1.30");
    // No key: the whole section goes (the recent-file list is written afresh).
    ASSERT_TRUE(file.WriteString("Recent File List", nullptr, nullptr));
    EXPECT_EQ(file.GetString("Recent File List", "File1", "none").str(), "none");
    EXPECT_EQ(file.GetString("AboutApp", "Build", "").str(), "1.30");
}

TEST(UnicodeText, ShortcutFiles) {
    TextCodePages pages(65001, 932);
    ScratchDir dir;
    struct {
        const char* url;
        bool bWide;  // followed by the UTF-7 section
    } cases[] = {
        {"http://example.com/", false},
        {"http://例え.jp/表", false},
        {"http://예시.kr/", true},
        {"http://x/😀+", true},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File("a.url");
        ASSERT_EQ(WriteUrlFile(path, c.url), 1);
        const std::string bytes = ReadBytes(path);
        // The first URL= line in code page 932, "?" for what it lacks.
        std::string firstLine;
        EXPECT_EQ(legacy::ToLegacy(c.url, firstLine), !c.bWide);
        EXPECT_EQ(bytes.substr(0, 26 + firstLine.size()),
                  "[InternetShortcut]\r\nURL=" + firstLine + "\r\n")
            << c.url;
        EXPECT_EQ(bytes.find("[InternetShortcut.W]\r\nURL=") != std::string::npos, c.bWide);
        EXPECT_EQ(ReadUrlFile(path).str(), c.url);
    }
    // As Windows writes an address outside the code page.
    WriteBytes(dir.File("w.url"),
               "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n[InternetShortcut]\r\n"
               "IDList=\r\nURL=http://?aN?\?/\r\n[InternetShortcut.A]\r\nURL=http://?aN?\?/\r\n"
               "[InternetShortcut.W]\r\nURL=http://+A6gDsSEVIScltg-/\r\n");
    EXPECT_EQ(ReadUrlFile(dir.File("w.url")).str(), "http://Ψαℕ℧▶/");
}

TEST(UnicodeText, LinkPageIsLegacyWhereItFitsElseDeclaredUtf8) {
    TextCodePages pages(65001, 932);
    struct {
        const char* title;
        bool bUtf8;
    } cases[] = {{"日本語のページ", false}, {"한국어 페이지", true}};
    for (const auto& c : cases) {
        ScratchDir dir;
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, c.title, 1, "http://a/");
        LinkPageOptions options;
        options.strDocTitle = "Links.pmk";
        ASSERT_EQ(WriteLinkPage(doc, dir.File("p.HTML").c_str(), options), LinkPageResult::Done);
        const std::string bytes = ReadBytes(dir.File("p.HTML"));
        const std::string declared =
            "<HTML>\r\n<HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
            "charset=UTF-8\"><TITLE>Links.pmk</TITLE></HEAD>";
        EXPECT_EQ(bytes.find(declared) != std::string::npos, c.bUtf8) << c.title;
        EXPECT_EQ(bytes.find("charset") != std::string::npos, c.bUtf8) << c.title;
        const std::string text = c.bUtf8 ? bytes : legacy::ToUtf8(legacy::FromLegacy(bytes));
        EXPECT_NE(text.find(std::string("\">") + c.title + "</A><BR>\r\n"), std::string::npos);
        EXPECT_NE(text.find("【ROOT】"), std::string::npos);
    }
}

TEST(UnicodeText, FindFoldsUtf8Text) {
    TextCodePages pages(65001, 932);
    struct {
        const char *a, *b;
        bool bSame;
    } cases[] = {
        {"ｿﾌﾄ", "ソフト", true},    {"ソフト", "そふと", true}, {"ＡＢＣ", "abc", true},
        {"CAFÉ", "café", true},     {"ÀÉÎÕÜ", "àéîõü", true},   {"ΕΛΛΆΔΑ", "ελλάδα", true},
        {"МОСКВА", "москва", true}, {"한국어", "한국어", true}, {"한국어", "한국인", false},
        {"😀", "😀", true},           {"😀", "😃", false},          {"e", "é", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codepage::FoldForSearch(c.a) == codepage::FoldForSearch(c.b), c.bSame)
            << c.a << " / " << c.b;
}

TEST(UnicodeText, DumpPrintsEveryCharacter) {
    TextCodePages pages(65001, 932);
    ScratchDir dir;
    WriteBytes(dir.File("k.pmk"), OneRecordFile(Utf16Form(u"한국어 😀"), Narrow("\x95\x5C")));
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"dump", dir.File("k.pmk")}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("한국어 😀"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("表"), std::string::npos) << out.str();
}

TEST(UnicodeText, AUtf8BookmarkFileKeepsEveryTitle) {
    TextCodePages pages(65001, 932);
    ScratchDir dir;
    const std::string doc = dir.File("w.pmk");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"import-bookmarks", doc, TestDataPath("world-bookmarks.htm"), "--now",
                      "2026-12-09 03:30:00"},
                     out, err),
              0)
        << err.str();
    COrdelinkDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(doc.c_str()));
    std::vector<std::string> titles;
    for (int i = 0; i < loaded.m_PtrAry.GetSize(); ++i)
        titles.push_back(loaded.m_PtrAry[i]->m_Title.str());
    for (const char* want :
         {"한국어 — Korean", "대한민국 정책브리핑 📰", "Ελληνικά — Greek",
          "Ενιαία Ψηφιακή Πύλη 🏛️", "Café crème — Crêpes à la française",
          "Résumé, Noël, Ça va ? ✨", "ソフトウェアの表示ポータル"})
        EXPECT_NE(std::find(titles.begin(), titles.end(), want), titles.end()) << want;
}
