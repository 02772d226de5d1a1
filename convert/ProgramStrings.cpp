#include "convert/ProgramStrings.h"

#include <map>
#include <string>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

struct Entry {
    UINT nID;
    const char* pszUtf8;
};

const Entry kStrings[] = {
#include "ProgramStrings.inc"
};

}  // namespace

const char* ProgramStringUtf8(UINT nID) {
    for (const Entry& e : kStrings) {
        if (e.nID == nID) return e.pszUtf8;
    }
    return nullptr;
}

CString ProgramString(UINT nID) {
    // Converted once per code page and kept: the link page asks for the same
    // entries for every folder.
    static std::map<std::pair<int, UINT>, CString> cache;
    const auto key = std::make_pair(codepage::Active(), nID);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const char* pszUtf8 = ProgramStringUtf8(nID);
    if (!pszUtf8) return CString();
    std::string text;
    if (!platform::Utf8ToCodePage(pszUtf8, codepage::Active(), text)) text = pszUtf8;
    return cache.emplace(key, CString(std::move(text))).first->second;
}
