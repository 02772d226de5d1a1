// The application: settings file beside the executable, the single-instance
// rule, the document template, and which document opens first.
#pragma once

#include "fw/win/CWinApp.h"

class COrdelinkApp : public CWinApp {
public:
    COrdelinkApp() = default;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The profile: the executable's path with ".INI" for its extension.
    virtual void SetIniPath();
    // The first top-level window title containing "- Ordelink", or "No".
    static CString FindRunningTitle();
    // The help file: the executable's path with ".HLP" for its extension.
    static CString HelpFilePath();

protected:
    void OnNew();
    void OnOpen();
    void OnAppAbout();
    void OnHelpIndex();
    DECLARE_MESSAGE_MAP()

private:
    static BOOL CALLBACK EnumTitleProc(HWND hWnd, LPARAM lParam);
};
