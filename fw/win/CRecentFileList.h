// The recent-file list: full paths, most recent first, kept in a profile
// section as "File1", "File2" ... and shown in the File menu in place of
// the first recent-file entry, shortened to a display length.
#pragma once

#include <vector>

#include "fw/base/CString.h"

class CCmdUI;
class CWinApp;

class CRecentFileList {
public:
    CRecentFileList(unsigned nStart, const char* pszSection, const char* pszEntryFormat, int nSize,
                    int nMaxDispLen);

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    const CString& operator[](int nIndex) const { return m_arrNames[static_cast<size_t>(nIndex)]; }
    // Puts the path first; an entry for the same file (letter case aside)
    // moves up instead of repeating.
    void Add(const char* pszPathName);
    void Remove(int nIndex);
    void ReadList(CWinApp* pApp);
    void WriteList(CWinApp* pApp) const;

    // The menu text of an entry without its number: the path shortened to
    // the display length by leaving out folders after the drive.
    CString GetDisplayName(int nIndex) const;
    static CString AbbreviateName(const CString& strPath, int nMaxLength);
    // Rewrites the File menu's recent-file entries (the update handler of
    // the first one).
    void UpdateMenu(CCmdUI* pCmdUI);

private:
    std::vector<CString> m_arrNames;
    unsigned m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal;
    int m_nMaxDisplayLength;
};
