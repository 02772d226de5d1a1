// The small frame a floating control bar sits in: a tool window owned by
// the main frame and captioned with the bar's window text. Dragging its
// caption moves the bar (and docks it when dropped near an edge of the
// frame); a double click on the caption docks it where it was; closing it
// hides the bar.
#pragma once

#include "fw/win/CWnd.h"

class CControlBar;

class CMiniDockFrameWnd : public CWnd {
public:
    explicit CMiniDockFrameWnd(CControlBar* pBar) : m_pBar(pBar) {}
    BOOL Create(CWnd* pOwner, POINT ptScreen);
    // Sizes the frame around the bar at its present size.
    void RecalcLayout();
    CControlBar* GetBar() const { return m_pBar; }

protected:
    void PostNcDestroy() override;
    void OnClose();
    void OnDestroy();
    LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CControlBar* m_pBar;
};
