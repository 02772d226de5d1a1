// The bookmark file export, read back the way a browser reads the format
// (tags and character references, not lines), and through our own import.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "cli/Cli.h"
#include "convert/BookmarkExport.h"
#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/base/CTime.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

// ---- A reference reading of the format

std::string DecodeReferences(const std::string& s) {
    static const std::pair<const char*, const char*> kNamed[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}};
    std::string out;
    for (size_t i = 0; i < s.size();) {
        // Numeric references of ASCII characters, which is all ours write.
        if (s.compare(i, 2, "&#") == 0 && s.find(';', i) != std::string::npos) {
            out += static_cast<char>(std::stoi(s.substr(i + 2)));
            i = s.find(';', i) + 1;
            continue;
        }
        bool bDone = false;
        for (const auto& [pszRef, pszChar] : kNamed) {
            if (s.compare(i, strlen(pszRef), pszRef) == 0) {
                out += pszChar;
                i += strlen(pszRef);
                bDone = true;
                break;
            }
        }
        if (!bDone) out += s[i++];
    }
    return out;
}

// The value of attribute name in a start tag's text, decoded; "" when absent.
std::string Attribute(const std::string& tag, const std::string& name) {
    const size_t p = tag.find(" " + name + "=\"");
    if (p == std::string::npos) return "";
    const size_t start = p + name.size() + 3;
    return DecodeReferences(tag.substr(start, tag.find('"', start) - start));
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

// The file as an outline: "+ folder", "- title | url", "= memo" under the
// entry it describes, two blanks per <DL> level. Text is read up to the next
// tag; blanks around a memo are dropped, as browsers do.
std::string ReadAsBrowser(const std::string& file) {
    std::string out;
    int nDepth = -1;
    for (size_t i = 0; i < file.size();) {
        if (file[i] != '<') {
            ++i;
            continue;
        }
        const size_t nClose = file.find('>', i);
        const std::string tag = file.substr(i, nClose - i + 1);
        const std::string name = Upper(tag.substr(1, tag.find_first_of(" >") - 1));
        i = nClose + 1;
        const size_t nText = file.find('<', i);
        const std::string text = file.substr(i, nText - i);
        const std::string indent(2 * std::max(nDepth, 0), ' ');
        if (name == "DL") {
            ++nDepth;
        } else if (name == "/DL") {
            --nDepth;
        } else if (name == "H3") {
            out += indent + "+ " + DecodeReferences(text) + "\n";
        } else if (name == "A") {
            out += indent + "- " + DecodeReferences(text) + " | " + Attribute(tag, "HREF") + "\n";
            EXPECT_NE(Attribute(tag, "ADD_DATE"), "") << tag;
        } else if (name == "DD") {
            std::string memo = DecodeReferences(text);
            memo.erase(memo.find_last_not_of(" \n") + 1);
            out += indent + "= " + memo + "\n";
        }
    }
    EXPECT_EQ(nDepth, -1) << "unbalanced <DL>";
    return out;
}

struct Rec {
    int id, parent;
    const char* title;
    const char* url;  // nullptr: a folder
    const char* memo;
};

void Fill(COrdelinkDoc& doc, const std::vector<Rec>& records) {
    for (const Rec& r : records)
        AddRecord(doc, r.id, r.parent, Ansi(r.title), r.url ? 1 : 0, r.url ? Ansi(r.url) : "",
                  Ansi(r.memo ? r.memo : ""));
}

std::string Export(const COrdelinkDoc& doc, int nTopID = 0, int64_t nDate = 1700000000) {
    BookmarkExportOptions options;
    options.nAddDate = nDate;
    options.nTopID = nTopID;
    std::string text;
    EXPECT_TRUE(MakeBookmarkFile(doc.m_PtrAry, options, text));
    return text;
}

}  // namespace

