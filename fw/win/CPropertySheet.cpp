#include "fw/win/CPropertySheet.h"

#include "fw/win/CPropertyPage.h"

namespace {
// The sheet whose window is being made; the system's callback carries no
// data of ours.
CPropertySheet* g_pSheetInit = nullptr;
}  // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_pParentWnd(pParentWnd), m_nStartPage(iSelectPage) {
    AfxLoadString(nIDCaption, m_strCaption);
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && g_pSheetInit) {
        g_pSheetInit->SubclassWindow(hWnd);
        g_pSheetInit = nullptr;
    }
    return 0;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty()) return -1;
    std::vector<PROPSHEETPAGEA> descriptions;
    for (CPropertyPage* pPage : m_pages) descriptions.push_back(pPage->BuildPageDescription());

    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hOwner) {
        if (CWnd* pMain = AfxGetMainWnd()) hOwner = ::GetLastActivePopup(pMain->m_hWnd);
    }
    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof(psh);
    psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    psh.hwndParent = hOwner;
    psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption;
    psh.nPages = static_cast<UINT>(descriptions.size());
    psh.nStartPage = m_nStartPage < psh.nPages ? m_nStartPage : 0;
    psh.ppsp = descriptions.data();
    psh.pfnCallback = SheetCallback;

    m_bClosedWithOK = FALSE;
    g_pSheetInit = this;
    const INT_PTR nResult = ::PropertySheetA(&psh);
    g_pSheetInit = nullptr;
    if (nResult < 0) return -1;
    return m_bClosedWithOK ? IDOK : IDCANCEL;
}
