// The client side of the browsers' DDE window-information service: one
// DDEML instance and one conversation with "IEXPLORE" or "NETSCAPE" on the
// topic "WWW_GetWindowInfo", kept from the first connection on.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include "fw/base/CString.h"

class CBrowserDde {
public:
    CBrowserDde() = default;
    ~CBrowserDde();
    CBrowserDde(const CBrowserDde&) = delete;
    CBrowserDde& operator=(const CBrowserDde&) = delete;

    // The service that answers for the browser flag's browser.
    static const char* ServiceFor(BOOL bBrowserIsIE);

    // Sets up the instance and the conversation with pszService; TRUE when
    // connected. A failure leaves nothing behind.
    BOOL Connect(const char* pszService);
    // The reply to the request for the last active window, as text; empty
    // when the browser gave no data or did not answer within m_dwTimeout.
    CString RequestWindowInfo();
    // Ends the conversation and the instance.
    void Disconnect();

    BOOL IsConnected() const { return m_bDdeConnected; }
    const CString& Service() const { return m_strService; }

    DWORD m_idDdeInst = 0;
    HCONV m_hDdeConv = nullptr;
    HSZ m_hszService = nullptr;
    HSZ m_hszTopic = nullptr;
    BOOL m_bDdeConnected = FALSE;
    // How long a request waits for the browser, in milliseconds.
    DWORD m_dwTimeout = 10000;

private:
    CString m_strService;
};

// The DDEML callback of the client: reports DDE errors and handles nothing.
HDDEDATA CALLBACK BrowserDdeCallback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                     HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2);
