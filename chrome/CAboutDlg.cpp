#include "chrome/CAboutDlg.h"

#include <climits>

#include "res/resource.h"

const char CAboutDlg::kContactTarget[] = "mailto:ordelink@example.org";

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTHOR_LINK, m_link);
}

// 64-bit byte counts: machines have far more than 4 GB of memory and disks
// far more than 2 GB free. The strings take an unsigned long, which holds
// megabytes up to 4 PB.
unsigned long CAboutDlg::Megabytes(unsigned long long nBytes) {
    const unsigned long long nMB = nBytes >> 20;
    return nMB > ULONG_MAX ? ULONG_MAX : static_cast<unsigned long>(nMB);
}

CString CAboutDlg::DiskFreeText() {
    char szDir[MAX_PATH] = "";
    const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, szDir);
    ULARGE_INTEGER freeToCaller = {}, total = {}, totalFree = {};
    const char chDrive = static_cast<char>(szDir[0] & ~0x20);
    // Only a drive letter has a drive number; a network path has none.
    if (n >= 2 && n < MAX_PATH && szDir[1] == ':' && chDrive >= 'A' && chDrive <= 'Z') {
        const char szRoot[] = {chDrive, ':', '\\', '\0'};
        if (::GetDiskFreeSpaceExA(szRoot, &freeToCaller, &total, &totalFree)) {
            CString strText;
            strText.Format(AfxLoadString(IDS_DISK_FREE), Megabytes(totalFree.QuadPart), chDrive);
            return strText;
        }
    }
    return AfxLoadString(IDS_DISK_UNAVAILABLE);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    MEMORYSTATUSEX ms = {};
    ms.dwLength = sizeof(ms);
    ::GlobalMemoryStatusEx(&ms);
    const CString strFormat = AfxLoadString(IDS_MEMORY_MB);
    CString strText;
    strText.Format(strFormat, Megabytes(ms.ullTotalPhys));
    SetDlgItemText(IDC_PHYS_TOTAL, strText);
    strText.Format(strFormat, Megabytes(ms.ullAvailPhys));
    SetDlgItemText(IDC_PHYS_FREE, strText);
    SetDlgItemText(IDC_DISK_FREE, DiskFreeText());

    m_link.SetTarget(kContactTarget);
    m_link.SetLinkColors(m_link.m_colorLink, RGB(0, 0, 255));
    m_link.SetUnderlined(FALSE);
    m_link.SetLinkCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_LINK_HAND)));
    return TRUE;
}