TEST(BookmarkExport, ReadAsABrowserReadsIt) {
    struct Case {
        const char* name;
        std::vector<Rec> records;
        int nTopID;
        const char* outline;
    };
    const Case cases[] = {
        {"japanese titles; siblings in tree order (code-page bytes, case ignored)",
         {{1, 0, "検索", "http://search.example/", nullptr},
          {2, 0, "ニュース", nullptr, nullptr},
          {3, 2, "毎日", "http://news.example/?q=日本", nullptr},
          {4, 0, "apple", "http://apple.example/", nullptr}},
         0,
         "- apple | http://apple.example/\n+ ニュース\n  - 毎日 | http://news.example/?q=日本\n"
         "- 検索 | http://search.example/\n"},
        {"html characters in titles, memos and addresses",
         {{1, 0, "Tom & Jerry <1> \"quoted\"", "http://x/?a=1&b=<2>&c=\"3\"", "a<b & \"c\""},
          {2, 0, "A&B <folder>", nullptr, "&amp; stays text"}},
         0,
         "+ A&B <folder>\n= &amp; stays text\n"
         "- Tom & Jerry <1> \"quoted\" | http://x/?a=1&b=<2>&c=\"3\"\n= a<b & \"c\"\n"},
        {"addresses keep their blanks, control characters as references",
         {{1, 0, "t", "javascript:alert('a  b')\t", nullptr}},
         0,
         "- t | javascript:alert('a  b')\t\n"},
        {"empty folders, nested",
         {{1, 0, "outer", nullptr, nullptr},
          {2, 1, "inner", nullptr, nullptr},
          {3, 0, "zz", nullptr, nullptr}},
         0,
         "+ outer\n  + inner\n+ zz\n"},
        {"memo lines as the file's, a title's line break as references",
         {{1, 0, "two\r\nlines", "http://m/", "first\r\nsecond\rthird\nfourth"}},
         0,
         "- two\r\nlines | http://m/\n= first\nsecond\rthird\nfourth\n"},
        {"one folder's subtree",
         {{1, 0, "a", nullptr, nullptr},
          {2, 1, "b", "http://b/", nullptr},
          {3, 1, "c", nullptr, nullptr},
          {4, 3, "d", "http://d/", nullptr},
          {5, 0, "e", "http://e/", nullptr},
          {6, 0, "b2", nullptr, nullptr},
          {7, 6, "f", "http://f/", nullptr}},
         1,
         "+ a\n  - b | http://b/\n  + c\n    - d | http://d/\n"},
        {"a URL record's children (a damaged file) are left out",
         {{1, 0, "a", "http://a/", nullptr},
          {2, 1, "under a link", "http://u/", nullptr},
          {3, 0, "b", nullptr, nullptr},
          {4, 3, "c", "http://c/", nullptr}},
         0,
         "- a | http://a/\n+ b\n  - c | http://c/\n"},
        {"an empty document", {}, 0, ""},
    };
    for (const Case& c : cases) {
        COrdelinkDoc doc;
        Fill(doc, c.records);
        const std::string file = Export(doc, c.nTopID);
        EXPECT_EQ(ReadAsBrowser(file), c.outline) << c.name << "\n" << file;
        EXPECT_EQ(file.rfind("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n", 0), 0u) << c.name;
        EXPECT_NE(file.find("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                            "charset=UTF-8\">"),
                  std::string::npos);
    }
}

TEST(BookmarkExport, LinesAsBrowsersWriteThem) {
    COrdelinkDoc doc;
    Fill(doc, {{1, 0, "F", nullptr, "note"}, {2, 1, "L", "http://l/", nullptr}});
    const std::string file = Export(doc, 0, 1234567890);
    EXPECT_NE(file.find("<DL><p>\n"
                        "    <DT><H3 ADD_DATE=\"1234567890\" LAST_MODIFIED=\"1234567890\">F</H3>\n"
                        "    <DD>note\n"
                        "    <DL><p>\n"
                        "        <DT><A HREF=\"http://l/\" ADD_DATE=\"1234567890\">L</A>\n"
                        "    </DL><p>\n"
                        "</DL><p>\n"),
              std::string::npos)
        << file;
}

TEST(BookmarkExport, AFolderMustBeInTheTree) {
    COrdelinkDoc doc;
    Fill(doc, {{1, 0, "link", "http://l/", nullptr}, {2, 9, "orphan", nullptr, nullptr}});
    BookmarkExportOptions options;
    std::string text;
    for (int nTop : {1, 2, 5}) {
        options.nTopID = nTop;
        EXPECT_FALSE(MakeBookmarkFile(doc.m_PtrAry, options, text)) << nTop;
    }
}

// A chain of folders far deeper than any real collection: walked without
// recursion, the nesting kept, the indentation (and so the file) bounded.
TEST(BookmarkExport, DeepChain) {
    const int kDepth = 20000;
    COrdelinkDoc doc;
    for (int i = 1; i <= kDepth; ++i) AddRecord(doc, i, i - 1, "f", 0);
    AddRecord(doc, kDepth + 1, kDepth, "leaf", 1, "http://leaf/");
    const std::string file = Export(doc);
    EXPECT_LT(file.size(), size_t(kDepth) * 3 * (4 * kBookmarkIndentDepth + 80));
    // The leaf's depth in <DL> lists, as tag readers count it.
    int nDepth = 0, nLeafDepth = -1;
    for (size_t i = file.find("<DL>"); i != std::string::npos; i = file.find('<', i + 1)) {
        if (file.compare(i, 4, "<DL>") == 0) ++nDepth;
        if (file.compare(i, 5, "</DL>") == 0) --nDepth;
        if (file.compare(i, 21, "<A HREF=\"http://leaf/") == 0) nLeafDepth = nDepth;
    }
    EXPECT_EQ(nDepth, 0);
    EXPECT_EQ(nLeafDepth, kDepth + 1);
}

