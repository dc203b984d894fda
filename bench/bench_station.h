#pragma once
// The running program on the large log, for the benchmarks that measure a
// window action; a box shown meanwhile spoils the run.

#include "large_log.h"
#include "station.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>

namespace qz::bench {

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
    std::optional<QString> openFileName(const QString&) override { return std::nullopt; }
    void beep() override {}
    QString shown;
};

inline ui::StationContext contextFor(const BenchFolder& folder, SilentPlatform& platform)
{
    return {folder.path(), platform, [] { return std::chrono::system_clock::now(); }};
}

inline void reportBoxes(const SilentPlatform& platform, benchmark::State& state)
{
    if (!platform.shown.isEmpty())
        state.SkipWithError(platform.shown.toStdString().c_str());
}

struct LargeStation {
    // The windows read no file before start().
    LargeStation()
    {
        writeLargeStation(folder.path());
        station.start();
    }
    void reportBoxes(benchmark::State& state) const { bench::reportBoxes(platform, state); }

    BenchFolder folder;
    SilentPlatform platform;
    ui::Station station{contextFor(folder, platform)};
};

// Stores a QSO through the main window's button in every iteration.
inline void timeStores(LargeStation& large, benchmark::State& state)
{
    ui::TForm1& form = large.station.form1;
    large.station.logbook.reload();
    form.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    auto* call = form.findChild<QLineEdit*>(QStringLiteral("Edit4"));
    auto* add = form.findChild<QPushButton*>(QStringLiteral("Button4"));
    for (auto _ : state) {
        call->setText(QStringLiteral("SP1BENCH"));
        add->click();
    }
    state.counters["lines"] = large.station.logbook.view().count();
    large.reportBoxes(state);
}

}  // namespace qz::bench
