// CHttpClient over libcurl (the native build): one easy handle per request,
// driven through a multi handle polled in short slices so that a cancel is
// seen at once.
#pragma once

#include "check/CHttpClient.h"

class CCurlHttpClient : public CHttpClient {
public:
    CCurlHttpClient();
    HttpAnswer Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                       const std::atomic<bool>& bCancel) override;
};
