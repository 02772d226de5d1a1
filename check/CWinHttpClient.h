// CHttpClient over WinHTTP (the program): synchronous requests on the
// caller's thread, and one watcher thread that closes the handle of a request
// whose caller cancelled or whose time is up, which ends the blocked call.
#pragma once

#include <chrono>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>

#include "check/CHttpClient.h"

class CWinHttpClient : public CHttpClient {
public:
    CWinHttpClient();
    ~CWinHttpClient() override;
    HttpAnswer Request(const char* pszMethod, const std::string& url, int nTimeoutMs,
                       const std::atomic<bool>& bCancel) override;

private:
    struct Pending {
        void* hRequest;
        const std::atomic<bool>* pCancel;
        std::chrono::steady_clock::time_point deadline;
        HttpFailure closedFor = HttpFailure::None;
    };
    void Watch();

    void* m_hSession = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::list<Pending> m_pending;
    bool m_bStop = false;
    std::thread m_watcher;
};
