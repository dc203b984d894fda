#pragma once
// Reads spots from a DX cluster node over telnet: logs in with the
// station's call when the node asks for it, takes the node's lines, passes
// on the spots and counts the rest. A lost or refused connection is tried
// again after pauses that grow from `firstPause` to `longestPause`, so a
// node that is down is not hammered; a spot resets the pause. Everything
// runs on the window's thread without waiting.

#include "cluster_setting.h"
#include "spot.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <cstddef>

class QTcpSocket;
class QTimer;

namespace qz::link {

struct ClusterTiming {
    std::chrono::milliseconds firstPause{2000};
    std::chrono::milliseconds longestPause{60000};
    // How long a connection may take, and how long the node may stay
    // silent before the login is sent unasked.
    std::chrono::milliseconds patience{5000};
};

class ClusterClient : public QObject {
    Q_OBJECT
public:
    ClusterClient(ClusterSetting setting, ClusterTiming timing, QObject* parent = nullptr);

    // Connects, and keeps connecting whenever the connection is lost.
    void start();

    // "Klaster: połączony (dxc.example.org:7300)".
    const QString& state() const { return state_; }
    std::size_t spots() const { return spots_; }
    // Lines that were no spot: the node's greetings and prompts, and
    // anything garbled or too long.
    std::size_t dropped() const { return dropped_; }

signals:
    void spotted(const qz::Spot& spot);
    void stateChanged(const QString& state);

private:
    void connectToNode();
    void read();
    void take(const QByteArray& line);
    void logIn();
    void lose(const QString& why);
    void setState(const QString& what);

    ClusterSetting setting_;
    ClusterTiming timing_;
    QTcpSocket* socket_;
    QTimer* deadline_;
    QTimer* retryTimer_;
    std::chrono::milliseconds pause_;
    QByteArray pending_;
    // The rest of a line too long to be read is passed over up to its end.
    bool skipping_ = false;
    bool loggedIn_ = false;
    std::size_t spots_ = 0;
    std::size_t dropped_ = 0;
    QString state_;
};

}  // namespace qz::link
