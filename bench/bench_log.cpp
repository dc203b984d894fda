// The log of a long contest weekend must never make the window sluggish:
// start-up, the view reload of one operator and storing a QSO on 100,000 lines.

#include "combo_lists.h"
#include "large_log.h"
#include "log_file.h"
#include "log_line.h"
#include "station.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace qz::bench {
namespace {

// Boxes never appear in a benchmark: anything shown is a failure.
class SilentPlatform final : public ui::Platform {
public:
    ui::BoxAnswer messageBox(const QString&, const QString& text, ui::BoxIcon, ui::BoxButtons) override
    {
        shown = text;
        return ui::BoxAnswer::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString& value) override { return value; }
    std::optional<QString> saveFileName(const QString&, const QString&) override { return std::nullopt; }
    void beep() override {}
    QString shown;
};

ui::StationContext contextFor(const BenchFolder& folder, SilentPlatform& platform)
{
    return {folder.path(), platform, [] { return std::chrono::system_clock::now(); }};
}

// The running program on the large log, for the benchmarks that measure a
// window action; a box shown meanwhile spoils the run.
struct LargeStation {
    // The windows read no file before start().
    LargeStation()
    {
        writeLargeStation(folder.path());
        station.start();
    }
    void reportBoxes(benchmark::State& state) const
    {
        if (!platform.shown.isEmpty())
            state.SkipWithError(platform.shown.toStdString().c_str());
    }

    BenchFolder folder;
    SilentPlatform platform;
    ui::Station station{contextFor(folder, platform)};
};

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
    if (!platform.shown.isEmpty())
        state.SkipWithError(platform.shown.toStdString().c_str());
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
