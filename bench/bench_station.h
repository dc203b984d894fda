#pragma once
// The running program on the large log, for the benchmarks that measure a
// window action; a box shown meanwhile spoils the run.

#include "large_log.h"
#include "station.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
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

// One key typed into an empty call field, in milliseconds from the press to
// the letter in the field. Before it, untimed, 30 ms in which the links work
// as they will (polls, reconnections, arriving spots).
inline double timeKeyAmidLinks(QLineEdit* call, benchmark::State& state)
{
    state.PauseTiming();
    call->clear();
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 30)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    state.ResumeTiming();

    QElapsedTimer key;
    key.start();
    QCoreApplication::postEvent(call, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    while (call->text().isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return static_cast<double>(key.nsecsElapsed()) / 1e6;
}

}  // namespace qz::bench
