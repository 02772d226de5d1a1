// A static text that acts as a hyperlink: coloured text (another colour once
// opened), an optional underline, its own cursor, a tooltip with the target,
// and a click that opens the target through the shell, falling back to the
// registered web browser, with a message that explains a failure.
#pragma once

#include "fw/win/CStatic.h"
#include "fw/win/CToolTipCtrl.h"

class CLinkStatic : public CStatic {
public:
    CLinkStatic() = default;
    ~CLinkStatic() override;

    void SetTarget(const char* pszTarget);
    const CString& GetTarget() const { return m_target; }
    void SetLinkColors(COLORREF colorLink, COLORREF colorVisited);
    void MarkVisited(BOOL bVisited);
    void SetUnderlined(BOOL bUnderline);
    void SetLinkCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    // The colour the text is painted in now.
    COLORREF GetTextColor() const { return m_visited ? m_colorVisited : m_colorLink; }

    // Opens target; the result is the shell's code (above 32: success).
    static int OpenTarget(const char* pszTarget, int nShowCmd);
    // The registered command line with its "%1" placeholder cut off, then a
    // blank and the target.
    static CString BuildFallbackCommand(const CString& strRegistered, const char* pszTarget);
    // "Unable to open hyperlink:" and what the code means.
    static CString OpenErrorText(int nCode);

    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    COLORREF m_colorLink = RGB(0, 0, 238);
    COLORREF m_colorVisited = RGB(85, 26, 139);
    BOOL m_visited = FALSE;
    BOOL m_underline = TRUE;
    BOOL m_fitToText = FALSE;
    CString m_target;
    HFONT m_underlineFont = nullptr;
    HCURSOR m_hCursor = nullptr;
    CToolTipCtrl m_toolTip;

protected:
    void OnClicked();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    HBRUSH CtlColor(HDC hDC);
    void FitToText();
};
