// The link check of 1,000 addresses against the loopback test server, the
// pages taking 1 to 100 ms each (the slowest a tenth of a second), with the
// default limits: eight requests at once, four to one server.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "check/CLinkChecker.h"
#include "tests/native/LoopbackHttpServer.h"

namespace {

void CheckThousand(benchmark::State& state) {
    const int nServers = static_cast<int>(state.range(0));
    LoopbackHttpServer server(nServers);
    std::vector<LinkToCheck> links;
    for (int i = 0; i < 1000; ++i)
        links.push_back({i + 1, server.Url("/slow/" + std::to_string(1 + i % 100), i % nServers)});
    std::unique_ptr<CHttpClient> pClient = MakeSystemHttpClient();
    for (auto _ : state) {
        CLinkChecker checker(*pClient, LinkCheckOptions());
        const std::vector<LinkResult> results = checker.Check(links);
        benchmark::DoNotOptimize(results.data());
        for (const LinkResult& r : results)
            if (r.status != LinkStatus::Ok) state.SkipWithError("a link was not ok");
    }
}
BENCHMARK(CheckThousand)
    ->Arg(1)
    ->Arg(10)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
