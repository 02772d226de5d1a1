#include "convert/LinkData.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "convert/HtmlScanner.h"
#include "convert/IncomingAddress.h"
#include "convert/UrlFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The text before the first NUL byte: clipboard text ends with one or more.
std::string BeforeNul(const std::string& s) {
    return s.substr(0, s.find('\0'));
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Character references: the few named ones pages use in links, and numeric
// ones. Anything else stays as written.
std::string DecodeReferences(const std::string& s) {
    static const std::pair<const char*, const char*> kNamed[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        // A reference is short: its end is looked for a few characters on.
        const size_t semi = s[i] == '&' ? s.substr(i, 12).find(';') : std::string::npos;
        if (semi == std::string::npos) {
            out += s[i];
            continue;
        }
        const std::string name = s.substr(i + 1, semi - 1);
        bool bDone = false;
        if (name.size() > 1 && name[0] == '#') {
            const bool bHex = name[1] == 'x' || name[1] == 'X';
            const std::string digits = name.substr(bHex ? 2 : 1);
            char* pEnd = nullptr;
            const unsigned long cp = std::strtoul(digits.c_str(), &pEnd, bHex ? 16 : 10);
            if (!digits.empty() && *pEnd == '\0' &&
                std::isxdigit(static_cast<unsigned char>(digits[0]))) {
                AppendUtf8(out, cp);
                bDone = true;
            }
        } else {
            for (const auto& [pszName, pszChar] : kNamed) {
                if (Lower(name) == pszName) {
                    out += pszChar;
                    bDone = true;
                    break;
                }
            }
        }
        if (bDone)
            i += semi;
        else
            out += s[i];
    }
    return out;
}

// A header field's number in CF_HTML ("StartFragment:0000000123"); -1 when
// missing or not a number.
long HeaderNumber(const std::string& header, const char* pszName) {
    const std::string key = std::string(pszName) + ":";
    size_t p = header.find(key);
    if (p == std::string::npos || (p > 0 && header[p - 1] != '\n')) return -1;
    p += key.size();
    char* pEnd = nullptr;
    const long n = std::strtol(header.c_str() + p, &pEnd, 10);
    return pEnd == header.c_str() + p ? -1 : n;
}

std::string Utf16ToUtf8(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        unsigned long c =
            static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (c == 0) break;
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const unsigned long lo = static_cast<unsigned char>(bytes[i + 2]) |
                                     (static_cast<unsigned char>(bytes[i + 3]) << 8);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string CodePageToUtf8(const std::string& text, int nCodePage) {
    std::string out;
    if (!platform::CodePageToUtf8(text, nCodePage, out)) return text;
    return out;
}

CString Utf8ToCodePage(const std::string& text, int nCodePage) {
    std::string out;
    if (!platform::Utf8ToCodePage(text, nCodePage, out)) out = text;
    return CString(out);
}

}  // namespace

bool CfHtmlFragment(const std::string& data, std::string& fragment) {
    if (data.compare(0, 8, "Version:") != 0) return false;
    const std::string header = data.substr(0, data.find('<'));
    const long nStart = HeaderNumber(header, "StartFragment");
    const long nEnd = HeaderNumber(header, "EndFragment");
    if (nStart >= 0 && nEnd >= nStart && static_cast<size_t>(nEnd) <= data.size()) {
        fragment = data.substr(nStart, nEnd - nStart);
        return true;
    }
    const size_t nOpen = data.find("<!--StartFragment-->");
    const size_t nClose = data.find("<!--EndFragment-->");
    if (nOpen != std::string::npos && nClose != std::string::npos && nClose > nOpen) {
        const size_t nFrom = nOpen + strlen("<!--StartFragment-->");
        fragment = data.substr(nFrom, nClose - nFrom);
        return true;
    }
    fragment = BeforeNul(data.substr(header.size()));
    return true;
}

bool FindHtmlAnchor(const std::string& html, std::string& href, std::string& text) {
    // One pass: every tag, comment and raw-text element is read once, and the
    // search goes on after it, so hostile markup costs what its length costs.
    CHtmlScanner scan(html);
    for (;;) {
        const CHtmlScanner::Item item = scan.Next();
        if (item.kind == CHtmlScanner::End) return false;
        if (item.kind != CHtmlScanner::StartTag || item.name != "a" || !item.bHref) continue;
        href = Trim(DecodeReferences(item.href));
        if (href.empty()) continue;
        // The anchor's whole text: tags left out, up to its end tag (or the
        // next anchor, which ends it too).
        std::string plain;
        for (;;) {
            const CHtmlScanner::Item inner = scan.Next();
            if (inner.kind == CHtmlScanner::End) break;
            if (inner.kind == CHtmlScanner::Text) plain.append(html, inner.nBegin, inner.nLength);
            if ((inner.kind == CHtmlScanner::EndTag || inner.kind == CHtmlScanner::StartTag) &&
                inner.name == "a")
                break;
        }
        plain = DecodeReferences(plain);
        text.clear();
        for (char c : plain) {
            if (IsBlank(c)) {
                if (!text.empty() && text.back() != ' ') text += ' ';
            } else {
                text += c;
            }
        }
        text = Trim(text);
        return true;
    }
}

bool UrlInText(const std::string& text, std::string& url) {
    const std::string s = Trim(BeforeNul(text));
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
    size_t i = 0;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '+' ||
                            s[i] == '-' || s[i] == '.'))
        ++i;
    if (i == s.size() || s[i] != ':') return false;
    const std::string scheme = Lower(s.substr(0, i));
    const bool bAuthority = s.compare(i, 3, "://") == 0 && s.size() > i + 3;
    const bool bMail = scheme == "mailto" && s.size() > i + 1;
    if (!bAuthority && !bMail) return false;
    url = s;
    return true;
}

