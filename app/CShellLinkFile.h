// The properties of one shell shortcut (.lnk) and their saving through the
// shell's link object. COM must be initialised on the calling thread.
#pragma once

#include "fw/win/AfxWin.h"

class CShellLinkFile {
public:
    // Stores every property, marks them unsaved and saves them.
    BOOL CreateShortcutFile(const char* pszLinkPath, const char* pszTargetPath,
                            const char* pszWorkingDir, const char* pszDescription,
                            const char* pszArguments, const char* pszIconPath, int nIconIndex,
                            WORD wHotkey, int nShowCmd);
    // TRUE when saved, or when there was nothing to save.
    BOOL SaveShortcutFile();

    BOOL m_bDirty = FALSE;
    CString m_LinkPath;
    CString m_TargetPath;
    CString m_WorkingDir;
    CString m_Description;
    CString m_IconPath;
    CString m_Arguments;
    int m_IconIndex = 0;
    WORD m_Hotkey = 0;
    int m_ShowCmd = 0;
};
