// A tooltip control: a pop-up owned by another window, showing a text for
// each tool (a rectangle of a window) the mouse rests on.
#pragma once

#include "fw/win/CWnd.h"

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* pOwner, DWORD dwStyle = 0);
    // A tool over rect of pWnd's client area. The tooltip watches the
    // window's mouse messages itself, so no message loop needs to relay
    // them (dialogs run the system's loop).
    BOOL AddTool(CWnd* pWnd, const char* pszText, const RECT& rect, UINT_PTR nIDTool);
    void UpdateTipText(const char* pszText, CWnd* pWnd, UINT_PTR nIDTool);
    // The text of a tool; empty when there is no such tool.
    CString GetText(CWnd* pWnd, UINT_PTR nIDTool) const;
    void RelayEvent(MSG* pMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
};