bool FileGroupDescriptorName(const std::string& data, bool bWide, std::string& nameUtf8) {
    // FILEGROUPDESCRIPTOR: a 32-bit count, then FILEDESCRIPTORs whose name
    // (MAX_PATH characters) starts 72 bytes in.
    const size_t kNameOffset = 4 + 72;
    const size_t kNameBytes = bWide ? 520 : 260;
    if (data.size() <= kNameOffset) return false;
    const uint32_t nItems = static_cast<unsigned char>(data[0]) |
                            (static_cast<unsigned char>(data[1]) << 8) |
                            (static_cast<unsigned char>(data[2]) << 16) |
                            (static_cast<uint32_t>(static_cast<unsigned char>(data[3])) << 24);
    if (nItems == 0) return false;
    const std::string name = data.substr(kNameOffset, kNameBytes);
    nameUtf8 = bWide ? Utf16ToUtf8(name) : CodePageToUtf8(BeforeNul(name), codepage::Legacy());
    return !nameUtf8.empty();
}

bool FirstDroppedFile(const std::string& block, std::string& path) {
    // DROPFILES: the list's offset (32 bits), a point, two 32-bit flags,
    // the second telling UTF-16 names.
    const size_t kHeader = 20;
    if (block.size() < kHeader) return false;
    auto dword = [&block](size_t p) {
        return static_cast<uint32_t>(static_cast<unsigned char>(block[p])) |
               (static_cast<uint32_t>(static_cast<unsigned char>(block[p + 1])) << 8) |
               (static_cast<uint32_t>(static_cast<unsigned char>(block[p + 2])) << 16) |
               (static_cast<uint32_t>(static_cast<unsigned char>(block[p + 3])) << 24);
    };
    const uint32_t nList = dword(0);
    const bool bWide = dword(16) != 0;
    if (nList < kHeader || nList >= block.size()) return false;
    const size_t nUnit = bWide ? 2 : 1;
    auto unitAt = [&](size_t p) {
        return bWide ? (static_cast<unsigned char>(block[p]) |
                        (static_cast<unsigned char>(block[p + 1]) << 8))
                     : static_cast<unsigned char>(block[p]);
    };
    size_t nFirstEnd = std::string::npos;
    bool bPreviousNul = false;
    for (size_t p = nList; p + nUnit <= block.size(); p += nUnit) {
        const bool bNul = unitAt(p) == 0;
        if (bNul && nFirstEnd == std::string::npos) nFirstEnd = p;
        if (bNul && (bPreviousNul || p == nList)) {
            if (nFirstEnd == nList) return false;  // an empty list
            if (!bWide) {
                path = block.substr(nList, nFirstEnd - nList);
                return true;
            }
            std::u16string name;
            for (size_t q = nList; q < nFirstEnd; q += 2) name += static_cast<char16_t>(unitAt(q));
            return platform::Utf16ToCodePage(name, codepage::Active(), path);
        }
        bPreviousNul = bNul;
    }
    return false;
}

std::string ShortcutTitle(const std::string& name) {
    if (name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".url")
        return name.substr(0, name.size() - 4);
    return name;
}

bool LinkFromFormats(const LinkFormats& f, CString& strTitle, CString& strURL, int nCodePage,
                     CString* pstrRefused) {
    if (pstrRefused) pstrRefused->Empty();
    // Narrow formats come from other programs, in the legacy code page,
    // unless the caller names the code page of both sides.
    const int nNarrow = nCodePage ? nCodePage : codepage::Legacy();
    if (nCodePage == 0) nCodePage = codepage::Active();
    std::string url, title;  // UTF-8
    std::string fragment, href, anchorText;
    const bool bAnchor = !f.html.empty() && CfHtmlFragment(f.html, fragment) &&
                         FindHtmlAnchor(fragment, href, anchorText);
    std::string name;
    const bool bName =
        (!f.descriptorW.empty() && FileGroupDescriptorName(f.descriptorW, true, name)) ||
        (!f.descriptorA.empty() && FileGroupDescriptorName(f.descriptorA, false, name));

    if (!f.urlW.empty()) url = Trim(Utf16ToUtf8(f.urlW));
    if (url.empty() && !f.urlA.empty()) url = Trim(CodePageToUtf8(BeforeNul(f.urlA), nNarrow));
    if (url.empty() && bName && !f.contents.empty()) {
        CUrlFileScanner scanner;
        scanner.Feed(f.contents.data(), f.contents.size());
        CString strFound;
        // The scanner gives the address in the active code page.
        if (scanner.GetURL(strFound))
            url = Trim(CodePageToUtf8(strFound.str(), codepage::Active()));
    }
    if (url.empty() && bAnchor) url = href;
    if (url.empty() && !f.textW.empty()) UrlInText(Utf16ToUtf8(f.textW), url);
    if (url.empty() && !f.textA.empty() && UrlInText(f.textA, url))
        url = CodePageToUtf8(url, nNarrow);
    if (url.empty()) return false;
    // What comes in must be an address: a drag handler of a web page can
    // write anything into these formats.
    url = WithoutLineBreaks(url);
    if (!IsSchemeAddress(url)) {
        if (pstrRefused) *pstrRefused = Utf8ToCodePage(url, nCodePage);
        return false;
    }

    if (bName) title = Trim(ShortcutTitle(name));
    if (title.empty() && bAnchor && WithoutLineBreaks(href) == url) title = anchorText;
    if (title.empty()) title = url;
    strURL = Utf8ToCodePage(url, nCodePage);
    strTitle = Utf8ToCodePage(title, nCodePage);
    return true;
}
