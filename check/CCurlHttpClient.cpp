#include "check/CCurlHttpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <mutex>

namespace {

const char kUserAgent[] = "Ordelink-LinkCheck/1.0";

struct Exchange {
    std::string location;
};

// Header lines of every answer on the way (a 100 Continue first, say); the
// last answer's Location counts.
size_t OnHeader(char* pData, size_t nSize, size_t nCount, void* pUser) {
    auto* pExchange = static_cast<Exchange*>(pUser);
    const size_t n = nSize * nCount;
    std::string line(pData, n);
    if (line.compare(0, 5, "HTTP/") == 0) pExchange->location.clear();
    const size_t colon = line.find(':');
    std::string name = line.substr(0, colon == std::string::npos ? 0 : colon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "location") {
        size_t b = colon + 1;
        size_t e = line.size();
        while (b < e && (line[b] == ' ' || line[b] == '\t')) ++b;
        while (e > b && (line[e - 1] == '\r' || line[e - 1] == '\n' || line[e - 1] == ' ')) --e;
        pExchange->location = line.substr(b, e - b);
    }
    return n;
}

// The body is not wanted: refusing it ends the transfer once the headers are in.
size_t OnBody(char*, size_t, size_t, void*) {
    return 0;
}

HttpFailure FailureOf(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_CONNECT:
            return HttpFailure::Refused;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return HttpFailure::NameNotFound;
        case CURLE_OPERATION_TIMEDOUT:
            return HttpFailure::Timeout;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
            return HttpFailure::Tls;
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL:
            return HttpFailure::BadAddress;
        default:
            return HttpFailure::Other;
    }
}

}  // namespace

CCurlHttpClient::CCurlHttpClient() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpAnswer CCurlHttpClient::Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                                    const std::atomic<bool>& bCancel) {
    HttpAnswer answer;
    Exchange exchange;
    CURL* pEasy = curl_easy_init();
    CURLM* pMulti = curl_multi_init();
    if (!pEasy || !pMulti) {
        if (pEasy) curl_easy_cleanup(pEasy);
        if (pMulti) curl_multi_cleanup(pMulti);
        answer.failure = HttpFailure::Other;
        answer.detail = "out of memory";
        return answer;
    }
    curl_easy_setopt(pEasy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(pEasy, CURLOPT_PROTOCOLS_STR, "http,https");
    if (std::string(pszMethod) == "HEAD")
        curl_easy_setopt(pEasy, CURLOPT_NOBODY, 1L);
    else
        curl_easy_setopt(pEasy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(pEasy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(pEasy, CURLOPT_TIMEOUT_MS, static_cast<long>(nTimeoutMs));
    curl_easy_setopt(pEasy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(nTimeoutMs));
    curl_easy_setopt(pEasy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(pEasy, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(pEasy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(pEasy, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(pEasy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_multi_add_handle(pMulti, pEasy);

    CURLcode result = CURLE_OK;
    bool bDone = false;
    while (!bDone) {
        if (bCancel) {
            answer.failure = HttpFailure::Cancelled;
            break;
        }
        int nRunning = 0;
        if (curl_multi_perform(pMulti, &nRunning) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int nQueued = 0;
        while (CURLMsg* pMsg = curl_multi_info_read(pMulti, &nQueued)) {
            if (pMsg->msg == CURLMSG_DONE) {
                result = pMsg->data.result;
                bDone = true;
            }
        }
        if (!bDone && nRunning == 0) bDone = true;
        // Short slices: a cancel is noticed within a tenth of a second.
        if (!bDone) curl_multi_poll(pMulti, nullptr, 0, 100, nullptr);
    }
    if (answer.failure != HttpFailure::Cancelled) {
        long nCode = 0;
        curl_easy_getinfo(pEasy, CURLINFO_RESPONSE_CODE, &nCode);
        // A refused body still leaves a complete status line and headers.
        if (nCode > 0 && (result == CURLE_OK || result == CURLE_WRITE_ERROR)) {
            answer.nStatus = static_cast<int>(nCode);
            answer.location = exchange.location;
        } else {
            answer.failure = result == CURLE_OK ? HttpFailure::Other : FailureOf(result);
            answer.detail = curl_easy_strerror(result == CURLE_OK ? CURLE_GOT_NOTHING : result);
        }
    }
    curl_multi_remove_handle(pMulti, pEasy);
    curl_easy_cleanup(pEasy);
    curl_multi_cleanup(pMulti);
    return answer;
}

std::unique_ptr<CHttpClient> MakeSystemHttpClient() {
    return std::make_unique<CCurlHttpClient>();
}
