// The expected exchange of a callsign must be there the moment Enter leaves
// "Znak": within 1 ms at p99 on the log of a long weekend (100,000 lines)
// with a call history of 100,000 lines, whichever source answers. Also timed:
// reading such a history (done on another thread) and a stored QSO taken into
// the log's index.

#include "call_history.h"
#include "country_file.h"
#include "exchange_prediction.h"
#include "files.h"
#include "headquarters_list.h"
#include "large_log.h"
#include "latency.h"
#include "log_line.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

namespace qz::bench {
namespace {

constexpr int kHistoryLines = 100'000;

std::string largeHistory()
{
    std::string text = "# IARU HF\n!!Order!!,Call,Name,ITUZone,Exch1\n";
    for (int n = 0; n < kHistoryLines; ++n)
        text += "DL" + std::to_string(n % 10) + "H" + std::to_string(n) + ",Name," + std::to_string(n % 90 + 1) + ",\n";
    return text;
}

// Callsigns in the log, in the history only, headquarters stations, in a
// country only, and unknown ones, in turn.
std::vector<std::string> typedCalls()
{
    std::vector<std::string> calls;
    for (int n = 0; n < 1000; ++n) {
        calls.push_back("SP" + std::to_string(n % 10) + "X" + std::to_string(n * 17));
        calls.push_back("DL" + std::to_string(n % 10) + "H" + std::to_string(n * 97));
        calls.emplace_back(n % 2 ? "QZ5KV" : "NU1AW");
        calls.push_back("JA" + std::to_string(n % 10) + "Q" + std::to_string(n));
        calls.push_back("QX" + std::to_string(n) + "ZZZ");
    }
    return calls;
}

void BM_PredictExchange(benchmark::State& state)
{
    const std::vector<std::string> log = largeLogLines();
    const ReceivedExchanges received(std::vector<std::string_view>(log.begin(), log.end()));
    const CallHistory history = CallHistory::parse(largeHistory());
    const CountryFile countries = CountryFile::parse(files::readAll("/usr/share/hamradio-files/cty.dat"));
    const PredictionSources sources{&received, &history, &HeadquartersList::builtIn(), &countries};
    const std::vector<std::string> calls = typedCalls();
    std::vector<double> delaysMs;
    std::size_t next = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto prediction = predictExchange(calls[next++ % calls.size()], sources);
        delaysMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        found += prediction.has_value();
        benchmark::DoNotOptimize(prediction);
    }
    reportDelays(delaysMs, state);
    state.counters["history_calls"] = static_cast<double>(history.size());
    state.counters["found_share"] = static_cast<double>(found) / static_cast<double>(delaysMs.size());
}
BENCHMARK(BM_PredictExchange)->Unit(benchmark::kMicrosecond);

void BM_ReadCallHistory(benchmark::State& state)
{
    const std::string text = largeHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(CallHistory::parse(text));
}
BENCHMARK(BM_ReadCallHistory)->Unit(benchmark::kMillisecond);

void BM_IndexLogOfReceivedExchanges(benchmark::State& state)
{
    const std::vector<std::string> log = largeLogLines();
    const std::vector<std::string_view> lines(log.begin(), log.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReceivedExchanges(lines));
}
BENCHMARK(BM_IndexLogOfReceivedExchanges)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
