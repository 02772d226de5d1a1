// The bookmark file reader: the markup rules (tags, attributes, nesting,
// titles), character references, descriptions, character sets, the record
// order and IDs, and the depth guard.
#include <gtest/gtest.h>

#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/base/CodePage.h"
#include "tests/native/ConvertTestSupport.h"

namespace {

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

// The records under nID as an outline: "+ folder", "- title | url", and
// "= memo" under the entry it belongs to, two blanks per level.
std::string Tree(const COrdelinkDoc& doc, int nID, int nDepth = 0) {
    std::string out;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        const CUrlItem* p = t[i];
        if (p->m_ParentID != nID || static_cast<int>(p->m_ID) == nID) continue;
        const std::string indent(nDepth * 2, ' ');
        out += indent +
               (p->m_IsURL ? "- " + p->m_Title.str() + " | " + p->m_URL.str()
                           : "+ " + p->m_Title.str()) +
               "\n";
        if (!p->m_Memo.IsEmpty()) out += indent + "= " + p->m_Memo.str() + "\n";
        if (!p->m_IsURL) out += Tree(doc, p->m_ID, nDepth + 1);
    }
    return out;
}

// Imports the bytes under a new import folder, the document's text in
// UTF-8, checking the order and reports every import keeps.
std::string Read(const std::string& bytes, int* pResult = nullptr) {
    CodePageGuard utf8(65001);
    CBookmarkFile file;
    file.SetText(bytes);
    COrdelinkDoc doc;
    const int nFolder = AddImportFolder(doc, "Bookmark");
    RecordingObserver obs;
    const int nResult = ImportBookmarkTree(doc, file, nullptr, 1, &obs);
    if (pResult) *pResult = nResult;
    ExpectReportsMatch(doc, obs, nFolder + 1, 1);
    ExpectImportOrder(doc, nFolder + 1, 1);
    return Tree(doc, 1);
}

std::string Crlf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The title of the only link of <DT><A HREF="u">title</A>.
std::string LinkTitle(const std::string& head, const std::string& title) {
    const std::string tree = Read(head + "<DL><p><DT><A HREF=\"u\">" + title + "</A></DL>");
    if (tree.compare(0, 2, "- ") != 0 || tree.size() < 7) return "(no link) " + tree;
    return tree.substr(2, tree.size() - 7);  // without "- " and " | u\n"
}

}  // namespace

