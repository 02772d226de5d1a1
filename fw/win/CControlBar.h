// A bar along an edge of a frame (toolbar, status bar). It keeps its bar
// style (CBRS_ bits) apart from the window style, takes part in the frame's
// layout and has its elements updated in the idle pass.
#pragma once

#include "fw/win/CWnd.h"

class CControlBar : public CWnd {
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    DWORD GetDockingStyle() const { return m_dwDockStyle; }

    // Updates every element through the frame's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Height when docked along a horizontal edge of the given width.
    virtual int CalcHeight(int cxAvailable) = 0;
    // The command under a point of the bar's client area; 0 for none.
    virtual UINT HitTestCommand(POINT) const { return 0; }
    // The message pane's text, for bars that have one.
    virtual void SetMessagePaneText(const char*) {}

    CFrameWnd* m_pDockSite = nullptr;

protected:
    // Splits the requested style into bar bits and window bits, and joins
    // the frame's list of bars.
    DWORD PrepareCreate(CWnd* pParentWnd, DWORD dwStyle);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
};
