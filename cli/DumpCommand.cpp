// dump: every record in table order, as text lines or JSON.
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "cli/Commands.h"

namespace {

// Escapes the characters that would break a tab-separated line.
std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF).
bool IsUtf8(const std::string& s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    for (size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n - i < len || p[i + 1] < lo || p[i + 1] > hi) return false;
        for (size_t k = 2; k < len; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
        i += len;
    }
    return true;
}

// The JSON text of a string, as nlohmann::json writes it without forcing
// ASCII: quotes, backslashes and control characters escaped, the rest as it
// is. Text that is not UTF-8 goes through the library for its replacements.
void AppendJsonString(std::string& out, const std::string& s) {
    if (!IsUtf8(s)) {
        out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        return;
    }
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    size_t nPlain = 0;  // start of the run not yet copied
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s, nPlain, i - nPlain);
        nPlain = i + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
        }
    }
    out.append(s, nPlain, std::string::npos);
    out += '"';
}

// The document as nlohmann::json's dump(2) prints it (keys in sorted order),
// written record by record instead of built as one value first: a large
// document then costs no more than its text.
void WriteJson(const COrdelinkDoc& doc, std::ostream& out) {
    const CItemTable& table = doc.m_PtrAry;
    std::string text = "{\n  \"count\": " + std::to_string(table.GetSize()) +
                       ",\n  \"empty\": " + (doc.m_bEmpty ? "true" : "false") +
                       ",\n  \"records\": [";
    for (int i = 0; i < table.GetSize(); ++i) {
        const CUrlItem* p = table[i];
        text += i ? ",\n    {\n      \"id\": " : "\n    {\n      \"id\": ";
        text += std::to_string(static_cast<int>(p->m_ID));
        text += ",\n      \"index\": ";
        text += std::to_string(i);
        text += ",\n      \"isURL\": ";
        text += std::to_string(p->m_IsURL);
        text += ",\n      \"memo\": ";
        AppendJsonString(text, ToUtf8(p->m_Memo));
        text += ",\n      \"parent\": ";
        text += std::to_string(p->m_ParentID);
        text += ",\n      \"title\": ";
        AppendJsonString(text, ToUtf8(p->m_Title));
        text += ",\n      \"url\": ";
        AppendJsonString(text, ToUtf8(p->m_URL));
        text += "\n    }";
        if (text.size() >= 64 * 1024) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    text += table.GetSize() ? "\n  ]\n}\n" : "]\n}\n";
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

int RunDump(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    const CItemTable& table = doc.m_PtrAry;
    if (opt.bJson) {
        WriteJson(doc, out);
        return kCliOk;
    }
    for (int i = 0; i < table.GetSize(); ++i) {
        const CUrlItem* p = table[i];
        out << i << '\t' << static_cast<int>(p->m_ID) << '\t' << p->m_ParentID << '\t'
            << (p->m_IsURL ? "url" : "folder") << '\t' << Escape(ToUtf8(p->m_Title)) << '\t'
            << Escape(ToUtf8(p->m_URL)) << '\t' << Escape(ToUtf8(p->m_Memo)) << "\n";
    }
    return kCliOk;
}
