// Any bytes as a browser's reply: the cut never fails, and the cleaned title
// holds none of the removed characters as a character of its own.
#include <cstdint>
#include <string>

#include "browser/WindowInfoReply.h"
#include "fw/base/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString reply(std::string(reinterpret_cast<const char*>(data), size));
    CString url, title;
    CutWindowInfoReply(reply, url, title);
    const std::string& t = title.str();
    for (size_t i = 0; i < t.size();) {
        const size_t n = codepage::CharLength(&t[i], t.size() - i);
        if (n == 1 && std::string("/\\:*?\"<>|").find(t[i]) != std::string::npos) __builtin_trap();
        i += n;
    }
    if (url.GetLength() + 2 > static_cast<int>(size) && size >= 2) __builtin_trap();
    return 0;
}
