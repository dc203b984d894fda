// The cluster client against a node scripted here: a recorded stream of
// spots as real nodes and skimmers send them, the node's chatter, garbage,
// and a connection that drops.

#include "cluster_client.h"
#include "eventually.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

// What the node says after the login on the first connection, then it hangs up.
const char* const kFirstStream = "Hello SP5ABC, this is SP0DXC-9 in Warsaw, running DXSpider\r\n"
                                 "SP5ABC de SP0DXC-9 11-Dec-2026 1234Z dxspider >\r\n"
                                 "DX de SP5XYZ:    14025.0  QZ5KV        CW 599 qrv                     1234Z\r\n"
                                 "DX de W3OA-#:    14031.1  DL1ABC       CW 22 dB 28 WPM CQ             1235Z\r\n"
                                 "WWV de VE7CC <18>:   SFI=140, A=5, K=1, No Storms -> No Storms\r\n"
                                 "DX de DL8LAS-#:7003.5  OK1ABC       CW 18 dB 25 WPM CQ             1235Z JO60\a\a\r\n"
                                 "DX de SP5XYZ:    14025.0  ????\r\n"
                                 "\r\n"
                                 "DX de K1TTT:     21250.0  QZ5KV        SSB                            1236Z\n";

class ScriptedNode : public QObject {
public:
    ScriptedNode()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            const int number = ++connections;
            socket->write(number == 1 ? "Welcome to the test node\r\n\r\nlogin: " : "Please enter your call: ");
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, number] {
                received += socket->readAll();
                if (!received.endsWith("\r\n"))
                    return;
                logins.push_back(received.trimmed());
                received.clear();
                if (number == 1) {
                    socket->write(kFirstStream);
                    socket->write(QByteArray(2000, 'x') + "\r\n");
                    socket->disconnectFromHost();
                } else {
                    socket->write("DX de SP5XYZ:     3799.0  QZ5KV        SSB                            1240Z\r\n");
                }
            });
        });
    }
    QTcpServer server;
    int connections = 0;
    QByteArray received;
    std::vector<QByteArray> logins;
};

TEST(ClusterClient, LogsInTakesTheSpotsCountsTheRestAndComesBackAfterTheNodeHangsUp)
{
    ScriptedNode node;
    ClusterSetting setting;
    setting.node = {"127.0.0.1", node.server.serverPort()};
    setting.login = "SP5ABC";
    link::ClusterClient client(setting, {100ms, 400ms, 2000ms});
    std::vector<std::string> calls;
    std::vector<std::string> states;
    QObject::connect(&client, &link::ClusterClient::spotted, &client,
                     [&](const Spot& spot) { calls.push_back(spot.call + " " + kilohertzText(spot.hertz)); });
    QObject::connect(&client, &link::ClusterClient::stateChanged, &client,
                     [&](const QString& state) { states.push_back(state.toStdString()); });
    client.start();

    ASSERT_TRUE(eventually([&] { return calls.size() == 5; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"QZ5KV 14025.0", "DL1ABC 14031.1", "OK1ABC 7003.5", "QZ5KV 21250.0",
                                               "QZ5KV 3799.0"}));
    EXPECT_EQ(node.connections, 2);
    EXPECT_EQ(node.logins, (std::vector<QByteArray>{"SP5ABC", "SP5ABC"}));
    // The two greetings, the prompt line, WWV, the cut spot and the endless line.
    EXPECT_EQ(client.dropped(), 6u);
    const std::string where = "(127.0.0.1:" + std::to_string(node.server.serverPort()) + ")";
    EXPECT_EQ(states, (std::vector<std::string>{"Klaster: połączony " + where, "Klaster: brak połączenia " + where,
                                                "Klaster: połączony " + where}));
}

TEST(ClusterClient, WaitsLongerEachTimeTheNodeHangsUp)
{
    // A node that takes the connection and drops it at once.
    QTcpServer node;
    ASSERT_TRUE(node.listen(QHostAddress::LocalHost, 0));
    int connections = 0;
    QObject::connect(&node, &QTcpServer::newConnection, &node, [&] {
        ++connections;
        node.nextPendingConnection()->disconnectFromHost();
    });
    ClusterSetting setting;
    setting.node = {"127.0.0.1", node.serverPort()};
    link::ClusterClient client(setting, {50ms, 200ms, 1000ms});
    QElapsedTimer clock;
    clock.start();
    client.start();
    // Pauses of 50, 100, 200 and 200 ms: the fifth try comes after 550 ms,
    // where a steady pause would have made it after 200.
    ASSERT_TRUE(eventually([&] { return connections == 5; }));
    EXPECT_GE(clock.elapsed(), 550);
}

}  // namespace
}  // namespace qz::test
