#include "convert/BookmarkCharset.h"

#include <cctype>
#include <cstring>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

const unsigned long kReplacement = 0xFFFD;

// Bytes 0x80 to 0xFF of the Macintosh Roman character set.
const unsigned short kMacRoman[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

// Bytes 0x80 to 0x9F of windows-1252; 0xA0 to 0xFF are ISO-8859-1's. The
// five bytes it leaves undefined stand for the control characters of the
// same number, as browsers read them.
const unsigned short kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned char Byte(const std::string& s, size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// Length of the valid UTF-8 sequence at i, or 0 when none starts there.
size_t Utf8Sequence(const std::string& s, size_t i) {
    const unsigned char c = Byte(s, i);
    if (c < 0x80) return 1;
    size_t n;
    unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (s.size() - i < n) return 0;
    if (Byte(s, i + 1) < lo || Byte(s, i + 1) > hi) return 0;
    for (size_t k = 2; k < n; ++k)
        if ((Byte(s, i + k) & 0xC0) != 0x80) return 0;
    return n;
}

bool IsUtf8(const std::string& s, size_t nFrom) {
    for (size_t i = nFrom; i < s.size();) {
        const size_t n = Utf8Sequence(s, i);
        if (!n) return false;
        i += n;
    }
    return true;
}

// Valid sequences as they are, each byte that starts none as U+FFFD.
void AppendRepairedUtf8(const std::string& s, std::string& out) {
    for (size_t i = 0; i < s.size();) {
        const size_t n = Utf8Sequence(s, i);
        if (n) {
            out.append(s, i, n);
            i += n;
        } else {
            AppendUtf8(out, kReplacement);
            ++i;
        }
    }
}

std::string FromUtf16(const std::string& s, bool bBigEndian) {
    std::string out;
    out.reserve(s.size());
    auto unit = [&](size_t i) -> unsigned long {
        return bBigEndian ? (Byte(s, i) << 8) | Byte(s, i + 1) : Byte(s, i) | (Byte(s, i + 1) << 8);
    };
    size_t i = 2;
    for (; i + 1 < s.size(); i += 2) {
        const unsigned long u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            const unsigned long v = unit(i + 2);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, u);  // a lone surrogate becomes U+FFFD there
    }
    if (i < s.size()) AppendUtf8(out, kReplacement);
    return out;
}

unsigned long MacRoman(unsigned char c) {
    return c < 0x80 ? c : kMacRoman[c - 0x80];
}

unsigned long Windows1252(unsigned char c) {
    return c < 0x80 || c >= 0xA0 ? c : kWindows1252[c - 0x80];
}

// A single-byte set: each byte as the character the table gives it.
void AppendSingleByte(const std::string& s, unsigned long (*pChar)(unsigned char),
                      std::string& out) {
    for (size_t i = 0; i < s.size(); ++i) AppendUtf8(out, pChar(Byte(s, i)));
}

void AppendCodePage(const std::string& s, int nCodePage, std::string& out) {
    std::string converted;
    if (platform::CodePageToUtf8(s, nCodePage, converted))
        out += converted;
    else
        AppendSingleByte(s, Windows1252, out);
}

// EUC-JP holds the same JIS X 0208 rows as Shift_JIS, arranged otherwise:
// each pair is moved to its Shift_JIS bytes and the runs are converted as
// code page 932, which both builds have. JIS X 0212 and broken sequences
// become U+FFFD.
void AppendEucJp(const std::string& s, std::string& out) {
    std::string run;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = Byte(s, i);
        const unsigned char d = i + 1 < s.size() ? Byte(s, i + 1) : 0;
        if (c < 0x80) {
            run += static_cast<char>(c);
            ++i;
        } else if (c >= 0xA1 && c <= 0xFE && d >= 0xA1 && d <= 0xFE) {
            const unsigned j1 = c - 0x80, j2 = d - 0x80;
            const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
            const unsigned s2 = j2 + ((j1 & 1) ? (j2 < 0x60 ? 0x1F : 0x20) : 0x7E);
            run += static_cast<char>(s1);
            run += static_cast<char>(s2);
            i += 2;
        } else if (c == 0x8E && d >= 0xA1 && d <= 0xDF) {
            run += static_cast<char>(d);  // half-width katakana: one byte in Shift_JIS
            i += 2;
        } else {
            AppendCodePage(run, 932, out);
            run.clear();
            AppendUtf8(out, kReplacement);
            i += c == 0x8F && i + 2 < s.size() ? 3 : 1;
        }
    }
    AppendCodePage(run, 932, out);
}

bool StartsNoCase(const std::string& s, size_t i, const char* psz) {
    const size_t n = std::strlen(psz);
    if (s.size() - i < n) return false;
    for (size_t k = 0; k < n; ++k)
        if (std::tolower(Byte(s, i + k)) != psz[k]) return false;
    return true;
}