// Every record below nID as "path|kind|title|url|memo", siblings in any
// order.
void AddRecords(const COrdelinkDoc& doc, int nID, const std::string& path,
                std::multiset<std::string>& out) {
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        const CUrlItem* p = t[i];
        if (p->m_ParentID != nID || static_cast<int>(p->m_ID) == nID) continue;
        out.insert(path + (p->m_IsURL ? "|L|" : "|F|") + p->m_Title.str() + "|" + p->m_URL.str() +
                   "|" + p->m_Memo.str());
        if (!p->m_IsURL) AddRecords(doc, p->m_ID, path + "/" + p->m_Title.str(), out);
    }
}

std::multiset<std::string> Records(const COrdelinkDoc& doc, int nID) {
    std::multiset<std::string> out;
    AddRecords(doc, nID, "", out);
    return out;
}

// Our own import reads our export back into the same folders, titles,
// addresses and memos.
TEST(BookmarkExport, RoundTripThroughOurImport) {
    const std::vector<Rec> cases[] = {
        {{1, 0, "検索", "http://search.example/?q=日本語", "日本語のメモ"},
         {2, 0, "ニュース", nullptr, nullptr},
         {3, 2, "毎日", "http://news.example/", nullptr},
         {4, 2, "ｶﾅ", nullptr, "</DL><p>"}},
        {{1, 0, "Tom & Jerry <1> \"2\" 'three' &amp;", "http://x/?a=1&b=<2>&c=\"3\"&amp;",
          "a<b & \"c\" &lt; <DT><A HREF=x>"},
         {2, 0, "&#32;", nullptr, "&"}},
        {{1, 0, "bookmarklet",
          "javascript:(function(){  alert(\"a  b\");\n\tvar s = 'x > y';  })()  ", nullptr},
         {2, 0, " ", " leading and trailing ", nullptr}},
        {{1, 0, "  two  blanks\tand a tab  ", "http://t/",
          "\r\n  first\r\n\r\n  third\rfourth\nfifth  \r\n"},
         {2, 0, "memo of blanks", "http://b/", " \t "}},
        {{1, 0, "", "", nullptr}, {2, 0, "empty", nullptr, nullptr}, {3, 2, "", nullptr, nullptr}},
    };
    for (const auto& records : cases) {
        COrdelinkDoc doc;
        Fill(doc, records);
        CBookmarkFile file;
        file.SetText(Export(doc));
        COrdelinkDoc back;
        const int nFolder = AddImportFolder(back, Ansi("取り込み"));
        ASSERT_EQ(ImportBookmarkTree(back, file, nullptr, back.m_PtrAry[nFolder]->m_ID), 1);
        EXPECT_EQ(Records(back, back.m_PtrAry[nFolder]->m_ID), Records(doc, 0)) << records[0].title;
    }

    // A chain deeper than the indentation goes, and than any folder of a
    // real collection.
    COrdelinkDoc doc;
    for (int i = 1; i <= 3 * kBookmarkIndentDepth; ++i) AddRecord(doc, i, i - 1, "chain", 0);
    AddRecord(doc, 1000, 3 * kBookmarkIndentDepth, "bottom", 1, "http://bottom/");
    CBookmarkFile file;
    file.SetText(Export(doc));
    COrdelinkDoc back;
    const int nFolder = AddImportFolder(back, "B");
    ASSERT_EQ(ImportBookmarkTree(back, file, nullptr, back.m_PtrAry[nFolder]->m_ID), 1);
    EXPECT_EQ(Records(back, back.m_PtrAry[nFolder]->m_ID), Records(doc, 0));
}

TEST(BookmarkExport, CliVerb) {
    ScratchDir dir;
    const std::string out = dir.File("out.html");
    std::ostringstream o, e;
    EXPECT_EQ(RunCli({"export-bookmarks", TestDataPath("sample.pmk"), out, "--now",
                      "2024-01-02 03:04:05"},
                     o, e),
              0)
        << e.str();
    EXPECT_EQ(o.str(), "wrote " + out + "\n");
    const std::string text = ReadBytes(out);
    const std::string date = std::to_string(CTime(2024, 1, 2, 3, 4, 5).GetTime());
    EXPECT_NE(text.find("ADD_DATE=\"" + date + "\""), std::string::npos);

    // The sample's records, all of them, in the browser's reading.
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(TestDataPath("sample.pmk").c_str()));
    const std::string outline = ReadAsBrowser(text);
    for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i)
        EXPECT_NE(outline.find(ToUtf8(doc.m_PtrAry[i]->m_Title)), std::string::npos) << i;

    std::ostringstream o2, e2;
    EXPECT_EQ(RunCli({"export-bookmarks", dir.File("missing.pmk"), out}, o2, e2), 2);
    EXPECT_EQ(RunCli({"export-bookmarks", TestDataPath("sample.pmk"), dir.File("no/such/dir.html")},
                     o2, e2),
              2);
}
