// The character set of a bookmark file: its bytes as UTF-8 for the reader,
// and the reader's UTF-8 as the document's text.
#pragma once

#include <string>

#include "fw/base/CString.h"

// The character sets the reader knows by name; Unknown for every other.
enum class BookmarkCharset { Unknown, Utf8, ShiftJis, EucJp, Windows1252, MacRoman };

// The charset a label names ("Shift_JIS", "x-mac-roman", ...), ignoring case.
BookmarkCharset BookmarkCharsetFromLabel(const std::string& strLabel);

// The whole file as UTF-8, decoded from, in this order: a byte-order mark
// (UTF-8, UTF-16), the charset the file declares before its first list,
// UTF-8 when the bytes are valid UTF-8, else the system's code page. The
// mark is dropped; a byte sequence the charset does not know becomes
// U+FFFD.
std::string BookmarkFileToUtf8(const std::string& bytes);

// Text the reader found, in UTF-8, as the document holds text. The one step
// that depends on the document's code page.
CString BookmarkDocumentText(const std::string& strUtf8);

// Appends code point c (U+FFFD for a surrogate or one past U+10FFFF) as
// UTF-8.
void AppendUtf8(std::string& out, unsigned long c);
