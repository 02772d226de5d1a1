#include "fw/base/CFile.h"

#include <algorithm>
#include <cerrno>

#include "fw/base/Platform.h"

namespace {

#ifdef _WIN32
int Seek64(std::FILE* fp, int64_t off, int whence) {
    return _fseeki64(fp, off, whence);
}
int64_t Tell64(std::FILE* fp) {
    return _ftelli64(fp);
}
#else
int Seek64(std::FILE* fp, int64_t off, int whence) {
    return fseeko(fp, off, whence);
}
int64_t Tell64(std::FILE* fp) {
    return ftello(fp);
}
#endif

}  // namespace

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError) {
    Abort();
    m_strFileName = pszFileName;
    const UINT access = nOpenFlags & 3;
    const char* mode;
    if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate))
        mode = access == modeReadWrite ? "w+b" : "wb";
    else
        mode = access == modeRead ? "rb" : "r+b";
    platform::ResetErrors();
    m_fp = std::fopen(pszFileName, mode);
    if (!m_fp && errno == ENOENT && (nOpenFlags & modeCreate))
        m_fp = std::fopen(pszFileName, "w+b");
    if (!m_fp) {
        if (pError) {
            platform::FileError e = platform::FileErrorFromErrno(errno);
            *pError = CFileException(e.nCause, e.lOsError, m_strFileName);
        }
        return FALSE;
    }
    return TRUE;
}

void CFile::ThrowLastError() const {
    platform::FileError e = platform::FileErrorFromErrno(errno);
    throw CFileException(e.nCause, e.lOsError, m_strFileName);
}

UINT CFile::Read(void* pBuf, UINT nCount) {
    if (nCount == 0) return 0;
    platform::ResetErrors();
    size_t n = std::fread(pBuf, 1, nCount, m_fp);
    if (n < nCount && std::ferror(m_fp)) ThrowLastError();
    return static_cast<UINT>(n);
}

void CFile::Write(const void* pBuf, UINT nCount) {
    if (nCount == 0) return;
    platform::ResetErrors();
    if (std::fwrite(pBuf, 1, nCount, m_fp) != nCount) {
        if (errno == 0) errno = ENOSPC;
        ThrowLastError();
    }
}

void CFile::Flush() {
    platform::ResetErrors();
    if (m_fp && std::fflush(m_fp) != 0) ThrowLastError();
}

void CFile::FlushToDisk() {
    platform::ResetErrors();
    if (m_fp && !platform::FlushToDisk(m_fp)) {
        if (errno == 0) errno = EIO;
        ThrowLastError();
    }
}

uint64_t CFile::GetLength() const {
    int64_t pos = Tell64(m_fp);
    Seek64(m_fp, 0, SEEK_END);
    int64_t len = Tell64(m_fp);
    Seek64(m_fp, pos, SEEK_SET);
    return len < 0 ? 0 : static_cast<uint64_t>(len);
}

uint64_t CFile::GetPosition() const {
    int64_t pos = Tell64(m_fp);
    return pos < 0 ? 0 : static_cast<uint64_t>(pos);
}

void CFile::SeekToBegin() {
    Seek64(m_fp, 0, SEEK_SET);
}

void CFile::Close() {
    if (!m_fp) return;
    std::FILE* fp = m_fp;
    m_fp = nullptr;
    platform::ResetErrors();
    if (std::fclose(fp) != 0) {
        if (errno == 0) errno = EIO;
        ThrowLastError();
    }
}

void CFile::Abort() {
    if (m_fp) std::fclose(m_fp);
    m_fp = nullptr;
}

bool CFile::ReadToEndAndClose(std::string& bytes) {
    bytes.clear();
    try {
        const uint64_t nLength = GetLength();
        if (nLength >= SIZE_MAX / 2) {
            Abort();
            return false;
        }
        bytes.resize(static_cast<size_t>(nLength) + 1);
        size_t nDone = 0;
        for (;;) {
            if (nDone == bytes.size()) bytes.resize(2 * bytes.size());
            const size_t nWant = std::min<size_t>(bytes.size() - nDone, size_t(1) << 30);
            const UINT n = Read(&bytes[nDone], static_cast<UINT>(nWant));
            if (n == 0) break;
            nDone += n;
        }
        bytes.resize(nDone);
        Close();
    } catch (const CException&) {
        Abort();
        bytes.clear();
        return false;
    }
    return true;
}
