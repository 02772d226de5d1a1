#include "browser/OpenTarget.h"

#include <cstring>
#include <string>

#include "fw/base/CodePage.h"

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool StartsNoCase(const std::string& s, const char* pszPrefix) {
    return CString(s.substr(0, strlen(pszPrefix))).CompareNoCase(pszPrefix) == 0;
}

// "C:\" or "C:/" at p.
bool IsDrivePath(const std::string& s, size_t p) {
    return s.size() > p + 2 && IsAsciiLetter(s[p]) && s[p + 1] == ':' &&
           (s[p + 2] == '\\' || s[p + 2] == '/');
}

bool IsLocalDocument(const std::string& s) {
    size_t nPath = 0;
    if (StartsNoCase(s, "file:///"))
        nPath = 8;
    else if (!IsDrivePath(s, 0))
        return false;
    if (!IsDrivePath(s, nPath)) return false;
    const size_t nName = s.find_last_of("\\/") + 1;
    const size_t nDot = s.rfind('.');
    if (nDot == std::string::npos || nDot < nName) return false;
    const CString ext(s.substr(nDot + 1));
    for (const char* pszExt : {"htm", "html", "xhtml", "shtml", "mht", "mhtml", "pdf", "txt"})
        if (ext.CompareNoCase(pszExt) == 0) return true;
    return false;
}

}  // namespace

OpenTarget ClassifyOpenTarget(const CString& strTarget) {
    const std::string& s = strTarget.str();
    if (s.empty()) return OpenTarget::Now;
    if (!IsAsciiLetter(s[0]) && !IsDigit(s[0]) && s[0] != '\\') return OpenTarget::Refused;
    for (char c : s)
        if (IsControl(c)) return OpenTarget::Refused;
    for (const char* pszScheme : {"http://", "https://", "ftp://", "mailto:"})
        if (StartsNoCase(s, pszScheme)) return OpenTarget::Now;
    return IsLocalDocument(s) ? OpenTarget::Now : OpenTarget::Ask;
}

CString ShownTarget(const CString& strTarget) {
    const size_t kMaxShown = 300;
    const std::string& s = strTarget.str();
    std::string out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = codepage::CharLength(&s[i], s.size() - i);
        if (out.size() + n > kMaxShown) {
            out += "...";
            break;
        }
        if (n == 1 && IsControl(s[i]))
            out += '?';
        else
            out.append(s, i, n);
        i += n;
    }
    return CString(std::move(out));
}
