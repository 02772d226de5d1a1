#include "fw/win/AfxWin.h"

#include <vector>

#include "fw/win/CWinApp.h"
#include "fw/win/CWnd.h"

CWnd* AfxGetMainWnd() {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_hInstance ? pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

BOOL AfxLoadString(UINT nID, CString& rString) {
    // LoadStringA cannot tell a string that fills the buffer from a longer
    // one, so the buffer grows until the text ends short of it.
    std::vector<char> buf(256);
    for (;;) {
        const int n =
            ::LoadStringA(AfxGetResourceHandle(), nID, buf.data(), static_cast<int>(buf.size()));
        if (n <= 0) {
            rString.Empty();
            return FALSE;
        }
        if (static_cast<size_t>(n) < buf.size() - 2) {
            rString = CString(buf.data(), n);
            return TRUE;
        }
        buf.resize(buf.size() * 2);
    }
}

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, UINT nIDResource) {
    COLORMAP map[] = {
        {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNTEXT)},
        {RGB(128, 128, 128), ::GetSysColor(COLOR_BTNSHADOW)},
        {RGB(192, 192, 192), ::GetSysColor(COLOR_BTNFACE)},
        {RGB(255, 255, 255), ::GetSysColor(COLOR_BTNHIGHLIGHT)},
    };
    return ::CreateMappedBitmap(hInst, static_cast<INT_PTR>(nIDResource), 0, map, 4);
}

CString AfxLoadString(UINT nID) {
    CString s;
    AfxLoadString(nID, s);
    return s;
}

CString AfxExtractSubString(const CString& strFull, int iSubString, char chSep) {
    int nStart = 0;
    for (int i = 0; i < iSubString; ++i) {
        const int nSep = strFull.Find(chSep, nStart);
        if (nSep < 0) return CString();
        nStart = nSep + 1;
    }
    const int nEnd = strFull.Find(chSep, nStart);
    return nEnd < 0 ? strFull.Mid(nStart) : strFull.Mid(nStart, nEnd - nStart);
}

namespace {

int Win32MessageBox(const CString& strText, UINT nType) {
    CWinApp* pApp = AfxGetApp();
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd()) hOwner = ::GetLastActivePopup(pMain->m_hWnd);
    const char* pszCaption = pApp ? static_cast<const char*>(pApp->m_strAppName) : "Ordelink";
    return ::MessageBoxA(hOwner, strText, pszCaption, nType);
}

int g_nWaitCursor = 0;
HCURSOR g_hcurRestore = nullptr;

void Win32WaitCursor(bool bBegin) {
    if (bBegin) {
        if (g_nWaitCursor++ == 0) g_hcurRestore = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    } else if (g_nWaitCursor > 0 && --g_nWaitCursor == 0) {
        ::SetCursor(g_hcurRestore ? g_hcurRestore : ::LoadCursor(nullptr, IDC_ARROW));
    }
}

}  // namespace

void AfxInstallWin32Hooks() {
    AfxSetMessageBoxHandler(Win32MessageBox);
    AfxSetWaitCursorHandler(Win32WaitCursor);
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    AfxInstallWin32Hooks();
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd) pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
