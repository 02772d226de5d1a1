#include "fw/base/LegacyText.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace legacy {
namespace {

bool IsAscii(const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
    return true;
}

// Code pages in which ASCII text is its own form.
bool KeepsAscii(int nCodePage) {
    return nCodePage != 65000 && nCodePage != 1200 && nCodePage != 1201;
}

// The UTF-8 form of every character of one code page, so that a document of
// 100,000 Japanese titles loads without a system call per title. Single bytes
// sit at their value, double-byte characters at lead * 256 + trail; a length
// of 0 marks a byte or pair the code page does not define, which sends the
// whole text to the system's conversion.
class CDecodeTable {
public:
    explicit CDecodeTable(int nCodePage) : m_nCodePage(nCodePage) {
        for (int c = 0; c < 256; ++c) m_lead[c] = platform::IsSystemLeadByte(nCodePage, c);
        for (int c = 0; c < 256; ++c)
            if (!m_lead[c]) Define(c, std::string(1, static_cast<char>(c)));
        for (int lead = 0; lead < 256; ++lead) {
            if (!m_lead[lead]) continue;
            for (int trail = 0x40; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                Define(lead * 256 + trail, std::string(pair, 2));
            }
        }
    }
    int CodePage() const { return m_nCodePage; }

    // Appends the UTF-8 of bytes; false when one of them is undefined.
    bool Decode(const char* p, size_t n, std::string& out) const {
        out.reserve(out.size() + n * 3 / 2);
        for (size_t i = 0; i < n;) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            if (c < 0x80 && m_bAsciiSame) {
                out += static_cast<char>(c);
                ++i;
                continue;
            }
            unsigned code = c;
            size_t step = 1;
            if (m_lead[c]) {
                if (i + 1 >= n) return false;
                code = c * 256 + static_cast<unsigned char>(p[i + 1]);
                step = 2;
            }
            const Entry& e = m_entries[code];
            if (e.nLen == 0) return false;
            out.append(e.bytes, e.nLen);
            i += step;
        }
        return true;
    }

private:
    struct Entry {
        char bytes[4];
        uint8_t nLen = 0;
    };
    void Define(unsigned code, const std::string& bytes) {
        std::string utf8;
        if (!platform::CodePageToUtf8(bytes, m_nCodePage, utf8)) return;
        // One character, and not the mark of an undefined one.
        if (utf8.empty() || utf8.size() > 4 || utf8 == "\xEF\xBF\xBD" ||
            codepage::Utf8CharLength(utf8.data(), utf8.size()) != utf8.size() ||
            (utf8 == "?" && bytes != "?"))
            return;
        Entry& e = m_entries[code];
        std::memcpy(e.bytes, utf8.data(), utf8.size());
        e.nLen = static_cast<uint8_t>(utf8.size());
        if (code < 0x80 && !(utf8.size() == 1 && utf8[0] == static_cast<char>(code)))
            m_bAsciiSame = false;
    }

    int m_nCodePage;
    bool m_lead[256] = {};
    bool m_bAsciiSame = true;
    std::vector<Entry> m_entries = std::vector<Entry>(65536);
};

// The table of the legacy code page, made at its first use.
const CDecodeTable* LegacyTable() {
    static std::unique_ptr<CDecodeTable> table;
    const int nCodePage = codepage::Legacy();
    if (nCodePage == codepage::kUtf8 || !KeepsAscii(nCodePage)) return nullptr;
    if (!table || table->CodePage() != nCodePage) table.reset(new CDecodeTable(nCodePage));
    return table.get();
}

// Bytes of a code page as UTF-8.
std::string DecodeToUtf8(const char* p, size_t n, int nCodePage) {
    if (nCodePage == codepage::kUtf8) return std::string(p, n);
    if (nCodePage == codepage::Legacy()) {
        std::string out;
        if (const CDecodeTable* t = LegacyTable())
            if (t->Decode(p, n, out)) return out;
    }
    std::string out;
    if (!platform::CodePageToUtf8(std::string(p, n), nCodePage, out)) out.assign(p, n);
    return out;
}

std::string EncodeFromUtf8(const std::string& utf8, int nCodePage) {
    if (nCodePage == codepage::kUtf8) return utf8;
    std::string out;
    if (!platform::Utf8ToCodePage(utf8, nCodePage, out)) out = utf8;
    return out;
}

}  // namespace

bool IsActive() {
    return codepage::Active() == codepage::Legacy();
}

bool ToCodePage(const std::string& strText, int nCodePage, std::string& out) {
    const int nActive = codepage::Active();
    if (nCodePage == nActive ||
        (KeepsAscii(nCodePage) && KeepsAscii(nActive) && IsAscii(strText.data(), strText.size()))) {
        out = strText;
        return true;
    }
    const std::string utf8 = DecodeToUtf8(strText.data(), strText.size(), nActive);
    out = EncodeFromUtf8(utf8, nCodePage);
    return DecodeToUtf8(out.data(), out.size(), nCodePage) == utf8;
}

std::string FromCodePage(const std::string& bytes, int nCodePage) {
    const int nActive = codepage::Active();
    if (nCodePage == nActive ||
        (KeepsAscii(nCodePage) && KeepsAscii(nActive) && IsAscii(bytes.data(), bytes.size())))
        return bytes;
    return EncodeFromUtf8(DecodeToUtf8(bytes.data(), bytes.size(), nCodePage), nActive);
}

bool ToLegacy(const std::string& strText, std::string& out) {
    return ToCodePage(strText, codepage::Legacy(), out);
}

std::string FromLegacy(const char* p, size_t n) {
    const int nActive = codepage::Active(), nLegacy = codepage::Legacy();
    if (nActive == nLegacy || (KeepsAscii(nLegacy) && KeepsAscii(nActive) && IsAscii(p, n)))
        return std::string(p, n);
    if (nActive == codepage::kUtf8) return DecodeToUtf8(p, n, nLegacy);
    return EncodeFromUtf8(DecodeToUtf8(p, n, nLegacy), nActive);
}

std::u16string ToUtf16(const std::string& strText) {
    std::u16string out;
    if (!platform::CodePageToUtf16(strText, codepage::Active(), out)) out.clear();
    return out;
}

std::string FromUtf16(const std::u16string& wide) {
    std::string out;
    if (!platform::Utf16ToCodePage(wide, codepage::Active(), out)) out.clear();
    return out;
}

std::string ToUtf8(const std::string& strText) {
    return DecodeToUtf8(strText.data(), strText.size(), codepage::Active());
}

std::string FromUtf8(const std::string& utf8) {
    return EncodeFromUtf8(utf8, codepage::Active());
}

}  // namespace legacy
