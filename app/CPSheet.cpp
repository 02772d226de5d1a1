#include "app/CPSheet.h"

#include "res/resource.h"

CPSheet::CPSheet(CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(IDS_PSHEET_CAPTION, pParentWnd, iSelectPage) {
    AddPage(&m_Page1);
    AddPage(&m_Page2);
    AddPage(&m_Page3);
}
