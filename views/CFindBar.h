// The find bar above the tree: a label, the find field and a close button.
// Typing searches at once (CTreeVw::FindFirst) and the status bar shows the
// result; Enter and F3 go to the next match, Shift+Enter and Shift+F3 to the
// previous one; Esc closes the bar and gives the focus back to the tree.
// While the field has the focus, the Edit commands act on its text.
#pragma once

#include "fw/win/CWnd.h"

class CFrameWnd;
class CTreeVw;

class CFindBar : public CWnd {
public:
    ~CFindBar() override;
    // A hidden child of pParent; results go to pFrame's status bar.
    BOOL Create(CWnd* pParent, CFrameWnd* pFrame, CTreeVw* pTree);
    // The height the bar needs, in pixels.
    int GetBarHeight() const { return m_cyBar; }

    // Shows the bar (if hidden) and puts the focus in the field, its text
    // selected.
    void Open();
    // Hides the bar and activates the tree.
    void Close();
    BOOL IsOpen() const;
    // Whether the field has the keyboard focus.
    BOOL HasFocus() const;
    HWND GetEdit() const { return m_hEdit; }

    // F3 / Shift+F3: the next or previous match; with nothing typed, opens
    // the bar instead.
    void Step(BOOL bForward);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnTextChange();
    void OnFieldFocus();
    void OnFieldBlur();
    void OnCloseClicked();
    void OnSize(UINT nType, int cx, int cy);
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditRedo() {}
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateEnable(CCmdUI* pCmdUI);
    void OnUpdateDisable(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void ShowStatus(const CString& strText);
    void Relayout();

    CFrameWnd* m_pFrame = nullptr;
    CTreeVw* m_pTree = nullptr;
    HWND m_hLabel = nullptr;
    HWND m_hEdit = nullptr;
    HWND m_hClose = nullptr;
    HFONT m_hFont = nullptr;
    int m_cyBar = 24;
    int m_cxLabel = 30;
};
