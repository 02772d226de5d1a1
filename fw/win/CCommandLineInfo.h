// What the command line asks for: a new document, or a file to open.
#pragma once

#include "fw/base/CString.h"

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing = -1 };
    virtual ~CCommandLineInfo() = default;
    // One argument; bFlag when it began with '/' or '-' (which is removed).
    virtual void ParseParam(const char* pszParam, bool bFlag, bool bLast);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
};
