#include "app/CShellLinkFile.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

BOOL CShellLinkFile::CreateShortcutFile(const char* pszLinkPath, const char* pszTargetPath,
                                        const char* pszWorkingDir, const char* pszDescription,
                                        const char* pszArguments, const char* pszIconPath,
                                        int nIconIndex, WORD wHotkey, int nShowCmd) {
    m_LinkPath = pszLinkPath;
    m_TargetPath = pszTargetPath;
    m_WorkingDir = pszWorkingDir;
    m_Description = pszDescription;
    m_Arguments = pszArguments;
    m_IconPath = pszIconPath;
    m_IconIndex = nIconIndex;
    m_Hotkey = wHotkey;
    m_ShowCmd = nShowCmd;
    m_bDirty = TRUE;
    return SaveShortcutFile();
}

BOOL CShellLinkFile::SaveShortcutFile() {
    if (!m_bDirty) return TRUE;
    // A link path the file system cannot take fails here rather than being
    // cut short into another name.
    WCHAR wszLink[MAX_PATH] = L"";
    if (m_LinkPath.GetLength() >= MAX_PATH ||
        ::MultiByteToWideChar(CP_ACP, 0, m_LinkPath, -1, wszLink, MAX_PATH) == 0)
        return FALSE;

    IShellLinkA* pLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&pLink))))
        return FALSE;
    IPersistFile* pFile = nullptr;
    if (FAILED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
        pLink->Release();
        return FALSE;
    }
    pLink->SetPath(m_TargetPath);
    pLink->SetWorkingDirectory(m_WorkingDir);
    pLink->SetIconLocation(m_IconPath, m_IconIndex);
    pLink->SetDescription(m_Description);
    pLink->SetArguments(m_Arguments);
    pLink->SetHotkey(m_Hotkey);
    pLink->SetShowCmd(m_ShowCmd);
    BOOL bSaved = FALSE;
    if (SUCCEEDED(pFile->Save(wszLink, TRUE))) {
        m_bDirty = FALSE;
        bSaved = TRUE;
    }
    pFile->Release();
    pLink->Release();
    return bSaved;
}