// The charset the file's header declares: "charset=" before the first list
// (entries after it may carry attributes such as LAST_CHARSET of their own).
BookmarkCharset DeclaredCharset(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '<' && StartsNoCase(s, i, "<dl")) break;
        if ((s[i] != 'c' && s[i] != 'C') || !StartsNoCase(s, i, "charset")) continue;
        if (i > 0 && (std::isalnum(Byte(s, i - 1)) || s[i - 1] == '_')) continue;
        size_t k = i + 7;
        while (k < s.size() && std::isspace(Byte(s, k))) ++k;
        if (k == s.size() || s[k] != '=') continue;
        ++k;
        while (k < s.size() && (std::isspace(Byte(s, k)) || s[k] == '"' || s[k] == '\'')) ++k;
        size_t e = k;
        while (e < s.size() && (std::isalnum(Byte(s, e)) || std::strchr("-_.:", s[e]))) ++e;
        return BookmarkCharsetFromLabel(s.substr(k, e - k));
    }
    return BookmarkCharset::Unknown;
}

// The code page of a file that is neither marked, declared nor UTF-8: the
// legacy one, which older browsers wrote in (the program's own is UTF-8).
int FallbackCodePage() {
    return codepage::Legacy();
}

}  // namespace

void AppendUtf8(std::string& out, unsigned long c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

BookmarkCharset BookmarkCharsetFromLabel(const std::string& strLabel) {
    std::string s;
    for (char c : strLabel) s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const struct {
        const char* pszLabel;
        BookmarkCharset charset;
    } kLabels[] = {
        {"utf-8", BookmarkCharset::Utf8},
        {"utf8", BookmarkCharset::Utf8},
        {"unicode-1-1-utf-8", BookmarkCharset::Utf8},
        {"shift_jis", BookmarkCharset::ShiftJis},
        {"shift-jis", BookmarkCharset::ShiftJis},
        {"sjis", BookmarkCharset::ShiftJis},
        {"x-sjis", BookmarkCharset::ShiftJis},
        {"ms_kanji", BookmarkCharset::ShiftJis},
        {"csshiftjis", BookmarkCharset::ShiftJis},
        {"windows-31j", BookmarkCharset::ShiftJis},
        {"cp932", BookmarkCharset::ShiftJis},
        {"windows-932", BookmarkCharset::ShiftJis},
        {"euc-jp", BookmarkCharset::EucJp},
        {"x-euc-jp", BookmarkCharset::EucJp},
        {"eucjp", BookmarkCharset::EucJp},
        {"cseucpkdfmtjapanese", BookmarkCharset::EucJp},
        {"iso-8859-1", BookmarkCharset::Windows1252},
        {"iso8859-1", BookmarkCharset::Windows1252},
        {"iso_8859-1", BookmarkCharset::Windows1252},
        {"latin1", BookmarkCharset::Windows1252},
        {"l1", BookmarkCharset::Windows1252},
        {"us-ascii", BookmarkCharset::Windows1252},
        {"ascii", BookmarkCharset::Windows1252},
        {"windows-1252", BookmarkCharset::Windows1252},
        {"cp1252", BookmarkCharset::Windows1252},
        {"x-cp1252", BookmarkCharset::Windows1252},
        {"x-mac-roman", BookmarkCharset::MacRoman},
        {"macintosh", BookmarkCharset::MacRoman},
        {"mac", BookmarkCharset::MacRoman},
        {"csmacintosh", BookmarkCharset::MacRoman},
        // What a Macintosh browser writes for "the system's": Roman on the
        // systems those files come from.
        {"x-mac-system", BookmarkCharset::MacRoman},
    };
    for (const auto& l : kLabels)
        if (s == l.pszLabel) return l.charset;
    return BookmarkCharset::Unknown;
}

BookmarkCharset PrepareBookmarkText(std::string& bytes) {
    const bool bLittle = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (bLittle || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        bytes = FromUtf16(bytes, !bLittle);
        return BookmarkCharset::Utf8;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bytes.erase(0, 3);
        return BookmarkCharset::Utf8;
    }
    const BookmarkCharset declared = DeclaredCharset(bytes);
    if (declared != BookmarkCharset::Unknown) return declared;
    return IsUtf8(bytes, 0) ? BookmarkCharset::Utf8 : BookmarkCharset::System;
}

void AppendBookmarkUtf8(const char* p, size_t n, BookmarkCharset charset, std::string& out) {
    size_t nAscii = 0;
    while (nAscii < n && static_cast<unsigned char>(p[nAscii]) < 0x80) ++nAscii;
    out.append(p, nAscii);
    if (nAscii == n) return;
    const std::string s(p + nAscii, n - nAscii);
    switch (charset) {
        case BookmarkCharset::ShiftJis:
            return AppendCodePage(s, 932, out);
        case BookmarkCharset::EucJp:
            return AppendEucJp(s, out);
        case BookmarkCharset::Windows1252:
            return AppendSingleByte(s, Windows1252, out);
        case BookmarkCharset::MacRoman:
            return AppendSingleByte(s, MacRoman, out);
        case BookmarkCharset::System:
            return AppendCodePage(s, FallbackCodePage(), out);
        default:
            return AppendRepairedUtf8(s, out);
    }
}

CString BookmarkDocumentText(std::string strUtf8) {
    const int nCodePage = codepage::Active();
    bool bAscii = true;
    for (char c : strUtf8) bAscii = bAscii && static_cast<unsigned char>(c) < 0x80;
    std::string out;
    if (nCodePage == 65001 || bAscii || !platform::Utf8ToCodePage(strUtf8, nCodePage, out))
        return CString(std::move(strUtf8));
    return CString(std::move(out));
}
