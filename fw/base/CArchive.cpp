#include "fw/base/CArchive.h"

#include <cstring>

#include "fw/base/CArchiveException.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

CArchive::CArchive(CFile* pFile, UINT nMode, UINT nBufSize)
    : m_pFile(pFile), m_bLoading((nMode & load) != 0), m_buf(nBufSize ? nBufSize : 1) {
    if (m_bLoading) m_nFileOffset = pFile->GetPosition();
}

void CArchive::Write(const void* pBuf, UINT nCount) {
    if (m_bLoading) throw CArchiveException(CArchiveException::readOnly);
    const char* p = static_cast<const char*>(pBuf);
    if (nCount >= m_buf.size()) {
        Flush();
        m_pFile->Write(p, nCount);
        return;
    }
    if (m_nPos + nCount > m_buf.size()) Flush();
    std::memcpy(m_buf.data() + m_nPos, p, nCount);
    m_nPos += nCount;
}

void CArchive::Flush() {
    if (m_bLoading || m_nPos == 0) return;
    m_pFile->Write(m_buf.data(), static_cast<UINT>(m_nPos));
    m_nPos = 0;
}

void CArchive::Close() {
    Flush();
    m_pFile = nullptr;
}

void CArchive::FillBuffer() {
    m_nFilled = m_pFile->Read(m_buf.data(), static_cast<UINT>(m_buf.size()));
    m_nFileOffset += m_nFilled;
    m_nPos = 0;
}

UINT CArchive::Read(void* pBuf, UINT nCount) {
    if (!m_bLoading) throw CArchiveException(CArchiveException::writeOnly);
    char* p = static_cast<char*>(pBuf);
    UINT nDone = 0;
    while (nDone < nCount) {
        if (m_nPos == m_nFilled) {
            if (nCount - nDone >= m_buf.size()) {
                UINT n = m_pFile->Read(p + nDone, nCount - nDone);
                m_nFileOffset += n;
                nDone += n;
                break;
            }
            FillBuffer();
            if (m_nFilled == 0) break;
        }
        size_t n = m_nFilled - m_nPos;
        if (n > nCount - nDone) n = nCount - nDone;
        std::memcpy(p + nDone, m_buf.data() + m_nPos, n);
        m_nPos += n;
        nDone += static_cast<UINT>(n);
    }
    return nDone;
}

void CArchive::ReadExact(void* pBuf, UINT nCount) {
    if (Read(pBuf, nCount) != nCount) throw CArchiveException(CArchiveException::endOfFile);
}

uint64_t CArchive::GetBytesRemaining() {
    if (!m_bLengthKnown) {
        m_nFileLength = m_pFile->GetLength();
        m_bLengthKnown = true;
    }
    uint64_t pos = m_nFileOffset - (m_nFilled - m_nPos);
    return pos < m_nFileLength ? m_nFileLength - pos : 0;
}

void CArchive::EnsureAvailable(uint64_t nCount) {
    if (nCount > GetBytesRemaining()) throw CArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(BYTE b) {
    Write(&b, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD w) {
    const BYTE bytes[2] = {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)};
    Write(bytes, 2);
    return *this;
}

CArchive& CArchive::operator<<(uint32_t dw) {
    const BYTE bytes[4] = {static_cast<BYTE>(dw), static_cast<BYTE>(dw >> 8),
                           static_cast<BYTE>(dw >> 16), static_cast<BYTE>(dw >> 24)};
    Write(bytes, 4);
    return *this;
}

CArchive& CArchive::operator<<(int32_t l) {
    return *this << static_cast<uint32_t>(l);
}

CArchive& CArchive::operator<<(const CString& str) {
    const uint32_t nLen = static_cast<uint32_t>(str.GetLength());
    if (nLen < 0xFF) {
        *this << static_cast<BYTE>(nLen);
    } else if (nLen < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLen);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << nLen;
    }
    Write(str.str().data(), nLen);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& b) {
    ReadExact(&b, 1);
    return *this;
}

CArchive& CArchive::operator>>(WORD& w) {
    BYTE bytes[2];
    ReadExact(bytes, 2);
    w = static_cast<WORD>(bytes[0] | (bytes[1] << 8));
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& dw) {
    BYTE bytes[4];
    ReadExact(bytes, 4);
    dw = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return *this;
}

CArchive& CArchive::operator>>(int32_t& l) {
    uint32_t dw;
    *this >> dw;
    l = static_cast<int32_t>(dw);
    return *this;
}

// Reads one length by the three rules: a byte below 0xFF; else a 16-bit value
// below 0xFFFF; else a 32-bit value.
uint64_t CArchive::ReadStringLength() {
    BYTE b;
    *this >> b;
    if (b < 0xFF) return b;
    WORD w;
    *this >> w;
    if (w != 0xFFFF) return w;
    uint32_t dw;
    *this >> dw;
    return dw;
}

CArchive& CArchive::operator>>(CString& str) {
    BYTE b;
    *this >> b;
    uint64_t nLen = b;
    bool bWide = false;
    if (b == 0xFF) {
        WORD w;
        *this >> w;
        if (w == 0xFFFE) {
            // UTF-16 form: the length follows again and counts 16-bit units.
            bWide = true;
            nLen = ReadStringLength();
        } else if (w == 0xFFFF) {
            uint32_t dw;
            *this >> dw;
            nLen = dw;
        } else {
            nLen = w;
        }
    }
    const uint64_t nBytes = bWide ? nLen * 2 : nLen;
    EnsureAvailable(nBytes);
    if (!bWide) {
        std::string& s = str.str();
        s.resize(nBytes);
        if (nBytes) ReadExact(&s[0], static_cast<UINT>(nBytes));
        return *this;
    }
    std::string raw(nBytes, '\0');
    if (nBytes) ReadExact(&raw[0], static_cast<UINT>(nBytes));
    std::u16string wide(nLen, u'\0');
    for (size_t i = 0; i < nLen; ++i)
        wide[i] = static_cast<char16_t>(static_cast<BYTE>(raw[2 * i]) |
                                        (static_cast<BYTE>(raw[2 * i + 1]) << 8));
    std::string out;
    if (!platform::Utf16ToCodePage(wide, codepage::Active(), out))
        throw CArchiveException(CArchiveException::genericException);
    str = CString(std::move(out));
    return *this;
}
