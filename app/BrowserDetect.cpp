#include "app/BrowserDetect.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"

namespace {

INT_PTR SystemFindExecutable(const char* pszFile, const char* pszDir, CString& strResult) {
    char szResult[MAX_PATH] = "";
    const auto h = ::FindExecutableA(pszFile, pszDir, szResult);
    strResult = szResult;
    return reinterpret_cast<INT_PTR>(h);
}

FindExecutableFn g_findExecutable = SystemFindExecutable;

// The temporary folder, ending with a backslash; empty when it cannot be
// had. A path longer than the first buffer (a deep folder, or double-byte
// names that take more bytes than characters) is fetched again whole: the
// short call reports the length it needs and leaves the buffer unfilled.
CString TempFolder() {
    std::vector<char> buf(MAX_PATH);
    for (int nTry = 0; nTry < 3; ++nTry) {
        const DWORD n = ::GetTempPathA(static_cast<DWORD>(buf.size()), buf.data());
        if (n == 0) return CString();
        if (n < buf.size()) return CString(buf.data(), static_cast<int>(n));
        buf.assign(n + 1, '\0');
    }
    return CString();
}

}  // namespace

FindExecutableFn SetFindExecutableForTest(FindExecutableFn fn) {
    FindExecutableFn old = g_findExecutable;
    g_findExecutable = fn ? fn : SystemFindExecutable;
    return old;
}

BOOL FindBrowser(CString& strPath) {
    const CString strTemp = TempFolder();
    if (strTemp.IsEmpty()) {
        AfxMessageBox("GetTempPath Error");
        return FALSE;
    }
    const CString strFile = strTemp + "Ordelink.htm";
    // The file only has to exist for the lookup; failing to make it is not
    // reported (the lookup then fails on its own).
    HANDLE h = ::CreateFileA(strFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);

    CString strResult;
    const INT_PTR nResult = g_findExecutable(strFile, strTemp, strResult);
    if (nResult > 32) {
        ::DeleteFileA(strFile);
        strPath = strResult;
        return TRUE;
    }
    switch (nResult) {
        case 0:
            AfxMessageBox(afxmsg::FromUtf8("メモリ不足"));
            break;
        case ERROR_FILE_NOT_FOUND:
            AfxMessageBox("ERROR_FILE_NOT_FOUND");
            break;
        case ERROR_PATH_NOT_FOUND:
            AfxMessageBox("ERROR_PATH_NOT_FOUND");
            break;
        case ERROR_BAD_FORMAT:
            AfxMessageBox("ERROR_BAD_FORMAT");
            break;
        default:
            break;
    }
    return FALSE;
}
