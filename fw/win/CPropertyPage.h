// One page of a property sheet, made from a dialog template. The sheet makes
// the page's window when its tab is first shown; only such pages take part
// in OK (OnOK) and Cancel (OnCancel).
#pragma once

#include "fw/win/CDialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

    // The page became the current one (TRUE to accept) or is left (TRUE to
    // let it go; the controls' values are taken here).
    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    // The sheet was closed with OK / with Cancel; nothing by default.
    void OnOK() override {}
    void OnCancel() override {}

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The sheet's description of this page.
    PROPSHEETPAGEA BuildPageDescription();

    CPropertySheet* m_pSheet = nullptr;

private:
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
