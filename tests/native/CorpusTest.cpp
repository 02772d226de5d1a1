// Real bookmark and shortcut files from other programs (the shared corpus
// beside the repository): what each bookmark file holds, read as HTML, and
// the address of each shortcut file.
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

// The folder titles above a record, as "/a/b" ("" directly under nTop).
std::string PathOf(const COrdelinkDoc& doc, const CUrlItem* pItem, int nTop) {
    std::string path;
    for (const CUrlItem* p = doc.m_PtrAry.FindID(pItem->m_ParentID); p && p->m_ID != nTop;
         p = doc.m_PtrAry.FindID(p->m_ParentID))
        path = "/" + p->m_Title.str() + path;
    return path;
}

class CodePageGuard {
public:
    explicit CodePageGuard(int nCodePage) : m_nSaved(codepage::Active()) {
        codepage::SetActive(nCodePage);
    }
    ~CodePageGuard() { codepage::SetActive(m_nSaved); }
    CodePageGuard(const CodePageGuard&) = delete;
    CodePageGuard& operator=(const CodePageGuard&) = delete;

private:
    int m_nSaved;
};

}  // namespace

// What each file holds read as HTML (by its lists, tags and declared
// character set): the counts, and entries with their folders, addresses
// and memos, chosen where the file's producer wrote something unusual.
TEST(Corpus, BookmarkFiles) {
    if (!HaveCorpus()) GTEST_SKIP() << "no corpus at " << ORD_CORPUS_DIR;
    struct Sample {
        const char* path;  // the folders above it
        const char* title;
        const char* url;   // the start of the address; nullptr for a folder
        const char* memo;  // the start of the memo; nullptr for none
    };
    struct {
        const char* name;
        int nLinks, nFolders, nMemos;
        std::vector<Sample> samples;
    } files[] = {
        {"chrome-2016-nested-icons.html",
         18,
         7,
         0,
         {{"/Dev/PHP", "PHP Standards Recommendations - PHP-FIG", "http://www.php-fig.org/psr/",
           nullptr},
          {"", "Timeline of the Elves in Tolkien’s works | LotrProject Blog",
           "http://lotrproject.com/blog/2013/02/08/", nullptr}}},
        {"chrome-ja-2025-toolbar-bookmarklets.html",
         2,
         1,
         0,
         {{"", "ブックマーク バー", nullptr, nullptr},
          {"/ブックマーク バー", "【買い】IFDOCO_損切ライン自動入力～注文",
           "javascript:(function(){    const v1 = Number(document.getElementById(", nullptr}}},
        {"firefox-2016-nested-tags-hr.html",
         24,
         6,
         11,
         {{"", "Recent tags", "place:type=6&sort=14&maxResults=10", nullptr},
          {"", "Comics", nullptr, "Comics, webcomics, fun stuff!"},
          {"/Dev/PHP",
           "kafene/netscape-bookmark-parser: a php script (function) to parse netscape format "
           "bookmark files",
           "https://github.com/kafene/netscape-bookmark-parser", "netscape-bookmark-parser - "}}},
        {"firefox-testcase-singleframe-malformed.html",
         1,
         1,
         0,
         {{"/Subtitle", "Mozilla", "http://www.mozilla.org/", nullptr}}},
        {"firefox2-2007-preplaces-hr-livemark.html",
         8,
         4,
         4,
         {{"", "test", nullptr, "folder test comment"},
          {"/test", "test post keyword", "http://test/post", "item description"},
          {"/Bookmarks Toolbar Folder", "Latest Headlines",
           "http://en-US.fxfeeds.mozilla.com/en-US/firefox/livebookmarks/",
           "Livemark test comment"}}},
        {"icab-2001-hotlist-noindent.html",
         151,
         32,
         0,
         {{"", "CGI Programming with Perl", "http://www.panix.com/~comdog/stonehenge/", nullptr},
          {"/Sports/Scuba/Locations", "San Diego Scuba Diving,San Diego Dive Boats,Loiä",
           "http://www.loisann.com/", nullptr},
          {"/DDJ articles/GraphViz", "AT&T Research",
           "http://www.research.att.com/sw/tools/graphviz/", nullptr}}},
        {"ie11-2016-nested-bom.htm",
         27,
         9,
         0,
         {{"", "Learn to write Gallifreyan in 9 simple steps", "http://io9.gizmodo.com/", nullptr},
          {"", "Links", nullptr, nullptr},
          {"/Dev/SCM", "Hg Init a Mercurial tutorial by Joel Spolsky", "http://hginit.com/",
           nullptr}}},
        {"ie5mac-2001-favorites-tabs-macroman.html",
         149,
         32,
         0,
         {{"/Personal Services", "First Internet Bank - Online Banking, Checking,ä",
           "http://www.firstib.com/", nullptr},
          {"/Unix/FreeBSD", "Sony Electronics Support: Common Solutions (FAQ)",
           "http://sawebp1.sel.sony.com/cgi-bin/ewdiag.exe?FUNC=302&NODE=3917&EWUID=1", nullptr}}},
        {"mozilla1-2002-nested-toolbar.html",
         219,
         33,
         0,
         {{"", "Sweet Basil Hill Bed & Breakfast Inn", "http://www.sweetbasilhill.com/visit.html",
           nullptr},
          {"", "Showtimes", "http://movies.yahoo.com/showtimes/showtimes.html?z=60640&r=sim",
           nullptr},
          {"/Sports/Scuba/Locations", "San Diego Scuba Diving,San Diego Dive Boats,Loi…",
           "http://www.loisann.com/", nullptr}}},
        {"netscape4-1999-alias-dd-hr.html",
         11,
         4,
         2,
         {{"",
           "www.oreilly.com -- Welcome to O'Reilly & Associates! -- computer books, software, "
           "online publishing",
           "http://www.oreilly.com/", nullptr},
          {"", "Public radio", nullptr,
           "Public radio's roots go deep into the beginnings of American broadcasting."},
          {"/Public radio", "From WBEZ in Chicago | This American Life", "http://www.thislife.org/",
           "The best radio show of all time."}}},
        {"netscape405-1998-concatenated-malformed-crlf.htm",
         80,
         21,
         0,
         {{"/Linux/Software/Window Manager Home Pages/FVWM", "The Official FVWM Homepage",
           "http://www.hpc.uh.edu/fvwm/", nullptr},
          {"", "", "http://virgo.inesc.pt/ftp/pub/Linux/", nullptr}}},
        {"netscape47-2001-toolbar-hr.html",
         110,
         13,
         0,
         {{"/Personal Toolbar Folder/Channels", "Audio",
           "http://home.netscape.com/bookmark/4_76/ptchannelaudio.html", nullptr},
          {"/Netbusiness", "Market & Sell", "http://home.netscape.com/bookmark/4_76/nbmarket.html",
           nullptr}}},
        {"shaarli-2016-flat-multiline-dd.htm",
         6,
         0,
         4,
         {{"", "Kouign'amann recipes", "?lY47tw",
           "\"Is there anything more fabulous than something created through the wonder and "
           "miracle of caramelization?\"\r\n\r\n- http://"},
          {"", "Shaarli: the personal, minimalist, super-fast, no-database delicious clone",
           "https://github.com/shaarli/Shaarli/wiki", "Welcome to Shaarli!"},
          {"", "Mine Turtle Instructions by StormL on DeviantArt",
           "http://storml.deviantart.com/art/Mine-Turtle-Instructions-302477240?q=in%3Ascraps%20"
           "sort%3Atime%20gallery%3Astorml&qo=1",
           "Schematics: "}}},
    };
    CodePageGuard utf8(65001);
    for (auto& f : files) {
        CBookmarkFile file;
        ASSERT_TRUE(file.Load(CorpusFile("bookmarks/" + std::string(f.name)).c_str())) << f.name;
        COrdelinkDoc doc;
        const int nFolder = AddImportFolder(doc, "B");
        RecordingObserver obs;
        EXPECT_EQ(ImportBookmarkTree(doc, file, nullptr, 1, &obs), 1) << f.name;
        ExpectReportsMatch(doc, obs, nFolder + 1, 1);
        ExpectImportOrder(doc, nFolder + 1, 1);
        int nLinks = 0, nURLs = 0, nFolders = 0, nMemos = 0;
        for (int i = nFolder + 1; i < doc.m_PtrAry.GetSize(); ++i) {
            const CUrlItem* p = doc.m_PtrAry[i];
            nLinks += p->m_IsURL;
            nURLs += p->m_IsURL && !p->m_URL.IsEmpty();
            nFolders += !p->m_IsURL;
            nMemos += !p->m_Memo.IsEmpty();
        }
        EXPECT_EQ(nLinks, f.nLinks) << f.name;
        EXPECT_EQ(nURLs, f.nLinks) << f.name << ": every link has its address";
        EXPECT_EQ(nFolders, f.nFolders) << f.name;
        EXPECT_EQ(nMemos, f.nMemos) << f.name;
        for (const Sample& s : f.samples) {
            bool bFound = false;
            for (int i = nFolder + 1; i < doc.m_PtrAry.GetSize() && !bFound; ++i) {
                const CUrlItem* p = doc.m_PtrAry[i];
                bFound = p->m_Title.str() == s.title && PathOf(doc, p, 1) == s.path &&
                         p->m_IsURL == (s.url != nullptr) &&
                         (!s.url || p->m_URL.str().rfind(s.url, 0) == 0) &&
                         (s.memo ? p->m_Memo.str().rfind(s.memo, 0) == 0 : p->m_Memo.IsEmpty());
            }
            EXPECT_TRUE(bFound) << f.name << ": " << s.path << "/" << s.title;
        }
    }
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
