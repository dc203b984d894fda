// Sharing on the loopback through a real mosquitto: how long a QSO takes to
// reach the station's other computers, what sharing adds to storing one, and
// how long a new computer takes to receive a whole weekend's log.

#include "bench_station.h"
#include "latency.h"
#include "log_line.h"
#include "mosquitto_broker.h"
#include "share_wiring.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace qz::bench {
namespace {

using test::MosquittoBroker;

struct Computer {
    Computer(const MosquittoBroker& broker, const std::string& name)
    {
        std::ofstream(folder.path() / "QZ5KV_stationbook.ini", std::ios::binary) << "QZ1ABC,A\r\n";
        logbook.load();
        logbook.startSharing(name, "BENCH");
        link = ui::linkToBroker(logbook, broker.setting());
    }
    BenchFolder folder;
    ui::Logbook logbook{folder.path()};
    std::unique_ptr<link::ShareLink> link;
};

std::string qsoLine(const std::string& call)
{
    return composeLine({.date = "2026-07-11",
                        .time = "12:00",
                        .bandColumn = std::string(*bandColumnFor("20M")),
                        .modeColumn = std::string(*modeColumnFor("CW")),
                        .op = "QZ1ABC",
                        .rstSent = "599",
                        .exchangeSent = "28",
                        .call = call,
                        .rstReceived = "599",
                        .exchangeReceived = "28"});
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

bool started(MosquittoBroker& broker, benchmark::State& state)
{
    if (broker.start())
        return true;
    state.SkipWithError("mosquitto did not start");
    return false;
}

// Twelve computers, each storing a QSO every 12 seconds, sped up a hundred
// times: from each store to the line in each other computer's log.
void BM_ShareLatencyTwelveComputers(benchmark::State& state)
{
    MosquittoBroker broker;
    if (!started(broker, state))
        return;
    constexpr int kComputers = 12;
    constexpr int kRounds = 10;
    std::vector<std::unique_ptr<Computer>> computers;
    for (int i = 0; i < kComputers; ++i)
        computers.push_back(std::make_unique<Computer>(broker, "PC" + std::to_string(i)));
    if (!waitFor([&] { return computers.back()->link->peers().online() == kComputers; }, 10000)) {
        state.SkipWithError("the computers did not all connect");
        return;
    }
    QElapsedTimer clock;
    clock.start();
    std::map<std::string, qint64> storedAt;  // line -> ns
    std::vector<double> delaysMs;
    std::vector<std::set<std::string>> seen(kComputers);
    for (int i = 0; i < kComputers; ++i)
        QObject::connect(&computers[static_cast<std::size_t>(i)]->logbook, &ui::Logbook::arrived, [&, i] {
            for (const std::string_view shown : computers[static_cast<std::size_t>(i)]->logbook.view().lines()) {
                const std::string line(shown);
                if (seen[static_cast<std::size_t>(i)].insert(line).second && storedAt.contains(line))
                    delaysMs.push_back(static_cast<double>(clock.nsecsElapsed() - storedAt[line]) / 1e6);
            }
        });
    for (auto _ : state) {
        int next = 0;
        QTimer storing;
        storing.setInterval(12000 / 100 / kComputers);
        QObject::connect(&storing, &QTimer::timeout, [&] {
            const auto who = static_cast<std::size_t>(next % kComputers);
            const std::string line = qsoLine("SP" + std::to_string(next++));
            storedAt[line] = clock.nsecsElapsed();
            computers[who]->logbook.store(line);
            seen[who].insert(line);
            if (next == kComputers * kRounds)
                storing.stop();
        });
        storing.start();
        const auto expected = static_cast<std::size_t>(kComputers * kRounds * (kComputers - 1));
        if (!waitFor([&] { return delaysMs.size() == expected; }, 60000))
            state.SkipWithError("not every QSO reached every computer");
    }
    reportDelays(delaysMs, state);
}
BENCHMARK(BM_ShareLatencyTwelveComputers)->Iterations(1)->Unit(benchmark::kMillisecond);

// Storing through the window on the large log, the log shared (1) or not (0).
void BM_StoreQsoShared(benchmark::State& state)
{
    MosquittoBroker broker;
    if (!started(broker, state))
        return;
    LargeStation large;
    if (state.range(0) == 1)
        large.station.chooseSharing({.setting = broker.setting(), .source = "--share", .ignored = {}});
    timeStores(large, state);
}
BENCHMARK(BM_StoreQsoShared)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

// A computer set up anew receives a log of 100,000 QSOs another computer
// shares.
void BM_NewComputerReceivesLargeLog(benchmark::State& state)
{
    MosquittoBroker broker;
    if (!started(broker, state))
        return;
    BenchFolder sharing;
    {
        ui::Logbook first(sharing.path());
        first.load();
        first.startSharing("OLD", "BENCH");
    }
    // Lines beyond what the journal knows are this computer's own new QSOs,
    // shared when it starts: a whole weekend at once.
    writeLargeStation(sharing.path());
    ui::Logbook old(sharing.path());
    old.load();
    old.startSharing("OLD", "BENCH");
    const auto oldLink = ui::linkToBroker(old, broker.setting());
    const std::size_t total = old.sharedLog()->state().events().size();
    if (!waitFor([&] { return oldLink->connected(); }, 10000))
        state.SkipWithError("no connection");
    for (auto _ : state) {
        Computer fresh(broker, "NEW");
        if (!waitFor([&] { return fresh.logbook.sharedLog()->state().events().size() >= total; }, 600000))
            state.SkipWithError("the log did not arrive whole");
    }
    state.counters["qsos"] = static_cast<double>(total);
}
BENCHMARK(BM_NewComputerReceivesLargeLog)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
