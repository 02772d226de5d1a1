// Checks web addresses for dead pages and moved addresses.
//
// Each http or https address is asked with HEAD, and again with GET when HEAD
// is answered with an error status (many servers refuse HEAD). Redirects are
// followed by hand, at most ten; one more, or an address seen before on the
// way, is a failure. The outcome:
//   ok          the final answer is 2xx and the first redirect taken, if any,
//               was temporary (302, 303, 307): the address stays as it is;
//   redirected  permanent redirects (301, 308) lead on, and the chain ends in
//               2xx: location is where the permanent ones lead;
//   broken      the final answer is 4xx or 5xx (code);
//   failed      no usable answer (error says why);
//   skipped     any other scheme, or an empty address.
//
// Requests run on worker threads: at most nJobs at once, and at most
// nPerHost at once to one server (host and port). Cancel stops the work: the
// requests on the way end within a second and what was not done is failed
// with "cancelled".
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/CHttpClient.h"

enum class LinkStatus { Ok, Redirected, Broken, Failed, Skipped };

// "ok", "redirected", "broken", "failed", "skipped".
const char* LinkStatusName(LinkStatus status);

struct LinkToCheck {
    int nID = 0;
    std::string url;  // UTF-8
    int nIndex = -1;  // where the record stood in its table, for the caller
};

struct LinkResult {
    int nID = 0;
    std::string url;
    LinkStatus status = LinkStatus::Skipped;
    int nCode = 0;         // the status of the final answer, when one ended the chain
    std::string location;  // redirected: the new address
    std::string error;     // failed: why
};

struct LinkCheckOptions {
    int nJobs = 8;
    int nPerHost = 4;
    int nTimeoutMs = 15000;
    int nMaxRedirects = 10;
};

class CLinkChecker {
public:
    // Called from the worker threads, one call at a time: how many links are
    // done, and the address a worker starts asking (empty when one finished).
    using Progress = std::function<void(size_t nDone, size_t nTotal, const std::string& url)>;

    CLinkChecker(CHttpClient& client, const LinkCheckOptions& options);
    CLinkChecker(const CLinkChecker&) = delete;
    CLinkChecker& operator=(const CLinkChecker&) = delete;

    // Checks every link; the results stand in the order of the links.
    // Blocks until all are done or the check is cancelled.
    std::vector<LinkResult> Check(const std::vector<LinkToCheck>& links,
                                  const Progress& onProgress = Progress());
    // From any thread, at any moment, also before Check starts.
    void Cancel();
    bool IsCancelled() const { return m_bCancel; }

private:
    struct Host {
        std::deque<size_t> pending;
        int nActive = 0;
        bool bQueued = false;
    };

    void Work(const std::vector<LinkToCheck>& links, std::vector<LinkResult>& results);
    // The next link whose server has a free place, which it takes for the
    // link until Release; npos when none is left or the check was cancelled.
    size_t Take();
    LinkResult CheckOne(const LinkToCheck& link);
    // One request; heldKey is the server whose place the caller holds.
    HttpAnswer Ask(const char* pszMethod, const std::string& url, const std::string& heldKey);
    void Acquire(const std::string& key);
    void Release(const std::string& key);
    void Report(const std::string& url, bool bFinished);

    CHttpClient& m_client;
    LinkCheckOptions m_options;
    std::atomic<bool> m_bCancel{false};

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::unordered_map<std::string, Host> m_hosts;
    std::deque<std::string> m_ready;  // servers with pending links and maybe a free place
    size_t m_nPending = 0;

    std::mutex m_progressMutex;
    Progress m_onProgress;
    size_t m_nDone = 0;
    size_t m_nTotal = 0;
};
