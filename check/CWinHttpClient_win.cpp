#include "check/CWinHttpClient.h"

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

namespace {

const wchar_t kUserAgent[] = L"Ordelink-LinkCheck/1.0";

std::wstring Widen(const std::string& s) {
    if (s.empty()) return std::wstring();
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

// Header values arrive as one character per byte sent; the bytes come back
// as they were.
std::string HeaderBytes(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += static_cast<char>(c & 0xFF);
    return s;
}

HttpFailure FailureOf(DWORD dwError) {
    switch (dwError) {
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return HttpFailure::Refused;
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            return HttpFailure::NameNotFound;
        case ERROR_WINHTTP_TIMEOUT:
            return HttpFailure::Timeout;
        case ERROR_WINHTTP_SECURE_FAILURE:
        case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
        case ERROR_WINHTTP_SECURE_INVALID_CA:
        case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
        case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        case ERROR_WINHTTP_SECURE_INVALID_CERT:
        case ERROR_WINHTTP_SECURE_CERT_REVOKED:
            return HttpFailure::Tls;
        case ERROR_WINHTTP_OPERATION_CANCELLED:
            return HttpFailure::Cancelled;
        case ERROR_WINHTTP_INVALID_URL:
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
            return HttpFailure::BadAddress;
        default:
            return HttpFailure::Other;
    }
}

// The session: the system's proxy settings where the system resolves them
// itself (Windows 8.1 and later), else the user's fixed proxy or WinHTTP's own.
HINTERNET OpenSession() {
    HINTERNET h = ::WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (h) return h;
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie = {};
    if (::WinHttpGetIEProxyConfigForCurrentUser(&ie) && ie.lpszProxy)
        h = ::WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy,
                          ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    for (LPWSTR p : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass})
        if (p) ::GlobalFree(p);
    if (!h)
        h = ::WinHttpOpen(kUserAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, 0);
    return h;
}

// The one blocking exchange: connect, send, read the status line and headers.
HttpAnswer Exchange(HINTERNET hSession, const std::string& method, const std::string& url,
                    int nTimeoutMs) {
    HttpAnswer answer;
    const std::wstring wurl = Widen(url);
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(wurl.c_str(), static_cast<DWORD>(wurl.size()), 0, &parts) ||
        parts.dwHostNameLength == 0) {
        answer.failure = HttpFailure::BadAddress;
        return answer;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    HINTERNET hConnect = ::WinHttpConnect(hSession, host.c_str(), parts.nPort, 0);
    if (!hConnect) {
        answer.failure = FailureOf(::GetLastError());
        return answer;
    }
    const std::wstring wmethod = Widen(method);
    HINTERNET hRequest =
        ::WinHttpOpenRequest(hConnect, wmethod.c_str(), path.c_str(), nullptr, WINHTTP_NO_REFERER,
                             WINHTTP_DEFAULT_ACCEPT_TYPES,
                             (parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0) |
                                 WINHTTP_FLAG_ESCAPE_DISABLE);
    if (!hRequest) {
        answer.failure = FailureOf(::GetLastError());
        ::WinHttpCloseHandle(hConnect);
        return answer;
    }
    ::WinHttpSetTimeouts(hRequest, nTimeoutMs, nTimeoutMs, nTimeoutMs, nTimeoutMs);
    DWORD dwDisable = WINHTTP_DISABLE_REDIRECTS;
    ::WinHttpSetOption(hRequest, WINHTTP_OPTION_DISABLE_FEATURE, &dwDisable, sizeof(dwDisable));
    if (!::WinHttpSendRequest(hRequest, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                              0, 0, 0) ||
        !::WinHttpReceiveResponse(hRequest, nullptr)) {
        const DWORD dwError = ::GetLastError();
        answer.failure = FailureOf(dwError);
        if (answer.failure == HttpFailure::Other)
            answer.detail = "WinHTTP error " + std::to_string(dwError);
    } else {
        DWORD dwStatus = 0;
        DWORD dwSize = sizeof(dwStatus);
        ::WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                              WINHTTP_HEADER_NAME_BY_INDEX, &dwStatus, &dwSize,
                              WINHTTP_NO_HEADER_INDEX);
        answer.nStatus = static_cast<int>(dwStatus);
        DWORD dwLength = 0;
        ::WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX,
                              nullptr, &dwLength, WINHTTP_NO_HEADER_INDEX);
        if (dwLength > 0) {
            std::wstring location(dwLength / sizeof(wchar_t) + 1, L'\0');
            if (::WinHttpQueryHeaders(hRequest, WINHTTP_QUERY_LOCATION,
                                      WINHTTP_HEADER_NAME_BY_INDEX, &location[0], &dwLength,
                                      WINHTTP_NO_HEADER_INDEX)) {
                location.resize(dwLength / sizeof(wchar_t));
                answer.location = HeaderBytes(location);
            }
        }
        if (answer.nStatus == 0) {
            answer.failure = HttpFailure::Other;
            answer.detail = "no status";
        }
    }
    ::WinHttpCloseHandle(hRequest);
    ::WinHttpCloseHandle(hConnect);
    return answer;
}

// What a request's thread hands back, shared with it.
struct Job {
    std::mutex mutex;
    std::condition_variable done;
    bool bDone = false;
    HttpAnswer answer;
};

}  // namespace

struct CWinHttpClient::Session {
    HINTERNET h = OpenSession();
    ~Session() {
        if (h) ::WinHttpCloseHandle(h);
    }
};

CWinHttpClient::CWinHttpClient() : m_pSession(std::make_shared<Session>()) {}

HttpAnswer CWinHttpClient::Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                                   const std::atomic<bool>& bCancel) {
    HttpAnswer answer;
    if (!m_pSession->h) {
        answer.failure = HttpFailure::Other;
        answer.detail = "WinHTTP is not available";
        return answer;
    }
    auto pJob = std::make_shared<Job>();
    std::shared_ptr<Session> pSession = m_pSession;
    const std::string method = pszMethod;
    std::thread([pJob, pSession, method, url, nTimeoutMs] {
        HttpAnswer result = Exchange(pSession->h, method, url, nTimeoutMs);
        std::lock_guard<std::mutex> lock(pJob->mutex);
        pJob->answer = std::move(result);
        pJob->bDone = true;
        pJob->done.notify_all();
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    std::unique_lock<std::mutex> lock(pJob->mutex);
    // Short slices: a cancel is noticed within a twentieth of a second.
    while (!pJob->bDone) {
        if (bCancel) {
            answer.failure = HttpFailure::Cancelled;
            return answer;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            answer.failure = HttpFailure::Timeout;
            return answer;
        }
        pJob->done.wait_for(lock, std::chrono::milliseconds(50));
    }
    return pJob->answer;
}

std::unique_ptr<CHttpClient> MakeSystemHttpClient() {
    return std::make_unique<CWinHttpClient>();
}
