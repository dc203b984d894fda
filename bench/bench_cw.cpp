// From a keyer's send to its first bytes on the wire, through cwdaemon (UDP)
// and through rigctld (TCP): the part of a function key's delay that the
// links add. The window's part is timed from the key press with the same
// probe.

#include "cwdaemon_keyer.h"
#include "latency.h"
#include "rig_keyer.h"
#include "rigctld_session.h"
#include "wire_probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace qz::bench {
namespace {

using namespace std::chrono_literals;

// Each text keyed to its end before the next, as an operator sends them.
void timeSends(link::CwKeyer& keyer, WireProbe& probe, benchmark::State& state)
{
    keyer.setSpeed(60);
    bool done = false;
    QObject::connect(&keyer, &link::CwKeyer::finished, [&done] { done = true; });
    std::vector<double> delaysMs;
    for (auto _ : state) {
        done = false;
        const auto delay = probe.millisecondsToFirstBytes([&keyer] { keyer.send("E"); });
        if (!delay)
            return state.SkipWithError("nothing came on the wire");
        delaysMs.push_back(*delay);
        QElapsedTimer waited;
        waited.start();
        while (!done && waited.elapsed() < 5000)
            QCoreApplication::processEvents();
    }
    reportDelays(delaysMs, state);
}

void BM_CwdaemonSendToFirstDatagram(benchmark::State& state)
{
    WireProbe probe(WireProbe::Daemon::Cwdaemon);
    link::CwdaemonKeyer keyer(probe.address(), 2s);
    timeSends(keyer, probe, state);
}
BENCHMARK(BM_CwdaemonSendToFirstDatagram)->Unit(benchmark::kMillisecond)->Iterations(500);

void BM_RigctldSendToFirstCommand(benchmark::State& state)
{
    WireProbe probe(WireProbe::Daemon::Rigctld);
    auto session = std::make_shared<link::RigctldSession>(probe.address(), link::SessionTiming{});
    session->start();
    link::RigKeyer keyer(session);
    timeSends(keyer, probe, state);
}
BENCHMARK(BM_RigctldSendToFirstCommand)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
}  // namespace qz::bench
