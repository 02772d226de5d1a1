// The main splitter, with room for a bar above its first pane (the find bar
// above the tree): while the bar is visible the pane gives up the bar's
// height at its top, inside the pane's edge.
#pragma once

#include "fw/win/CSplitterWnd.h"

class CTreePaneSplitter : public CSplitterWnd {
public:
    // The bar is a child of this splitter; nullptr for none.
    void SetTopBar(CWnd* pBar, int cyBar) {
        m_pTopBar = pBar;
        m_cyTopBar = cyBar;
    }
    void RecalcLayout() override;

private:
    CWnd* m_pTopBar = nullptr;
    int m_cyTopBar = 0;
};
