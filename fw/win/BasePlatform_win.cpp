// Windows implementation of the platform services of the portable pieces.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "fw/base/CFileException.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"
#include "fw/base/SearchFold.h"

namespace platform {
namespace {

FileError FromWin32(DWORD dwError) {
    FileError e;
    e.lOsError = static_cast<long>(dwError);
    switch (dwError) {
        case ERROR_FILE_NOT_FOUND:
            e.nCause = CFileException::fileNotFound;
            break;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            e.nCause = CFileException::badPath;
            break;
        case ERROR_TOO_MANY_OPEN_FILES:
            e.nCause = CFileException::tooManyOpenFiles;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            e.nCause = CFileException::accessDenied;
            break;
        case ERROR_SHARING_VIOLATION:
            e.nCause = CFileException::sharingViolation;
            break;
        case ERROR_LOCK_VIOLATION:
            e.nCause = CFileException::lockViolation;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            e.nCause = CFileException::diskFull;
            break;
        default:
            e.nCause = CFileException::genericException;
            break;
    }
    return e;
}

bool WideToCodePage(const wchar_t* p, int n, int nCodePage, std::string& out) {
    out.clear();
    if (n == 0) return true;
    int len = WideCharToMultiByte(nCodePage, 0, p, n, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return false;
    out.resize(len);
    WideCharToMultiByte(nCodePage, 0, p, n, &out[0], len, nullptr, nullptr);
    return true;
}

bool CodePageToWide(const std::string& in, int nCodePage, std::wstring& out) {
    out.clear();
    if (in.empty()) return true;
    int len = MultiByteToWideChar(nCodePage, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    if (len <= 0) return false;
    out.resize(len);
    MultiByteToWideChar(nCodePage, 0, in.data(), static_cast<int>(in.size()), &out[0], len);
    return true;
}

}  // namespace

void ResetErrors() {
    errno = 0;
    SetLastError(ERROR_SUCCESS);
}

int SystemCodePage() {
    return static_cast<int>(GetACP());
}

int LegacyCodePage() {
    char buf[16];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, buf, sizeof buf) > 0) {
        const int n = atoi(buf);
        if (n > 0) return n;
    }
    return static_cast<int>(GetACP());
}

bool IsSystemLeadByte(int nCodePage, int ch) {
    return IsDBCSLeadByteEx(static_cast<UINT>(nCodePage), static_cast<BYTE>(ch)) != FALSE;
}

// Folding goes through the wide API whatever the text's code page:
// LCMapStringA converts through the process's code page and gives wrong bytes
// for UTF-8. Each character is mapped once and remembered. A character whose
// half-width form the code page lacks (arrows, the white circle) keeps its own
// form, so that it does not match every question mark. UTF-8 text also loses
// the case of every letter the system folds (accented Latin, Greek, Cyrillic);
// double-byte text folds the case of single-byte letters only, as before.
namespace {

std::string FoldCharacter(const char* p, int len, UINT nCodePage) {
    const std::string same(p, static_cast<size_t>(len));
    wchar_t wide[4], half[8], lower[8];
    const int nWide = MultiByteToWideChar(nCodePage, 0, p, len, wide, 4);
    if (nWide <= 0) return same;
    int nHalf =
        LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_HALFWIDTH | LCMAP_KATAKANA, wide, nWide, half, 8);
    if (nHalf <= 0) return same;
    const wchar_t* mapped = half;
    if (nCodePage == CP_UTF8) {
        const int nLower =
            LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_LOWERCASE, half, nHalf, lower, 8);
        if (nLower > 0) {
            mapped = lower;
            nHalf = nLower;
        }
    }
    char buf[32];
    BOOL bDefault = FALSE;
    const int nOut = WideCharToMultiByte(nCodePage, 0, mapped, nHalf, buf, sizeof buf, nullptr,
                                         nCodePage == CP_UTF8 ? nullptr : &bDefault);
    if (nOut <= 0 || bDefault) return same;
    return std::string(buf, static_cast<size_t>(nOut));
}

}  // namespace

