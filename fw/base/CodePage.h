// Code-page awareness in one place. Text is bytes in the active ANSI code page;
// in a double-byte code page a lead byte and the byte after it form one
// character, so a trail byte never matches or folds as a single-byte character.
#pragma once

#include <cstddef>

namespace codepage {

// The active code page: the system's ANSI code page on Windows, 932 natively
// unless SetActive chooses another.
int Active();
void SetActive(int nCodePage);

bool IsLeadByte(unsigned char ch);

// Byte length of the character starting at p (1 or 2); a lead byte at the very
// end of the text counts as one byte.
inline size_t CharLength(const char* p, size_t nRemaining) {
    return (nRemaining >= 2 && IsLeadByte(static_cast<unsigned char>(*p))) ? 2 : 1;
}

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
