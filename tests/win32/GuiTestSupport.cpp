#include "tests/win32/GuiTestSupport.h"

#include "fw/base/CProfileFile.h"
#include "fw/base/LegacyText.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/BrowserDetect.h"
#include "chrome/CIconMenu.h"
#include "fw/win/CSingleDocTemplate.h"
#include "store/COrdelinkDoc.h"

namespace {

// No file association: the settings loader falls back to the stored browser
// without a message, whatever the test machine has installed.
INT_PTR NoAssociation(const char*, const char*, CString& strResult) {
    strResult.Empty();
    return SE_ERR_NOASSOC;
}

}  // namespace

AppHarness::AppHarness(const ScratchDir& dir) : m_iniPath(WinPath(dir.File("Ordelink.INI"))) {
    app.m_strIniPath = m_iniPath.c_str();
    SetFindExecutableForTest(NoAssociation);
}

AppHarness::~AppHarness() {
    Close();
    SetFindExecutableForTest(nullptr);
}

void AppHarness::WriteIni(const std::string& text) const {
    // As an older version wrote it: in the legacy code page.
    std::string bytes;
    legacy::ToLegacy(text, bytes);
    std::ofstream f(m_iniPath, std::ios::binary | std::ios::trunc);
    f << bytes;
}

std::string AppHarness::ReadIniString(const char* section, const char* key) const {
    return CProfileFile(m_iniPath).GetString(section, key, "<none>").str();
}

int AppHarness::ReadIniInt(const char* section, const char* key, int nDefault) const {
    return CProfileFile(m_iniPath).GetInt(section, key, nDefault);
}

BOOL AppHarness::Start(const std::vector<std::string>& args) {
    app.SetCommandLineArgs(args);
    return app.InitInstance();
}

CMainFrame* AppHarness::Frame() const {
    return dynamic_cast<CMainFrame*>(app.m_pMainWnd);
}

COrdelinkDoc* AppHarness::Document() const {
    CSingleDocTemplate* pTemplate = app.GetDocTemplate();
    return pTemplate ? static_cast<COrdelinkDoc*>(pTemplate->GetDocument()) : nullptr;
}

void AppHarness::PumpIdle() {
    MSG msg;
    // Bounded: a window that keeps posting to itself cannot hang the test.
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) continue;
        if (!app.PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    for (LONG n = 0; app.OnIdle(n); ++n) {
    }
}

void AppHarness::Close() {
    if (m_bEnded) return;
    m_bEnded = true;
    if (app.m_pMainWnd) {
        MessageRecorder noToSave(IDNO);
        app.m_pMainWnd->SendMessage(WM_CLOSE);
    }
    app.ExitInstance();
    // The main window's end posted WM_QUIT; the next test starts clean.
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
}

std::string WindowTitle(HWND hWnd) {
    char buf[512] = "";
    GetWindowTextA(hWnd, buf, sizeof(buf));
    return buf;
}

std::string WinPath(const std::string& path) {
    std::string s = path;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::string MenuEntryText(HMENU hMenu, int nPos) {
    if (auto* pMenu = dynamic_cast<CIconMenu*>(CMenu::FromHandlePermanent(hMenu)))
        if (const CIconMenuItem* pItem = pMenu->ItemAt(nPos))
            if (!(GetMenuState(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION) & MF_SEPARATOR)) {
                // Without the spaces that line the accelerators up.
                std::string text = static_cast<const char*>(pItem->GetText());
                const size_t nTab = text.find('\t');
                if (nTab != std::string::npos) {
                    size_t nEnd = nTab;
                    while (nEnd > 0 && text[nEnd - 1] == ' ') --nEnd;
                    text.erase(nEnd, nTab - nEnd);
                }
                return text;
            }
    char text[256] = "";
    GetMenuStringA(hMenu, static_cast<UINT>(nPos), text, sizeof(text), MF_BYPOSITION);
    return text;
}
