#pragma once
// A TCP port on the loopback that nobody listens on just now, for a server
// the test starts itself.

#include <QHostAddress>
#include <QTcpServer>

namespace qz::test {

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

}  // namespace qz::test
