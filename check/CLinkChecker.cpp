#include "check/CLinkChecker.h"

#include <algorithm>
#include <thread>
#include <unordered_set>

#include "check/UrlSyntax.h"

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

bool IsWebScheme(const std::string& scheme) {
    return scheme == "http" || scheme == "https";
}

std::string ErrorText(const HttpAnswer& answer) {
    switch (answer.failure) {
        case HttpFailure::Refused:
            return "connection refused";
        case HttpFailure::NameNotFound:
            return "name not found";
        case HttpFailure::Timeout:
            return "timeout";
        case HttpFailure::Tls:
            return "TLS failure";
        case HttpFailure::Cancelled:
            return "cancelled";
        case HttpFailure::BadAddress:
            return "bad address";
        default:
            return answer.detail.empty() ? "no answer" : answer.detail;
    }
}

}  // namespace

const char* LinkStatusName(LinkStatus status) {
    switch (status) {
        case LinkStatus::Ok:
            return "ok";
        case LinkStatus::Redirected:
            return "redirected";
        case LinkStatus::Broken:
            return "broken";
        case LinkStatus::Failed:
            return "failed";
        default:
            return "skipped";
    }
}

CLinkChecker::CLinkChecker(CHttpClient& client, const LinkCheckOptions& options)
    : m_client(client), m_options(options) {
    m_options.nJobs = std::max(1, m_options.nJobs);
    m_options.nPerHost = std::max(1, m_options.nPerHost);
    m_options.nMaxRedirects = std::max(0, m_options.nMaxRedirects);
}

void CLinkChecker::Cancel() {
    m_bCancel = true;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_changed.notify_all();
}

std::vector<LinkResult> CLinkChecker::Check(const std::vector<LinkToCheck>& links,
                                            const Progress& onProgress) {
    std::vector<LinkResult> results(links.size());
    std::vector<char> asked(links.size(), 0);
    m_onProgress = onProgress;
    m_nTotal = links.size();
    m_nDone = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hosts.clear();
        m_ready.clear();
        m_nPending = 0;
        for (size_t i = 0; i < links.size(); ++i) {
            results[i].nID = links[i].nID;
            results[i].url = links[i].url;
            if (links[i].url.empty() || !IsWebScheme(UrlScheme(links[i].url))) {
                results[i].status = LinkStatus::Skipped;
                ++m_nDone;
                continue;
            }
            asked[i] = 1;
            const std::string key = HostKey(links[i].url);
            Host& host = m_hosts[key];
            host.pending.push_back(i);
            if (!host.bQueued) {
                host.bQueued = true;
                m_ready.push_back(key);
            }
            ++m_nPending;
        }
    }
    const size_t nThreads = std::min(static_cast<size_t>(m_options.nJobs), m_nPending);
    std::vector<char> finished(links.size(), 0);
    std::vector<std::thread> threads;
    threads.reserve(nThreads);
    for (size_t t = 0; t < nThreads; ++t)
        threads.emplace_back([&] {
            for (size_t i = Take(); i != kNone; i = Take()) {
                Report(links[i].url, false);
                results[i] = CheckOne(links[i]);
                Release(HostKey(links[i].url));
                finished[i] = 1;
                Report(std::string(), true);
            }
        });
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < links.size(); ++i) {
        if (asked[i] && !finished[i]) {
            results[i].status = LinkStatus::Failed;
            results[i].error = "cancelled";
        }
    }
    m_onProgress = Progress();
    return results;
}

size_t CLinkChecker::Take() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_bCancel || m_nPending == 0) return kNone;
        while (!m_ready.empty()) {
            const std::string key = m_ready.front();
            m_ready.pop_front();
            Host& host = m_hosts[key];
            host.bQueued = false;
            // A full server is queued again when one of its places frees.
            if (host.pending.empty() || host.nActive >= m_options.nPerHost) continue;
            const size_t i = host.pending.front();
            host.pending.pop_front();
            --m_nPending;
            // The link's first request goes to this server: its place is
            // taken now, so that no other worker counts it free meanwhile.
            ++host.nActive;
            if (!host.pending.empty()) {
                host.bQueued = true;
                m_ready.push_back(key);
            }
            return i;
        }
        m_changed.wait(lock);
    }
}

