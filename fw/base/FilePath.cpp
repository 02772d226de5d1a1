#include "fw/base/FilePath.h"

#include <algorithm>

namespace filepath {

int LastSeparator(const CString& strPath) {
    return std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
}

CString Folder(const CString& strPath) {
    int n = LastSeparator(strPath);
    if (n < 0) return CString();
    // Keep the separator of a root folder ("/" or "C:\").
    if (n == 0 || (n == 2 && strPath[1] == ':')) return strPath.Left(n + 1);
    return strPath.Left(n);
}

CString FileName(const CString& strPath) {
    return strPath.Mid(LastSeparator(strPath) + 1);
}

}  // namespace filepath
