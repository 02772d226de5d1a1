// Binary serialisation over a CFile in the document file's encoding:
// little-endian integers and length-prefixed strings. Reading past the end of
// the file throws CArchiveException(endOfFile).
#pragma once

#include <cstdint>
#include <vector>

#include "fw/base/AfxTypes.h"
#include "fw/base/CFile.h"
#include "fw/base/CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

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
    uint64_t GetBytesRemaining();
    // Throws the end-of-file error unless nCount more bytes can be read.
    void EnsureAvailable(uint64_t nCount);

    CArchive& operator<<(BYTE b);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(int32_t l);
    CArchive& operator<<(uint32_t dw);
    CArchive& operator<<(const CString& str);

    CArchive& operator>>(BYTE& b);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(int32_t& l);
    CArchive& operator>>(uint32_t& dw);
    CArchive& operator>>(CString& str);

private:
    void ReadExact(void* pBuf, UINT nCount);
    uint64_t ReadStringLength();
    void FillBuffer();

    CFile* m_pFile;
    bool m_bLoading;
    std::vector<char> m_buf;
    size_t m_nPos = 0;           // next byte in m_buf
    size_t m_nFilled = 0;        // valid bytes in m_buf (loading)
    uint64_t m_nFileOffset = 0;  // file position after the bytes read so far
    uint64_t m_nFileLength = 0;
    bool m_bLengthKnown = false;
};
