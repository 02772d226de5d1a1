#include "fw/win/CWinApp.h"

#include "fw/base/CProfileFile.h"

#include <commdlg.h>

#include "fw/win/AfxRes.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CCommandLineInfo.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CRecentFileList.h"
#include "fw/win/CSingleDocTemplate.h"

namespace {
CWinApp* g_pApp = nullptr;
constexpr int kMaxDisplayLength = 30;  // recent-file names in the menu
}  // namespace

CWinApp* AfxGetApp() {
    return g_pApp;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* pszAppName) : m_pPrevApp(g_pApp) {
    g_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_strAppName = pszAppName ? CString(pszAppName) : AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strAppName.IsEmpty()) m_strAppName = "Ordelink";
    m_strProfileName = m_strAppName + ".INI";
}

CWinApp::~CWinApp() {
    m_pDocTemplate.reset();
    if (g_pApp == this) g_pApp = m_pPrevApp;
}

// The settings file is read and written by CProfileFile, not by the system's
// profile functions: those take a file without a byte-order mark to be in the
// process's code page (UTF-8), while older versions wrote the legacy one.
UINT CWinApp::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) {
    return static_cast<UINT>(
        CProfileFile(m_strProfileName.str()).GetInt(pszSection, pszEntry, nDefault));
}

CString CWinApp::GetProfileString(const char* pszSection, const char* pszEntry,
                                  const char* pszDefault) {
    return CProfileFile(m_strProfileName.str()).GetString(pszSection, pszEntry, pszDefault);
}

BOOL CWinApp::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) {
    CString s;
    s.Format("%d", nValue);
    return WriteProfileString(pszSection, pszEntry, s);
}

BOOL CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry,
                                 const char* pszValue) {
    return CProfileFile(m_strProfileName.str()).WriteString(pszSection, pszEntry, pszValue);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU == 0) return;
    m_pRecentFileList = std::make_unique<CRecentFileList>(
        0, "Recent File List", "File%d", static_cast<int>(nMaxMRU), kMaxDisplayLength);
    m_pRecentFileList->ReadList(this);
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList) m_pRecentFileList->WriteList(this);
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return 0;
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate) {
    m_pDocTemplate.reset(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const char* pszFileName) {
    if (!m_pDocTemplate) return nullptr;
    return m_pDocTemplate->OpenDocumentFile(pszFileName);
}

void CWinApp::AddToRecentFileList(const char* pszPathName) {
    if (m_pRecentFileList) m_pRecentFileList->Add(pszPathName);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    std::vector<std::string> args = m_args;
    if (!m_bArgsSet && args.empty())
        for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    for (size_t i = 0; i < args.size(); ++i) {
        const char* p = args[i].c_str();
        const bool bFlag = p[0] == '/' || p[0] == '-';
        rCmdInfo.ParseParam(bFlag ? p + 1 : p, bFlag, i + 1 == args.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
        default:
            return TRUE;
    }
}

BOOL CWinApp::SaveAllModified() {
    return !m_pDocTemplate || m_pDocTemplate->SaveModified();
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate) m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString strFileName;
    if (!DoPromptFileName(strFileName, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE,
                          m_pDocTemplate.get()))
        return;
    OpenDocumentFile(strFileName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (!m_pRecentFileList) return;
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex >= m_pRecentFileList->GetSize()) return;
    const CString strPath = (*m_pRecentFileList)[nIndex];
    if (strPath.IsEmpty()) return;
    // An entry goes only when its file could not be opened, not when the
    // user cancelled the question about the current document.
    if (!OpenDocumentFile(strPath) && !(m_pDocTemplate && m_pDocTemplate->WasCancelled()))
        m_pRecentFileList->Remove(nIndex);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

// The document's type with its extension, then all files; names typed
// without an extension get the document's.
std::string CWinApp::FileDialogFilter(CSingleDocTemplate* pTemplate, CString& rDefExt) {
    CString strFilterName, strFilterExt;
    if (pTemplate) {
        pTemplate->GetDocString(strFilterName, CSingleDocTemplate::filterName);
        pTemplate->GetDocString(strFilterExt, CSingleDocTemplate::filterExt);
    }
    std::string filter;
    rDefExt.Empty();
    if (!strFilterName.IsEmpty() && !strFilterExt.IsEmpty()) {
        filter += strFilterName.str() + '\0' + "*" + strFilterExt.str() + '\0';
        rDefExt = strFilterExt.Mid(strFilterExt[0] == '.' ? 1 : 0);
    }
    filter += AfxLoadString(AFX_IDS_ALLFILTER).str() + '\0' + "*.*" + '\0' + '\0';
    return filter;
}

BOOL CWinApp::DoPromptFileName(CString& rFileName, DWORD lFlags, BOOL bOpenFileDialog,
                               CSingleDocTemplate* pTemplate) {
    CString strDefExt;
    const std::string filter = FileDialogFilter(pTemplate, strDefExt);

    char szFile[MAX_PATH];
    lstrcpynA(szFile, rFileName, MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = strDefExt.IsEmpty() ? nullptr : static_cast<const char*>(strDefExt);
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL bOK = bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (bOK) rFileName = szFile;
    return bOK;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    // From the window the message is for up to the main window: each gets
    // its turn (dialog keys, accelerators).
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    bool bReachedMain = false;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(h))
            if (pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (h == hMain) {
            bReachedMain = true;
            break;
        }
    }
    if (!bReachedMain && m_pMainWnd && pMsg->hwnd &&
        ::GetWindowThreadProcessId(pMsg->hwnd, nullptr) == ::GetCurrentThreadId() &&
        ::IsChild(hMain, pMsg->hwnd))
        return m_pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount == 0) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd)) pFrame->OnIdleUpdateCmdUI();
        return TRUE;
    }
    CWnd::DeleteTempMap();
    return FALSE;
}

// Messages that change nothing a user sees do not restart the idle pass:
// repaints, a mouse that did not move.
bool CWinApp::IsIdleMessage(const MSG& msg, POINT& ptLast) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.pt.x == ptLast.x && msg.pt.y == ptLast.y) return false;
        ptLast = msg.pt;
        return true;
    }
    return msg.message != WM_PAINT && msg.message != 0x0118;  // the caret's blink timer
}

// Handles one message; msg receives it.
BOOL CWinApp::PumpMessage(MSG& msg) {
    if (!::GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

// The idle pass runs whenever the queue runs empty after a message that may
// have changed what the user sees. What restarts it is judged by the message
// GetMessage handed over: after an idle pass the queue is empty, and a peek
// at it beforehand would find nothing and leave the message of an earlier
// round (often a repaint) to be judged, which stopped the idle pass for good.
int CWinApp::Run() {
    // Started without a main window (another instance was raised): end.
    if (!m_pMainWnd) ::PostQuitMessage(0);
    bool bIdle = true;
    LONG lIdleCount = 0;
    POINT ptLast = {-1, -1};
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(lIdleCount++)) bIdle = false;
        do {
            if (!PumpMessage(msg)) return ExitInstance();
            if (IsIdleMessage(msg, ptLast)) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}
