#include "fw/base/SearchFold.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <unordered_map>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace codepage {
namespace {

// Half-width forms of the katakana U+30A1 (ァ) to U+30F6 (ヶ), in that order:
// the base character and the voiced (0xDE) or semi-voiced (0xDF) mark; 0 for
// a katakana without a half-width form.
const unsigned char kHalfWidthKana[86][2] = {
    {0xA7, 0},    {0xB1, 0},    {0xA8, 0},    {0xB2, 0},    {0xA9, 0},    {0xB3, 0},
    {0xAA, 0},    {0xB4, 0},    {0xAB, 0},    {0xB5, 0},  // ァ-オ
    {0xB6, 0},    {0xB6, 0xDE}, {0xB7, 0},    {0xB7, 0xDE}, {0xB8, 0},    {0xB8, 0xDE},
    {0xB9, 0},    {0xB9, 0xDE}, {0xBA, 0},    {0xBA, 0xDE},  // カ-ゴ
    {0xBB, 0},    {0xBB, 0xDE}, {0xBC, 0},    {0xBC, 0xDE}, {0xBD, 0},    {0xBD, 0xDE},
    {0xBE, 0},    {0xBE, 0xDE}, {0xBF, 0},    {0xBF, 0xDE},  // サ-ゾ
    {0xC0, 0},    {0xC0, 0xDE}, {0xC1, 0},    {0xC1, 0xDE}, {0xAF, 0},    {0xC2, 0},
    {0xC2, 0xDE}, {0xC3, 0},    {0xC3, 0xDE}, {0xC4, 0},    {0xC4, 0xDE},  // タ-ド
    {0xC5, 0},    {0xC6, 0},    {0xC7, 0},    {0xC8, 0},    {0xC9, 0},     // ナ-ノ
    {0xCA, 0},    {0xCA, 0xDE}, {0xCA, 0xDF}, {0xCB, 0},    {0xCB, 0xDE}, {0xCB, 0xDF},
    {0xCC, 0},    {0xCC, 0xDE}, {0xCC, 0xDF}, {0xCD, 0},    {0xCD, 0xDE}, {0xCD, 0xDF},
    {0xCE, 0},    {0xCE, 0xDE}, {0xCE, 0xDF},                                         // ハ-ポ
    {0xCF, 0},    {0xD0, 0},    {0xD1, 0},    {0xD2, 0},    {0xD3, 0},                // マ-モ
    {0xAC, 0},    {0xD4, 0},    {0xAD, 0},    {0xD5, 0},    {0xAE, 0},    {0xD6, 0},  // ャ-ヨ
    {0xD7, 0},    {0xD8, 0},    {0xD9, 0},    {0xDA, 0},    {0xDB, 0},                // ラ-ロ
    {0, 0},       {0xDC, 0},    {0, 0},       {0, 0},       {0xA6, 0},    {0xDD, 0},  // ヮ-ン
    {0xB3, 0xDE}, {0, 0},       {0, 0},                                               // ヴ ヵ ヶ
};

// Full-width signs, quotes and punctuation of code page 932 and their
// single-byte forms, sorted by code (full-width letters and digits are ranges,
// handled apart). The full-width backslash keeps its form: the system keeps
// it, and the single-byte 0x5C is the yen sign on Japanese systems (so "￥"
// folds to it).
struct SignMap {
    uint16_t code;
    unsigned char ch;
};
const SignMap kSigns[] = {
    {0x8140, ' '},  {0x8141, 0xA4}, {0x8142, 0xA1}, {0x8143, ','},  {0x8144, '.'},  {0x8145, 0xA5},
    {0x8146, ':'},  {0x8147, ';'},  {0x8148, '?'},  {0x8149, '!'},  {0x814A, 0xDE}, {0x814B, 0xDF},
    {0x814D, '`'},  {0x814F, '^'},  {0x8151, '_'},  {0x815B, 0xB0}, {0x815E, '/'},  {0x8160, '~'},
    {0x8162, '|'},  {0x8165, '\''}, {0x8166, '\''}, {0x8167, '"'},  {0x8168, '"'},  {0x8169, '('},
    {0x816A, ')'},  {0x816D, '['},  {0x816E, ']'},  {0x816F, '{'},  {0x8170, '}'},  {0x8175, 0xA2},
    {0x8176, 0xA3}, {0x817B, '+'},  {0x817C, '-'},  {0x8181, '='},  {0x8183, '<'},  {0x8184, '>'},
    {0x818F, '\\'}, {0x8190, '$'},  {0x8193, '%'},  {0x8194, '#'},  {0x8195, '&'},  {0x8196, '*'},
    {0x8197, '@'},  {0xEEFA, '|'},  {0xEEFB, '\''}, {0xEEFC, '"'},  {0xFA55, '|'},  {0xFA56, '\''},
    {0xFA57, '"'},
};

// Characters that code page 932 holds twice (NEC and IBM extensions) and the
// code the system converts them back to, sorted by code; the 360 kanji of
// ED40-EEEC are a range, handled apart.
struct SameMap {
    uint16_t code;
    uint16_t same;
};
const SameMap kSame[] = {
    {0x8790, 0x81E0}, {0x8791, 0x81DF}, {0x8792, 0x81E7}, {0x8795, 0x81E3}, {0x8796, 0x81DB},
    {0x8797, 0x81DA}, {0x879A, 0x81E6}, {0x879B, 0x81BF}, {0x879C, 0x81BE}, {0xEEEF, 0xFA40},
    {0xEEF0, 0xFA41}, {0xEEF1, 0xFA42}, {0xEEF2, 0xFA43}, {0xEEF3, 0xFA44}, {0xEEF4, 0xFA45},
    {0xEEF5, 0xFA46}, {0xEEF6, 0xFA47}, {0xEEF7, 0xFA48}, {0xEEF8, 0xFA49}, {0xEEF9, 0x81CA},
    {0xFA4A, 0x8754}, {0xFA4B, 0x8755}, {0xFA4C, 0x8756}, {0xFA4D, 0x8757}, {0xFA4E, 0x8758},
    {0xFA4F, 0x8759}, {0xFA50, 0x875A}, {0xFA51, 0x875B}, {0xFA52, 0x875C}, {0xFA53, 0x875D},
    {0xFA54, 0x81CA}, {0xFA58, 0x878A}, {0xFA59, 0x8782}, {0xFA5A, 0x8784}, {0xFA5B, 0x81E6},
};

// Position of a double-byte code among the codes with valid trail bytes
// (0x40-0x7E, 0x80-0xFC: 188 per lead byte), and back.
unsigned CodeOrdinal(unsigned code) {
    const unsigned trail = code & 0xFF;
    return (code >> 8) * 188 + trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

unsigned OrdinalCode(unsigned n) {
    const unsigned trail = 0x40 + n % 188;
    return ((n / 188) << 8) | (trail >= 0x7F ? trail + 1 : trail);
}

// The code the system keeps for a character held twice; the code itself otherwise.
unsigned SameCharacter(unsigned code) {
    if (code >= 0xED40 && code <= 0xEEEC)
        return OrdinalCode(CodeOrdinal(0xFA5C) + CodeOrdinal(code) - CodeOrdinal(0xED40));
    const SameMap* p = std::lower_bound(std::begin(kSame), std::end(kSame), code,
                                        [](const SameMap& m, unsigned v) { return m.code < v; });
    return (p != std::end(kSame) && p->code == code) ? p->same : code;
}

inline unsigned char Lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Position of a katakana of cp932 (0x8340-0x8396, 0x837F unused) in U+30A1..
int KatakanaIndex(unsigned code) {
    if (code < 0x8340 || code > 0x8396 || code == 0x837F) return -1;
    return static_cast<int>(code - 0x8340 - (code > 0x837F ? 1 : 0));
}

unsigned KatakanaCode(int k) {
    const unsigned code = 0x8340 + static_cast<unsigned>(k);
    return code >= 0x837F ? code + 1 : code;
}

void AppendKatakana(int k, std::string& out) {
    const unsigned char* half = kHalfWidthKana[k];
    if (half[0]) {
        out += static_cast<char>(half[0]);
        if (half[1]) out += static_cast<char>(half[1]);
        return;
    }
    const unsigned code = KatakanaCode(k);
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

void AppendFoldedCp932(const char* p, size_t n, std::string& out) {
    for (size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        const bool bDouble = i + 1 < n && platform::IsSystemLeadByte(932, c);
        if (!bDouble) {
            out += static_cast<char>(Lower(c));
            ++i;
            continue;
        }
        const unsigned code =
            SameCharacter((static_cast<unsigned>(c) << 8) | static_cast<unsigned char>(p[i + 1]));
        i += 2;
        if (code >= 0x824F && code <= 0x8258) {  // ０-９
            out += static_cast<char>('0' + (code - 0x824F));
        } else if (code >= 0x8260 && code <= 0x8279) {  // Ａ-Ｚ
            out += static_cast<char>('a' + (code - 0x8260));
        } else if (code >= 0x8281 && code <= 0x829A) {  // ａ-ｚ
            out += static_cast<char>('a' + (code - 0x8281));
        } else if (code >= 0x829F && code <= 0x82F1) {  // ぁ-ん: as katakana
            AppendKatakana(static_cast<int>(code - 0x829F), out);
        } else if (int k = KatakanaIndex(code); k >= 0) {
            AppendKatakana(k, out);
        } else if (code >= 0x8153 && code <= 0x8155) {  // ヾ ゝ ゞ to ヽ, voiced apart
            out += static_cast<char>(0x81);
            out += static_cast<char>(0x52);
            if (code != 0x8154) out += static_cast<char>(0xDE);
        } else {
            const SignMap* pSign =
                std::lower_bound(std::begin(kSigns), std::end(kSigns), code,
                                 [](const SignMap& s, unsigned v) { return s.code < v; });
            if (pSign != std::end(kSigns) && pSign->code == code) {
                out += static_cast<char>(pSign->ch);
            } else {
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
            }
        }
    }
}

namespace {

// Lower case of the capital letters of Latin-1, Latin Extended-A, Greek and
// Cyrillic; every other code point as it is.
uint32_t LowerCodePoint(uint32_t u) {
    if (u >= 'A' && u <= 'Z') return u + 0x20;
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 0x20;
    if ((u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) return u | 1;
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return u % 2 ? u + 1 : u;
    if (u == 0x178) return 0xFF;
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return u + 0x20;
    if (u == 0x386) return 0x3AC;
    if (u >= 0x388 && u <= 0x38A) return u + 0x25;
    if (u == 0x38C) return 0x3CC;
    if (u == 0x38E || u == 0x38F) return u + 0x3F;
    if (u >= 0x410 && u <= 0x42F) return u + 0x20;
    if (u >= 0x400 && u <= 0x40F) return u + 0x50;
    return u;
}

uint32_t DecodeUtf8(const char* p, size_t n) {
    const unsigned char c = static_cast<unsigned char>(p[0]);
    uint32_t u = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t i = 1; i < n; ++i) u = (u << 6) | (static_cast<unsigned char>(p[i]) & 0x3F);
    return u;
}

void AppendUtf8(uint32_t u, std::string& out) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// One UTF-8 character folded: its lower case, then, when code page 932 holds
// it, the folding of that code page.
std::string FoldUtf8Character(const char* p, size_t n) {
    std::string ch;
    AppendUtf8(LowerCodePoint(DecodeUtf8(p, n)), ch);
    std::string sjis, back;
    if (!platform::Utf8ToCodePage(ch, 932, sjis) || !platform::CodePageToUtf8(sjis, 932, back) ||
        back != ch)
        return ch;
    std::string folded, utf8;
    AppendFoldedCp932(sjis.data(), sjis.size(), folded);
    return platform::CodePageToUtf8(folded, 932, utf8) ? utf8 : ch;
}

}  // namespace

void AppendFoldedUtf8(const char* p, size_t n, std::string& out) {
    static std::unordered_map<uint32_t, std::string> folded;
    for (size_t i = 0; i < n;) {
        const size_t len = Utf8CharLength(p + i, n - i);
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (len == 1) {  // ASCII, or a byte of a broken sequence kept as it is
            out += static_cast<char>(Lower(c));
            ++i;
            continue;
        }
        const uint32_t u = DecodeUtf8(p + i, len);
        auto it = folded.find(u);
        if (it == folded.end()) it = folded.emplace(u, FoldUtf8Character(p + i, len)).first;
        out += it->second;
        i += len;
    }
}

void FoldAsciiCase(std::string& s, int nCodePage) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (i + 1 < s.size() && platform::IsSystemLeadByte(nCodePage, c))
            ++i;
        else
            s[i] = static_cast<char>(Lower(c));
    }
}

void FoldForSearch(const char* p, size_t n, std::string& out) {
    bool bAscii = true;
    for (size_t i = 0; i < n && bAscii; ++i) bAscii = static_cast<unsigned char>(p[i]) < 0x80;
    if (bAscii) {
        out.resize(n);
        for (size_t i = 0; i < n; ++i)
            out[i] = static_cast<char>(Lower(static_cast<unsigned char>(p[i])));
        return;
    }
    platform::FoldForSearch(p, n, Active(), out);
}

}  // namespace codepage
