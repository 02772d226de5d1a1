// Windows implementation of the platform services of the portable pieces.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <vector>

#include "fw/base/CFileException.h"
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

bool IsSystemLeadByte(int nCodePage, int ch) {
    return IsDBCSLeadByteEx(static_cast<UINT>(nCodePage), static_cast<BYTE>(ch)) != FALSE;
}

// LCMapStringA converts through the code page of the locale it is given; the
// system locale's is the ANSI code page. The mapping goes character by
// character, so each character is mapped once and remembered. A character
// whose half-width form the code page lacks (arrows, the white circle) comes
// back as "?"; it keeps its own form instead, so that it does not match every
// question mark. Text in another code page (a document of another system read
// by the command-line tool) folds case only.
namespace {

// Whether the character's mapping is a question mark itself, not the mark
// left for a form the code page cannot hold.
bool MapsToQuestionMark(const char* p, int len, DWORD dwFlags) {
    wchar_t wide[2], mapped[4];
    const int nWide = MultiByteToWideChar(CP_ACP, 0, p, len, wide, 2);
    if (nWide <= 0) return false;
    const int nMapped = LCMapStringW(LOCALE_SYSTEM_DEFAULT, dwFlags, wide, nWide, mapped, 4);
    return nMapped == 1 && mapped[0] == L'?';
}

}  // namespace

void FoldForSearch(const char* p, size_t n, int nCodePage, std::string& out) {
    out.clear();
    if (static_cast<UINT>(nCodePage) != GetACP()) {
        out.assign(p, n);
        codepage::FoldAsciiCase(out, nCodePage);
        return;
    }
    static std::vector<std::string> folded(0x10000);
    static std::vector<bool> known(0x10000);
    for (size_t i = 0; i < n;) {
        const size_t len =
            (i + 1 < n && IsDBCSLeadByteEx(static_cast<UINT>(nCodePage), static_cast<BYTE>(p[i])))
                ? 2
                : 1;
        const unsigned code = len == 2
                                  ? (static_cast<BYTE>(p[i]) << 8) | static_cast<BYTE>(p[i + 1])
                                  : static_cast<BYTE>(p[i]);
        if (!known[code]) {
            const DWORD dwFlags = LCMAP_HALFWIDTH | LCMAP_KATAKANA;
            char buf[16];
            const int nLen = LCMapStringA(LOCALE_SYSTEM_DEFAULT, dwFlags, p + i,
                                          static_cast<int>(len), buf, sizeof(buf));
            std::string mapped =
                nLen > 0 ? std::string(buf, static_cast<size_t>(nLen)) : std::string(p + i, len);
            if (mapped == "?" && !MapsToQuestionMark(p + i, static_cast<int>(len), dwFlags))
                mapped.assign(p + i, len);
            codepage::FoldAsciiCase(mapped, nCodePage);
            folded[code] = std::move(mapped);
            known[code] = true;
        }
        out += folded[code];
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
