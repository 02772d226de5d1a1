// The About box (dialog 100): version, the machine's physical memory, the
// free space of the current drive, and a link to the project's address.
#pragma once

#include "chrome/CLinkStatic.h"
#include "fw/win/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    BOOL OnInitDialog() override;

    // What the link opens.
    static const char kContactTarget[];
    // Whole megabytes of a byte count, as the figures show them.
    static unsigned long Megabytes(unsigned long long nBytes);
    // The text of the free-space figure: the current drive's letter and its
    // free megabytes, or "Unavailable".
    static CString DiskFreeText();

    CLinkStatic m_link;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
