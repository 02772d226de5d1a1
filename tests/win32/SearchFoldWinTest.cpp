// The system's folding (LCMapStringA) against the cp932 tables the native
// build uses, character by character over the whole code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "fw/base/Platform.h"
#include "fw/base/SearchFold.h"

namespace {

std::string Hex(const std::string& s) {
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof(buf), "%02X ", c);
        out += buf;
    }
    return out;
}

}  // namespace

TEST(SearchFoldWindows, SystemAndTablesAgreeOnEveryCharacter) {
    std::vector<std::string> chars;
    for (int c = 0x20; c < 0x100; ++c)
        if (!IsDBCSLeadByteEx(932, static_cast<BYTE>(c))) chars.push_back(std::string(1, char(c)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsDBCSLeadByteEx(932, static_cast<BYTE>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t w;
            if (trail == 0x7F ||
                MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, pair, 2, &w, 1) != 1)
                continue;
            chars.push_back(std::string(pair, 2));
        }
    }
    int nDiffer = 0;
    for (const std::string& ch : chars) {
        std::string system, tables;
        platform::FoldForSearch(ch.data(), ch.size(), 932, system);
        codepage::AppendFoldedCp932(ch.data(), ch.size(), tables);
        if (system != tables) {
            ++nDiffer;
            ADD_FAILURE() << Hex(ch) << ": system " << Hex(system) << " tables " << Hex(tables);
        }
    }
    EXPECT_EQ(nDiffer, 0) << "of " << chars.size();
}
