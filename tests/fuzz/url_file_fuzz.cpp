// Any bytes as a shortcut file, fed to the scanner whole and in pieces: the
// same address as a plain search over the whole text.
#include <cstdint>
#include <cstring>
#include <string>

#include "convert/UrlFile.h"
#include "fw/base/CodePage.h"

namespace {

// The address as found in the whole text at once.
std::string Plain(const std::string& bytes) {
    const std::string text = bytes.substr(0, bytes.find('\0'));
    long nPos = codepage::Find(text.data(), text.size(), "URL=", 4);
    if (nPos < 0) nPos = codepage::Find(text.data(), text.size(), "url=", 4);
    if (nPos < 0) return kMissedConversionURL;
    std::string url = text.substr(nPos + 4);
    const long nFeed = codepage::Find(url.data(), url.size(), "\n", 1);
    if (nFeed >= 0) {
        url.resize(nFeed);
        if (!url.empty() && url.back() == '\r') url.pop_back();
    }
    return url.size() > kMaxShortcutURL ? std::string(kMissedConversionURL) : url;
}

std::string Scanned(const std::string& text, size_t nPiece) {
    CUrlFileScanner scanner;
    for (size_t i = 0; i < text.size(); i += nPiece) {
        if (!scanner.Feed(text.data() + i, std::min(nPiece, text.size() - i))) break;
    }
    CString url;
    return scanner.GetURL(url) ? url.str() : kMissedConversionURL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t nPiece = 1 + data[0] % 7;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    // The plain search finds the narrow address; a file with a wide section
    // ([InternetShortcut.W]) may give that one instead, the same in pieces.
    const std::string whole = Scanned(text, text.size() + 1);
    const bool bWide =
        text.find(".W]") != std::string::npos || text.find(".w]") != std::string::npos;
    const std::string expected = bWide ? whole : Plain(text);
    if (whole != expected) __builtin_trap();
    if (Scanned(text, nPiece) != expected) __builtin_trap();
    return 0;
}
