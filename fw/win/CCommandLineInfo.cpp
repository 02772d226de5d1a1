#include "fw/win/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, bool bFlag, bool) {
    // Flags of the system's shell conversation are not served; the first
    // plain argument is the document.
    if (bFlag || !m_strFileName.IsEmpty()) return;
    m_strFileName = pszParam;
    m_nShellCommand = FileOpen;
}
