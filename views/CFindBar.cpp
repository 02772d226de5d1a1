#include "views/CFindBar.h"

#include <algorithm>

#include "fw/base/AfxMessages.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CSplitterWnd.h"
#include "res/resource.h"
#include "views/CTreeVw.h"

namespace {
constexpr int kMargin = 2;
constexpr int kGap = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CFindBar, CWnd)
ON_CONTROL(EN_CHANGE, IDC_FIND_EDIT, OnTextChange)
ON_CONTROL(EN_SETFOCUS, IDC_FIND_EDIT, OnFieldFocus)
ON_CONTROL(EN_KILLFOCUS, IDC_FIND_EDIT, OnFieldBlur)
ON_BN_CLICKED(IDC_FIND_CLOSE, OnCloseClicked)
ON_WM_SIZE()
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateDisable)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEnable)
END_MESSAGE_MAP()

CFindBar::~CFindBar() {
    if (m_hFont) ::DeleteObject(m_hFont);
}

BOOL CFindBar::Create(CWnd* pParent, CFrameWnd* pFrame, CTreeVw* pTree) {
    m_pFrame = pFrame;
    m_pTree = pTree;
    const RECT rect = {0, 0, 0, 0};
    if (!CreateEx(0, AfxWndClassName(), nullptr, WS_CHILD | WS_CLIPCHILDREN, rect, pParent, 0))
        return FALSE;
    // The form's face, so that the bar reads like the panes beside it.
    m_hFont = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, afxmsg::FromUtf8("ＭＳ Ｐゴシック"));
    HINSTANCE hInst = AfxGetInstanceHandle();
    const CString strLabel = AfxLoadString(IDS_FIND_LABEL);
    m_hLabel = ::CreateWindowExA(0, "STATIC", strLabel, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 0,
                                 0, 0, 0, m_hWnd, nullptr, hInst, nullptr);
    m_hEdit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                m_hWnd, reinterpret_cast<HMENU>(IDC_FIND_EDIT), hInst, nullptr);
    m_hClose =
        ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                          m_hWnd, reinterpret_cast<HMENU>(IDC_FIND_CLOSE), hInst, nullptr);
    if (!m_hLabel || !m_hEdit || !m_hClose) return FALSE;
    for (HWND h : {m_hLabel, m_hEdit, m_hClose})
        ::SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    // Heights and the label's width from the font.
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hdc, m_hFont);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hdc, &tm);
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, strLabel, strLabel.GetLength(), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_hWnd, hdc);
    m_cyBar = tm.tmHeight + 8 + 2 * kMargin;
    m_cxLabel = size.cx + kGap;
    return TRUE;
}

void CFindBar::Relayout() {
    RECT rc;
    GetClientRect(&rc);
    const int cy = rc.bottom - 2 * kMargin;
    const int cxClose = cy;
    int x = kMargin + 2;
    ::MoveWindow(m_hLabel, x, kMargin, m_cxLabel, cy, TRUE);
    x += m_cxLabel;
    const int cxEdit = std::max(0, static_cast<int>(rc.right) - x - cxClose - kGap - kMargin);
    ::MoveWindow(m_hEdit, x, kMargin, cxEdit, cy, TRUE);
    ::MoveWindow(m_hClose, x + cxEdit + kGap, kMargin, cxClose, cy, TRUE);
}

void CFindBar::OnSize(UINT, int, int) {
    Default();
    Relayout();
}

BOOL CFindBar::IsOpen() const {
    return m_hWnd && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CFindBar::HasFocus() const {
    return m_hEdit && ::GetFocus() == m_hEdit;
}

void CFindBar::Open() {
    if (m_pTree) m_pTree->PrepareFind();
    if (!IsOpen()) {
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        if (auto* pSplitter = dynamic_cast<CSplitterWnd*>(GetParent())) pSplitter->RecalcLayout();
    }
    ::SetFocus(m_hEdit);
    ::SendMessageA(m_hEdit, EM_SETSEL, 0, -1);
}

void CFindBar::Close() {
    if (IsOpen()) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        if (auto* pSplitter = dynamic_cast<CSplitterWnd*>(GetParent())) pSplitter->RecalcLayout();
    }
    if (m_pTree && m_pTree->m_hWnd) {
        if (m_pFrame) m_pFrame->SetActiveView(m_pTree);
        ::SetFocus(m_pTree->m_hWnd);
    }
}

void CFindBar::ShowStatus(const CString& strText) {
    if (!m_pFrame) return;
    if (strText.IsEmpty())
        m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        m_pFrame->SetMessageText(strText);
}

void CFindBar::OnTextChange() {
    if (!m_pTree) return;
    CString strText;
    CWnd::FromHandle(m_hEdit)->GetWindowText(strText);
    ShowStatus(m_pTree->FindFirst(strText));
}

void CFindBar::Step(BOOL bForward) {
    if (!m_pTree) return;
    if (m_pTree->GetFindQuery().IsEmpty()) {
        Open();
        return;
    }
    ShowStatus(m_pTree->FindStep(bForward));
}

void CFindBar::OnFieldFocus() {
    if (m_pTree) m_pTree->SetFindHighlight(TRUE);
}

void CFindBar::OnFieldBlur() {
    if (m_pTree) m_pTree->SetFindHighlight(FALSE);
}

void CFindBar::OnCloseClicked() {
    Close();
}

// Keys for the field: Esc closes, Enter steps; the editing keys stay with the
// field instead of becoming the frame's accelerators (Ctrl+Z undoes typing,
// not the last document change). F3 and the other accelerators pass on.
BOOL CFindBar::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd != m_hEdit || pMsg->message != WM_KEYDOWN) return FALSE;
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (pMsg->wParam) {
        case VK_ESCAPE:
            Close();
            return TRUE;
        case VK_RETURN:
            Step(!bShift);
            return TRUE;
        case 'Z':
        case 'X':
        case 'C':
        case 'V':
        case 'Y':
            if (!bCtrl) return FALSE;
            break;
        case VK_INSERT:
            if (!bCtrl && !bShift) return FALSE;
            break;
        case VK_DELETE:
            if (!bShift) return FALSE;
            break;
        default:
            return FALSE;
    }
    ::TranslateMessage(pMsg);
    ::DispatchMessageA(pMsg);
    return TRUE;
}

// ---- Edit commands from the menu while the field has the focus

void CFindBar::OnEditUndo() {
    ::SendMessageA(m_hEdit, EM_UNDO, 0, 0);
}

void CFindBar::OnEditCut() {
    ::SendMessageA(m_hEdit, WM_CUT, 0, 0);
}

void CFindBar::OnEditCopy() {
    ::SendMessageA(m_hEdit, WM_COPY, 0, 0);
}

void CFindBar::OnEditPaste() {
    ::SendMessageA(m_hEdit, WM_PASTE, 0, 0);
}

void CFindBar::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(::SendMessageA(m_hEdit, EM_CANUNDO, 0, 0) != 0);
}

void CFindBar::OnUpdateNeedSel(CCmdUI* pCmdUI) {
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                   reinterpret_cast<LPARAM>(&dwEnd));
    pCmdUI->Enable(dwStart != dwEnd);
}

void CFindBar::OnUpdateEnable(CCmdUI* pCmdUI) {
    pCmdUI->Enable(TRUE);
}

void CFindBar::OnUpdateDisable(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
}
