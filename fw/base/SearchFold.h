// Text folded for searching: two texts a reader takes for the same words fold
// to the same bytes. Letters lose their case, full-width letters, digits and
// signs become ASCII, hiragana become katakana and katakana take their
// half-width forms (a voiced or semi-voiced kana becomes two half-width
// characters). Folding keeps character boundaries: a double-byte character
// that has no other form is copied whole, so its trail byte stays a trail byte.
#pragma once

#include <cstddef>
#include <string>

namespace codepage {

// Folds text in the active code page. Pure ASCII text is folded here; other
// text goes through the system's mapping (platform::FoldForSearch).
void FoldForSearch(const char* p, size_t n, std::string& out);
inline std::string FoldForSearch(const std::string& s) {
    std::string out;
    FoldForSearch(s.data(), s.size(), out);
    return out;
}

// The folding of code page 932 as tables, used where the system offers no
// mapping of its own (native builds). Appends to out.
void AppendFoldedCp932(const char* p, size_t n, std::string& out);

// The same for UTF-8 text: letters of Latin, Greek and Cyrillic lose their
// case, and characters that code page 932 holds fold as there. Appends to out.
void AppendFoldedUtf8(const char* p, size_t n, std::string& out);

// Folds single-byte letters A-Z to a-z in place, stepping over double-byte
// characters of nCodePage.
void FoldAsciiCase(std::string& s, int nCodePage);

}  // namespace codepage
