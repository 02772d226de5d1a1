#include "fw/win/CToolTipCtrl.h"

namespace {
// The structure's size that every version of the control accepts.
TOOLINFOA MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    return ti;
}
}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pOwner, DWORD dwStyle) {
    const RECT rc = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    return CreateEx(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, rc, pOwner, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* pszText, const RECT& rect, UINT_PTR nIDTool) {
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    ti.uFlags = TTF_SUBCLASS;
    ti.rect = rect;
    ti.lpszText = const_cast<char*>(pszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const char* pszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    ti.lpszText = const_cast<char*>(pszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

CString CToolTipCtrl::GetText(CWnd* pWnd, UINT_PTR nIDTool) const {
    // wParam is the buffer's size where the control reads it.
    char buf[1024] = "";
    TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool);
    ti.lpszText = buf;
    SendMessage(TTM_GETTEXTA, sizeof(buf), reinterpret_cast<LPARAM>(&ti));
    return buf;
}
