// The system's file-open and file-save dialogs with a filter written as
// "Name|*.EXT|Name|*.*||", a default extension, a proposed file name and
// the OFN_ flags. Tests replace the system dialog with a handler of their own.
#pragma once

#include <windows.h>

#include <string>

#include "fw/base/CString.h"

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt = nullptr,
                const char* pszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                const char* pszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK with the chosen path, IDCANCEL when the user cancelled.
    INT_PTR DoModal();
    CString GetPathName() const { return m_strPathName; }

    // What the dialog is shown with (read by test handlers).
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }
    const CString& GetDefExt() const { return m_strDefExt; }
    const CString& GetFileName() const { return m_strFileName; }
    const CString& GetFilter() const { return m_strFilter; }
    DWORD GetFlags() const { return m_dwFlags; }

    // A handler answers in place of the system dialog: it returns IDOK or
    // IDCANCEL and, for IDOK, sets the path through SetPathName. Null
    // restores the system dialog; the previous handler is returned.
    using Handler = INT_PTR (*)(CFileDialog& dlg);
    static Handler SetHandler(Handler handler);
    void SetPathName(const char* pszPath) { m_strPathName = pszPath; }

    // "A|b|C|d||" as the system wants it: NUL-separated, doubly NUL-ended.
    static std::string SystemFilter(const CString& strFilter);

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    DWORD m_dwFlags;
    CString m_strFilter;
    CWnd* m_pParentWnd;
    CString m_strPathName;
};
