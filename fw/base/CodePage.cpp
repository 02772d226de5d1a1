#include "fw/base/CodePage.h"

#include <array>
#include <cstring>

#include "fw/base/Platform.h"

namespace codepage {
namespace {

struct State {
    int nCodePage = 0;
    std::array<bool, 256> lead{};
};

State& GetState() {
    static State state = [] {
        State s;
        s.nCodePage = platform::SystemCodePage();
        for (int c = 0; c < 256; ++c) s.lead[c] = platform::IsSystemLeadByte(s.nCodePage, c);
        return s;
    }();
    return state;
}

inline unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

}  // namespace

int Active() {
    return GetState().nCodePage;
}

void SetActive(int nCodePage) {
    State& s = GetState();
    s.nCodePage = nCodePage;
    for (int c = 0; c < 256; ++c) s.lead[c] = platform::IsSystemLeadByte(nCodePage, c);
}

bool IsLeadByte(unsigned char ch) {
    return GetState().lead[ch];
}

int Compare(const char* a, size_t na, const char* b, size_t nb) {
    // Lead bytes sort above every single-byte character and a double-byte
    // character compares as its 16-bit value, so byte order is character order.
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
    const bool* lead = GetState().lead.data();
    const char first = needle[0];
    for (size_t i = nStart; i + nn <= nh;) {
        const char c = hay[i];
        if (c == first && std::memcmp(hay + i, needle, nn) == 0) return static_cast<long>(i);
        i += (lead[static_cast<unsigned char>(c)] && nh - i >= 2) ? 2 : 1;
    }
    return -1;
}

long ReverseFind(const char* hay, size_t nh, char ch) {
    // From the end: a byte that is no lead byte always ends a character, so
    // a candidate is a character of its own when an even number of lead
    // bytes stands between it and the last such byte before it.
    const bool* lead = GetState().lead.data();
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
