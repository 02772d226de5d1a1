// A static splitter: a fixed grid of panes with draggable bars between them.
// Pane (row, col) is the child window with ID AFX_IDW_PANE_FIRST + 16 * row
// + col; a pane may itself be a splitter. The last row and the last column
// take whatever space the others leave.
#pragma once

#include <vector>

#include "fw/win/CWnd.h"

class CSplitterWnd : public CWnd {
public:
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = 0xE900);
    virtual BOOL CreateView(int row, int col, const CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_cols.size()); }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return 0xE900 + row * 16 + col; }

    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    virtual void RecalcLayout();

    // Makes the pane's view the frame's active view, with the focus.
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) const;
    // F6 / Shift+F6: the next or previous pane of the whole splitter tree.
    void ActivateNext(BOOL bPrev = FALSE);

    // Space around a pane (its sunken edge) and the bar between two panes.
    static constexpr int kBorder = 2;
    static constexpr int kBar = 3;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnPaneContextMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Info {
        int nIdealSize;
        int nMinSize;
        int nCurSize;
    };
    static void Layout(std::vector<Info>& infos, int nTotal);
    // Offset of a row's or column's pane from the client edge.
    static int Start(const std::vector<Info>& infos, int index);
    // The bar under a point: {-1, -1} for none; else {row bar, col bar}.
    int HitBar(const std::vector<Info>& infos, int pos) const;
    void CollectPanes(std::vector<CWnd*>& panes) const;
    std::vector<Info> m_rows;
    std::vector<Info> m_cols;
    int m_nTrackRow = -1;
    int m_nTrackCol = -1;
    int m_nTrackOffset = 0;
};
