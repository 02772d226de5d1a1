// Splitting file paths, code-page aware: a trail byte equal to '\' is not a
// separator. Both '\' and '/' separate.
#pragma once

#include "fw/base/CString.h"

namespace filepath {

// Position of the last separator; -1 when none.
int LastSeparator(const CString& strPath);
// The folder part without the last separator ("" when there is none).
CString Folder(const CString& strPath);
// The part after the last separator.
CString FileName(const CString& strPath);

}  // namespace filepath
