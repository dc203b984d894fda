#pragma once
// Debian's cwdaemon in a test: no keying device and no sound, at a free UDP
// port, in the foreground, so that its output shows every request it took
// (`request: "CQ TEST"`), the speed and the abort, while it keeps real
// keying time.

#include "address_setting.h"
#include "eventually.h"
#include "free_port.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QUdpSocket>

namespace qz::test {

class CwdaemonDaemon {
public:
    static bool installed() { return !QStandardPaths::findExecutable(QStringLiteral("cwdaemon")).isEmpty(); }

    ~CwdaemonDaemon()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // Started once it takes a request: it says nothing on the wire until then.
    ::testing::AssertionResult start()
    {
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        daemon_.start(QStringLiteral("cwdaemon"),
                      {"-n", "-d", "null", "-x", "n", "-p", QString::number(port_), "-iii"});
        if (!daemon_.waitForStarted())
            return ::testing::AssertionFailure() << "cwdaemon did not start";
        // Its own default speed, asked until it says it took it.
        QUdpSocket probe;
        for (int attempt = 0; attempt < kEventuallyMs / kProbeMs; ++attempt) {
            probe.writeDatagram("\x1b"
                                "224",
                                QHostAddress::LocalHost, port_);
            if (eventually([&] { return output().contains("requested morse speed"); }, kProbeMs))
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "cwdaemon did not take a request";
    }

    // All it has printed so far.
    const QByteArray& output()
    {
        output_ += daemon_.readAll();
        return output_;
    }
    bool took(const QByteArray& text) { return output().contains("request: \"" + text + "\""); }

    NetworkAddress address() const { return {"127.0.0.1", port_}; }

private:
    static constexpr int kProbeMs = 200;

    quint16 port_ = freePort();
    QProcess daemon_;
    QByteArray output_;
};

}  // namespace qz::test
