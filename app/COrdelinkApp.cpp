#include "app/COrdelinkApp.h"

#include <objbase.h>
#include <ole2.h>

#include <vector>

#include "app/CMainFrame.h"
#include "chrome/CAboutDlg.h"
#include "fw/base/AfxHooks.h"
#include "fw/win/CCommandLineInfo.h"
#include "fw/win/CRecentFileList.h"
#include "fw/win/CSingleDocTemplate.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeVw.h"

namespace {

const CRuntimeClass kOrdelinkDocClass = {"COrdelinkDoc", nullptr,
                                         []() -> CDocument* { return new COrdelinkDoc; }};

const char kNoRecentFile[] = "Brennholt";

}  // namespace

BEGIN_MESSAGE_MAP(COrdelinkApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnNew)
ON_COMMAND(ID_FILE_OPEN, OnOpen)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_HELP, OnHelpIndex)
ON_COMMAND(ID_HELP_INDEX, OnHelpIndex)
END_MESSAGE_MAP()

void COrdelinkApp::OnNew() {
    CWinApp::OnFileNew();
}

void COrdelinkApp::OnOpen() {
    CWinApp::OnFileOpen();
}

void COrdelinkApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

CString COrdelinkApp::HelpFilePath() {
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString strPath = szPath;
    const int nDot = strPath.ReverseFind('.');
    if (nDot >= 0) strPath = strPath.Left(nDot);
    return strPath + ".HLP";
}

// The help file at its contents. No help file is shipped: without one the
// user is told so, instead of the help program's own error.
void COrdelinkApp::OnHelpIndex() {
    const CString strHelp = HelpFilePath();
    if (::GetFileAttributesA(strHelp) == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_NO_HELP_FILE), strHelp),
                      AFX_MB_OK | AFX_MB_ICONINFORMATION);
        return;
    }
    ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, strHelp, HELP_INDEX, 0);
}

void COrdelinkApp::SetIniPath() {
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    CString strPath = szPath;
    const int nDot = strPath.ReverseFind('.');
    if (nDot >= 0) strPath = strPath.Left(nDot);
    m_strProfileName = strPath + ".INI";
}

BOOL CALLBACK COrdelinkApp::EnumTitleProc(HWND hWnd, LPARAM lParam) {
    auto* pTitles = reinterpret_cast<std::vector<CString>*>(lParam);
    char szTitle[256];
    const int n = ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (n > 0) {
        CString strTitle(szTitle, n);
        if (strTitle.Find("- Ordelink") >= 0) pTitles->push_back(strTitle);
    }
    return TRUE;  // the whole list, always
}

CString COrdelinkApp::FindRunningTitle() {
    std::vector<CString> titles;
    ::EnumWindows(EnumTitleProc, reinterpret_cast<LPARAM>(&titles));
    return titles.empty() ? CString("No") : titles.front();
}

BOOL COrdelinkApp::InitInstance() {
    SetIniPath();

    if (GetProfileInt("Setting", "AppAny", 1) == 0) {
        const CString strTitle = FindRunningTitle();
        HWND hRunning = strTitle == "No" ? nullptr : ::FindWindowA(nullptr, strTitle);
        if (hRunning) {
            // Raise the running instance (and its open dialog box) and end
            // this one; its command line is not passed on.
            HWND hPopup = ::GetLastActivePopup(hRunning);
            ::BringWindowToTop(hRunning);
            if (hPopup != hRunning) ::BringWindowToTop(hPopup);
            ::ShowWindow(hRunning, SW_SHOWNORMAL);
            return TRUE;
        }
    }

    Enable3dControlsStatic();
    // OLE (COM included) for the tree's drop target and the clipboard's
    // data object.
    ::OleInitialize(nullptr);
    LoadStdProfileSettings(16);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, &kOrdelinkDocClass,
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTreeVw)));
    EnableShellOpen();

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_strFileName.IsEmpty()) {
        const CString strRecent = GetProfileString("Recent File List", "File1", kNoRecentFile);
        if (strRecent != kNoRecentFile) {
            cmdInfo.m_strFileName = strRecent;
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        }
    }
    if (!ProcessShellCommand(cmdInfo)) {
        // The failed file's recent entry goes; a file named on the command
        // line that failed leaves the list's other entries alone.
        char szFull[MAX_PATH] = "";
        if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
            ::GetFullPathNameA(cmdInfo.m_strFileName, MAX_PATH, szFull, nullptr);
        if (m_pRecentFileList && m_pRecentFileList->GetSize() > 0 && szFull[0] &&
            lstrcmpiA((*m_pRecentFileList)[0], szFull) == 0)
            m_pRecentFileList->Remove(0);
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
        if (!ProcessShellCommand(cmdInfo)) return FALSE;
    }
    // The plain menu 128 gives way to the owner-drawn icon menu.
    if (auto* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd)) {
        if (HMENU hIconMenu = pFrame->BuildIconMenu()) {
            HMENU hOld = pFrame->GetMenu();
            pFrame->SetMenu(hIconMenu);
            pFrame->m_hMenuDefault = hIconMenu;
            if (hOld) ::DestroyMenu(hOld);
        }
    }
    m_pMainWnd->DragAcceptFiles(TRUE);
    return TRUE;
}

int COrdelinkApp::ExitInstance() {
    ::OleUninitialize();
    return CWinApp::ExitInstance();
}
