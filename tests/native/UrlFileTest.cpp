// Internet-shortcut files: which address is found, fed whole or in pieces,
// and the bytes written.
#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "convert/UrlFile.h"
#include "fw/base/Platform.h"
#include "tests/native/TestSupport.h"

namespace {

// The scanner's answer for text fed in pieces of nPiece bytes, or the
// placeholder.
std::string Scan(const std::string& text, size_t nPiece) {
    CUrlFileScanner scanner;
    for (size_t i = 0; i < text.size(); i += nPiece) {
        if (!scanner.Feed(text.data() + i, std::min(nPiece, text.size() - i))) break;
    }
    CString url;
    return scanner.GetURL(url) ? url.str() : kMissedConversionURL;
}

}  // namespace

TEST(UrlFile, FindsTheAddress) {
    TextCodePages pages(932, 932);
    const std::string kMissed = kMissedConversionURL;
    struct {
        const char* name;
        std::string text;
        std::string url;
    } cases[] = {
        {"CR LF", "[InternetShortcut]\r\nURL=http://a/\r\n", "http://a/"},
        {"LF", "[InternetShortcut]\nURL=http://a/\n", "http://a/"},
        {"no final line end", "[InternetShortcut]\r\nURL=http://a/", "http://a/"},
        {"last line keeps its carriage returns", "URL=http://a/\r\r", "http://a/\r\r"},
        {"only one carriage return goes", "URL=http://a/\r\r\n", "http://a/\r"},
        {"empty address stands", "[InternetShortcut]\r\nURL=\r\nIconIndex=0\r\n", ""},
        {"BASEURL= counts",
         "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://u/\r\n",
         "http://base/"},
        {"URL= wins over an earlier url=", "url=http://lower/\r\nURL=http://upper/\r\n",
         "http://upper/"},
        {"url= when there is no URL=", "[InternetShortcut]\r\nurl=http://lower/\r\n",
         "http://lower/"},
        {"URL= inside the url= line", "url=xURL=http://in/\r\n", "http://in/"},
        {"other cases are not found", "[InternetShortcut]\r\nUrl=http://a/\r\n", kMissed},
        {"nothing", "no shortcut here", kMissed},
        {"empty file", "", kMissed},
        {"the text ends at a NUL", std::string("[InternetShortcut]\r\n\0URL=http://a/\r\n", 35),
         kMissed},
        {"address cut at a NUL", std::string("URL=http://a/\0tail\r\n", 20), "http://a/"},
        // 0x83 is a lead byte in code page 932: "\x83U" is one character.
        {"a trail byte is not a U", "\x83URL=http://hidden/\r\nurl=http://seen/\r\n",
         "http://seen/"},
        {"a line feed as trail byte does not end the line", "URL=a\x81\nb\r\nc", "a\x81\nb"},
        {"restart after a partial match", "UURL=http://u/\n", "http://u/"},
    };
    for (auto& c : cases) {
        for (size_t nPiece : {c.text.size() + 1, size_t(1), size_t(2), size_t(3), size_t(5)})
            EXPECT_EQ(Scan(c.text, nPiece), c.url) << c.name << ", pieces of " << nPiece;
    }
}

TEST(UrlFile, OverlongAddressesCountAsNone) {
    const std::string huge(kMaxShortcutURL + 10, 'x');
    EXPECT_EQ(Scan("URL=" + huge + "\r\n", 4096), kMissedConversionURL);
    // An over-long url= line does not hide a later URL=.
    EXPECT_EQ(Scan("url=" + huge + "\r\nURL=http://u/\r\n", 4096), "http://u/");
    EXPECT_EQ(Scan("URL=" + std::string(kMaxShortcutURL, 'y') + "\r\n", 4096).size(),
              kMaxShortcutURL);
}

TEST(UrlFile, ReadsFilesAndWritesTheTwoLines) {
    ScratchDir dir;
    const std::string path = dir.File("a.url");
    EXPECT_EQ(ReadUrlFile(path), kMissedConversionURL);  // missing file
    for (const char* url : {"http://www.example.com/a b?c=\"d\"", ""}) {
        ASSERT_EQ(WriteUrlFile(path, url), 1);
        EXPECT_EQ(ReadBytes(path), std::string("[InternetShortcut]\r\nURL=") + url + "\r\n");
        EXPECT_EQ(ReadUrlFile(path), url);
    }
    // Written over a longer file, nothing of it remains.
    WriteBytes(path, std::string(100, 'z'));
    ASSERT_EQ(WriteUrlFile(path, "u"), 1);
    EXPECT_EQ(ReadBytes(path), "[InternetShortcut]\r\nURL=u\r\n");
    EXPECT_EQ(WriteUrlFile(dir.File("no/such/dir.url"), "u"), 0);

    // A line break or a NUL would make lines of its own: nothing is made.
    using namespace std::string_literals;
    for (const std::string& url :
         {"http://x/\r\nIconFile=\\\\h\\s\\i.ico"s, "http://x/\rIconIndex=1"s,
          "http://x/\nIconIndex=1"s, "http://x/\0tail"s}) {
        const std::string strRefused = dir.File("refused.url");
        EXPECT_EQ(WriteUrlFile(strRefused, CString(url)), 0) << url;
        EXPECT_FALSE(platform::FileExists(strRefused)) << url;
    }
}
