// The median wall time of a step over several runs, in milliseconds, for the
// benchmarks that drive the window under Wine (Google Benchmark cannot run
// inside a message loop): prepare runs untimed before each timed run.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double MedianMilliseconds(const std::function<void()>& prepare,
                                 const std::function<void()>& run, int nRuns) {
    std::vector<double> ms;
    for (int i = 0; i < nRuns; ++i) {
        prepare();
        const auto t0 = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
