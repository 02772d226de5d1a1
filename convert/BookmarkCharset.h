// The character set of a bookmark file: its bytes as UTF-8 for the reader,
// and the reader's UTF-8 as the document's text.
#pragma once

#include <string>

#include "fw/base/CString.h"

// The character sets the reader takes; System is the system's code page.
enum class BookmarkCharset { Unknown, Utf8, ShiftJis, EucJp, Windows1252, MacRoman, System };

// The charset a label names ("Shift_JIS", "x-mac-roman", ...), ignoring case;
// Unknown for every other.
BookmarkCharset BookmarkCharsetFromLabel(const std::string& strLabel);

// Finds the charset of a whole file, in this order: a byte-order mark
// (UTF-8, UTF-16), the charset the file declares before its first list,
// UTF-8 when the bytes are valid UTF-8, else the system's code page. Drops
// the mark, and turns UTF-16 into UTF-8, so that the text's markup is
// ASCII whatever the charset; its other text is decoded piece by piece.
BookmarkCharset PrepareBookmarkText(std::string& bytes);

// Appends n bytes of text in the charset as UTF-8; a sequence the charset
// does not know becomes U+FFFD.
void AppendBookmarkUtf8(const char* p, size_t n, BookmarkCharset charset, std::string& out);

// Text the reader found, in UTF-8, as the document holds text. The one step
// that depends on the document's code page.
CString BookmarkDocumentText(std::string strUtf8);

// Appends code point c (U+FFFD for a surrogate or one past U+10FFFF) as
// UTF-8.
void AppendUtf8(std::string& out, unsigned long c);