void FoldForSearch(const char* p, size_t n, int nCodePage, std::string& out) {
    out.clear();
    static std::unordered_map<uint64_t, std::string> folded;
    const UINT cp = static_cast<UINT>(nCodePage);
    for (size_t i = 0; i < n;) {
        size_t len = 1;
        if (cp == CP_UTF8)
            len = codepage::Utf8CharLength(p + i, n - i);
        else if (i + 1 < n && IsDBCSLeadByteEx(cp, static_cast<BYTE>(p[i])))
            len = 2;
        uint64_t key = static_cast<uint64_t>(cp) << 32;
        for (size_t k = 0; k < len; ++k)
            key |= static_cast<uint64_t>(static_cast<BYTE>(p[i + k])) << (8 * k);
        auto it = folded.find(key);
        if (it == folded.end()) {
            std::string mapped = len == 1 && static_cast<BYTE>(p[i]) < 0x80
                                     ? std::string(1, p[i])
                                     : FoldCharacter(p + i, static_cast<int>(len), cp);
            codepage::FoldAsciiCase(mapped, nCodePage);
            it = folded.emplace(key, std::move(mapped)).first;
        }
        out += it->second;
        i += len;
    }
}

bool CodePageToUtf8(const std::string& in, int nCodePage, std::string& out) {
    std::wstring wide;
    return CodePageToWide(in, nCodePage, wide) &&
           WideToCodePage(wide.data(), static_cast<int>(wide.size()), CP_UTF8, out);
}

bool Utf8ToCodePage(const std::string& in, int nCodePage, std::string& out) {
    std::wstring wide;
    return CodePageToWide(in, CP_UTF8, wide) &&
           WideToCodePage(wide.data(), static_cast<int>(wide.size()), nCodePage, out);
}

bool Utf16ToCodePage(const std::u16string& in, int nCodePage, std::string& out) {
    return WideToCodePage(reinterpret_cast<const wchar_t*>(in.data()), static_cast<int>(in.size()),
                          nCodePage, out);
}

bool CodePageToUtf16(const std::string& in, int nCodePage, std::u16string& out) {
    std::wstring wide;
    if (!CodePageToWide(in, nCodePage, wide)) return false;
    out.assign(wide.begin(), wide.end());
    return true;
}

FileError FileErrorFromErrno(int nErrno) {
    // The C library sets errno from the system error; prefer the latter.
    DWORD dwError = GetLastError();
    if (dwError != ERROR_SUCCESS) return FromWin32(dwError);
    FileError e;
    e.lOsError = nErrno;
    e.nCause = CFileException::CauseFromErrno(nErrno);
    return e;
}

std::string CreateTempFileIn(const std::string& strDir, FileError* pError) {
    char szPath[MAX_PATH];
    if (!GetTempFileNameA(strDir.empty() ? "." : strDir.c_str(), "ord", 0, szPath)) {
        if (pError) *pError = FromWin32(GetLastError());
        return std::string();
    }
    return szPath;
}

bool ReplaceFileWith(const std::string& strTarget, const std::string& strReplacement,
                     FileError* pError) {
    if (GetFileAttributesA(strTarget.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ReplaceFileA(strTarget.c_str(), strReplacement.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
        // ReplaceFile refuses some file systems; a failure that left the
        // target in place may still be mended by a plain move.
        if (GetFileAttributesA(strTarget.c_str()) == INVALID_FILE_ATTRIBUTES ||
            (GetFileAttributesA(strTarget.c_str()) & FILE_ATTRIBUTE_READONLY)) {
            if (pError) *pError = FromWin32(ERROR_ACCESS_DENIED);
            return false;
        }
    }
    if (MoveFileExA(strReplacement.c_str(), strTarget.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (pError) *pError = FromWin32(GetLastError());
    return false;
}

bool RemoveFile(const std::string& strPath) {
    return DeleteFileA(strPath.c_str()) != FALSE;
}

std::FILE* OpenRegularFileToRead(const std::string& strPath) {
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        errno = GetLastError() == ERROR_FILE_NOT_FOUND ? ENOENT : EACCES;
        return nullptr;
    }
    // A pipe, a console or another device answers with another type.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        errno = EINVAL;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    std::FILE* fp = _fdopen(fd, "rb");
    if (!fp) _close(fd);
    return fp;
}

bool FileExists(const std::string& strPath) {
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsReadOnlyFile(const std::string& strPath) {
    DWORD dw = GetFileAttributesA(strPath.c_str());
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY) &&
           (dw & FILE_ATTRIBUTE_READONLY);
}

bool FlushToDisk(std::FILE* fp) {
    if (std::fflush(fp) != 0) return false;
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fp)));
    return h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
}

}  // namespace platform
