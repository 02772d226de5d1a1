// A dialog box made from a template by the system's dialog manager. The
// object is bound to the dialog window at WM_INITDIALOG by subclassing, so
// its message map sees the dialog's messages before the dialog manager does.
#pragma once

#include "fw/win/CDataExchange.h"
#include "fw/win/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Runs the dialog; IDOK, IDCANCEL (or what EndDialog was given), -1
    // when the dialog could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    UINT GetTemplateID() const { return m_nIDTemplate; }

    // Runs DoDataExchange in one direction; FALSE when a control is missing.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Overridables
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Buttons and texts of the dialog's controls.
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    // The checked button of the range, 0 when none is.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    UINT IsDlgButtonChecked(int nIDButton) const;
    void SetDlgItemText(int nID, const char* pszText);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    DECLARE_MESSAGE_MAP()

    // The dialog procedure of modal dialogs and property pages: binds the
    // object given at WM_INITDIALOG and leaves the rest to the subclass.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Binds to the dialog window and runs OnInitDialog.
    INT_PTR AttachDialog(HWND hWnd);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