void CLinkChecker::Acquire(const std::string& key) {
    std::unique_lock<std::mutex> lock(m_mutex);
    Host& host = m_hosts[key];
    m_changed.wait(lock, [&] { return m_bCancel || host.nActive < m_options.nPerHost; });
    ++host.nActive;
}

void CLinkChecker::Release(const std::string& key) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Host& host = m_hosts[key];
    --host.nActive;
    if (!host.pending.empty() && !host.bQueued) {
        host.bQueued = true;
        m_ready.push_back(key);
    }
    m_changed.notify_all();
}

void CLinkChecker::Report(const std::string& url, bool bFinished) {
    std::lock_guard<std::mutex> lock(m_progressMutex);
    if (bFinished) ++m_nDone;
    if (m_onProgress) m_onProgress(m_nDone, m_nTotal, url);
}

HttpAnswer CLinkChecker::Ask(const char* pszMethod, const std::string& url,
                             const std::string& heldKey) {
    HttpAnswer answer;
    if (m_bCancel) {
        answer.failure = HttpFailure::Cancelled;
        return answer;
    }
    const std::string key = HostKey(url);
    const bool bHeld = key == heldKey;
    if (!bHeld) Acquire(key);
    if (m_bCancel)
        answer.failure = HttpFailure::Cancelled;
    else
        answer = m_client.Request(pszMethod, RequestUrl(url), m_options.nTimeoutMs, m_bCancel);
    if (!bHeld) Release(key);
    return answer;
}

LinkResult CLinkChecker::CheckOne(const LinkToCheck& link) {
    LinkResult result;
    result.nID = link.nID;
    result.url = link.url;
    result.status = LinkStatus::Failed;
    const std::string heldKey = HostKey(link.url);
    std::string current = link.url;
    std::string permanentTarget;  // where the leading permanent redirects lead
    bool bPermanentRun = true;
    std::unordered_set<std::string> seen{NormaliseUrl(RequestUrl(current))};
    for (int nHops = 0;; ++nHops) {
        UrlParts parts;
        if (!ParseUrl(current, parts) || parts.host.empty()) {
            result.error = "bad address";
            return result;
        }
        HttpAnswer answer = Ask("HEAD", current, heldKey);
        if (answer.failure == HttpFailure::None && answer.nStatus >= 400)
            answer = Ask("GET", current, heldKey);
        if (answer.failure != HttpFailure::None) {
            result.error = ErrorText(answer);
            return result;
        }
        const int nStatus = answer.nStatus;
        result.nCode = nStatus;
        if (nStatus >= 200 && nStatus < 300) {
            if (permanentTarget.empty()) {
                result.status = LinkStatus::Ok;
            } else {
                result.status = LinkStatus::Redirected;
                result.location = permanentTarget;
            }
            return result;
        }
        if (nStatus >= 400 && nStatus < 600) {
            result.status = LinkStatus::Broken;
            return result;
        }
        result.nCode = 0;
        if (nStatus < 300 || nStatus >= 400 || nStatus == 304 || answer.location.empty()) {
            result.error = "unexpected answer " + std::to_string(nStatus);
            return result;
        }
        if (nHops >= m_options.nMaxRedirects) {
            result.error = "too many redirects";
            return result;
        }
        const std::string next = ResolveUrl(current, answer.location);
        if (!IsWebScheme(UrlScheme(next))) {
            result.error =
                "redirect to " + (UrlScheme(next).empty() ? "no address" : UrlScheme(next));
            return result;
        }
        if (!seen.insert(NormaliseUrl(RequestUrl(next))).second) {
            result.error = "redirect loop";
            return result;
        }
        const bool bPermanent = nStatus == 301 || nStatus == 308;
        if (bPermanentRun && bPermanent)
            permanentTarget = next;
        else
            bPermanentRun = false;
        current = next;
    }
}
