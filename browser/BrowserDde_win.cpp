#include "browser/BrowserDde_win.h"

#include <vector>

#include "fw/base/AfxHooks.h"
#include "fw/base/LegacyText.h"

namespace {
const char kTopic[] = "WWW_GetWindowInfo";
// The browser's last active window.
const char kItem[] = "0xFFFFFFFF";
}  // namespace

HDDEDATA CALLBACK BrowserDdeCallback(UINT uType, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                     ULONG_PTR) {
    if (uType == XTYP_ERROR) AfxMessageBox("A critical DDE error has occurred.");
    return nullptr;
}

CBrowserDde::~CBrowserDde() {
    Disconnect();
}

const char* CBrowserDde::ServiceFor(BOOL bBrowserIsIE) {
    return bBrowserIsIE ? "IEXPLORE" : "NETSCAPE";
}

BOOL CBrowserDde::Connect(const char* pszService) {
    Disconnect();
    if (::DdeInitializeA(&m_idDdeInst, BrowserDdeCallback, APPCMD_CLIENTONLY, 0) !=
        DMLERR_NO_ERROR) {
        m_idDdeInst = 0;
        AfxMessageBox("Error initializing DDE system!");
        return FALSE;
    }
    m_hszService = ::DdeCreateStringHandleA(m_idDdeInst, pszService, CP_WINANSI);
    m_hszTopic = ::DdeCreateStringHandleA(m_idDdeInst, kTopic, CP_WINANSI);
    if (!m_hszService || !m_hszTopic) {
        AfxMessageBox("Unable to create string handles!");
        Disconnect();
        return FALSE;
    }
    m_hDdeConv = ::DdeConnect(m_idDdeInst, m_hszService, m_hszTopic, nullptr);
    if (!m_hDdeConv) {
        // No browser answered; the caller tells the user.
        Disconnect();
        return FALSE;
    }
    m_bDdeConnected = TRUE;
    m_strService = pszService;
    return TRUE;
}

CString CBrowserDde::RequestWindowInfo() {
    if (!m_hDdeConv) return CString();
    HSZ hszItem = ::DdeCreateStringHandleA(m_idDdeInst, kItem, CP_WINANSI);
    if (!hszItem) return CString();
    HDDEDATA hData = ::DdeClientTransaction(nullptr, 0, m_hDdeConv, hszItem, CF_TEXT, XTYP_REQUEST,
                                            m_dwTimeout, nullptr);
    ::DdeFreeStringHandle(m_idDdeInst, hszItem);
    if (!hData) return CString();
    CString strReply;
    DWORD cb = 0;
    if (const BYTE* p = ::DdeAccessData(hData, &cb)) {
        // The text ends at its NUL, or at the end of the data when a server
        // sends none. CF_TEXT from another program is in the legacy code
        // page: converted before anything cuts it, so that no trail byte is
        // taken for a quote or a slash.
        const char* psz = reinterpret_cast<const char*>(p);
        strReply = CString(legacy::FromLegacy(psz, strnlen(psz, cb)));
        ::DdeUnaccessData(hData);
    }
    ::DdeFreeDataHandle(hData);
    return strReply;
}

void CBrowserDde::Disconnect() {
    if (m_hDdeConv) ::DdeDisconnect(m_hDdeConv);
    m_hDdeConv = nullptr;
    if (m_idDdeInst != 0) {
        if (m_hszService) ::DdeFreeStringHandle(m_idDdeInst, m_hszService);
        if (m_hszTopic) ::DdeFreeStringHandle(m_idDdeInst, m_hszTopic);
        ::DdeUninitialize(m_idDdeInst);
    }
    m_hszService = nullptr;
    m_hszTopic = nullptr;
    m_idDdeInst = 0;
    m_bDdeConnected = FALSE;
    m_strService.Empty();
}
