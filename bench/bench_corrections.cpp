// A correction or deletion on a full contest log: the whole-file rewrite
// followed by the view reload that rebuilds the operator's list from the file.

#include "large_log.h"
#include "log_corrections.h"
#include "log_file.h"
#include "log_line.h"

#include <benchmark/benchmark.h>

namespace qz::bench {
namespace {

const std::string kOperator = "QZ1AAA";

void BM_CorrectionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    const LogFile log(folder.path());
    // Flip one QSO's call back and forth, so that every round finds its line.
    std::string selected = operatorLines(log.readLines(), kOperator).at(500);
    for (auto _ : state) {
        const std::string call = callOf(selected) == "SP9ZZZ" ? "SP8ZZZ" : "SP9ZZZ";
        const auto changed = log.rewrite(selected, [&](const std::string& line) {
            return std::optional(withTypedField(line, TypedField::Call, judgeEntry(TypedField::Call, "", call).columns));
        });
        const OperatorView view = operatorView(log.readLines(), kOperator);
        benchmark::DoNotOptimize(view.lines.data());
        selected = changed.value();
    }
}
BENCHMARK(BM_CorrectionAndReload)->Unit(benchmark::kMillisecond);

void BM_DeletionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    const LogFile log(folder.path());
    const std::vector<std::string> victims = operatorLines(log.readLines(), kOperator);
    std::size_t next = 0;
    for (auto _ : state) {
        log.rewrite(victims.at(next++ % victims.size()), [](const std::string&) { return std::optional<std::string>(); });
        const OperatorView view = operatorView(log.readLines(), kOperator);
        benchmark::DoNotOptimize(view.lines.data());
    }
}
BENCHMARK(BM_DeletionAndReload)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
