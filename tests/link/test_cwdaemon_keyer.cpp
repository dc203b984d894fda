// CW through Debian's cwdaemon, as the function keys use it: what it keys,
// when it says a text is done, Escape, and a cwdaemon that never answers.

#include "cwdaemon_daemon.h"
#include "cwdaemon_keyer.h"
#include "eventually.h"
#include "keyer_record.h"
#include "morse_timing.h"

#include <QElapsedTimer>
#include <QUdpSocket>
#include <string>

namespace qz::test {
namespace {

using namespace std::chrono_literals;
using Finished = std::vector<std::pair<std::uint64_t, bool>>;

TEST(CwdaemonKeyer, KeysEachTextAtTheSpeedAndEscapeStopsItAndDropsTheRest)
{
    if (!CwdaemonDaemon::installed())
        GTEST_SKIP() << "cwdaemon is not installed";
    CwdaemonDaemon daemon;
    ASSERT_TRUE(daemon.start());
    link::CwdaemonKeyer keyer(daemon.address(), 2s);
    KeyerRecord record(keyer);

    keyer.setSpeed(60);
    QElapsedTimer clock;
    clock.start();
    const auto test = keyer.send("TEST");
    const auto ee = keyer.send("EE");
    ASSERT_TRUE(eventually([&] {
        return record.finished == Finished{{test, false}, {ee, false}};
    })) << daemon.output().toStdString();
    // Done when cwdaemon has keyed both, not when they were handed over.
    EXPECT_GE(clock.elapsed(), (morse::duration("TEST", 60) + morse::duration("EE", 60)).count() * 3 / 4);
    EXPECT_TRUE(daemon.output().contains("requested morse speed [wpm]: \"60\""));
    EXPECT_TRUE(daemon.took("TEST"));
    EXPECT_TRUE(daemon.took("EE"));

    // Longer than a datagram: it goes in two, and Escape stops it at once.
    std::string cq;
    for (int i = 0; i < 40; ++i)
        cq += "CQ TEST ";
    const auto longCq = keyer.send(cq);
    const auto tu = keyer.send("TU");
    ASSERT_TRUE(eventually([&] { return daemon.output().count("request: \"CQ TEST") == 2; }));
    keyer.abort();
    EXPECT_EQ(record.finished, (Finished{{test, false}, {ee, false}, {longCq, true}, {tu, true}}));
    EXPECT_TRUE(eventually([&] { return daemon.output().contains("requested aborting of message"); }));

    const auto e = keyer.send("E");
    EXPECT_TRUE(eventually([&] { return record.finished.back() == std::pair{e, false}; }));
    EXPECT_FALSE(daemon.took("TU"));
    EXPECT_TRUE(record.problems.empty()) << record.problem().toStdString();
}

// A socket that reads nothing until told: cwdaemon stopped, or not there.
TEST(CwdaemonKeyer, SaysSoWhenCwdaemonDoesNotAnswerWithoutHoldingAnythingUp)
{
    QUdpSocket daemon;
    ASSERT_TRUE(daemon.bind(QHostAddress::LocalHost, 0));
    link::CwdaemonKeyer keyer({"127.0.0.1", daemon.localPort()}, 200ms);
    KeyerRecord record(keyer);

    QElapsedTimer clock;
    clock.start();
    const auto unanswered = keyer.send("TEST");
    EXPECT_LT(clock.elapsed(), 50);
    const QString problem = QStringLiteral("cwdaemon nie odpowiada (127.0.0.1:%1)").arg(daemon.localPort());
    EXPECT_TRUE(eventually([&] { return record.problem() == problem; }));
    EXPECT_EQ(record.finished, (Finished{{unanswered, true}}));

    // It answers again as cwdaemon does: each tag once its text has come.
    QByteArray tag;
    const auto answer = [&daemon, &tag] {
        while (daemon.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 port = 0;
            QByteArray datagram(256, '\0');
            datagram.truncate(daemon.readDatagram(datagram.data(), datagram.size(), &from, &port));
            if (datagram.startsWith("\x1bh"))
                tag = datagram.mid(1);
            else if (!tag.isEmpty())
                daemon.writeDatagram(std::exchange(tag, {}) + "\r\n", from, port);
        }
    };
    QObject::connect(&daemon, &QUdpSocket::readyRead, answer);
    answer();
    const auto answered = keyer.send("EE");
    EXPECT_TRUE(eventually([&] { return record.finished.back() == std::pair{answered, false}; }));
    EXPECT_EQ(record.problem(), QString());
}

}  // namespace
}  // namespace qz::test
