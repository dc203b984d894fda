#pragma once
// A stand-in for rigctld that answers each poll in its own way: slowly, not
// at all, with garbage, or by hanging up. It records what the program sent.

#include "rig_setting.h"

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace qz::test {

class FakeRigctld : public QObject {
public:
    // Gets what the program sent since the last call.
    using Answer = std::function<void(QTcpSocket& client, const QByteArray& request)>;
    explicit FakeRigctld(Answer answer) : answer_(std::move(answer))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = server_.nextPendingConnection()) {
                ++connections;
                connect(client, &QTcpSocket::readyRead, client, [this, client] {
                    const QByteArray request = client->readAll();
                    received += request;
                    if (answer_)
                        answer_(*client, request);
                });
            }
        });
    }
    RigAddress address() const { return {"127.0.0.1", server_.serverPort()}; }

    int connections = 0;
    QByteArray received;

private:
    QTcpServer server_;
    Answer answer_;
};

}  // namespace qz::test
