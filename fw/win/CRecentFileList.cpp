#include "fw/win/CRecentFileList.h"

#include "fw/base/CodePage.h"
#include "fw/win/CCmdUI.h"
#include "fw/win/CWinApp.h"

CRecentFileList::CRecentFileList(unsigned nStart, const char* pszSection,
                                 const char* pszEntryFormat, int nSize, int nMaxDispLen)
    : m_arrNames(static_cast<size_t>(nSize)),
      m_nStart(nStart),
      m_strSectionName(pszSection),
      m_strEntryFormat(pszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen) {}

void CRecentFileList::Add(const char* pszPathName) {
    if (!pszPathName || !*pszPathName || m_arrNames.empty()) return;
    size_t i = 0;
    while (i + 1 < m_arrNames.size() && lstrcmpiA(m_arrNames[i], pszPathName) != 0) ++i;
    for (; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = pszPathName;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize()) return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

void CRecentFileList::ReadList(CWinApp* pApp) {
    for (int i = 0; i < GetSize(); ++i) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        m_arrNames[static_cast<size_t>(i)] = pApp->GetProfileString(m_strSectionName, strEntry, "");
    }
}

void CRecentFileList::WriteList(CWinApp* pApp) const {
    // The section is written afresh, so that entries removed from the list
    // do not come back from the file.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        if (m_arrNames[static_cast<size_t>(i)].IsEmpty()) continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[static_cast<size_t>(i)]);
    }
}

namespace {

// Positions just after each '\' or '/' of the path, code-page aware: a trail
// byte equal to '\' is no separator.
std::vector<int> SeparatorEnds(const CString& s) {
    std::vector<int> ends;
    const char* p = s;
    const int n = s.GetLength();
    for (int i = 0; i < n;) {
        const int len = static_cast<int>(codepage::CharLength(p + i, static_cast<size_t>(n - i)));
        if (len == 1 && (p[i] == '\\' || p[i] == '/')) ends.push_back(i + 1);
        i += len;
    }
    return ends;
}

}  // namespace

CString CRecentFileList::AbbreviateName(const CString& strPath, int nMaxLength) {
    if (strPath.GetLength() <= nMaxLength) return strPath;
    const std::vector<int> ends = SeparatorEnds(strPath);
    if (ends.empty()) return strPath;
    const CString strFile = strPath.Mid(ends.back());
    // The root: "C:\" or "\\server\share\".
    size_t nRoot = 0;
    if (strPath.Left(2) == "\\\\") nRoot = ends.size() >= 4 ? 3 : ends.size() - 1;
    const CString strRoot = strPath.Left(ends[nRoot]);
    // Leave out folders after the root until the rest fits.
    for (size_t i = nRoot + 1; i < ends.size(); ++i) {
        CString s = strRoot + "..." + strPath.Mid(ends[i] - 1);
        if (s.GetLength() <= nMaxLength) return s;
    }
    // Even "root\...\file" is too long: the file name alone.
    return strFile;
}

CString CRecentFileList::GetDisplayName(int nIndex) const {
    return AbbreviateName(m_arrNames[static_cast<size_t>(nIndex)], m_nMaxDisplayLength);
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    HMENU hMenu = pCmdUI->m_hMenu;
    if (m_strOriginal.IsEmpty() && hMenu) {
        char sz[256] = "";
        GetMenuStringA(hMenu, pCmdUI->m_nIndex, sz, sizeof(sz), MF_BYPOSITION);
        m_strOriginal = sz;
    }
    if (m_arrNames.empty() || m_arrNames[0].IsEmpty()) {
        // No recent files: the placeholder stays, grayed.
        if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (!hMenu) return;
    for (int i = 0; i < GetSize(); ++i) DeleteMenu(hMenu, pCmdUI->m_nID + i, MF_BYCOMMAND);
    for (int i = 0; i < GetSize() && !m_arrNames[static_cast<size_t>(i)].IsEmpty(); ++i) {
        CString strName = GetDisplayName(i);
        strName.Replace("&", "&&");  // a file name's '&' is no mnemonic
        CString strText;
        if (i < 9)
            strText.Format("&%d %s", i + 1, static_cast<const char*>(strName));
        else if (i == 9)
            strText.Format("1&0 %s", static_cast<const char*>(strName));
        else
            strText.Format("%d %s", i + 1, static_cast<const char*>(strName));
        InsertMenuA(hMenu, pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + i,
                    strText);
    }
    // The menu loop goes on after the last entry made here.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = static_cast<UINT>(GetMenuItemCount(hMenu));
    pCmdUI->m_bEnableChanged = TRUE;
}
