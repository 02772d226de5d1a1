// Links from the clipboard and from drags: the formats' bytes as browsers
// put them there, read into a title and an address.
#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "convert/LinkData.h"
#include "tests/native/TestSupport.h"

namespace {

// UTF-8 as UTF-16LE bytes with the terminating NUL (BMP only, enough here).
std::string Utf16(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned c = static_cast<unsigned char>(utf8[i]);
        int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        if (n == 2) c = ((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
        if (n == 3) c = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
        i += n;
    }
    return out + std::string(2, '\0');
}

// A CF_HTML block as browsers write it: the header's offsets count bytes
// from the start of the block.
std::string CfHtml(const std::string& fragment) {
    const std::string pre = "<html><body>\r\n<!--StartFragment-->";
    const std::string post = "<!--EndFragment-->\r\n</body></html>";
    char header[200];
    const char* fmt =
        "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\n"
        "EndFragment:%010zu\r\nSourceURL:https://source.example/\r\n";
    const size_t nHeader =
        snprintf(header, sizeof header, fmt, size_t(0), size_t(0), size_t(0), size_t(0));
    const size_t nStart = nHeader + pre.size();
    snprintf(header, sizeof header, fmt, nHeader, nStart + fragment.size() + post.size(), nStart,
             nStart + fragment.size());
    return header + pre + fragment + post;
}

// A FileGroupDescriptor(W) with one file of this name.
std::string Descriptor(const std::string& nameUtf8, bool bWide) {
    std::string data(4 + 72, '\0');
    data[0] = 1;
    std::string name = bWide ? Utf16(nameUtf8) : Ansi(nameUtf8.c_str()).str();
    name.resize(bWide ? 520 : 260, '\0');
    return data + name;
}

}  // namespace

TEST(LinkData, CfHtmlFragmentAndAnchor) {
    struct Case {
        const char* name;
        std::string data;
        const char* href;  // nullptr: no anchor found
        const char* text;
    };
    const Case cases[] = {
        {"link copied from a page",
         CfHtml("<a href=\"https://example.com/a?b=1&amp;c=2\">Example "
                "&amp; <b>Co</b>\r\n  page</a>"),
         "https://example.com/a?b=1&c=2", "Example & Co page"},
        {"japanese text, single quotes, other attributes first",
         CfHtml("<A class=x HREF='http://jp.example/' target=_blank>日本語&#x3042;&#12354;</A>"),
         "http://jp.example/", "日本語ああ"},
        {"unquoted href; an anchor without href skipped",
         CfHtml("<a name=top>top</a> <a href=http://b.example/>B</a>"), "http://b.example/", "B"},
        {"offsets out of range: the comments decide",
         "Version:0.9\r\nStartFragment:0000099999\r\nEndFragment:0000099999\r\n<html>"
         "<!--StartFragment--><a href=\"http://c/\">C</a><!--EndFragment--></html>",
         "http://c/", "C"},
        {"no anchor", CfHtml("just <b>text</b>"), nullptr, nullptr},
        {"no <a but <abbr", CfHtml("<abbr href=\"http://x/\">x</abbr>"), nullptr, nullptr},
        {"the whole text, </abbr> included",
         CfHtml("<a href=\"http://w/\"><abbr>WHO</abbr> report</a>"), "http://w/", "WHO report"},
        {"anchors in a comment, a textarea or an attribute are no links",
         CfHtml(
             "<!-- <a href=\"http://comment/\">c</a> --><textarea><a href=\"http://area/\">"
             "</textarea><img alt='<a href=\"http://attr/\">'><a href=\"http://real/\">Real</a>"),
         "http://real/", "Real"},
        {"an anchor that never ends takes the text to the end",
         CfHtml("<a href=\"http://open/\">Open <i>end"), "http://open/", "Open end"},
    };
    for (const Case& c : cases) {
        std::string fragment, href, text;
        ASSERT_TRUE(CfHtmlFragment(c.data, fragment)) << c.name;
        const bool bFound = FindHtmlAnchor(fragment, href, text);
        EXPECT_EQ(bFound, c.href != nullptr) << c.name;
        if (bFound && c.href) {
            EXPECT_EQ(href, c.href) << c.name;
            EXPECT_EQ(text, c.text) << c.name;
        }
    }
    std::string fragment;
    EXPECT_FALSE(CfHtmlFragment("<a href=\"http://x/\">x</a>", fragment));
}

// Markup written to make the search go over it again and again: each shape
// is read once, and the link after it is still found.
TEST(LinkData, HostileMarkupIsReadOnce) {
    auto repeat = [](const std::string& s, size_t n) {
        std::string out;
        out.reserve(s.size() * n);
        for (size_t i = 0; i < n; ++i) out += s;
        return out;
    };
    const std::string link = "<a href=\"http://after/\">after</a>";
    const size_t n = 1 << 18;
    const std::pair<const char*, std::string> cases[] = {
        {"start tags without href", repeat("<a ", n) + ">" + link},
        {"anchors without href", repeat("<a x>", n) + link},
        {"end tags and text", repeat("</a x", n) + ">" + link},
        {"empty hrefs in one tag", repeat("<a href='' ", n) + ">" + link},
        {"comments", repeat("<!-- <a -->", n) + link},
        {"raw-text elements", repeat("<xmp>", n) + "</xmp>" + link},
    };
    for (const auto& [name, html] : cases) {
        std::string href, text;
        ASSERT_TRUE(FindHtmlAnchor(html, href, text)) << name;
        EXPECT_EQ(href, "http://after/") << name;
    }
}

TEST(LinkData, UrlInText) {
    using namespace std::string_literals;
    const std::pair<std::string, const char*> cases[] = {
        {"http://example.com/", "http://example.com/"},
        {"  https://example.com/a?b=c#d \r\n", "https://example.com/a?b=c#d"},
        {"ftp://ftp.example.jp/pub/\0garbage"s, "ftp://ftp.example.jp/pub/"},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {"svn+ssh://host/repo", "svn+ssh://host/repo"},
        {"hello world", nullptr},
        {"see http://example.com/ here", nullptr},
        {"http://", nullptr},
        {"example.com", nullptr},
        {"c:\\windows", nullptr},
        {"1http://x/", nullptr},
        {"", nullptr},
        {"http://a/\r\nhttp://b/", nullptr},
    };
    for (const auto& [text, expected] : cases) {
        std::string url;
        const bool bFound = UrlInText(text, url);
        EXPECT_EQ(bFound, expected != nullptr) << text;
        if (bFound && expected) {
            EXPECT_EQ(url, expected) << text;
        }
    }
}

TEST(LinkData, FileGroupDescriptorName) {
    TextCodePages pages(932, 932);
    std::string name;
    ASSERT_TRUE(FileGroupDescriptorName(Descriptor("日本語のページ.url", true), true, name));
    EXPECT_EQ(name, "日本語のページ.url");
    ASSERT_TRUE(FileGroupDescriptorName(Descriptor("ページ.URL", false), false, name));
    EXPECT_EQ(ShortcutTitle(name), "ページ");
    EXPECT_EQ(ShortcutTitle("a.url.txt"), "a.url.txt");
    EXPECT_FALSE(FileGroupDescriptorName(std::string(40, '\0'), true, name));
    std::string none = Descriptor("x.url", true);
    none[0] = 0;
    EXPECT_FALSE(FileGroupDescriptorName(none, true, name));
}

// The formats each browser drag or copy carries, and what becomes of them.
TEST(LinkData, LinkFromFormats) {
    struct Case {
        const char* name;
        LinkFormats f;
        const char* title;  // nullptr: refused
        const char* url;
    };
    auto fmt = [](auto fill) {
        LinkFormats f;
        fill(f);
        return f;
    };
    const Case cases[] = {
        {"address-bar icon: descriptor, URL and CF_HTML", fmt([](LinkFormats& f) {
             f.descriptorW = Descriptor("天気 - Example.url", true);
             f.urlW = Utf16("https://weather.example/tokyo");
             f.urlA = "https://weather.example/tokyo";
             f.html = CfHtml("<a href=\"https://weather.example/tokyo\">other</a>");
         }),
         "天気 - Example", "https://weather.example/tokyo"},
        {"link dragged: URL and CF_HTML anchor", fmt([](LinkFormats& f) {
             f.urlA = std::string("http://a.example/\0", 18);
             f.html = CfHtml("<a href=\"http://a.example/\">Anchor text</a>");
         }),
         "Anchor text", "http://a.example/"},
        {"URL alone: titled with the URL",
         fmt([](LinkFormats& f) { f.urlW = Utf16("http://b.example/"); }), "http://b.example/",
         "http://b.example/"},
        {".url file dragged from a folder", fmt([](LinkFormats& f) {
             f.descriptorA = Descriptor("Mirror.url", false);
             f.contents = "[InternetShortcut]\r\nURL=ftp://ftp.example.jp/pub/\r\n";
         }),
         "Mirror", "ftp://ftp.example.jp/pub/"},
        {"copied link: CF_HTML and text", fmt([](LinkFormats& f) {
             f.html = CfHtml("<a href=\"http://c.example/\">記事</a>");
             f.textW = Utf16("記事");
         }),
         "記事", "http://c.example/"},
        {"copied address: text only",
         fmt([](LinkFormats& f) { f.textA = std::string("http://d.example/\0", 18); }),
         "http://d.example/", "http://d.example/"},
        {"copied address: unicode text",
         fmt([](LinkFormats& f) { f.textW = Utf16(" http://e.example/日本 "); }),
         "http://e.example/日本", "http://e.example/日本"},
        {"text that is no address", fmt([](LinkFormats& f) {
             f.textW = Utf16("hello world");
             f.textA = "hello world";
         }),
         nullptr, nullptr},
        {"html without a link", fmt([](LinkFormats& f) { f.html = CfHtml("<b>bold</b>"); }),
         nullptr, nullptr},
        {"a file descriptor that is no shortcut", fmt([](LinkFormats& f) {
             f.descriptorW = Descriptor("photo.jpg", true);
             f.contents = "\xFF\xD8\xFF";
         }),
         nullptr, nullptr},
        {"nothing", LinkFormats(), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        CString strTitle, strURL;
        const bool bLink = LinkFromFormats(c.f, strTitle, strURL);
        EXPECT_EQ(bLink, c.title != nullptr) << c.name;
        if (bLink && c.title) {
            EXPECT_EQ(strTitle.str(), Ansi(c.title).str()) << c.name;
            EXPECT_EQ(strURL.str(), Ansi(c.url).str()) << c.name;
        }
    }
}

// Whatever a drag handler writes into the formats: only an address comes
// in, without tabs and line breaks; anything else is named as refused.
TEST(LinkData, OnlyAddressesComeIn) {
    struct Case {
        const char* name;
        LinkFormats f;
        const char* url;      // nullptr: refused
        const char* refused;  // what the refusal names
    };
    auto fmt = [](auto fill) {
        LinkFormats f;
        fill(f);
        return f;
    };
    const Case cases[] = {
        {"a switch", fmt([](LinkFormats& f) { f.urlW = Utf16("--browser-subprocess-path=x"); }),
         nullptr, "--browser-subprocess-path=x"},
        {"a network path in a .url file", fmt([](LinkFormats& f) {
             f.descriptorA = Descriptor("run.url", false);
             f.contents = "[InternetShortcut]\r\nURL=\\\\host\\s\\run.exe\r\n";
         }),
         nullptr, "\\\\host\\s\\run.exe"},
        {"a drive path", fmt([](LinkFormats& f) { f.urlA = "C:\\x.exe"; }), nullptr, "C:\\x.exe"},
        {"a control character", fmt([](LinkFormats& f) { f.urlA = "http://a/\x1b[2J"; }), nullptr,
         "http://a/\x1b[2J"},
        {"line breaks written as references", fmt([](LinkFormats& f) {
             f.html = CfHtml("<a href=\"http://x/&#13;&#10;IconFile=\\\\h\\i.ico\">X</a>");
         }),
         "http://x/IconFile=\\\\h\\i.ico", nullptr},
        {"tab and line breaks in the URL format",
         fmt([](LinkFormats& f) { f.urlA = "http://a/b\r\n\tc"; }), "http://a/bc", nullptr},
        {"another scheme is an address", fmt([](LinkFormats& f) { f.urlA = "news:comp.lang.c"; }),
         "news:comp.lang.c", nullptr},
    };
    for (const Case& c : cases) {
        CString strTitle, strURL, strRefused = "stale";
        const bool bLink = LinkFromFormats(c.f, strTitle, strURL, 0, &strRefused);
        EXPECT_EQ(bLink, c.url != nullptr) << c.name;
        if (c.url) {
            EXPECT_EQ(strURL.str(), c.url) << c.name;
            EXPECT_EQ(strRefused.str(), "") << c.name;
        } else {
            EXPECT_EQ(strRefused.str(), c.refused) << c.name;
        }
    }
}

// CF_HDROP lists as a folder window writes them, and lists that would make
// a reader run past the block.
TEST(LinkData, FirstDroppedFile) {
    auto block = [](uint32_t nOffset, bool bWide, const std::string& list) {
        std::string b(20, '\0');
        for (int i = 0; i < 4; ++i) b[i] = static_cast<char>(nOffset >> (8 * i));
        b[16] = bWide ? 1 : 0;
        return b + list;
    };
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string data;
        const char* path;  // nullptr: refused
    } cases[] = {
        {"narrow", block(20, false, "C:\\a.url\0C:\\b\0\0"s), "C:\\a.url"},
        {"wide", block(20, true, Utf16("C:\\w.url") + Utf16("")), "C:\\w.url"},
        {"offset past the end", block(0x7FFFFFF0, false, "C:\\a\0\0"s), nullptr},
        {"offset inside the header", block(4, false, "C:\\a\0\0"s), nullptr},
        {"no end of the list", block(20, false, "C:\\a\0C:\\b"s), nullptr},
        {"wide list ending in half a character", block(20, true, "C\0:\0\0"s), nullptr},
        {"empty list", block(20, false, "\0\0"s), nullptr},
        {"too short", std::string(12, '\0'), nullptr},
    };
    for (const auto& c : cases) {
        std::string path;
        const bool bFound = FirstDroppedFile(c.data, path);
        EXPECT_EQ(bFound, c.path != nullptr) << c.name;
        if (bFound && c.path) {
            EXPECT_EQ(path, c.path) << c.name;
        }
    }
}
