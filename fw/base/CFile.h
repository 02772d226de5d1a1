// A binary file, opened by name in the active code page. Read and Write throw
// CFileException on a system error; Read returns fewer bytes at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "fw/base/AfxTypes.h"
#include "fw/base/CFileException.h"
#include "fw/base/CString.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Returns FALSE and fills *pError (when given) if the file cannot be opened.
    BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    bool IsOpen() const { return m_fp != nullptr; }
    const CString& GetFilePath() const { return m_strFileName; }

    UINT Read(void* pBuf, UINT nCount);
    void Write(const void* pBuf, UINT nCount);
    void Flush();
    // Flushes and forces the data to the disk.
    void FlushToDisk();
    uint64_t GetLength() const;
    uint64_t GetPosition() const;
    void SeekToBegin();
    void Close();
    // Closes without reporting errors (after a failure).
    void Abort();
    // The rest of the open file into bytes, then closes it. The length at
    // opening sizes the buffer; a file that grows meanwhile (a program still
    // writing it) is read on to its end. FALSE on an error or a file too big
    // to hold, with the file aborted and bytes empty.
    bool ReadToEndAndClose(std::string& bytes);

private:
    [[noreturn]] void ThrowLastError() const;

    std::FILE* m_fp = nullptr;
    CString m_strFileName;
};
