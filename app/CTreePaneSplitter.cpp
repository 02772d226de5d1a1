#include "app/CTreePaneSplitter.h"

#include <algorithm>

void CTreePaneSplitter::RecalcLayout() {
    CSplitterWnd::RecalcLayout();
    CWnd* pPane = GetPane(0, 0);
    if (!m_hWnd || !pPane || !m_pTopBar || !m_pTopBar->m_hWnd) return;
    if (!(::GetWindowLongA(m_pTopBar->m_hWnd, GWL_STYLE) & WS_VISIBLE)) return;
    RECT rc;
    ::GetWindowRect(pPane->m_hWnd, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    const int cyBar = std::min<int>(m_cyTopBar, rc.bottom - rc.top);
    ::MoveWindow(m_pTopBar->m_hWnd, rc.left, rc.top, rc.right - rc.left, cyBar, TRUE);
    ::MoveWindow(pPane->m_hWnd, rc.left, rc.top + cyBar, rc.right - rc.left,
                 rc.bottom - rc.top - cyBar, TRUE);
}
