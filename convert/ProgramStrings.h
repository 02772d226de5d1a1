// The program's own string-table texts (messages and link-page entries),
// taken at build time from the resource script, so the Windows resources and
// the portable code hold the same text.
#pragma once

#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"

// The text of string nID in the active code page; empty for an unknown ID.
CString ProgramString(UINT nID);

// The same text as UTF-8, for console output; nullptr for an unknown ID.
const char* ProgramStringUtf8(UINT nID);
