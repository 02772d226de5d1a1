#include "fw/win/CControlBar.h"

#include "fw/win/CFrameWnd.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

DWORD CControlBar::PrepareCreate(CWnd* pParentWnd, DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
    m_pDockSite = dynamic_cast<CFrameWnd*>(pParentWnd);
    return dwStyle & ~CBRS_ALL;
}

void CControlBar::OnDestroy() {
    if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    Default();
}
