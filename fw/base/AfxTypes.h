// Basic types and constants shared by the portable framework pieces. The
// typedefs match <windows.h> exactly, so both headers can be included together.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned long DWORD;
typedef unsigned int UINT;
typedef long LONG;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Message box styles used by portable code, with the system's values.
enum AfxMessageBoxStyle : unsigned {
    AFX_MB_OK = 0x00000000u,
    AFX_MB_YESNO = 0x00000004u,
    AFX_MB_ICONHAND = 0x00000010u,
    AFX_MB_ICONQUESTION = 0x00000020u,
    AFX_MB_ICONEXCLAMATION = 0x00000030u,
    AFX_MB_ICONINFORMATION = 0x00000040u,
};

// Message box answers, with the system's values.
enum AfxMessageBoxAnswer : int {
    AFX_IDOK = 1,
    AFX_IDCANCEL = 2,
    AFX_IDYES = 6,
    AFX_IDNO = 7,
};
