// The points where the portable pieces meet the user: message boxes and the
// wait cursor. The Win32 layer installs the real ones; tests install
// recorders; natively a message goes to standard error.
#pragma once

#include "fw/base/AfxTypes.h"
#include "fw/base/CString.h"

using AfxMessageBoxHandler = int (*)(const CString& strText, UINT nType);
using AfxWaitCursorHandler = void (*)(bool bBegin);

// Installs a handler and returns the previous one.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
AfxWaitCursorHandler AfxSetWaitCursorHandler(AfxWaitCursorHandler handler);

// Shows a message box (the one function every message goes through).
int AfxMessageBox(const CString& strText, UINT nType = AFX_MB_OK);

void AfxBeginWaitCursor();
void AfxEndWaitCursor();

// Shows the wait cursor for the life of the object.
class CWaitCursor {
public:
    CWaitCursor() { AfxBeginWaitCursor(); }
    ~CWaitCursor() { AfxEndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Replaces each "%1" in the format with the argument.
CString AfxFormatString1(const CString& strFormat, const char* pszArg);
