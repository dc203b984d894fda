#pragma once
// Hamlib's rigctld with its dummy radio in a test, at a free port, PTT
// through the radio's own command (-P RIG) and logging every command
// (`rigctl(d): b 'currVFO' 'CQ TEST'`). It can be stopped and started again
// at the same port, and read back through a second client, as the operator's
// other programs would.

#include "eventually.h"
#include "free_port.h"
#include "rig_setting.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace qz::test {

class RigctldDaemon {
public:
    static bool installed()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty();
    }

    ~RigctldDaemon() { stop(); }

    // A fresh radio and a fresh log each time.
    ::testing::AssertionResult start()
    {
        log_.clear();
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        return startLocalServer(daemon_, QStringLiteral("rigctld"),
                                {"-m", "1", "-P", "RIG", "-t", QString::number(port_), "-vvvvv"}, port_);
    }
    void stop()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // The commands it has taken since it was started, one a line:
    // "T 'currVFO' '1' '' ''".
    QByteArrayList commands()
    {
        log_ += daemon_.readAll();
        QByteArrayList taken;
        for (const QByteArray& line : log_.split('\n'))
            if (line.startsWith(kCommandLine))
                taken.append(line.mid(kCommandLine.size()));
        return taken;
    }
    bool took(const QByteArray& command)
    {
        const QByteArrayList taken = commands();
        return std::any_of(taken.begin(), taken.end(),
                           [&](const QByteArray& line) { return line.startsWith(command); });
    }

    // What rigctl says for `arguments` ("t" gives "1" while transmitting).
    QByteArray ask(const QStringList& arguments) const
    {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"),
                     QStringList{"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port_)} + arguments);
        rigctl.waitForFinished(kEventuallyMs);
        return rigctl.readAllStandardOutput().trimmed();
    }

    // By number: a machine without /etc/hosts (a bare chroot) cannot look up "localhost".
    RigAddress address() const { return {"127.0.0.1", port_}; }

private:
    static inline const QByteArray kCommandLine = "rigctl(d): ";

    quint16 port_ = freePort();
    QProcess daemon_;
    QByteArray log_;
};

}  // namespace qz::test
