#include "convert/BrowserData.h"

#include <algorithm>
#include <cstdint>

#include "fw/base/CFile.h"
#include "fw/base/CException.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

bool ReadFileBytes(const char* pszPath, std::string& bytes) {
    bytes.clear();
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone)) return false;
    try {
        // A browser that is running may rewrite the file meanwhile: read on to
        // its end whatever length it had at opening.
        const uint64_t nLength = file.GetLength();
        if (nLength >= SIZE_MAX / 2) return false;
        bytes.resize(static_cast<size_t>(nLength) + 1);
        size_t nDone = 0;
        for (;;) {
            if (nDone == bytes.size()) bytes.resize(2 * bytes.size());
            const size_t nWant = std::min<size_t>(bytes.size() - nDone, size_t(1) << 30);
            const UINT n = file.Read(&bytes[nDone], static_cast<UINT>(nWant));
            if (n == 0) break;
            nDone += n;
        }
        bytes.resize(nDone);
        file.Close();
    } catch (const CException&) {
        file.Abort();
        bytes.clear();
        return false;
    }
    return true;
}

CString TextFromUtf8(const std::string& text) {
    if (codepage::Active() == 65001) return CString(text);
    std::string out;
    if (!platform::Utf8ToCodePage(text, codepage::Active(), out)) return CString(text);
    return CString(std::move(out));
}
