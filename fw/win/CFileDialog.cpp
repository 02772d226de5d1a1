#include "fw/win/CFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "fw/win/AfxWin.h"
#include "fw/win/CWnd.h"

namespace {
CFileDialog::Handler g_handler = nullptr;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* pszDefExt, const char* pszFileName,
                         DWORD dwFlags, const char* pszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(pszDefExt ? pszDefExt : ""),
      m_strFileName(pszFileName ? pszFileName : ""),
      m_dwFlags(dwFlags),
      m_strFilter(pszFilter ? pszFilter : ""),
      m_pParentWnd(pParentWnd) {}

CFileDialog::Handler CFileDialog::SetHandler(Handler handler) {
    Handler old = g_handler;
    g_handler = handler;
    return old;
}

std::string CFileDialog::SystemFilter(const CString& strFilter) {
    std::string filter = strFilter.str();
    for (char& ch : filter)
        if (ch == '|') ch = '\0';
    // Two NULs end the list even when the text lacks its closing "||".
    filter.push_back('\0');
    filter.push_back('\0');
    return filter;
}

INT_PTR CFileDialog::DoModal() {
    m_strPathName.Empty();
    if (g_handler) return g_handler(*this);

    const std::string filter = SystemFilter(m_strFilter);
    // Room for a long path: the dialog fails rather than cutting one.
    std::vector<char> file(32768, '\0');
    lstrcpynA(file.data(), m_strFileName, static_cast<int>(file.size()));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    ofn.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
    ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<const char*>(m_strDefExt);
    ofn.Flags = m_dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!bOK) return IDCANCEL;
    m_strPathName = file.data();
    return IDOK;
}
