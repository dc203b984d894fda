#pragma once
// The station's broker in a test: Debian's mosquitto on the loopback at a free
// port, with the settings the README gives a station, stopped and started
// again at will, with or without the messages it keeps.

#include "eventually.h"
#include "free_port.h"
#include "mqtt_client.h"
#include "share_setting.h"
#include "temp_folder.h"

#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <string>

namespace qz::test {

class MosquittoBroker {
public:
    static bool installed() { return !QStandardPaths::findExecutable(QStringLiteral("mosquitto")).isEmpty(); }

    MosquittoBroker()
    {
        folder_.write("mosquitto.conf", "listener " + std::to_string(port_) +
                                            " 127.0.0.1\n"
                                            "allow_anonymous true\n"
                                            "persistence true\n"
                                            "persistence_location " +
                                            folder_.path().string() +
                                            "/\n"
                                            "max_queued_messages 0\n");
    }
    ~MosquittoBroker() { stop(); }
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    ::testing::AssertionResult start()
    {
        const QString config = QString::fromStdString((folder_.path() / "mosquitto.conf").string());
        return startLocalServer(daemon_, QStringLiteral("mosquitto"), {QStringLiteral("-c"), config}, port_);
    }
    // A clean stop: the broker writes what it keeps to its folder.
    void stop()
    {
        if (daemon_.state() == QProcess::NotRunning)
            return;
        daemon_.terminate();
        if (!daemon_.waitForFinished(kEventuallyMs)) {
            daemon_.kill();
            daemon_.waitForFinished();
        }
    }
    // Everything it kept is gone, as on a broker set up anew.
    void forget() { std::filesystem::remove(folder_.path() / "mosquitto.db"); }

    quint16 port() const { return port_; }
    // By number: a machine without /etc/hosts (a bare chroot) cannot look up "localhost".
    link::MqttClient::Login login() const { return {.host = "127.0.0.1", .port = port_, .user = {}, .password = {}}; }
    // The station QZ5KV on this broker, anonymously.
    ShareSetting setting() const
    {
        return {.broker = {"127.0.0.1", port_}, .station = "QZ5KV", .user = {}, .password = {}};
    }

private:
    TempFolder folder_;
    quint16 port_ = freePort();
    QProcess daemon_;
};

}  // namespace qz::test
