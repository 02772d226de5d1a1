// Data exchange between a dialog's controls and its members: one pass in
// one direction, run by CDialog::UpdateData.
#pragma once

#include "fw/win/AfxWin.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;

    // The control's window; nullptr (and the pass marked failed) when the
    // template has no such control.
    HWND PrepareCtrl(int nIDC);
    BOOL m_bFailed = FALSE;
};

// The text of control nIDC and value, in the pass's direction.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Binds rControl to control nIDC the first time (it is subclassed).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
