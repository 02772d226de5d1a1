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
    for (size_t i = nStart; i + nn <= nh; i += CharLength(hay + i, nh - i)) {
        if (std::memcmp(hay + i, needle, nn) == 0) return static_cast<long>(i);
    }
    return -1;
}

long ReverseFind(const char* hay, size_t nh, char ch) {
    long found = -1;
    for (size_t i = 0; i < nh;) {
        size_t n = CharLength(hay + i, nh - i);
        if (n == 1 && hay[i] == ch) found = static_cast<long>(i);
        i += n;
    }
    return found;
}

}  // namespace codepage
