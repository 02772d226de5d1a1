// Real bookmark and shortcut files from other programs (the shared corpus
// beside the repository): every one is read without a runaway, and the
// well-formed bookmark files give the hierarchy their producer wrote.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>

#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "convert/UrlFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

std::string CorpusFile(const std::string& name) {
    return std::string(ORD_CORPUS_DIR) + "/" + name;
}

bool HaveCorpus() {
    return platform::FileExists(CorpusFile("SOURCES.md"));
}

// "parent/title|url" for every entry, parent being the enclosing folder's
// title, found the way an HTML reader would: by <DL> and </DL> nesting.
std::multiset<std::string> ProducerEntries(const std::string& text, bool bUtf8, bool bURLs) {
    // The text between the end of the tag that opens at mark and the last
    // closing tag.
    auto inner = [](const std::string& line, const char* mark, const char* close) {
        const size_t nOpen = line.find('>', line.find(mark) + std::strlen(mark));
        const size_t nClose = line.rfind(close);
        if (nOpen == std::string::npos || nClose == std::string::npos || nClose < nOpen)
            return std::string();
        return line.substr(nOpen + 1, nClose - nOpen - 1);
    };
    auto local = [&](const std::string& s) {
        std::string out;
        if (!bUtf8 || !platform::Utf8ToCodePage(s, codepage::Active(), out)) return s;
        return out;
    };
    std::multiset<std::string> entries;
    std::vector<std::string> open;
    std::string pending;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string parent = open.empty() ? "" : open.back();
        const size_t nHref = line.find("<DT><A HREF=\"");
        if (line.find("<DT><H3") != std::string::npos) {
            pending = local(inner(line, "<DT><H3", "</H3>"));
            entries.insert(parent + "/" + pending + "|");
        } else if (nHref != std::string::npos) {
            const size_t nUrl = nHref + 13;
            const std::string url = line.substr(nUrl, line.find('"', nUrl) - nUrl);
            entries.insert(parent + "/" + local(inner(line, "<DT><A ", "</A>")) + "|" +
                           (bURLs ? local(url) : ""));
        }
        if (line.find("<DL>") != std::string::npos) {
            open.push_back(pending);
            pending.clear();
        }
        if (line.find("</DL>") != std::string::npos && !open.empty()) open.pop_back();
    }
    return entries;
}

std::multiset<std::string> ImportedEntries(const COrdelinkDoc& doc, bool bURLs) {
    std::multiset<std::string> entries;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 1; i < t.GetSize(); ++i) {
        const CUrlItem* pParent = t.FindID(t[i]->m_ParentID);
        const std::string parent = t[i]->m_ParentID == 1 ? "" : pParent->m_Title.str();
        entries.insert(parent + "/" + t[i]->m_Title.str() + "|" + (bURLs ? t[i]->m_URL.str() : ""));
    }
    return entries;
}

}  // namespace

