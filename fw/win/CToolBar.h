// A toolbar: the common toolbar control, filled from a toolbar resource
// (AFX_RT_TOOLBAR) and the bitmap of the same number, with the standard
// system colours mapped into the bitmap.
#pragma once

#include "fw/win/CControlBar.h"

class CToolBar : public CControlBar {
public:
    CToolBar();
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
    // Command ID (ID_SEPARATOR for a separator), style word as
    // GetButtonStyle, image index (a separator's width).
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // A button's label; empty when it has none.
    CString GetButtonText(int nIndex) const;
    void SetButtonState(int nIndex, BYTE fsState);
    SIZE GetButtonSize() const { return m_sizeButton; }
    SIZE GetImageSize() const { return m_sizeImage; }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int CalcHeight(int cxAvailable) override;
    SIZE CalcFixedLayout() override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    UINT HitTestCommand(POINT pt) const override;

protected:
    // Maps the button bitmap again to the new system colours.
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HBITMAP m_hbmImageWell = nullptr;
    UINT m_nIDResource = 0;
    SIZE m_sizeImage = {16, 15};
    SIZE m_sizeButton = {23, 22};
};
