// Code-page awareness in one place. Text is bytes in the active code page:
// in a double-byte code page a lead byte and the byte after it form one
// character, in UTF-8 a whole sequence does, so a trail byte never matches or
// folds as a single-byte character. Bytes below 0x80 are always characters of
// their own.
#pragma once

#include <cstddef>

namespace codepage {

constexpr int kUtf8 = 65001;

// The active code page, the one the program's text is in: the process's ANSI
// code page on Windows (UTF-8 where the system honours the program's
// manifest), 932 natively unless SetActive chooses another.
int Active();
void SetActive(int nCodePage);
bool IsUtf8();

// The legacy code page: the one the user's locale names (932 on Japanese
// systems, also natively unless SetLegacy chooses another). Files for older
// versions and other programs are in it where their text fits.
int Legacy();
void SetLegacy(int nCodePage);

// Lead bytes of the double-byte active or legacy code page; false for every
// byte in UTF-8 and single-byte code pages.
bool IsLeadByte(unsigned char ch);
bool IsLegacyLeadByte(unsigned char ch);

// Byte length of a character that starts with a byte of 0x80 or above.
size_t MultiByteCharLength(const char* p, size_t nRemaining);

// Byte length of the character starting at p: 1 or 2 in a double-byte code
// page, 1 to 4 in UTF-8. A lead byte without its trail bytes (at the very end
// of the text, or a broken UTF-8 sequence) counts as one byte.
inline size_t CharLength(const char* p, size_t nRemaining) {
    return static_cast<unsigned char>(*p) < 0x80 ? 1 : MultiByteCharLength(p, nRemaining);
}
// The same for UTF-8 whatever the active code page.
size_t Utf8CharLength(const char* p, size_t nRemaining);

// Exact comparison, character by character: <0, 0, >0.
int Compare(const char* a, size_t na, const char* b, size_t nb);
// Case-insensitive comparison folding single-byte letters A-Z only.
int CompareNoCase(const char* a, size_t na, const char* b, size_t nb);

// Position of the first occurrence of needle starting at a character boundary
// at or after nStart (itself a boundary); -1 when none.
long Find(const char* hay, size_t nh, const char* needle, size_t nn, size_t nStart = 0);
// Position of the last single-byte character ch; -1 when none.
long ReverseFind(const char* hay, size_t nh, char ch);

}  // namespace codepage
