#include "check/UrlSyntax.h"

#include <cctype>

namespace {

bool IsSchemeChar(char c, bool bFirst) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80) return false;
    if (std::isalpha(u)) return true;
    return !bFirst && (std::isdigit(u) || c == '+' || c == '-' || c == '.');
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

const char* DefaultPort(const std::string& schemeLower) {
    if (schemeLower == "http" || schemeLower == "ws") return "80";
    if (schemeLower == "https" || schemeLower == "wss") return "443";
    if (schemeLower == "ftp") return "21";
    return nullptr;
}

// Splits "userinfo@host:port" into its parts.
void SplitAuthority(const std::string& authority, UrlParts& parts) {
    std::string rest = authority;
    const size_t at = rest.rfind('@');
    if (at != std::string::npos) {
        parts.bUserinfo = true;
        parts.userinfo = rest.substr(0, at);
        rest.erase(0, at + 1);
    }
    size_t colon = std::string::npos;
    if (!rest.empty() && rest[0] == '[') {
        const size_t close = rest.find(']');
        if (close != std::string::npos && close + 1 < rest.size() && rest[close + 1] == ':')
            colon = close + 1;
    } else {
        colon = rest.rfind(':');
    }
    if (colon != std::string::npos) {
        parts.host = rest.substr(0, colon);
        parts.port = rest.substr(colon + 1);
        parts.bPortGiven = true;
    } else {
        parts.host = rest;
    }
}

// Removes "." and ".." segments (RFC 3986, 5.2.4), in one pass.
std::string RemoveDotSegments(const std::string& path) {
    std::string out;
    size_t i = 0;
    const size_t n = path.size();
    while (i < n) {
        if (path.compare(i, 3, "../") == 0) {
            i += 3;
        } else if (path.compare(i, 2, "./") == 0) {
            i += 2;
        } else if (path.compare(i, 3, "/./") == 0) {
            i += 2;
        } else if (i + 2 == n && path.compare(i, 2, "/.") == 0) {
            out += '/';
            i = n;
        } else if (path.compare(i, 4, "/../") == 0 ||
                   (i + 3 == n && path.compare(i, 3, "/..") == 0)) {
            const size_t cut = out.rfind('/');
            out.erase(cut == std::string::npos ? 0 : cut);
            if (i + 3 == n) {
                out += '/';
                i = n;
            } else {
                i += 3;
            }
        } else if ((i + 1 == n && path[i] == '.') ||
                   (i + 2 == n && path.compare(i, 2, "..") == 0)) {
            i = n;
        } else {
            const size_t next = path.find('/', i + 1);
            const size_t end = next == std::string::npos ? n : next;
            out.append(path, i, end - i);
            i = end;
        }
    }
    return out;
}

}  // namespace

bool ParseUrl(const std::string& url, UrlParts& parts) {
    parts = UrlParts();
    size_t i = 0;
    while (i < url.size() && IsSchemeChar(url[i], i == 0)) ++i;
    if (i == 0 || i >= url.size() || url[i] != ':') return false;
    parts.scheme = url.substr(0, i);
    size_t pos = i + 1;
    if (url.compare(pos, 2, "//") == 0) {
        parts.bAuthority = true;
        pos += 2;
        const size_t end = url.find_first_of("/?#", pos);
        SplitAuthority(url.substr(pos, end - pos), parts);
        pos = end == std::string::npos ? url.size() : end;
    }
    const size_t hash = url.find('#', pos);
    if (hash != std::string::npos) {
        parts.bFragment = true;
        parts.fragment = url.substr(hash + 1);
    }
    const std::string beforeHash =
        url.substr(pos, hash == std::string::npos ? std::string::npos : hash - pos);
    const size_t q = beforeHash.find('?');
    if (q != std::string::npos) {
        parts.bQuery = true;
        parts.query = beforeHash.substr(q + 1);
    }
    parts.path = beforeHash.substr(0, q);
    return true;
}

