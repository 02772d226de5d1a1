#include "fw/base/CArchive.h"

#include <algorithm>
#include <cstdint>

#include "fw/base/CArchiveException.h"
#include "fw/base/CodePage.h"
#include "fw/base/LegacyText.h"
#include "fw/base/Platform.h"

CArchive::CArchive(CFile* pFile, UINT nMode, UINT nBufSize)
    : m_pFile(pFile), m_bLoading((nMode & load) != 0) {
    if (m_bLoading)
        LoadRest();
    else
        m_buf.resize(nBufSize ? nBufSize : 1);
}

void CArchive::ThrowEndOfFile() {
    throw CArchiveException(CArchiveException::endOfFile);
}

void CArchive::ThrowWriteOnly() {
    throw CArchiveException(CArchiveException::writeOnly);
}

// Reads from the file's position to its end with as few reads as the file
// allows. The buffer is sized by the file's length, one byte more to see the
// end without a second pass; a file that grows meanwhile is read on.
void CArchive::LoadRest() {
    const uint64_t nPos = m_pFile->GetPosition();
    const uint64_t nLength = m_pFile->GetLength();
    const uint64_t nRest = nLength > nPos ? nLength - nPos : 0;
    if (nRest >= SIZE_MAX / 2) throw CArchiveException(CArchiveException::endOfFile);
    size_t nCapacity = static_cast<size_t>(nRest) + 1;
    std::unique_ptr<BYTE[]> pBuf(new BYTE[nCapacity]);
    size_t nDone = 0;
    for (;;) {
        if (nDone == nCapacity) {
            std::unique_ptr<BYTE[]> pBigger(new BYTE[2 * nCapacity]);
            std::memcpy(pBigger.get(), pBuf.get(), nDone);
            pBuf = std::move(pBigger);
            nCapacity *= 2;
        }
        const size_t nWant = std::min<size_t>(nCapacity - nDone, size_t(1) << 30);
        const UINT n = m_pFile->Read(pBuf.get() + nDone, static_cast<UINT>(nWant));
        if (n == 0) break;
        nDone += n;
    }
    m_pLoaded = std::move(pBuf);
    m_pData = m_pLoaded.get();
    m_nFilled = nDone;
    m_nPos = 0;
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

UINT CArchive::Read(void* pBuf, UINT nCount) {
    if (!m_bLoading) ThrowWriteOnly();
    const size_t n = std::min<uint64_t>(nCount, GetBytesRemaining());
    if (n) std::memcpy(pBuf, m_pData + m_nPos, n);
    m_nPos += n;
    return static_cast<UINT>(n);
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

namespace {

// Writes a length by the three rules of the narrow form.
void WriteStringLength(CArchive& ar, uint32_t nLen) {
    if (nLen < 0xFF) {
        ar << static_cast<BYTE>(nLen);
    } else if (nLen < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLen);
    } else {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << nLen;
    }
}

}  // namespace

// A string goes into the file in the legacy code page, byte for byte as older
// versions wrote it, when that code page holds every one of its characters;
// any other string takes the UTF-16 form, which loses nothing.
CArchive& CArchive::operator<<(const CString& str) {
    if (legacy::IsActive()) {
        WriteStringLength(*this, static_cast<uint32_t>(str.GetLength()));
        Write(str.str().data(), static_cast<UINT>(str.GetLength()));
        return *this;
    }
    std::string bytes;
    if (legacy::ToLegacy(str.str(), bytes)) {
        WriteStringLength(*this, static_cast<uint32_t>(bytes.size()));
        Write(bytes.data(), static_cast<UINT>(bytes.size()));
        return *this;
    }
    const std::u16string wide = legacy::ToUtf16(str.str());
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    WriteStringLength(*this, static_cast<uint32_t>(wide.size()));
    std::string le(wide.size() * 2, '\0');
    for (size_t i = 0; i < wide.size(); ++i) {
        le[2 * i] = static_cast<char>(wide[i] & 0xFF);
        le[2 * i + 1] = static_cast<char>(wide[i] >> 8);
    }
    Write(le.data(), static_cast<UINT>(le.size()));
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
    if (b == 0xFF) {
        WORD w;
        *this >> w;
        if (w == 0xFFFE) {
            // UTF-16 form: the length follows again and counts 16-bit units.
            ReadWideString(ReadStringLength(), str);
            return *this;
        }
        if (w == 0xFFFF) {
            uint32_t dw;
            *this >> dw;
            nLen = dw;
        } else {
            nLen = w;
        }
    }
    // Checked against the bytes loaded before anything is allocated.
    const BYTE* p = Take(nLen);
    // Narrow strings are in the legacy code page.
    if (legacy::IsActive())
        str.str().assign(reinterpret_cast<const char*>(p), static_cast<size_t>(nLen));
    else
        str = CString(
            legacy::FromLegacy(reinterpret_cast<const char*>(p), static_cast<size_t>(nLen)));
    return *this;
}

void CArchive::ReadWideString(uint64_t nLen, CString& str) {
    const BYTE* p = Take(nLen * 2);
    std::u16string wide(static_cast<size_t>(nLen), u'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    std::string out;
    if (!platform::Utf16ToCodePage(wide, codepage::Active(), out))
        throw CArchiveException(CArchiveException::genericException);
    str = CString(std::move(out));
}
