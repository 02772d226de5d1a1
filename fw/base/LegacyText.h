// Every conversion of text between the program's code page (codepage::Active)
// and the forms other files and programs hold it in: the legacy code page
// (codepage::Legacy), UTF-16, UTF-8 or a code page a file declares. When the
// code pages are the same the text passes as it is, byte for byte.
#pragma once

#include <cstddef>
#include <string>

namespace legacy {

// True when the program's text is in the legacy code page itself, so that
// nothing needs converting at the legacy boundaries.
bool IsActive();

// Converts text into the legacy code page. Returns true when every character
// has its own form there (the bytes read back give the text again); false
// when some character was lost ("?" or a look-alike stands for it).
bool ToLegacy(const std::string& strText, std::string& out);
// Bytes in the legacy code page as text.
std::string FromLegacy(const char* p, size_t n);
inline std::string FromLegacy(const std::string& bytes) {
    return FromLegacy(bytes.data(), bytes.size());
}

// Text to and from UTF-16 (lossless when the text is UTF-8).
std::u16string ToUtf16(const std::string& strText);
std::string FromUtf16(const std::u16string& wide);

// Text to and from UTF-8.
std::string ToUtf8(const std::string& strText);
std::string FromUtf8(const std::string& utf8);

// Text to and from any code page (65000 is UTF-7). ToCodePage returns true
// when every character was kept.
bool ToCodePage(const std::string& strText, int nCodePage, std::string& out);
std::string FromCodePage(const std::string& bytes, int nCodePage);

}  // namespace legacy
