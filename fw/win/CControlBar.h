// A bar along an edge of a frame (toolbar, status bar). It keeps its bar
// style (CBRS_ bits) apart from the window style, takes part in the frame's
// layout and has its elements updated in the idle pass. A bar that allows
// docking can be dragged by its border to another edge of the frame or off
// it, into a small floating frame of its own.
#pragma once

#include "fw/win/CWnd.h"

class CMiniDockFrameWnd;

class CControlBar : public CWnd {
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    // Along the top or bottom edge (or floating as a row), not standing.
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    // Updates every element through the frame's command routing.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    // Height when docked along a horizontal edge of the given width.
    virtual int CalcHeight(int cxAvailable) = 0;
    // The window's size in the orientation of the bar's style: along a
    // horizontal edge or floating the height matters, along a vertical edge
    // the width. The frame stretches the other side.
    virtual SIZE CalcFixedLayout();
    // The command under a point of the bar's client area; 0 for none.
    virtual UINT HitTestCommand(POINT) const { return 0; }
    // The message pane's text, for bars that have one.
    virtual void SetMessagePaneText(const char*) {}
    // After a change of the bar style (docked on another side, floating).
    virtual void OnBarStyleChange(DWORD, DWORD) {}

    // Fills the non-client area (the border around the buttons) with the
    // face colour.
    void EraseNonClient();

    CFrameWnd* m_pDockSite = nullptr;
    CMiniDockFrameWnd* m_pDockFrame = nullptr;  // while floating
    POINT m_ptFloat = {-1, -1};                 // screen place of the floating frame
    DWORD m_dwLastDockSide = CBRS_ALIGN_TOP;    // where a double click docks it again

protected:
    // Splits the requested style into bar bits and window bits, and joins
    // the frame's list of bars.
    DWORD PrepareCreate(CWnd* pParentWnd, DWORD dwStyle);
    // The client area inside the bar's borders (window coordinates in and
    // out); bars without borders leave it alone.
    virtual void CalcInsideRect(RECT& rect) const;
    bool HasBorders() const;
    // The window size that gives the client area the given size.
    SIZE WindowSizeForClient(SIZE sizeClient);
    // Drags the bar from a point of its window (screen coordinates) until
    // the button is released: near an edge of the frame it docks there,
    // elsewhere it floats; Ctrl keeps it floating, Esc cancels.
    void TrackDrag(POINT ptScreen);
    BOOL IsInDragBorder(POINT ptClient) const;

    void OnDestroy();
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, POINT point);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    // Border widths along a horizontal bar: before, after, above and below
    // the buttons. A standing bar turns them round.
    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;

    friend class CMiniDockFrameWnd;
    friend class CFrameWnd;
};
