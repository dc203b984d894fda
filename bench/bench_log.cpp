// The log of a long contest weekend must never make the window sluggish:
// start-up, the view reload of one operator and storing a QSO on 100,000 lines,
// and typing while the radio's rigctld misbehaves.

#include "bench_station.h"
#include "combo_lists.h"
#include "fake_rigctld.h"
#include "log_file.h"
#include "log_line.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
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
        benchmark::DoNotOptimize(station.logbook.view().count());
    }
    reportBoxes(platform, state);
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

// With the argument 1 the contest overview is open and follows the reload.
void BM_ViewReloadOfOneOperator(benchmark::State& state)
{
    LargeStation large;
    ui::Logbook& logbook = large.station.logbook;
    if (state.range(0) == 1)
        large.station.overview.open();
    int next = 0;
    for (auto _ : state) {
        logbook.selectOperator(next++ % kOperatorCount);
        QApplication::processEvents();  // paint the new list
    }
    state.counters["lines"] = logbook.view().count();
    large.reportBoxes(state);
}
BENCHMARK(BM_ViewReloadOfOneOperator)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StoreQso(benchmark::State& state)
{
    LargeStation large;
    timeStores(large, state);
}
BENCHMARK(BM_StoreQso)->Unit(benchmark::kMillisecond)->Iterations(200);

// However rigctld misbehaves, a key typed into the callsign field is answered
// within 50 ms: the radio is only ever heard between other events.
enum class Rigctld { Slow, Silent, Garbage, HangsUp };

test::FakeRigctld::Answer rigctldThatIs(Rigctld behaviour)
{
    switch (behaviour) {
    case Rigctld::Slow:
        return [](QTcpSocket& client, const QByteArray&) {
            QTimer::singleShot(std::chrono::milliseconds(150), &client, [&client] {
                client.write("get_freq:\nFrequency: 14025000\nRPRT 0\nget_mode:\nMode: CW\nRPRT 0\n");
            });
        };
    case Rigctld::Silent: return nullptr;
    case Rigctld::Garbage:
        return [](QTcpSocket& client, const QByteArray&) { client.write(QByteArray(1 << 20, '\x7f')); };
    case Rigctld::HangsUp: return [](QTcpSocket& client, const QByteArray&) { client.disconnectFromHost(); };
    }
    return nullptr;
}

void BM_KeyWhileRigctldMisbehaves(benchmark::State& state)
{
    using namespace std::chrono_literals;
    LargeStation large;
    ui::TForm1& form = large.station.form1;
    form.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    auto* call = form.findChild<QLineEdit*>(QStringLiteral("Edit4"));
    test::FakeRigctld server(rigctldThatIs(static_cast<Rigctld>(state.range(0))));
    form.followRadio(RigChoice{server.address(), "--rig", {}}, link::RigTiming{50ms, 300ms, 100ms});
    double worstMs = 0;
    for (auto _ : state) {
        // Between keys the follower polls, reads and reconnects as it will.
        worstMs = std::max(worstMs, timeKeyAmidLinks(call, state));
    }
    state.counters["worst_ms"] = worstMs;
    state.counters["connections"] = server.connections;
    if (worstMs > 50)
        state.SkipWithError("a key waited more than 50 ms");
    large.reportBoxes(state);
}
BENCHMARK(BM_KeyWhileRigctldMisbehaves)
    ->ArgName("slow_silent_garbage_hangsup")
    ->DenseRange(0, 3)
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

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
