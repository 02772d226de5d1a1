// The syntax of the addresses the link checker asks and the duplicate finder
// compares: the parts of a URL, a redirect's Location resolved against the
// address that gave it, the form a request is sent with, and the syntax-only
// normal form under which two addresses count as the same.
//
// Everything here works on bytes and never looks anything up; text that does
// not parse as a URL is kept as it is.
#pragma once

#include <string>

struct UrlParts {
    std::string scheme;  // as written (compare case-insensitively)
    bool bAuthority = false;
    bool bUserinfo = false;
    std::string userinfo;  // without the '@'
    std::string host;      // as written; an IPv6 literal keeps its brackets
    std::string port;      // digits after the ':', may be empty
    bool bPortGiven = false;
    std::string path;
    bool bQuery = false;
    std::string query;
    bool bFragment = false;
    std::string fragment;
};

// Splits an absolute URL ("scheme:..."). False when there is no scheme.
bool ParseUrl(const std::string& url, UrlParts& parts);
std::string JoinUrl(const UrlParts& parts);

// The scheme in lower case, or "" when the text has none.
std::string UrlScheme(const std::string& url);

// The absolute URL a reference (a Location header) names, seen from base;
// the reference itself when base does not parse.
std::string ResolveUrl(const std::string& base, const std::string& reference);

// The address as a request line carries it: the fragment dropped, bytes
// outside printable ASCII and the characters URLs may not hold (space " < >
// \ ^ ` { | }) percent-escaped. Existing escapes are left as they are.
std::string RequestUrl(const std::string& url);

// "host:port" in lower case with the scheme's default port filled in; the
// key under which requests to one server are counted.
std::string HostKey(const std::string& url);

// The syntax-only normal form: scheme and host in lower case, the scheme's
// default port dropped, an empty path of an address with a host as "/", and
// the hex digits of percent-escapes in upper case. Nothing else changes.
std::string NormaliseUrl(const std::string& url);
