// The application object: the profile (an INI file), the recent-file list,
// the command line, the document template and the message loop with its
// idle pass. There is one; AfxGetApp() finds it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fw/win/CCmdTarget.h"

class CCommandLineInfo;
class CRecentFileList;
class CSingleDocTemplate;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* pszAppName = nullptr);
    ~CWinApp() override;

    // Overridables
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    // lCount 0: command-UI updates and the title; 1: temporary objects.
    // TRUE while more idle work remains.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The open or save dialog; FALSE when the user cancelled.
    virtual BOOL DoPromptFileName(CString& rFileName, DWORD lFlags, BOOL bOpenFileDialog,
                                  CSingleDocTemplate* pTemplate);
    // The dialogs' filter list (pairs of NUL-ended strings, one more NUL at
    // the end) and the extension given to names typed without one.
    static std::string FileDialogFilter(CSingleDocTemplate* pTemplate, CString& rDefExt);

    // Profile: the INI file m_strProfileName.
    UINT GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault);
    CString GetProfileString(const char* pszSection, const char* pszEntry,
                             const char* pszDefault = nullptr);
    BOOL WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue);
    // A null entry removes the section, a null value the entry.
    BOOL WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue);

    // Documents
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    virtual CDocument* OpenDocumentFile(const char* pszFileName);
    virtual void AddToRecentFileList(const char* pszPathName);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // The arguments ParseCommandLine reads (the process's by default).
    void SetCommandLineArgs(const std::vector<std::string>& args) {
        m_args = args;
        m_bArgsSet = true;
    }
    // The system's shell conversation for opening files is not served: the
    // program registers no file types, so nothing starts one.
    void EnableShellOpen() {}
    void Enable3dControlsStatic() {}
    BOOL SaveAllModified();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CString m_strAppName;      // message box captions
    CString m_strProfileName;  // the INI file
    std::unique_ptr<CRecentFileList> m_pRecentFileList;

protected:
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;

private:
    BOOL PumpMessage(MSG& msg);
    static bool IsIdleMessage(const MSG& msg, POINT& ptLast);
    std::vector<std::string> m_args;
    bool m_bArgsSet = false;
    CWinApp* m_pPrevApp = nullptr;
};
