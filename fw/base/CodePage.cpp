#include "fw/base/CodePage.h"

#include <array>
#include <cstring>

#include "fw/base/Platform.h"

namespace codepage {
namespace {

struct Table {
    int nCodePage = 0;
    std::array<bool, 256> lead{};
    void Set(int n) {
        nCodePage = n;
        for (int c = 0; c < 256; ++c) lead[c] = n != kUtf8 && platform::IsSystemLeadByte(n, c);
    }
};

struct State {
    Table active, legacy;
};

State& GetState() {
    static State state = [] {
        State s;
        s.active.Set(platform::SystemCodePage());
        s.legacy.Set(platform::LegacyCodePage());
        return s;
    }();
    return state;
}

inline unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

}  // namespace

int Active() {
    return GetState().active.nCodePage;
}

void SetActive(int nCodePage) {
    GetState().active.Set(nCodePage);
}

bool IsUtf8() {
    return GetState().active.nCodePage == kUtf8;
}

int Legacy() {
    return GetState().legacy.nCodePage;
}

void SetLegacy(int nCodePage) {
    GetState().legacy.Set(nCodePage);
}

bool IsLeadByte(unsigned char ch) {
    return GetState().active.lead[ch];
}

bool IsLegacyLeadByte(unsigned char ch) {
    return GetState().legacy.lead[ch];
}

size_t Utf8CharLength(const char* p, size_t nRemaining) {
    const unsigned char c = static_cast<unsigned char>(*p);
    size_t n = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (n <= 1 || n > nRemaining) return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return 1;
    return n;
}

size_t MultiByteCharLength(const char* p, size_t nRemaining) {
    const State& s = GetState();
    if (s.active.nCodePage == kUtf8) return Utf8CharLength(p, nRemaining);
    return (nRemaining >= 2 && s.active.lead[static_cast<unsigned char>(*p)]) ? 2 : 1;
}

int Compare(const char* a, size_t na, const char* b, size_t nb) {
    // Lead bytes sort above every single-byte character and a double-byte
    // character compares as its 16-bit value, so byte order is character
    // order; in UTF-8 byte order is the order of the code points.
    int r = std::memcmp(a, b, na < nb ? na : nb);
    if (r != 0) return r;
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

int CompareNoCase(const char* a, size_t na, const char* b, size_t nb) {
    size_t i = 0, j = 0;
    while (i < na && j < nb) {
        size_t la = CharLength(a + i, na - i), lb = CharLength(b + j, nb - j);
        unsigned ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (la == 1) ca = Fold(ca);
        if (lb == 1) cb = Fold(cb);
        if (ca == cb && la == 2 && lb == 2) {
            ca = static_cast<unsigned char>(a[i + 1]);
            cb = static_cast<unsigned char>(b[j + 1]);
        }
        if (ca != cb) return ca < cb ? -1 : 1;
        i += la;
        j += lb;
    }
    if (i < na) return 1;
    if (j < nb) return -1;
    return 0;
}

long Find(const char* hay, size_t nh, const char* needle, size_t nn, size_t nStart) {
    if (nn == 0) return nStart <= nh ? static_cast<long>(nStart) : -1;
    // The lead-byte table once per call and a first-byte test before the full
    // comparison: this runs over every byte of an imported bookmark file.
    const State& s = GetState();
    const bool* lead = s.active.lead.data();
    const bool bUtf8 = s.active.nCodePage == kUtf8;
    const char first = needle[0];
    for (size_t i = nStart; i + nn <= nh;) {
        const char c = hay[i];
        if (c == first && std::memcmp(hay + i, needle, nn) == 0) return static_cast<long>(i);
        if (bUtf8)
            i += static_cast<unsigned char>(c) < 0x80 ? 1 : Utf8CharLength(hay + i, nh - i);
        else
            i += (lead[static_cast<unsigned char>(c)] && nh - i >= 2) ? 2 : 1;
    }
    return -1;
}

long ReverseFind(const char* hay, size_t nh, char ch) {
    // From the end: a byte that is no lead byte always ends a character, so
    // a candidate is a character of its own when an even number of lead
    // bytes stands between it and the last such byte before it.
    if (IsUtf8()) {
        // Below 0x80 every byte is a character of its own; another byte only
        // where the walk meets it alone.
        if (static_cast<unsigned char>(ch) < 0x80) {
            for (size_t i = nh; i-- > 0;)
                if (hay[i] == ch) return static_cast<long>(i);
            return -1;
        }
        long last = -1;
        for (size_t i = 0; i < nh;) {
            const size_t n = Utf8CharLength(hay + i, nh - i);
            if (n == 1 && hay[i] == ch) last = static_cast<long>(i);
            i += n;
        }
        return last;
    }
    const bool* lead = GetState().active.lead.data();
    for (size_t i = nh; i-- > 0;) {
        if (hay[i] != ch) continue;
        if (lead[static_cast<unsigned char>(ch)] && i + 1 < nh) continue;  // it leads a pair
        size_t k = i;
        while (k > 0 && lead[static_cast<unsigned char>(hay[k - 1])]) --k;
        if ((i - k) % 2 == 0) return static_cast<long>(i);
    }
    return -1;
}

}  // namespace codepage
