// Finding the user's web browser: the program the system opens ".htm" files
// with, found through an empty temporary "Ordelink.htm".
#pragma once

#include <cstdint>

#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"

// TRUE with the browser's full path; FALSE after the message for the
// failure, if it has one.
BOOL FindBrowser(CString& strPath);

// The system call behind FindBrowser, replaceable for tests: the result as
// FindExecutable gives it, pointer-sized (above 32 on success) and the program's path.
using FindExecutableFn = std::intptr_t (*)(const char* pszFile, const char* pszDir,
                                           CString& strResult);
FindExecutableFn SetFindExecutableForTest(FindExecutableFn fn);
