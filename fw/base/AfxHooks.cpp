#include "fw/base/AfxHooks.h"

#include <cstdio>
#include <string>

#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

int PrintMessage(const CString& strText, UINT /*nType*/) {
    std::string utf8;
    if (!platform::CodePageToUtf8(strText.str(), codepage::Active(), utf8)) utf8 = strText.str();
    std::fprintf(stderr, "%s\n", utf8.c_str());
    return AFX_IDOK;
}

AfxMessageBoxHandler g_messageBox = PrintMessage;
AfxWaitCursorHandler g_waitCursor = nullptr;

}  // namespace

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler) {
    AfxMessageBoxHandler old = g_messageBox;
    g_messageBox = handler ? handler : PrintMessage;
    return old;
}

AfxWaitCursorHandler AfxSetWaitCursorHandler(AfxWaitCursorHandler handler) {
    AfxWaitCursorHandler old = g_waitCursor;
    g_waitCursor = handler;
    return old;
}

int AfxMessageBox(const CString& strText, UINT nType) {
    return g_messageBox(strText, nType);
}

void AfxBeginWaitCursor() {
    if (g_waitCursor) g_waitCursor(true);
}

void AfxEndWaitCursor() {
    if (g_waitCursor) g_waitCursor(false);
}

CString AfxFormatString1(const CString& strFormat, const char* pszArg) {
    CString s = strFormat;
    s.Replace("%1", pszArg);
    return s;
}
