// Typing while the band map holds 10,000 spots and the cluster sends 50 a
// second: the key's delay in the callsign field, with the map in sight on
// the radio's band, over the 100,000-QSO log.

#include "bench_station.h"
#include "cluster_client.h"
#include "latency.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <array>
#include <string>

namespace qz::bench {
namespace {

constexpr std::array<std::int64_t, 6> kBandLows{1'800'000, 3'500'000, 7'000'000, 14'000'000, 21'000'000, 28'000'000};

QByteArray spotLine(int i)
{
    const std::int64_t hertz = kBandLows.at(static_cast<std::size_t>(i % 6)) + (i / 6) % 1000 * 100;
    const std::string khz = std::to_string(hertz / 1000) + "." + std::to_string(hertz % 1000 / 100);
    return QByteArray::fromStdString("DX de W3OA-#:  " + khz + "  SP" + std::to_string(i) +
                                     "AB  CW 20 dB 28 WPM CQ  1234Z\r\n");
}

// A node that sends a spot every 20 ms, each of a new station.
class SpotStream {
public:
    SpotStream()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server,
                         [this] { client = server.nextPendingConnection(); });
        QObject::connect(&timer, &QTimer::timeout, &server, [this] {
            if (client)
                client->write(spotLine(kFirst + sent++));
        });
        timer.start(20);
    }
    static constexpr int kFirst = 10'000;
    QTcpServer server;
    QTcpSocket* client = nullptr;
    QTimer timer;
    int sent = 0;
};

void BM_KeyWithTheBandMapFull(benchmark::State& state)
{
    LargeStation large;
    ui::TForm1& form = large.station.form1;
    form.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    auto* call = form.findChild<QLineEdit*>(QStringLiteral("Edit4"));
    ui::BandMapWindow& map = large.station.bandMap;
    for (int i = 0; i < SpotStream::kFirst; ++i) {
        const QByteArray line = spotLine(i);
        map.addSpot(*parseSpot(std::string_view(line.constData(), static_cast<std::size_t>(line.size()))));
    }
    map.showBand(QStringLiteral("20M"));
    map.toggle();

    SpotStream stream;
    ClusterSetting setting;
    setting.node = {"127.0.0.1", stream.server.serverPort()};
    large.station.chooseCluster({setting, setting.lifetime, "--cluster", {}});

    std::vector<double> delays;
    for (auto _ : state) {
        delays.push_back(timeKeyAmidLinks(call, state));
    }
    reportDelays(delays, state);
    state.counters["spots"] = static_cast<double>(map.spotCount());
    state.counters["streamed"] = stream.sent;
    if (percentile(delays, 0.99) > 2)
        state.SkipWithError("a key waited more than 2 ms at p99");
    large.reportBoxes(state);
}
BENCHMARK(BM_KeyWithTheBandMapFull)->Iterations(400)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