TEST(BookmarkImport, MarkupRules) {
    const char* kHead =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n"
        "<H1>Bookmarks</H1>\n";
    struct {
        const char* name;
        std::string body;
        const char* tree;
    } cases[] = {
        {"the layout browsers write",
         "<DL><p>\n"
         "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\n"
         "    <DT><H3 ADD_DATE=\"1\">F</H3>\n"
         "    <DL><p>\n"
         "        <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">B</A>\n"
         "    </DL><p>\n"
         "</DL><p>\n",
         "- A | http://a/\n+ F\n  - B | http://b/\n"},
        {"links without ADD_DATE; HREF wherever it stands; names in any case",
         "<dl><dt><a href=\"http://1/\">one</a>\n"
         "<DT><A ALIASID=\"0\" HREF=\"http://2/\" ADD_DATE=\"1\">two</A>\n"
         "<Dt><a SUBSCRIBE LASTUPDATE=9 hReF='http://3/?q=\"x\"'>three</A>\n"
         "<DT><A HREF=http://4/ ICON=\"data:a>b\">four</A></DL>",
         "- one | http://1/\n- two | http://2/\n- three | http://3/?q=\"x\"\n- four | http://4/\n"},
        {"a blank before '>' and a title across lines, its white space folded",
         "<DL><p>\n<DT><A HREF=\"http://x/\" ADD_DATE=\"1\" >Title</A>\n"
         "<DT><H3 FOLDED >  Two\n\t  lines </H3>\n</DL>",
         "- Title | http://x/\n+ Two lines\n"},
        {"no indentation, several entries on a line",
         "<DL><DT><H3>F</H3><DL><DT><A HREF=\"1\">a</A><DT><A HREF=\"2\">b</A></DL>"
         "<DT><A HREF=\"3\">c</A></DL>",
         "- c | 3\n+ F\n  - a | 1\n  - b | 2\n"},
        {"indentation does not count",
         "<DL><p>\n\t<DT><H3>F</H3>\n<DL><p>\n\t\t\t\t\t\t\t\t<DT><A HREF=\"in\">In</A>\n"
         "                </DL><p>\n<DT><A HREF=\"out\">Out</A>\n</DL><p>\n",
         "- Out | out\n+ F\n  - In | in\n"},
        {"a list without a folder keeps its entries in the folder around it",
         "<DL><DT><A HREF=\"1\">a</A><DL><DT><A HREF=\"2\">b</A></DL><DT><A HREF=\"3\">c</A></DL>",
         "- a | 1\n- b | 2\n- c | 3\n"},
        {"a folder without a list is empty; a list after another entry is no folder's",
         "<DL><DT><H3>Empty</H3><DT><H3>Full</H3><DL><DT><A HREF=\"1\">a</A></DL>"
         "<DT><H3>Late</H3><DT><A HREF=\"2\">b</A><DL><DT><A HREF=\"3\">c</A></DL></DL>",
         "- b | 2\n- c | 3\n+ Empty\n+ Full\n  - a | 1\n+ Late\n"},
        {"an end of list too many is ignored; a missing one ends with the file",
         "</DL><DL><DT><H3>F</H3><DL><DT><A HREF=\"1\">a</A></DL></DL></DL>"
         "<DT><A HREF=\"2\">b</A><DT><H3>G</H3><DL><DT><A HREF=\"3\">c</A>",
         "- b | 2\n+ F\n  - a | 1\n+ G\n  - c | 3\n"},
        {"entries before any list, a second file after the first",
         "<DT><A HREF=\"1\">a</A>\n<DL><DT><A HREF=\"2\">b</A></DL>\n"
         "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<H1>Again</H1><DL><DT><A HREF=\"3\">c</A></DL>",
         "- a | 1\n- b | 2\n- c | 3\n"},
        {"tags inside a title are left out, their text kept; a lone '<' is text",
         "<DL><DT><A HREF=\"1\">a <B>bold</B> <img src=x>c</A><DT><A HREF=\"2\">x < y</A></DL>",
         "- a bold c | 1\n- x < y | 2\n"},
        {"a title without its end tag ends where the next entry starts",
         "<DL><DT><A HREF=\"1\">open\n<DT><A HREF=\"2\">next</A><DT><H3>F\n<DL></DL></DL>",
         "- open | 1\n- next | 2\n+ F\n"},
        {"comments, scripts and the document title hide what looks like entries",
         "<!-- <DT><A HREF=\"c\">hidden</A> --><!--><TITLE><DT><A HREF=\"t\">no</A></TITLE>"
         "<script>x = '<DT><A HREF=\"s\">no</A>';</SCRIPT ><DL><DT><A HREF=\"1\">a</A></DL>",
         "- a | 1\n"},
        {"an empty title, a link without an address, separators",
         "<DL><DT><A HREF=\"1\"></A><HR><DT><A NAME=\"x\">named</A>\n<HR>    <DT><A "
         "HREF=\"2\">b</A>"
         "</DL>",
         "-  | 1\n- named | \n- b | 2\n"},
        {"a file that ends inside a tag loses only that tag",
         "<DL><DT><A HREF=\"1\">a</A><DT><A HREF=\"2>b</A></DL>", "- a | 1\n"},
    };
    for (auto& c : cases) {
        for (bool bCrlf : {false, true}) {
            const std::string text = kHead + c.body;
            int nResult = -1;
            EXPECT_EQ(Read(bCrlf ? Crlf(text) : text, &nResult), c.tree)
                << c.name << (bCrlf ? " (CR LF)" : "");
            EXPECT_EQ(nResult, 1) << c.name;
        }
    }
}