std::string JoinUrl(const UrlParts& parts) {
    std::string out = parts.scheme + ":";
    if (parts.bAuthority) {
        out += "//";
        if (parts.bUserinfo) out += parts.userinfo + "@";
        out += parts.host;
        if (parts.bPortGiven) out += ":" + parts.port;
    }
    out += parts.path;
    if (parts.bQuery) out += "?" + parts.query;
    if (parts.bFragment) out += "#" + parts.fragment;
    return out;
}

std::string UrlScheme(const std::string& url) {
    UrlParts parts;
    return ParseUrl(url, parts) ? Lower(parts.scheme) : std::string();
}

std::string ResolveUrl(const std::string& base, const std::string& reference) {
    UrlParts b;
    if (!ParseUrl(base, b)) return reference;
    UrlParts r;
    if (ParseUrl(reference, r)) {
        r.path = RemoveDotSegments(r.path);
        return JoinUrl(r);
    }
    UrlParts t = b;
    t.bFragment = false;
    t.fragment.clear();
    std::string ref = reference;
    const size_t hash = ref.find('#');
    if (hash != std::string::npos) {
        t.bFragment = true;
        t.fragment = ref.substr(hash + 1);
        ref.erase(hash);
    }
    std::string refQuery;
    bool bRefQuery = false;
    const size_t q = ref.find('?');
    if (q != std::string::npos) {
        bRefQuery = true;
        refQuery = ref.substr(q + 1);
        ref.erase(q);
    }
    if (ref.compare(0, 2, "//") == 0) {
        UrlParts a;
        ParseUrl(b.scheme + ":" + ref, a);
        t.bUserinfo = a.bUserinfo;
        t.userinfo = a.userinfo;
        t.host = a.host;
        t.port = a.port;
        t.bPortGiven = a.bPortGiven;
        t.bAuthority = true;
        t.path = RemoveDotSegments(a.path);
        t.bQuery = bRefQuery;
        t.query = refQuery;
    } else if (ref.empty()) {
        if (bRefQuery) {
            t.bQuery = true;
            t.query = refQuery;
        }
    } else {
        if (ref[0] == '/') {
            t.path = RemoveDotSegments(ref);
        } else {
            std::string merged;
            if (b.bAuthority && b.path.empty()) {
                merged = "/" + ref;
            } else {
                const size_t slash = b.path.rfind('/');
                merged =
                    (slash == std::string::npos ? std::string() : b.path.substr(0, slash + 1)) +
                    ref;
            }
            t.path = RemoveDotSegments(merged);
        }
        t.bQuery = bRefQuery;
        t.query = refQuery;
    }
    return JoinUrl(t);
}

std::string RequestUrl(const std::string& url) {
    static const char kHex[] = "0123456789ABCDEF";
    const size_t hash = url.find('#');
    std::string out;
    out.reserve(url.size());
    for (size_t i = 0; i < url.size() && i != hash; ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' ||
            c == '`' || c == '{' || c == '|' || c == '}') {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string HostKey(const std::string& url) {
    UrlParts parts;
    if (!ParseUrl(url, parts)) return std::string();
    const std::string scheme = Lower(parts.scheme);
    std::string port = parts.port;
    if (port.empty()) {
        const char* pszDefault = DefaultPort(scheme);
        port = pszDefault ? pszDefault : "";
    }
    return Lower(parts.host) + ":" + port;
}

std::string NormaliseUrl(const std::string& url) {
    UrlParts parts;
    std::string out;
    if (ParseUrl(url, parts)) {
        parts.scheme = Lower(parts.scheme);
        if (parts.bAuthority) {
            parts.host = Lower(parts.host);
            const char* pszDefault = DefaultPort(parts.scheme);
            if (parts.bPortGiven &&
                (parts.port.empty() || (pszDefault && parts.port == pszDefault))) {
                parts.bPortGiven = false;
                parts.port.clear();
            }
            if (parts.path.empty()) parts.path = "/";
        }
        out = JoinUrl(parts);
    } else {
        out = url;
    }
    for (size_t i = 0; i + 2 < out.size(); ++i) {
        if (out[i] == '%' && IsHex(out[i + 1]) && IsHex(out[i + 2])) {
            out[i + 1] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i + 1])));
            out[i + 2] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i + 2])));
            i += 2;
        }
    }
    return out;
}
