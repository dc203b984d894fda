#pragma once
// Delays measured one by one, summed up as the benchmarks report them.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstddef>
#include <vector>

namespace qz::bench {

// The value below which `share` of them lie (0.5 the median, 1.0 the largest).
inline double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

inline void reportDelays(const std::vector<double>& delaysMs, benchmark::State& state)
{
    state.counters["p50_ms"] = percentile(delaysMs, 0.5);
    state.counters["p99_ms"] = percentile(delaysMs, 0.99);
    state.counters["max_ms"] = percentile(delaysMs, 1.0);
    state.counters["samples"] = static_cast<double>(delaysMs.size());
}

}  // namespace qz::bench