TEST(BookmarkImport, CharacterReferences) {
    struct {
        const char* written;
        const char* title;  // read as a title
        const char* url;    // read as an address
    } cases[] = {
        {"Bed &amp; Breakfast", "Bed & Breakfast", "Bed & Breakfast"},
        {"?a=1&amp;b=2&AMP;c=3", "?a=1&b=2&c=3", "?a=1&b=2&c=3"},
        {"&lt;b&gt; &quot;q&quot; &#39;s&#39; &apos;t&apos;", "<b> \"q\" 's' 't'",
         "<b> \"q\" 's' 't'"},
        {"a&nbsp;b",
         "a\xC2\xA0"
         "b",
         "a\xC2\xA0"
         "b"},
        {"&#12354;&#x3042;&#X3042;&#128512;", "あああ😀", "あああ😀"},
        // What browsers make of numbers that name no character, and of
        // 128 to 159.
        {"&#0;&#xD800;&#x110000;&#99999999999;", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"&#150;&#x93;", "\xE2\x80\x93\xE2\x80\x9C", "\xE2\x80\x93\xE2\x80\x9C"},
        // A bare '&', unknown names and a '&#' without digits stay text.
        {"Tom & Jerry &copy; &unknown; &#; &#x;", "Tom & Jerry &copy; &unknown; &#; &#x;",
         "Tom & Jerry &copy; &unknown; &#; &#x;"},
        // Without the semicolon: decoded in text; in an address only where
        // no letter, digit or '=' follows (a query's "&ampx=").
        {"&amp &lt3 &#38", "& <3 &", "& &lt3 &"},
        {"?x=1&ampy=2&amp=3", "?x=1&y=2&=3", "?x=1&ampy=2&amp=3"},
        // A blank written as a reference is the title's own, not folded.
        {"&#32;a&#32;&#32;b&#32;", " a  b ", " a  b "},
        {"line&#10;break&#9;tab", "line\nbreak\ttab", "line\nbreak\ttab"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(LinkTitle("", c.written), c.title) << c.written;
        std::string attr = c.written;
        for (size_t i = 0; (i = attr.find('"', i)) != std::string::npos;)
            attr.replace(i, 1, "&quot;");
        EXPECT_EQ(Read("<DL><DT><A HREF=\"" + attr + "\">t</A></DL>"),
                  std::string("- t | ") + c.url + "\n")
            << c.written;
    }
}

TEST(BookmarkImport, Descriptions) {
    struct {
        const char* name;
        std::string body;
        const char* tree;
    } cases[] = {
        {"a link's and a folder's, each up to the next entry or list",
         "<DL><p>\n    <DT><H3>F</H3>\n<DD>About F\n    <DL><p>\n"
         "        <DT><A HREF=\"1\">a</A>\n\t<DD>About a\n        <DT><A HREF=\"2\">b</A>\n"
         "    </DL><p>\n</DL>",
         "+ F\n= About F\n  - a | 1\n  = About a\n  - b | 2\n"},
        {"several lines with blank ones: CR LF breaks, blanks at either end dropped",
         "<DL><DT><A HREF=\"1\">a</A>\n<DD>  First line\n\nthird  \r\n  fourth \n\n<HR>"
         "<DT><A HREF=\"2\">b</A><DD>x\ry</DL>",
         "- a | 1\n= First line\r\n\r\nthird  \r\n  fourth\n- b | 2\n= x\r\ny\n"},
        {"references decoded, tags left out, text kept",
         "<DL><DT><A HREF=\"1\">a</A><DD>&lt;b&gt; &amp; <B>bold</B>&#32;</DL>",
         "- a | 1\n= <b> & bold \n"},
        {"two descriptions of one entry go on two lines",
         "<DL><DT><A HREF=\"1\">a</A><DD>one<DD>two</DL>", "- a | 1\n= one\r\ntwo\n"},
        {"after a folder's list, the folder's",
         "<DL><DT><H3>F</H3><DL><DT><A HREF=\"1\">a</A></DL><DD>About F</DL>",
         "+ F\n= About F\n  - a | 1\n"},
        {"none before the first entry of a list, an empty one none at all",
         "<DD>Stray<DL><DD>Also stray<DT><A HREF=\"1\">a</A><DD>\n<DT><A HREF=\"2\">b</A></DL>",
         "- a | 1\n- b | 2\n"},
    };
    for (auto& c : cases) EXPECT_EQ(Read(c.body), c.tree) << c.name;
}

TEST(BookmarkImport, CharacterSets) {
    const std::string kJapanese = "日本語ｱ";
    auto meta = [](const char* pszCharset) {
        return std::string("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=") +
               pszCharset + "\">\n";
    };
    struct {
        const char* name;
        std::string head;
        std::string title;  // as the file holds it
        std::string read;   // in UTF-8
    } cases[] = {
        {"declared UTF-8", meta("UTF-8"), kJapanese, kJapanese},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF", kJapanese, kJapanese},
        {"UTF-8 without a declaration", "", kJapanese, kJapanese},
        {"declared Shift_JIS", meta("Shift_JIS"), "\x93\xFA\x96\x7B\x8C\xEA\xB1", kJapanese},
        {"declared Windows-31J", meta("windows-31j"), "\x93\xFA\x96\x7B\x8C\xEA\xB1", kJapanese},
        {"declared EUC-JP", meta("EUC-JP"), "\xC6\xFC\xCB\xDC\xB8\xEC\x8E\xB1", kJapanese},
        {"EUC-JP's other plane and broken pairs", meta("x-euc-jp"), "\x8F\xB0\xA1|\xC6|\xFF",
         "\xEF\xBF\xBD|\xEF\xBF\xBD|\xEF\xBF\xBD"},
        {"undeclared, not UTF-8: the system's code page", "", "\x93\xFA\x96\x7B\x8C\xEA\xB1",
         kJapanese},
        {"ISO-8859-1 read as windows-1252", meta("ISO-8859-1"), "caf\xE9 \x93q\x94", "café “q”"},
        {"windows-1252", "<meta charset='windows-1252'>", "\x80\x81", "€\xC2\x81"},
        {"x-mac-roman", meta("x-mac-roman"), "\x8E\xD5\xC9", "é’…"},
        {"X-MAC-SYSTEM", meta("X-MAC-SYSTEM"), "\x8E\xD5\xC9", "é’…"},
        {"broken UTF-8 declared", meta("utf-8"),
         "a\xFF"
         "b\xE6\x97",
         "a\xEF\xBF\xBD"
         "b\xEF\xBF\xBD\xEF\xBF\xBD"},
        // An entry's own LAST_CHARSET is no declaration of the file's.
        {"a charset after the first list", "", "caf\xC3\xA9", "café"},
    };
    for (auto& c : cases) {
        const std::string body =
            c.head + "<DL><p>\n<DT><A HREF=\"u\" LAST_CHARSET=\"ISO-8859-1\">" + c.title + "</A>\n";
        EXPECT_EQ(Read(body), "- " + c.read + " | u\n") << c.name;
    }

    // UTF-16 with its mark, either byte order.
    const std::u16string text = u"<DL><DT><A HREF=\"u\">日本語ｱ😀</A></DL>";
    for (bool bBig : {false, true}) {
        std::string bytes = bBig ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t c : text) {
            const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            bytes += bBig ? hi : lo;
            bytes += bBig ? lo : hi;
        }
        EXPECT_EQ(Read(bytes), "- 日本語ｱ😀 | u\n") << bBig;
    }

    // Into a Shift_JIS document: the code page's own bytes (what it cannot
    // hold becomes what the system makes of it).
    CodePageGuard sjis(932);
    CBookmarkFile file;
    file.SetText(meta("utf-8") + "<DL><DT><A HREF=\"http://x/?q=日本\">日本語 😀</A></DL>");
    ASSERT_EQ(file.GetEntries().size(), 1u);
    EXPECT_EQ(file.GetEntries()[0].strTitle.Left(7), Ansi("日本語 "));
    EXPECT_EQ(file.GetEntries()[0].strURL, Ansi("http://x/?q=日本"));
}

