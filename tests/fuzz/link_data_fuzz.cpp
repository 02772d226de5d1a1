// Any bytes as the formats of a drag or the clipboard: the first byte picks
// which formats the rest fills (split at 0xFF bytes). Reading a link never
// fails, and a link it returns has an address without tabs, line breaks or
// NULs.
#include <cstdint>
#include <string>

#include "convert/LinkData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const unsigned mask = data[0];
    std::string parts[8];
    size_t k = 0;
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == 0xFF && k < 7)
            ++k;
        else
            parts[k] += static_cast<char>(data[i]);
    }
    LinkFormats f;
    std::string* fields[] = {&f.urlA,     &f.urlW, &f.descriptorA, &f.descriptorW,
                             &f.contents, &f.html, &f.textW,       &f.textA};
    for (unsigned i = 0, n = 0; i < 8; ++i)
        if (mask & (1u << i)) *fields[i] = parts[n++];
    CString strTitle, strURL;
    if (LinkFromFormats(f, strTitle, strURL) &&
        (strURL.IsEmpty() || strTitle.IsEmpty() ||
         strURL.str().find_first_of(std::string("\t\r\n\0", 4)) != std::string::npos))
        __builtin_trap();
    std::string fragment, href, text;
    if (CfHtmlFragment(parts[0], fragment)) FindHtmlAnchor(fragment, href, text);
    return 0;
}
