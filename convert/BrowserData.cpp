#include "convert/BrowserData.h"

#include <utility>

#include "fw/base/CFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

// A browser that is running may rewrite the file meanwhile: it is read on to
// its end whatever length it had at opening.
bool ReadFileBytes(const char* pszPath, std::string& bytes) {
    bytes.clear();
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone)) return false;
    return file.ReadToEndAndClose(bytes);
}

CString TextFromUtf8(const std::string& text) {
    if (codepage::Active() == 65001) return CString(text);
    std::string out;
    if (!platform::Utf8ToCodePage(text, codepage::Active(), out)) return CString(text);
    return CString(std::move(out));
}
