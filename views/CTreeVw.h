// The left pane: the tree of folders and URL items and the holder of the
// program's settings record. (The tree itself is built by later work; here
// the view loads the settings and applies the toolbar look.)
#pragma once

#include "fw/win/CTreeView.h"

class COrdelinkDoc;

class CTreeVw : public CTreeView {
    DECLARE_DYNCREATE(CTreeVw)

public:
    COrdelinkDoc* GetDocument() const;
    void OnInitialUpdate() override;

    // TRUE: reads the settings (detecting the browser); FALSE: writes them.
    void LoadSaveSettings(BOOL bLoad);
    // Tree styles and the toolbar look (32802 flat / 32803 normal).
    void ApplyViewSettings();

    // The settings record
    CString m_BrowserName;
    int m_bBrowserIsIE = 1;
    int m_BrowserAny = 0;
    int m_AppAny = 1;
    int m_TitleEmpty = 0;
    int m_ToolBarType = 1;
    int m_HtmlDirTemp = 1;
    int m_LinkTarget = 1;
    CString m_Build;
};
