// CHttpClient over WinHTTP (the program). Each request runs synchronously on
// a thread of its own while the caller waits for its answer, its time or a
// cancel, whichever comes first: a blocked WinHTTP call cannot be relied on
// to end when its handle is closed (Wine's does not), so a request given up
// is left to end by itself, holding the session until it does.
#pragma once

#include <memory>

#include "check/CHttpClient.h"

class CWinHttpClient : public CHttpClient {
public:
    CWinHttpClient();
    HttpAnswer Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                       const std::atomic<bool>& bCancel) override;

private:
    struct Session;
    std::shared_ptr<Session> m_pSession;
};