TEST(BookmarkImport, RecordOrderAndIds) {
    // Links of a folder first, then each folder followed by its contents;
    // every record takes the smallest free ID when it is filled.
    COrdelinkDoc doc;
    for (int id : {1, 2, 5}) AddRecord(doc, id, 0, "old", 0);
    CBookmarkFile file;
    file.SetText(
        "<DL><DT><H3>F</H3><DL><DT><A HREF=\"b\">B</A></DL><DT><A HREF=\"a\">A</A>"
        "<DT><H3>G</H3><DL></DL><DT><A HREF=\"c\">C</A><DD>memo</DL>");
    const int nFolder = AddImportFolder(doc, "Bookmark");
    EXPECT_EQ(doc.m_PtrAry[nFolder]->m_ID, 3);
    EXPECT_EQ(ImportBookmarkTree(doc, file, nullptr, 3), 1);
    std::string records;
    for (int i = nFolder + 1; i < doc.m_PtrAry.GetSize(); ++i) {
        const CUrlItem* p = doc.m_PtrAry[i];
        records += std::to_string(p->m_ID) + "<" + std::to_string(p->m_ParentID) + " " +
                   p->m_Title.str() + "|" + p->m_URL.str() + "|" + p->m_Memo.str() + "\n";
    }
    EXPECT_EQ(records, "4<3 A|a|\n6<3 C|c|memo\n7<3 F||\n8<7 B|b|\n9<3 G||\n");
}

TEST(BookmarkImport, DepthGuard) {
    // Folders nested far deeper than any collection: every entry is
    // imported, the nesting kept down to the guard's depth, the rest flat,
    // and the import says it did not keep the shape.
    const int kDepth = kBookmarkMaxDepth + 500;
    std::string text;
    for (int i = 0; i < kDepth; ++i) text += "<DT><H3>f</H3><DL><DT><A HREF=\"u\">l</A>";
    CBookmarkFile file;
    file.SetText(text);
    COrdelinkDoc doc;
    AddImportFolder(doc, "B");
    EXPECT_EQ(ImportBookmarkTree(doc, file, nullptr, 1), 0);
    ASSERT_EQ(doc.m_PtrAry.GetSize(), 1 + 2 * kDepth);
    int nDeepest = 0;
    for (int i = 1; i < doc.m_PtrAry.GetSize(); ++i) {
        int nDepth = 1;
        for (int id = doc.m_PtrAry[i]->m_ParentID; id != 1;
             id = doc.m_PtrAry.FindID(id)->m_ParentID)
            ++nDepth;
        nDeepest = std::max(nDeepest, nDepth);
    }
    EXPECT_EQ(nDeepest, kBookmarkMaxDepth);

    // Lists alone, 250,000 deep, cost no more than their bytes.
    std::string deep;
    for (int i = 0; i < 250000; ++i) deep += "<DL>";
    CBookmarkFile lists;
    lists.SetText(deep + "<A HREF=\"u\">deep</A>");
    ASSERT_EQ(lists.GetEntries().size(), 1u);
    EXPECT_EQ(lists.GetEntries()[0].nParent, -1);
}
