#include "chrome/CLinkStatic.h"

#include <shellapi.h>

#include "fw/base/AfxHooks.h"

namespace {

constexpr UINT_PTR kToolID = 1;

// The default value of a HKEY_CLASSES_ROOT key; FALSE when it cannot be read.
BOOL ReadClassesRootValue(const char* pszKey, CString& rValue) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char buf[MAX_PATH] = "";
    LONG cb = sizeof(buf);
    const LONG lResult = ::RegQueryValueA(hKey, nullptr, buf, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS) return FALSE;
    buf[sizeof(buf) - 1] = '\0';
    rValue = buf;
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLinkStatic::~CLinkStatic() {
    if (m_underlineFont) ::DeleteObject(m_underlineFont);
}

void CLinkStatic::SetTarget(const char* pszTarget) {
    m_target = pszTarget;
    if (!m_hWnd) return;
    FitToText();
    if (m_toolTip.m_hWnd) m_toolTip.UpdateTipText(m_target, this, kToolID);
}

void CLinkStatic::SetLinkColors(COLORREF colorLink, COLORREF colorVisited) {
    m_colorLink = colorLink;
    m_colorVisited = colorVisited;
    if (m_hWnd) Invalidate(TRUE);
}

void CLinkStatic::MarkVisited(BOOL bVisited) {
    m_visited = bVisited;
    if (m_hWnd) Invalidate(TRUE);
}

void CLinkStatic::SetUnderlined(BOOL bUnderline) {
    m_underline = bUnderline;
    if (m_hWnd) Invalidate(TRUE);
}

void CLinkStatic::PreSubclassWindow() {
    // Clicks are reported only with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);
    CString strText;
    GetWindowText(strText);
    if (m_target.IsEmpty()) m_target = strText;
    if (strText.IsEmpty()) SetWindowText(m_target);
    FitToText();
    m_hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    if (m_toolTip.Create(this)) {
        RECT rc;
        GetClientRect(&rc);
        m_toolTip.AddTool(this, m_target, rc, kToolID);
    }
}

BOOL CLinkStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_CTLCOLORSTATIC) {
        if (pResult) *pResult = reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    }
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
}

HBRUSH CLinkStatic::CtlColor(HDC hDC) {
    ::SetTextColor(hDC, GetTextColor());
    if (m_underline) {
        if (!m_underlineFont) {
            HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
            if (!hFont) hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
            LOGFONTA lf = {};
            ::GetObjectA(hFont, sizeof(lf), &lf);
            lf.lfUnderline = TRUE;
            m_underlineFont = ::CreateFontIndirectA(&lf);
        }
        if (m_underlineFont) ::SelectObject(hDC, m_underlineFont);
    }
    ::SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLinkStatic::OnClicked() {
    const int nResult = OpenTarget(m_target, SW_SHOW);
    m_visited = nResult > 32;
    if (m_visited) {
        MarkVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(OpenErrorText(nResult), AFX_MB_OK | AFX_MB_ICONEXCLAMATION);
}

BOOL CLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(m_hCursor);
    return TRUE;
}

int CLinkStatic::OpenTarget(const char* pszTarget, int nShowCmd) {
    const int nShell = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", pszTarget, nullptr, nullptr, nShowCmd)));
    if (nShell > 32) return nShell;
    // The program registered for web pages, given the target as its argument.
    CString strClass, strCommand;
    if (!ReadClassesRootValue(".htm", strClass)) return nShell;
    if (!ReadClassesRootValue(strClass + "\\shell\\open\\command", strCommand)) return nShell;
    return static_cast<int>(::WinExec(BuildFallbackCommand(strCommand, pszTarget), nShowCmd));
}

CString CLinkStatic::BuildFallbackCommand(const CString& strRegistered, const char* pszTarget) {
    CString strLine = strRegistered;
    int nCut = strLine.Find("\"%1\"");
    if (nCut < 0) nCut = strLine.Find("%1");
    if (nCut >= 0) strLine = strLine.Left(nCut);
    return strLine + " " + pszTarget;
}

CString CLinkStatic::OpenErrorText(int nCode) {
    CString strWhy;
    switch (nCode) {
        case 0:
            strWhy = "The operating system is out\nof memory or resources.";
            break;
        case SE_ERR_FNF:
            strWhy = "The specified file was not found.";
            break;
        case SE_ERR_PNF:
            strWhy = "The specified path was not found.";
            break;
        case SE_ERR_ACCESSDENIED:
            strWhy = "The operating system denied\naccess to the specified file.";
            break;
        case SE_ERR_OOM:
            strWhy = "There was not enough memory to complete the operation.";
            break;
        case ERROR_BAD_FORMAT:
            strWhy = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
            break;
        case SE_ERR_SHARE:
            strWhy = "A sharing violation occurred. ";
            break;
        case SE_ERR_ASSOCINCOMPLETE:
            strWhy = "The filename association is\nincomplete or invalid.";
            break;
        case SE_ERR_DDETIMEOUT:
            strWhy = "The DDE transaction could not\nbe completed because the request timed out.";
            break;
        case SE_ERR_DDEFAIL:
            strWhy = "The DDE transaction failed.";
            break;
        case SE_ERR_DDEBUSY:
            strWhy =
                "The DDE transaction could not\nbe completed because other DDE transactions\n"
                "were being processed.";
            break;
        case SE_ERR_NOASSOC:
            strWhy = "There is no application associated\nwith the given filename extension.";
            break;
        case SE_ERR_DLLNOTFOUND:
            strWhy = "The specified dynamic-link library was not found.";
            break;
        default:
            strWhy.Format("Unknown Error (%d) occurred.", nCode);
            break;
    }
    return "Unable to open hyperlink:\n\n" + strWhy;
}

// Moves the window so that it just holds its text, keeping the side or the
// centre its alignment style names.
void CLinkStatic::FitToText() {
    if (!m_fitToText || !m_hWnd) return;
    RECT rc;
    GetWindowRect(&rc);
    HWND hParent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    CString strText;
    GetWindowText(strText);
    HDC hDC = ::GetDC(m_hWnd);
    // Measured in the font the text is drawn in.
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    SIZE ext = {};
    ::GetTextExtentPoint32A(hDC, strText, strText.GetLength(), &ext);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    const DWORD dwStyle = GetStyle();
    if (dwStyle & SS_CENTERIMAGE) {
        const int dy = (rc.bottom - rc.top - ext.cy) / 2;
        rc.top += dy;
        rc.bottom -= dy;
    } else {
        rc.bottom = rc.top + ext.cy;
    }
    const DWORD dwAlign = dwStyle & SS_TYPEMASK;
    if (dwAlign == SS_CENTER) {
        const int dx = (rc.right - rc.left - ext.cx) / 2;
        rc.left += dx;
        rc.right -= dx;
    } else if (dwAlign == SS_RIGHT) {
        rc.left = rc.right - ext.cx;
    } else {
        rc.right = rc.left + ext.cx;
    }
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER);
}
