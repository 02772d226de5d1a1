// The two services every reader of a browser's profile files needs: a file's
// bytes, and UTF-8 text taken into the document's code page.
#pragma once

#include <string>

#include "fw/base/CString.h"

// Reads the whole file; false when it cannot be opened or read.
bool ReadFileBytes(const char* pszPath, std::string& bytes);

// UTF-8 text in the document's code page: unchanged where that is UTF-8,
// converted otherwise (characters it cannot hold become '?').
CString TextFromUtf8(const std::string& text);
