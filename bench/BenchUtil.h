#pragma once
// Shared by the bench programs: medians of repeated runs, and the BENCH line.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// Runs f `runs` times and returns the median of its wall-clock times in the given unit scale
// (1e6 for microseconds, 1e3 for milliseconds).
inline double medianSeconds(int runs, const std::function<void()>& f, double scale) {
    std::vector<double> t;
    t.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        auto a = std::chrono::steady_clock::now();
        f();
        auto b = std::chrono::steady_clock::now();
        t.push_back(std::chrono::duration<double>(b - a).count() * scale);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

inline void report(const char* name, double median, const char* unit, double target, double baseline) {
    std::printf("BENCH %s median=%.4g unit=%s target=%g baseline=%.4g\n", name, median, unit, target, baseline);
    std::fflush(stdout);
}

}  // namespace bench
