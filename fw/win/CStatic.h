// A static text, icon or frame control.
#pragma once

#include "fw/win/CWnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(const char* pszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF) {
        return CWnd::Create("Static", pszText, dwStyle, rect, pParentWnd, nID);
    }
};
