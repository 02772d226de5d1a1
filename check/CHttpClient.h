// The one thing the link checker needs from an HTTP library: ask one address
// with one method and say what came back, without following redirects and
// without reading the body. The program uses the system's client (WinHTTP),
// the native build libcurl; the checker itself never sees either.
#pragma once

#include <atomic>
#include <memory>
#include <string>

// Why a request got no HTTP answer.
enum class HttpFailure { None, Refused, NameNotFound, Timeout, Tls, Cancelled, BadAddress, Other };

struct HttpAnswer {
    HttpFailure failure = HttpFailure::None;
    int nStatus = 0;       // the status code when failure is None
    std::string location;  // the Location header as sent, when there was one
    std::string detail;    // the library's words for an Other failure
};

class CHttpClient {
public:
    virtual ~CHttpClient() = default;
    // Sends "HEAD" or "GET" for url (absolute, already in request form) and
    // waits for the status line and headers, at most nTimeoutMs in all. Safe
    // to call from several threads at once. Returns Cancelled soon (well
    // within a second) after bCancel becomes true.
    virtual HttpAnswer Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                               const std::atomic<bool>& bCancel) = 0;
};

// The platform's client: WinHTTP on Windows, libcurl elsewhere. Proxies are
// taken as the system sets them (the user's settings on Windows, the
// http_proxy family of variables elsewhere).
std::unique_ptr<CHttpClient> MakeSystemHttpClient();
