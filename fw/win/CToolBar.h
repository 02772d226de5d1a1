// A toolbar: the common toolbar control, filled from a toolbar resource
// (AFX_RT_TOOLBAR) and the bitmap of the same number, with the standard
// system colours mapped into the bitmap.
#pragma once

#include "fw/win/CControlBar.h"

class CToolBar : public CControlBar {
public:
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = 0xE800);
    BOOL LoadToolBar(UINT nIDResource);
    // Buttons in order; ID_SEPARATOR (0) makes a gap. Images are taken in
    // order by the buttons only.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int GetCount() const;
    int CommandToIndex(UINT nID) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, RECT* pRect) const;
    // Low word: the button's style; high word: its state.
    UINT GetButtonStyle(int nIndex) const;
    SIZE GetButtonSize() const { return m_sizeButton; }
    SIZE GetImageSize() const { return m_sizeImage; }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int CalcHeight(int cxAvailable) override;
    UINT HitTestCommand(POINT pt) const override;

protected:
    HBITMAP m_hbmImageWell = nullptr;
    SIZE m_sizeImage = {16, 15};
    SIZE m_sizeButton = {23, 22};
};
