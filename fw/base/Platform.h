// The few services the portable pieces need from the operating system. Each
// function has one implementation for POSIX (fw/base/Platform_posix.cpp) and
// one for Windows (fw/win/BasePlatform_win.cpp); the build links the right one.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

// The ANSI code page text is in: GetACP() on Windows, 932 natively.
int SystemCodePage();
bool IsSystemLeadByte(int nCodePage, int ch);
// The user locale's ANSI code page (LOCALE_IDEFAULTANSICODEPAGE) on Windows,
// whatever the process's own; 932 natively.
int LegacyCodePage();

// Text conversion between a code page and UTF-8 / UTF-16. Characters the
// target cannot hold become '?'. Returns false when the code page is unknown.
bool CodePageToUtf8(const std::string& in, int nCodePage, std::string& out);
bool Utf8ToCodePage(const std::string& in, int nCodePage, std::string& out);
bool Utf16ToCodePage(const std::u16string& in, int nCodePage, std::string& out);
bool CodePageToUtf16(const std::string& in, int nCodePage, std::u16string& out);

// Text folded for searching (see fw/base/SearchFold.h): case, width and kana
// type removed. Windows maps with LCMapStringA in the system's code page;
// natively code page 932 uses the tables of SearchFold, others fold case only.
// A character folds the same wherever it stands.
void FoldForSearch(const char* p, size_t n, int nCodePage, std::string& out);

// Error numbers the file layer understands, mapped from the system's own.
struct FileError {
    int nCause = 0;     // a CFileException cause
    long lOsError = 0;  // errno or GetLastError()
};

// Creates a new, empty file with a unique name in folder strDir and returns its
// path; empty with *pError set on failure.
std::string CreateTempFileIn(const std::string& strDir, FileError* pError);

// Replaces target with the fully written file replacement (same folder), as
// one step where the system allows it. On failure target is left as it was.
bool ReplaceFileWith(const std::string& strTarget, const std::string& strReplacement,
                     FileError* pError);

// Opens a regular file for reading ("rb"); null with errno set when it cannot
// be opened or is something else (a pipe, a device, a directory), which is
// found out without waiting for a writer.
std::FILE* OpenRegularFileToRead(const std::string& strPath);

bool RemoveFile(const std::string& strPath);
bool FileExists(const std::string& strPath);
// True when the file exists and carries the read-only attribute (no write
// permission bits natively).
bool IsReadOnlyFile(const std::string& strPath);

// Forces buffered data of an open stream to the disk.
bool FlushToDisk(std::FILE* fp);

// Clears the error state before a call whose failure FileErrorFromErrno reads.
void ResetErrors();

// Maps the C library's errno after a failed call to a CFileException cause.
FileError FileErrorFromErrno(int nErrno);

}  // namespace platform