TEST(Corpus, BookmarkFiles) {
    if (!HaveCorpus()) GTEST_SKIP() << "no corpus at " << ORD_CORPUS_DIR;
    // What the producer wrote that comes out whole: the hierarchy and titles
    // of files laid out as the reader expects, and the addresses where
    // ADD_DATE follows HREF.
    enum Check { kNone, kTitles, kAll };
    struct {
        const char* name;
        Check check;
        bool utf8;
        int result;
    } files[] = {
        {"chrome-2016-nested-icons.html", kAll, true, 1},
        {"chrome-ja-2025-toolbar-bookmarklets.html", kAll, true, 1},
        {"firefox-2016-nested-tags-hr.html", kAll, true, 1},
        {"netscape47-2001-toolbar-hr.html", kAll, false, 1},
        {"shaarli-2016-flat-multiline-dd.htm", kAll, true, 1},
        // Links without ADD_DATE, or with ALIASID before it.
        {"mozilla1-2002-nested-toolbar.html", kTitles, true, 1},
        {"netscape4-1999-alias-dd-hr.html", kTitles, false, 1},
        // Titles after '" >' keep the '>'; addresses without ADD_DATE; a
        // second copy after the first end line; tabs and blank lines.
        {"ie11-2016-nested-bom.htm", kNone, true, 1},
        {"firefox2-2007-preplaces-hr-livemark.html", kNone, true, 1},
        {"firefox-testcase-singleframe-malformed.html", kNone, true, 1},
        {"netscape405-1998-concatenated-malformed-crlf.htm", kNone, false, 1},
        {"ie5mac-2001-favorites-tabs-macroman.html", kNone, false, 1},
        // Folders without end lines: stopped by the record limit.
        {"icab-2001-hotlist-noindent.html", kNone, false, 0},
    };
    for (auto& f : files) {
        CBookmarkFile file;
        ASSERT_TRUE(file.Load(CorpusFile("bookmarks/" + std::string(f.name)).c_str())) << f.name;
        COrdelinkDoc doc;
        const int nFolder = AddImportFolder(doc, "B");
        RecordingObserver obs;
        EXPECT_EQ(ImportBookmarkLevel(doc, file, nullptr, 1, 1, &obs), f.result) << f.name;
        EXPECT_LE(doc.m_PtrAry.GetSize() - 1, BookmarkRecordLimit(file)) << f.name;
        ExpectReportsMatch(doc, obs, nFolder + 1, 1);
        ExpectImportOrder(doc, nFolder + 1, 1);
        if (f.check != kNone) {
            const std::string text = ReadBytes(CorpusFile(std::string("bookmarks/") + f.name));
            const auto expected = ProducerEntries(text, f.utf8, f.check == kAll);
            EXPECT_GT(expected.size(), 2u) << f.name;
            EXPECT_EQ(ImportedEntries(doc, f.check == kAll), expected) << f.name;
        }
    }
}

TEST(Corpus, IcabHotlistStopsAtTheLimit) {
    if (!HaveCorpus()) GTEST_SKIP();
    CBookmarkFile file;
    ASSERT_TRUE(file.Load(CorpusFile("bookmarks/icab-2001-hotlist-noindent.html").c_str()));
    EXPECT_EQ(file.GetEntryLineCount(), 183);
    COrdelinkDoc doc;
    AddImportFolder(doc, "B");
    EXPECT_EQ(ImportBookmarkLevel(doc, file, nullptr, 1, 1), 0);
    EXPECT_EQ(doc.m_PtrAry.GetSize(), 1 + 4 * 183 + 1000);
}

TEST(Corpus, ShortcutFiles) {
    if (!HaveCorpus()) GTEST_SKIP();
    struct {
        const char* name;
        std::string url;
    } files[] = {
        {"exiftool-all-legacy-keys.url", "https://www.example.com"},
        {"iconfile-http-trailing-blank-line.url", "https://www.state-machine.com/qpc/"},
        // Written by Internet Explorer on a Cyrillic system: the UTF-7 form of
        // [InternetShortcut.W] holds the address whatever the code page.
        {"ie-cyrillic-idn-cp1251-utf7-A-W.url", Ansi("http://моторезина.рф/").str()},
        {"ie-default-baseurl-japanese-filename.url",
         "http://wwwinfo6.tokyo.alps.intra/~web/index_JP.html"},
        {"ie-frames-doc-sections-long-lines.url",
         "http://autocad-lessons.ru/3d-cherchenie/metrrezba/"},
        {"ie-xp-modified-hex.url", "http://btanks.sourceforge.net/"},
        {"ie8-webslice-monitoreditem.url", "https://ieonline.microsoft.com/#ieslice"},
        {"lf-no-final-newline.url", "https://github.com/hiro111suzu/hidehist/blob/main/readme.md"},
        {"malformed-not-a-shortcut-chinese-text.url", kMissedConversionURL},
        {"minimal-crlf.url", "http://assimp.sourceforge.net"},
        {"propstore-first-hotkey-iconfile.url", "http://dev.uoquint.ru/projects"},
        {"win8-default-bing-envvar-icon-roamed.url",
         "http://go.microsoft.com/fwlink/p/?LinkId=255142"},
    };
    for (auto& f : files)
        EXPECT_EQ(ReadUrlFile(CorpusFile(std::string("url/") + f.name)), f.url) << f.name;
}
