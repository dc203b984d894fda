#pragma once
// A TCP port on the loopback that nobody listens on just now, for a server
// the test starts itself, and the start of such a server.

#include "eventually.h"

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

namespace qz::test {

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Starts `program` and waits until it accepts connections on `port`.
inline ::testing::AssertionResult startLocalServer(QProcess& process, const QString& program,
                                                   const QStringList& arguments, quint16 port)
{
    process.start(program, arguments);
    if (!process.waitForStarted())
        return ::testing::AssertionFailure() << program.toStdString() << " did not start";
    return eventually([port] {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        return probe.waitForConnected(100);
    });
}

}  // namespace qz::test
