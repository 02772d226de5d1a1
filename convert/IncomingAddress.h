// Addresses that come in from other programs: dropped and pasted links,
// imported bookmarks and shortcuts, a browser's reply. Tabs and line breaks
// are never part of an address (browsers drop them too), and a line break
// carried into a shortcut file would start a line of its own there.
#pragma once

#include <string>

#include "fw/base/CString.h"

// The address without its tab, CR and LF bytes. None of them is ever the
// second byte of a double-byte character, so no character is split.
std::string WithoutLineBreaks(const std::string& url);
CString WithoutLineBreaks(const CString& strURL);

// An address as a link must be: a scheme (a letter, then at least one more
// letter, digit, "+", "-" or "."; one letter alone is a drive) followed by
// ":", and no control character anywhere.
bool IsSchemeAddress(const std::string& url);
