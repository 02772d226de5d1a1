#include "convert/IncomingAddress.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string WithoutLineBreaks(const std::string& url) {
    std::string out;
    out.reserve(url.size());
    for (char c : url)
        if (c != '\t' && c != '\r' && c != '\n') out += c;
    return out;
}

CString WithoutLineBreaks(const CString& strURL) {
    if (strURL.str().find_first_of("\t\r\n") == std::string::npos) return strURL;
    return CString(WithoutLineBreaks(strURL.str()));
}

bool IsSchemeAddress(const std::string& url) {
    if (std::any_of(url.begin(), url.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return false;
    if (url.empty() || !IsAsciiLetter(url[0])) return false;
    size_t i = 1;
    while (i < url.size() && (IsAsciiLetter(url[i]) || (url[i] >= '0' && url[i] <= '9') ||
                              url[i] == '+' || url[i] == '-' || url[i] == '.'))
        ++i;
    return i >= 2 && i < url.size() && url[i] == ':';
}
