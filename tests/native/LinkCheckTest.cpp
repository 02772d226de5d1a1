#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "check/CLinkChecker.h"
#include "check/LinkSelection.h"
#include "check/UrlSyntax.h"
#include "cli/Cli.h"
#include "tests/native/LoopbackHttpServer.h"
#include "tests/native/TestSupport.h"

namespace {

LinkCheckOptions Options(int nJobs = 8, int nTimeoutMs = 15000) {
    LinkCheckOptions options;
    options.nJobs = nJobs;
    options.nTimeoutMs = nTimeoutMs;
    return options;
}

std::vector<LinkResult> CheckUrls(const std::vector<std::string>& urls,
                                  const LinkCheckOptions& options = Options()) {
    std::unique_ptr<CHttpClient> pClient = MakeSystemHttpClient();
    CLinkChecker checker(*pClient, options);
    std::vector<LinkToCheck> links;
    for (size_t i = 0; i < urls.size(); ++i) links.push_back({static_cast<int>(i + 1), urls[i]});
    return checker.Check(links);
}

}  // namespace

TEST(UrlSyntax, SameAddressAfterNormalising) {
    struct {
        const char* a;
        const char* b;
        bool bSame;
    } cases[] = {
        {"HTTP://Example.COM/a", "http://example.com/a", true},
        {"http://example.com:80/a", "http://example.com/a", true},
        {"https://example.com:443/", "https://example.com/", true},
        {"http://example.com", "http://example.com/", true},
        {"http://example.com/a%2fb", "http://example.com/a%2Fb", true},
        {"http://example.com:", "http://example.com/", true},
        {"http://example.com/A", "http://example.com/a", false},  // the path keeps its case
        {"http://example.com/a/", "http://example.com/a", false},
        {"http://example.com/a?x=1", "http://example.com/a", false},
        {"http://example.com/a#top", "http://example.com/a", false},
        {"http://example.com:8080/", "http://example.com/", false},
        {"https://example.com:80/", "https://example.com/", false},
        {"http://example.com/", "https://example.com/", false},
        {"http://User@example.com/", "http://user@example.com/", false},
        {"http://example.com/%7e", "http://example.com/~", false},  // no decoding
        {"MAILTO:Someone@Example.com", "mailto:Someone@Example.com", true},
        {"javascript:alert(1)", "javascript:alert(1)", true},
    };
    for (auto& c : cases)
        EXPECT_EQ(NormaliseUrl(c.a) == NormaliseUrl(c.b), c.bSame) << c.a << " vs " << c.b;
    // Only syntax changes: what the user typed stays otherwise byte for byte.
    EXPECT_EQ(NormaliseUrl("HTTP://Ex.com:80?q=A%2f#F"), "http://ex.com/?q=A%2F#F");
    EXPECT_EQ(NormaliseUrl("not a url %aa"), "not a url %AA");
}

TEST(UrlSyntax, RedirectTargetsResolveAgainstTheAddressAsked) {
    struct {
        const char* base;
        const char* ref;
        const char* want;
    } cases[] = {
        {"http://a/b/c/d?q", "/x", "http://a/x"},
        {"http://a/b/c/d?q", "x", "http://a/b/c/x"},
        {"http://a/b/c/d?q", "../x", "http://a/b/x"},
        {"http://a/b/c/d?q", "?y", "http://a/b/c/d?y"},
        {"http://a/b/c/d?q", "//other:81/z", "http://other:81/z"},
        {"http://a/b/c/d?q", "https://s/t", "https://s/t"},
        {"http://a", "x", "http://a/x"},
        {"http://a/b", "../../../x", "http://a/x"},
    };
    for (auto& c : cases) EXPECT_EQ(ResolveUrl(c.base, c.ref), c.want) << c.base << " + " << c.ref;
    EXPECT_EQ(RequestUrl("http://a/b c/\xE6\x97\xA5?q=\"#frag"), "http://a/b%20c/%E6%97%A5?q=%22");
    EXPECT_EQ(HostKey("HTTP://Host.Example/x"), "host.example:80");
    EXPECT_EQ(HostKey("https://h:8443/"), "h:8443");
}

