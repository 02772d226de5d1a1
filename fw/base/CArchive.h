// Binary serialisation over a CFile in the document file's encoding:
// little-endian integers and length-prefixed strings. Reading past the end of
// the file throws CArchiveException(endOfFile).
//
// A loading archive reads the rest of the file in one piece when it is made
// and parses from memory from then on; a storing archive writes through a
// buffer of nBufSize bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fw/base/AfxTypes.h"
#include "fw/base/CFile.h"
#include "fw/base/CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Loading: throws CFileException when the file cannot be read.
    CArchive(CFile* pFile, UINT nMode, UINT nBufSize = 64 * 1024);
    // Discards unwritten data: call Close to keep it.
    ~CArchive() = default;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_bLoading; }
    bool IsStoring() const { return !m_bLoading; }
    CFile* GetFile() const { return m_pFile; }

    void Write(const void* pBuf, UINT nCount);
    UINT Read(void* pBuf, UINT nCount);
    void Flush();
    void Close();

    // Bytes between the reading position and the end of the file. Readers
    // check length prefixes against it before they allocate anything.
    uint64_t GetBytesRemaining() const { return m_nFilled - m_nPos; }
    // Throws the end-of-file error unless nCount more bytes can be read.
    void EnsureAvailable(uint64_t nCount) const {
        if (nCount > GetBytesRemaining()) ThrowEndOfFile();
    }

    CArchive& operator<<(BYTE b);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(int32_t l);
    CArchive& operator<<(uint32_t dw);
    CArchive& operator<<(const CString& str);

    CArchive& operator>>(BYTE& b) {
        b = Take(1)[0];
        return *this;
    }
    CArchive& operator>>(WORD& w) {
        const BYTE* p = Take(2);
        w = static_cast<WORD>(p[0] | (p[1] << 8));
        return *this;
    }
    CArchive& operator>>(uint32_t& dw) {
        const BYTE* p = Take(4);
        dw = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
             (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
        return *this;
    }
    CArchive& operator>>(int32_t& l) {
        uint32_t dw;
        *this >> dw;
        l = static_cast<int32_t>(dw);
        return *this;
    }
    CArchive& operator>>(CString& str);

private:
    [[noreturn]] static void ThrowEndOfFile();
    [[noreturn]] static void ThrowWriteOnly();
    // The next nCount bytes of a loading archive, which it then moves past.
    const BYTE* Take(uint64_t nCount) {
        if (!m_bLoading) ThrowWriteOnly();
        EnsureAvailable(nCount);
        const BYTE* p = m_pData + m_nPos;
        m_nPos += nCount;
        return p;
    }
    uint64_t ReadStringLength();
    void ReadWideString(uint64_t nLen, CString& str);
    void LoadRest();

    CFile* m_pFile;
    bool m_bLoading;
    std::vector<char> m_buf;  // storing: bytes not yet written
    // Loading: the rest of the file as it was when the archive was made.
    std::unique_ptr<BYTE[]> m_pLoaded;
    const BYTE* m_pData = nullptr;
    size_t m_nPos = 0;     // next byte in m_buf (storing) or m_pData (loading)
    size_t m_nFilled = 0;  // loaded bytes
};
