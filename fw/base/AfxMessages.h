// The framework's own user messages for document files, in the active code
// page. "%1" stands for a file name.
#pragma once

#include "fw/base/CString.h"

namespace afxmsg {

CString FailedToOpenDocument();  // the default when opening fails
CString FailedToSaveDocument();  // the default when saving fails
CString UnexpectedFileFormat();  // a document file that ends too soon
CString AskToSave();             // "%1 への変更を保存しますか？"
// The message for a CFileException cause with %1 filled in; empty when the
// cause has none of its own and the default applies.
CString FileError(int nCause, const char* pszFileName);

// Converts UTF-8 program text to the active code page.
CString FromUtf8(const char* pszUtf8);

}  // namespace afxmsg