TEST(LinkChecker, ClassifiesEveryKindOfAnswer) {
    LoopbackHttpServer server(2);
    const int nRefused = LoopbackHttpServer::RefusedPort();
    struct {
        std::string url;
        LinkStatus status;
        int nCode;
        std::string location;
        std::string error;
    } cases[] = {
        {server.Url("/ok"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/status/204"), LinkStatus::Ok, 204, "", ""},
        {server.Url("/status/404"), LinkStatus::Broken, 404, "", ""},
        {server.Url("/status/503"), LinkStatus::Broken, 503, "", ""},
        {server.Url("/head-refused"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/redirect/302/ok"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/redirect/303/ok"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/redirect/307/ok"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/redirect/301/ok"), LinkStatus::Redirected, 200, server.Url("/ok"), ""},
        {server.Url("/redirect/308/ok"), LinkStatus::Redirected, 200, server.Url("/ok"), ""},
        // The permanent part of a chain is where the address moved to.
        {server.Url("/redirect/301/redirect/302/ok"), LinkStatus::Redirected, 200,
         server.Url("/redirect/302/ok"), ""},
        {server.Url("/redirect/302/redirect/301/ok"), LinkStatus::Ok, 200, "", ""},
        {server.Url("/redirect/301/status/410"), LinkStatus::Broken, 410, "", ""},
        {server.Url("/to-port/1/ok"), LinkStatus::Redirected, 200, server.Url("/ok", 1), ""},
        {server.Url("/chain/10"), LinkStatus::Redirected, 200, server.Url("/chain/0"), ""},
        {server.Url("/chain/11"), LinkStatus::Failed, 0, "", "too many redirects"},
        {server.Url("/loop/a"), LinkStatus::Failed, 0, "", "redirect loop"},
        {server.Url("/status/301"), LinkStatus::Failed, 0, "", "unexpected answer 301"},
        {"http://127.0.0.1:" + std::to_string(nRefused) + "/", LinkStatus::Failed, 0, "",
         "connection refused"},
        {"http://", LinkStatus::Failed, 0, "", "bad address"},
        {"javascript:void(0)", LinkStatus::Skipped, 0, "", ""},
        {"ftp://127.0.0.1/", LinkStatus::Skipped, 0, "", ""},
        {"file:///C:/x.txt", LinkStatus::Skipped, 0, "", ""},
        {"place:folder=TOOLBAR", LinkStatus::Skipped, 0, "", ""},
        {"mailto:a@example.com", LinkStatus::Skipped, 0, "", ""},
        {"", LinkStatus::Skipped, 0, "", ""},
    };
    std::vector<std::string> urls;
    for (auto& c : cases) urls.push_back(c.url);
    const std::vector<LinkResult> results = CheckUrls(urls);
    ASSERT_EQ(results.size(), urls.size());
    for (size_t i = 0; i < results.size(); ++i) {
        SCOPED_TRACE(urls[i]);
        EXPECT_EQ(results[i].nID, static_cast<int>(i + 1));
        EXPECT_STREQ(LinkStatusName(results[i].status), LinkStatusName(cases[i].status));
        EXPECT_EQ(results[i].nCode, cases[i].nCode);
        EXPECT_EQ(results[i].location, cases[i].location);
        EXPECT_EQ(results[i].error, cases[i].error);
    }
    // HEAD first, GET only where HEAD met an error status; nothing for the
    // other schemes.
    const std::vector<std::string> log = server.Log();
    auto count = [&log](const std::string& line) {
        return std::count(log.begin(), log.end(), line);
    };
    EXPECT_EQ(count("HEAD /head-refused"), 1);
    EXPECT_EQ(count("GET /head-refused"), 1);
    EXPECT_EQ(count("GET /ok"), 0);
    EXPECT_EQ(count("HEAD /status/404"), 1);
    EXPECT_EQ(count("GET /status/404"), 1);
    for (const std::string& line : log) EXPECT_EQ(line.find("ftp"), std::string::npos) << line;
}

TEST(LinkChecker, ServerThatNeverAnswersTimesOut) {
    LoopbackHttpServer server;
    const std::vector<LinkResult> results = CheckUrls({server.Url("/hang")}, Options(8, 300));
    EXPECT_EQ(results[0].status, LinkStatus::Failed);
    EXPECT_EQ(results[0].error, "timeout");
}

// The gate answers only when as many requests wait at once as it was told:
// a check that asks fewer at once would never end.
TEST(LinkChecker, AsksAtMostFourAtOnceOfOneServerAndJobsInAll) {
    struct {
        int nPorts, nJobs, nGate, nLinks, nMax;
    } cases[] = {
        {1, 8, 4, 24, 4},   // one server: four at once, not eight
        {3, 2, 2, 24, 2},   // three servers: the jobs limit
        {2, 8, 8, 504, 8},  // some 500 links, eight at a time
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.nLinks);
        LoopbackHttpServer server(c.nPorts);
        server.SetGate(c.nGate);
        std::vector<std::string> urls;
        for (int i = 0; i < c.nLinks; ++i) urls.push_back(server.Url("/gate", i % c.nPorts));
        const std::vector<LinkResult> results = CheckUrls(urls, Options(c.nJobs));
        for (const LinkResult& r : results) EXPECT_EQ(r.status, LinkStatus::Ok) << r.error;
        EXPECT_EQ(server.MaxInFlight(), c.nMax);
        for (int p = 0; p < c.nPorts; ++p) EXPECT_LE(server.MaxInFlightOnPort(p), 4);
    }
}

// With an hour's timeout, only the cancel can end the check.
TEST(LinkChecker, CancelEndsRequestsOnTheWay) {
    LoopbackHttpServer server;
    std::unique_ptr<CHttpClient> pClient = MakeSystemHttpClient();
    CLinkChecker checker(*pClient, Options(8, 3600 * 1000));
    std::vector<LinkToCheck> links;
    for (int i = 0; i < 12; ++i) links.push_back({i + 1, server.Url("/hang")});
    links.push_back({13, "mailto:x@example.com"});
    std::vector<LinkResult> results;
    std::thread worker([&] { results = checker.Check(links); });
    server.WaitForInFlight(4);
    checker.Cancel();
    worker.join();
    ASSERT_EQ(results.size(), 13u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(results[i].status, LinkStatus::Failed);
        EXPECT_EQ(results[i].error, "cancelled");
    }
    EXPECT_EQ(results[12].status, LinkStatus::Skipped);
    EXPECT_EQ(server.MaxInFlight(), 4);
}

TEST(LinkSelection, FolderAndDuplicateGroups) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "f", 0);
    AddRecord(doc, 2, 1, "a", 1, "http://Example.com");
    AddRecord(doc, 3, 0, "b", 1, "http://example.com:80/");
    AddRecord(doc, 4, 1, "g", 0);
    AddRecord(doc, 5, 4, "c", 1, "http://example.com/x");
    AddRecord(doc, 6, 0, "d", 1, "");
    AddRecord(doc, 7, 0, "e", 1, "");
    AddRecord(doc, 8, 4, "h", 1, "HTTP://EXAMPLE.COM/x");
    auto same = [](const CString& s) { return s.str(); };
    auto ids = [](const std::vector<LinkToCheck>& links) {
        std::vector<int> out;
        for (auto& l : links) out.push_back(l.nID);
        return out;
    };
    EXPECT_EQ(ids(CollectLinks(doc.m_PtrAry, 0, same)), (std::vector<int>{2, 3, 5, 6, 7, 8}));
    EXPECT_EQ(ids(CollectLinks(doc.m_PtrAry, 1, same)), (std::vector<int>{2, 5, 8}));
    EXPECT_EQ(ids(CollectLinks(doc.m_PtrAry, 5, same)), (std::vector<int>{5}));
    EXPECT_EQ(FindDuplicateGroups(CollectLinks(doc.m_PtrAry, 0, same)),
              (std::vector<std::vector<int>>{{2, 3}, {5, 8}}));
}

