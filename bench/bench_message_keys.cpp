// The function keys in the main window with the 100,000-QSO log loaded: from
// the key press to the first datagram on cwdaemon's port (goal: p99 under
// 5 ms), and storing a QSO with Enter while Enter sends the messages, against
// the same store without.

#include "bench_station.h"
#include "cwdaemon_keyer.h"
#include "latency.h"
#include "wire_probe.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace qz::bench {
namespace {

using namespace std::chrono_literals;

// The main window sending CW to the probe; `finished` set when a text is done.
struct KeyingStation {
    KeyingStation()
    {
        large.station.form1.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        auto keyer = std::make_unique<link::CwdaemonKeyer>(probe.address(), 2s);
        QObject::connect(keyer.get(), &link::CwKeyer::finished, [this] { finished = true; });
        large.station.form1.sendCwThrough(std::move(keyer), {});
        waitForFinished(200);  // the speed goes out first
    }
    QLineEdit* field(const char* name) { return large.station.form1.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void waitForFinished(int ms = 5000)
    {
        QElapsedTimer waited;
        waited.start();
        while (!finished && waited.elapsed() < ms)
            QCoreApplication::processEvents();
        finished = false;
    }

    LargeStation large;
    WireProbe probe{WireProbe::Daemon::Cwdaemon};
    bool finished = false;
};

void BM_F1ToFirstDatagram(benchmark::State& state)
{
    KeyingStation keying;
    QLineEdit* call = keying.field("Edit4");
    std::vector<double> delaysMs;
    for (auto _ : state) {
        const auto delay = keying.probe.millisecondsToFirstBytes(
            [call] { QCoreApplication::postEvent(call, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier)); });
        if (!delay)
            return state.SkipWithError("nothing came on the wire");
        delaysMs.push_back(*delay);
        keying.waitForFinished();
    }
    reportDelays(delaysMs, state);
    if (percentile(delaysMs, 0.99) >= 5)
        state.SkipWithError("p99 of a key press to the wire is 5 ms or more");
    keying.large.reportBoxes(state);
}
BENCHMARK(BM_F1ToFirstDatagram)->Unit(benchmark::kMillisecond)->Iterations(300);

// Argument 1: "Enter wysyła komunikat" on, set in the window "Komunikaty".
void BM_EnterStoresQso(benchmark::State& state)
{
    KeyingStation keying;
    ui::TForm1& form = keying.large.station.form1;
    if (state.range(0) == 1) {
        form.findChild<QPushButton*>(QStringLiteral("Button10"))->click();
        auto* window = form.findChild<QWidget*>(QStringLiteral("FormKomunikaty"));
        window->findChild<QCheckBox*>(QStringLiteral("EnterSends"))->setChecked(true);
        window->findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
    }
    QLineEdit* call = keying.field("Edit4");
    QLineEdit* exchange = keying.field("Edit6");
    std::vector<double> storesMs;
    for (auto _ : state) {
        call->setText(QStringLiteral("SP1BENCH"));
        exchange->setText(QStringLiteral("15"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QElapsedTimer store;
        store.start();
        QCoreApplication::sendEvent(exchange, &enter);
        storesMs.push_back(static_cast<double>(store.nsecsElapsed()) / 1e6);
        state.PauseTiming();
        if (state.range(0) == 1)
            keying.waitForFinished();
        state.ResumeTiming();
    }
    reportDelays(storesMs, state);
    state.counters["lines"] = keying.large.station.logbook.view().count();
    keying.large.reportBoxes(state);
}
BENCHMARK(BM_EnterStoresQso)->ArgName("esm")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
}  // namespace qz::bench
