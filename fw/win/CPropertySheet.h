// A modal property sheet: the system's tabbed sheet with OK and Cancel,
// holding pages the caller adds. The sheet and its pages make their windows
// only while DoModal runs.
#pragma once

#include <vector>

#include "fw/win/CWnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
public:
    // The caption is string nIDCaption.
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const { return m_pages[nPage]; }

    // IDOK when the sheet was closed with OK, else IDCANCEL; -1 when it could
    // not be shown.
    virtual INT_PTR DoModal();

    CString m_strCaption;
    BOOL m_bClosedWithOK = FALSE;

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    std::vector<CPropertyPage*> m_pages;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;
};