TEST(LinkCheckCli, JsonFormAndExitCodes) {
    LoopbackHttpServer server;
    ScratchDir dir;
    auto write = [&](const std::string& name, const std::vector<std::string>& urls) {
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, "folder", 0);
        for (size_t i = 0; i < urls.size(); ++i)
            AddRecord(doc, static_cast<int>(i + 2), 1, ("t" + std::to_string(i)).c_str(), 1,
                      urls[i].c_str());
        AddRecord(doc, 99, 0, "outside", 1, "http://127.0.0.1:1/never-asked");
        EXPECT_TRUE(doc.OnSaveDocument(dir.File(name).c_str()));
        return dir.File(name);
    };
    const std::string good = write(
        "good.pmk", {server.Url("/ok"), server.Url("/redirect/301/ok"), "mailto:x@example.com"});
    const std::string bad = write("bad.pmk", {server.Url("/status/404"), server.Url("/ok")});
    struct {
        std::vector<std::string> args;
        int nExit;
        std::string json;
    } cases[] = {
        {{"check-links", good, "--folder", "1", "--json"},
         0,
         "{\"checked\": 3, \"results\": [{\"id\": 2, \"url\": \"" + server.Url("/ok") +
             "\", \"status\": \"ok\", \"code\": 200}, {\"id\": 3, \"url\": \"" +
             server.Url("/redirect/301/ok") +
             "\", \"status\": \"redirected\", \"code\": 200, \"location\": \"" + server.Url("/ok") +
             "\"}, {\"id\": 4, \"url\": \"mailto:x@example.com\", \"status\": \"skipped\"}]}\n"},
        {{"check-links", bad, "--folder", "1", "--jobs", "1", "--timeout", "5", "--json"},
         1,
         "{\"checked\": 2, \"results\": [{\"id\": 2, \"url\": \"" + server.Url("/status/404") +
             "\", \"status\": \"broken\", \"code\": 404}, {\"id\": 3, \"url\": \"" +
             server.Url("/ok") + "\", \"status\": \"ok\", \"code\": 200}]}\n"},
        {{"check-links", good, "--folder", "77"}, 2, ""},
        {{"check-links", dir.File("missing.pmk")}, 2, ""},
        {{"check-links", good, "--jobs", "0"}, 64, ""},
        {{"duplicates", good, "--json"}, 0, "{\"groups\": []}\n"},
    };
    for (auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(c.args, out, err), c.nExit) << c.args[0] << " " << err.str();
        if (!c.json.empty()) {
            EXPECT_EQ(out.str(), c.json);
        }
    }
    // The document is only read.
    const std::string before = ReadBytes(good);
    std::ostringstream out, err;
    RunCli({"check-links", good, "--folder", "1"}, out, err);
    EXPECT_EQ(ReadBytes(good), before);
    EXPECT_EQ(out.str().substr(0, 10), "ok\t200\tt0\t");
}
