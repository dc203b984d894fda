// Each export of a whole contest weekend (100,000 QSOs of five operators)
// must be done within a second.

#include "contest_export.h"
#include "large_log.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

template <typename Export>
void runExport(benchmark::State& state, Export exportFiles)
{
    const qz::bench::BenchFolder folder;
    qz::bench::writeLargeStation(folder.path());
    for (auto _ : state) {
        const qz::ExportResult result = exportFiles(folder.path());
        if (result.files.size() != qz::bench::kOperatorCount)
            throw std::runtime_error("the export did not write a file per operator");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * qz::bench::kOperatorCount * qz::bench::kLinesPerOperator);
}

void BM_CabrilloExport(benchmark::State& state)
{
    runExport(state, [](const std::filesystem::path& folder) { return qz::exportCabrillo(folder); });
}
BENCHMARK(BM_CabrilloExport)->Unit(benchmark::kMillisecond);

void BM_AdifExport(benchmark::State& state)
{
    runExport(state, [](const std::filesystem::path& folder) { return qz::exportAdif(folder, "IARU-HF 2026"); });
}
BENCHMARK(BM_AdifExport)->Unit(benchmark::kMillisecond);

}  // namespace
