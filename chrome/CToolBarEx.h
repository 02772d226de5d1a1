// The main window's toolbar. In the flat look it paints itself: buttons
// show no edge until the mouse rests on them (a raised edge), pressed and
// checked buttons are sunken, disabled images embossed, separators etched,
// and a two-bar gripper sits at the leading edge of the docked bar. While
// painting flat it sends NM_CUSTOMDRAW to the window that was its parent at
// creation. In the normal look the standard toolbar paints.
#pragma once

#include <vector>

#include "fw/win/CToolBar.h"

class CToolBarEx : public CToolBar {
public:
    CToolBarEx();
    ~CToolBarEx() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = 0xE800);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // Flat look on; written by the owner, which repaints the bar after a
    // change.
    BOOL m_bFlatMode = TRUE;

    // The non-client paint handler, run at once after a change of look.
    void OnNcPaint() { SendMessage(WM_NCPAINT, 1); }

    int GetHotButton() const { return m_nHotButton; }
    int GetImageOffsetX() const { return m_cxImageOffset; }
    int GetImageOffsetY() const { return m_cyImageOffset; }

protected:
    LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcCalcSizeEx(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaintEx(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBitmapSize(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct CustomDrawContext;

    bool HasLabels() const;
    void CalcImageOffsets();
    HIMAGELIST GetPaintImageList();
    // The flat painting of the buttons in the update rectangle onto hdc.
    void PaintFlat(HDC hdc, const RECT& rcUpdate, HIMAGELIST hImages);
    void DrawButton(HDC hdc, int nIndex, UINT nID, UINT nStyle, int iImage, const RECT& rc,
                    POINT ptCursor, HIMAGELIST hImages);
    void DrawSeparator(HDC hdc, const RECT& rc);
    void DrawDisabledButton(HDC hdc, const RECT& rc);
    void DrawGripper(HDC hdcWindow);
    void ReadSysColors();

    int m_cxImageOffset = 0;
    int m_cyImageOffset = 0;
    COLORREF m_crFace = 0;
    COLORREF m_crLight = 0;
    COLORREF m_crShadow = 0;
    int m_nHotButton = -1;
    UINT_PTR m_nHoverTimer = 0;
    std::vector<UINT> m_prevStyles;
    HWND m_hwndNotify = nullptr;
    BOOL m_bOwnImageList = FALSE;
    HFONT m_labelFont = nullptr;
};
