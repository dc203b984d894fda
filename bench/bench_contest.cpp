// The contest overview on the log of a long weekend (100,000 lines) with the
// full call list and country file: the worked-before colour and the partial
// matches must follow every key press, the score every stored QSO, and the
// window must open without a wait. The check of every operator's log before
// sending ("Sprawdź log") must take under 100 ms.

#include "bench_station.h"
#include "contest_data.h"
#include "contest_overview.h"
#include "contest_tally.h"
#include "log_check.h"
#include "log_line.h"
#include "worked_before.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace qz::bench {
namespace {

// What an operator types for one callsign, letter by letter, and then the
// next callsign; some are in the log, some only in the call list, some nowhere.
const QStringList kTyping = [] {
    QStringList steps;
    for (const QString& call : {QStringLiteral("SP3X1403"), QStringLiteral("DL1ABC"), QStringLiteral("K1ZZZ"),
                                QStringLiteral("QZ5KV"), QStringLiteral("9A7XYQ")})
        for (qsizetype length = 1; length <= call.size(); ++length)
            steps << call.left(length);
    return steps;
}();

void BM_KeyPressColourAndPartialMatches(benchmark::State& state)
{
    LargeStation large;
    auto* call = large.station.form1.findChild<QLineEdit*>(QStringLiteral("Edit4"));
    large.station.overview.open();
    QApplication::processEvents();
    qsizetype next = 0;
    for (auto _ : state) {
        call->setText(kTyping[next++ % kTyping.size()]);
        QApplication::processEvents();  // paint the field and the list
    }
    state.counters["partials"] =
        large.station.overview.findChild<QListWidget*>(QStringLiteral("PartialCalls"))->count();
    large.reportBoxes(state);
}
BENCHMARK(BM_KeyPressColourAndPartialMatches)->Unit(benchmark::kMicrosecond);

void BM_ScoreAfterStore(benchmark::State& state)
{
    LargeStation large;
    ui::Logbook& logbook = large.station.logbook;
    large.station.overview.open();
    QApplication::processEvents();
    const std::string op = logbook.currentOperator();
    int n = 0;
    for (auto _ : state) {
        // What follows a stored line once it is in the file: the index of the
        // colour, the score, rate, slots and partial matches of the overview.
        const std::string call = "SP" + std::to_string(n % 10) + "Y" + std::to_string(n);
        emit logbook.stored(composeLine({"2026-07-12", "11:59", " 14000", " CW ", op, "599", "28", call, "599",
                                         n % 2 ? "KRU" : std::to_string(n % 90 + 1)}));
        ++n;
    }
    large.reportBoxes(state);
}
BENCHMARK(BM_ScoreAfterStore)->Unit(benchmark::kMicrosecond);

// With the argument 1 every opening reads the data files as the first one
// does; with 0 they are unchanged since the last opening.
void BM_OpenOverview(benchmark::State& state)
{
    LargeStation large;
    ui::ContestOverview& overview = large.station.overview;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            overview.setDataFolders(contestDataFolders(large.folder.path()));
            state.ResumeTiming();
        }
        overview.open();
        QApplication::processEvents();  // paint it
        state.PauseTiming();
        overview.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    large.reportBoxes(state);
}
BENCHMARK(BM_OpenOverview)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_WorkedBeforeIndexOfLargeLog(benchmark::State& state)
{
    const std::vector<std::string> owned = largeLogLines();
    const std::vector<std::string_view> lines(owned.begin(), owned.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(WorkedBefore(lines, largeLogOperators().front()));
}
BENCHMARK(BM_WorkedBeforeIndexOfLargeLog)->Unit(benchmark::kMillisecond);

// Every operator's log, as "Wszyscy operatorzy" checks it, with Debian's country file.
void BM_CheckLogOfEveryOperator(benchmark::State& state)
{
    const std::vector<std::string> owned = largeLogLines();
    const std::vector<std::string_view> lines(owned.begin(), owned.end());
    const std::vector<std::string> records = largeLogRecords();
    const BenchFolder empty;
    const ContestData data = loadContestData(contestDataFolders(empty.path()));
    std::size_t findings = 0;
    for (auto _ : state) {
        const auto checks = checkLog(lines, records, data.countries ? &*data.countries : nullptr, data.headquarters);
        findings = 0;
        for (const auto& check : checks)
            findings += check.findings.size();
        benchmark::DoNotOptimize(checks);
    }
    state.counters["findings"] = static_cast<double>(findings);
    if (!data.countries)
        state.SkipWithError("no country file");
}
BENCHMARK(BM_CheckLogOfEveryOperator)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
