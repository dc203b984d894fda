// The log of a long contest weekend must never make the window sluggish:
// start-up, the view reload of one operator and storing a QSO on 100,000 lines.

#include "bench_station.h"
#include "combo_lists.h"
#include "log_file.h"
#include "log_line.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace qz::bench {
namespace {

void BM_StartUpToShownWindow(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    SilentPlatform platform;
    for (auto _ : state) {
        ui::Station station(contextFor(folder, platform));
        station.start();
        QApplication::processEvents();
        benchmark::DoNotOptimize(station.form1.ListBox1->count());
    }
    reportBoxes(platform, state);
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void BM_ViewReloadOfOneOperator(benchmark::State& state)
{
    LargeStation large;
    ui::TForm1& form = large.station.form1;
    int next = 0;
    for (auto _ : state) {
        form.ComboBox3->setCurrentIndex(next++ % kOperatorCount);
        form.ComboBox3Change();
        QApplication::processEvents();  // paint the new list
    }
    state.counters["lines"] = form.ListBox1->count();
    large.reportBoxes(state);
}
BENCHMARK(BM_ViewReloadOfOneOperator)->Unit(benchmark::kMillisecond);

void BM_StoreQso(benchmark::State& state)
{
    LargeStation large;
    ui::TForm1& form = large.station.form1;
    form.ComboBox3Change();
    form.Timer1->stop();
    for (auto _ : state) {
        form.Edit4->setText(QStringLiteral("SP1BENCH"));
        form.Button4Click();
    }
    state.counters["lines"] = form.ListBox1->count();
    large.reportBoxes(state);
}
BENCHMARK(BM_StoreQso)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
}  // namespace qz::bench

namespace qz::bench {
namespace {

void BM_AppendWithBackup(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    const LogFile log(folder.path());
    const std::string line = largeLogLines().front();
    for (auto _ : state)
        log.append(line);
}
BENCHMARK(BM_AppendWithBackup)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
}  // namespace qz::bench
