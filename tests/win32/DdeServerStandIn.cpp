// Stands in for a browser's DDE window-information service in the tests of
// GetURL. Arguments:
//   --service NAME   the service to register (IEXPLORE, NETSCAPE, ...)
//   --reply TEXT     the answer to the request for item "0xFFFFFFFF" in CF_TEXT
//   --reply-hex HEX  the same answer as hexadecimal bytes (exact code-page text)
//   --none           answer requests with no data
//   --once           quit after the first answer
//   --ready NAME     set the named event once the service is registered
// It runs until it has answered with --once, or until WM_QUIT reaches its
// thread.
#include <windows.h>

#include <ddeml.h>

#include <cstring>
#include <string>

namespace {

DWORD g_idInst = 0;
std::string g_reply;
bool g_bNone = false;
bool g_bOnce = false;

std::string FromHex(const char* psz) {
    std::string out;
    for (size_t i = 0; psz[i] && psz[i + 1]; i += 2) {
        char byte[3] = {psz[i], psz[i + 1], 0};
        out += static_cast<char>(std::strtoul(byte, nullptr, 16));
    }
    return out;
}

bool StringIs(HSZ hsz, const char* pszExpected) {
    char buf[256] = "";
    DdeQueryStringA(g_idInst, hsz, buf, sizeof(buf), CP_WINANSI);
    return lstrcmpiA(buf, pszExpected) == 0;
}

HDDEDATA CALLBACK Callback(UINT uType, UINT uFmt, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA, ULONG_PTR,
                           ULONG_PTR) {
    switch (uType) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(StringIs(hsz1, "WWW_GetWindowInfo")));
        case XTYP_REQUEST: {
            if (g_bNone || uFmt != CF_TEXT || !StringIs(hsz1, "WWW_GetWindowInfo") ||
                !StringIs(hsz2, "0xFFFFFFFF"))
                return nullptr;
            HDDEDATA hData = DdeCreateDataHandle(
                g_idInst, reinterpret_cast<BYTE*>(const_cast<char*>(g_reply.c_str())),
                static_cast<DWORD>(g_reply.size() + 1), 0, hsz2, CF_TEXT, 0);
            if (g_bOnce) PostQuitMessage(0);
            return hData;
        }
        default:
            return nullptr;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* pszService = "IEXPLORE";
    const char* pszReady = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--service" && i + 1 < argc)
            pszService = argv[++i];
        else if (arg == "--reply" && i + 1 < argc)
            g_reply = argv[++i];
        else if (arg == "--reply-hex" && i + 1 < argc)
            g_reply = FromHex(argv[++i]);
        else if (arg == "--none")
            g_bNone = true;
        else if (arg == "--once")
            g_bOnce = true;
        else if (arg == "--ready" && i + 1 < argc)
            pszReady = argv[++i];
    }
    if (DdeInitializeA(&g_idInst, Callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_EXECUTES |
                           CBF_SKIP_ALLNOTIFICATIONS,
                       0) != DMLERR_NO_ERROR)
        return 2;
    HSZ hszService = DdeCreateStringHandleA(g_idInst, pszService, CP_WINANSI);
    if (!DdeNameService(g_idInst, hszService, nullptr, DNS_REGISTER)) return 3;
    if (pszReady) {
        if (HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, pszReady)) {
            SetEvent(hReady);
            CloseHandle(hReady);
        }
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DdeNameService(g_idInst, hszService, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_idInst, hszService);
    DdeUninitialize(g_idInst);
    return 0;
}
