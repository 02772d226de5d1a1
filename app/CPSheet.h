// The settings sheet (caption: string 102) with pages 1 to 3. Page 4 is
// built with it but not added, so the sheet shows three tabs.
#pragma once

#include "app/CPPage1.h"
#include "app/CPPage2.h"
#include "app/CPPage3.h"
#include "app/CPPage4.h"
#include "fw/win/CPropertySheet.h"

class CPSheet : public CPropertySheet {
public:
    explicit CPSheet(CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    CPPage1 m_Page1;
    CPPage2 m_Page2;
    CPPage3 m_Page3;
    CPPage4 m_Page4;
};
