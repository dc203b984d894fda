#pragma once
// A keying daemon's port on the loopback, for timing how soon an action (a
// keyer's send, a key press in the window) puts its first bytes on the wire.
// It answers as cwdaemon or rigctld would, at once, so that the keyer goes
// on to the next text.

#include "address_setting.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <optional>
#include <utility>

namespace qz::bench {

class WireProbe {
public:
    enum class Daemon { Cwdaemon, Rigctld };

    explicit WireProbe(Daemon daemon) : daemon_(daemon)
    {
        clock_.start();
        if (daemon_ == Daemon::Cwdaemon) {
            udp_.bind(QHostAddress::LocalHost, 0);
            QObject::connect(&udp_, &QUdpSocket::readyRead, [this] { answerCwdaemon(); });
            return;
        }
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            client_ = server_.nextPendingConnection();
            QObject::connect(client_, &QTcpSocket::readyRead, [this] { answerRigctld(); });
        });
    }

    NetworkAddress address() const
    {
        return {"127.0.0.1", daemon_ == Daemon::Cwdaemon ? udp_.localPort() : server_.serverPort()};
    }

    // Milliseconds from the start of `action` to the first bytes that arrive
    // after it; nothing when none come within `timeoutMs`.
    template <typename Action>
    std::optional<double> millisecondsToFirstBytes(Action action, int timeoutMs = 5000)
    {
        arrivalNs_.reset();
        const qint64 start = clock_.nsecsElapsed();
        action();
        while (!arrivalNs_) {
            if (clock_.nsecsElapsed() - start > qint64{timeoutMs} * 1000000)
                return std::nullopt;
            QCoreApplication::processEvents();
        }
        return static_cast<double>(*arrivalNs_ - start) / 1e6;
    }

private:
    void arrived()
    {
        if (!arrivalNs_)
            arrivalNs_ = clock_.nsecsElapsed();
    }

    // The tag of a text comes back once the text has come.
    void answerCwdaemon()
    {
        while (udp_.hasPendingDatagrams()) {
            arrived();
            QHostAddress from;
            quint16 port = 0;
            QByteArray datagram(256, '\0');
            datagram.truncate(udp_.readDatagram(datagram.data(), datagram.size(), &from, &port));
            if (datagram.startsWith("\x1bh"))
                tag_ = datagram.mid(1);
            else if (!datagram.startsWith('\x1b') && !tag_.isEmpty())
                udp_.writeDatagram(std::exchange(tag_, {}) + "\r\n", from, port);
        }
    }

    // Every command succeeds, answered under its long name.
    void answerRigctld()
    {
        arrived();
        pending_ += client_->readAll();
        for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
            const QByteArray line = pending_.left(end);
            pending_.remove(0, end + 1);
            if (line.startsWith("+b")) {
                client_->write("send_morse: " + line.mid(2) + "\nRPRT 0\n");
            } else if (line == "+f") {
                client_->write("get_freq:\nFrequency: 14025000\nRPRT 0\n");
            } else if (line.startsWith("+\\")) {
                const qsizetype blank = line.indexOf(' ');
                const QByteArray name = blank < 0 ? line.mid(2) : line.mid(2, blank - 2);
                client_->write(name + ":" + (blank < 0 ? QByteArray() : line.mid(blank)) + "\nRPRT 0\n");
            }
        }
        client_->flush();
    }

    Daemon daemon_;
    QElapsedTimer clock_;
    std::optional<qint64> arrivalNs_;
    QUdpSocket udp_;
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    QByteArray tag_;
    QByteArray pending_;
};

}  // namespace qz::bench
