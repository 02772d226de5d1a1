#include "views/CTreeVw.h"

#include "app/BrowserDetect.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"

IMPLEMENT_DYNCREATE(CTreeVw)

namespace {
const char kSetting[] = "Setting";
const char kAboutApp[] = "AboutApp";
const char kDefaultBrowser[] = "C:\\Program Files\\Plus!\\Microsoft Internet\\Iexplore.exe";
}  // namespace

COrdelinkDoc* CTreeVw::GetDocument() const {
    return static_cast<COrdelinkDoc*>(m_pDocument);
}

void CTreeVw::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    LoadSaveSettings(TRUE);
    ApplyViewSettings();
}

void CTreeVw::LoadSaveSettings(BOOL bLoad) {
    CWinApp* pApp = AfxGetApp();
    if (!bLoad) {
        pApp->WriteProfileString(kAboutApp, "Build", "1.30");
        pApp->WriteProfileInt(kSetting, "BrowserAny", m_BrowserAny);
        pApp->WriteProfileInt(kSetting, "AppAny", m_AppAny);
        pApp->WriteProfileInt(kSetting, "TitleEmpty", m_TitleEmpty);
        pApp->WriteProfileInt(kSetting, "ToolBarType", m_ToolBarType);
        pApp->WriteProfileInt(kSetting, "HtmlDirTemp", m_HtmlDirTemp);
        pApp->WriteProfileInt(kSetting, "LinkTarget", m_LinkTarget);
        return;
    }
    if (FindBrowser(m_BrowserName)) {
        // Only Internet Explorer offers the choice of one window per URL.
        if (m_BrowserName.Find("\\iexplore.exe") >= 0) {
            m_bBrowserIsIE = 1;
            m_BrowserAny = static_cast<int>(pApp->GetProfileInt(kSetting, "BrowserAny", 0));
        } else {
            m_bBrowserIsIE = 0;
            m_BrowserAny = 1;
        }
    } else {
        m_BrowserName = pApp->GetProfileString(kSetting, "BrowserName", kDefaultBrowser);
        m_bBrowserIsIE = 1;
        m_BrowserAny = static_cast<int>(pApp->GetProfileInt(kSetting, "BrowserAny", 0));
    }
    m_Build = pApp->GetProfileString(kAboutApp, "Build", "0.00");
    m_AppAny = static_cast<int>(pApp->GetProfileInt(kSetting, "AppAny", 1));
    m_TitleEmpty = static_cast<int>(pApp->GetProfileInt(kSetting, "TitleEmpty", 0));
    m_ToolBarType = static_cast<int>(pApp->GetProfileInt(kSetting, "ToolBarType", 1));
    m_HtmlDirTemp = static_cast<int>(pApp->GetProfileInt(kSetting, "HtmlDirTemp", 1));
    m_LinkTarget = static_cast<int>(pApp->GetProfileInt(kSetting, "LinkTarget", 1));
}

void CTreeVw::ApplyViewSettings() {
    ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS);
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_COMMAND,
                           m_ToolBarType != 0 ? ID_INT_TOOLBAR_FLAT : ID_INT_TOOLBAR_NORMAL, 0);
}
