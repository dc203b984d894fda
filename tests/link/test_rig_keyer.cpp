// CW through the radio's own keyer: Hamlib's rigctld with its dummy radio,
// and a rigctld that accepts and then says nothing.

#include "eventually.h"
#include "fake_rigctld.h"
#include "keyer_record.h"
#include "morse_timing.h"
#include "rig_keyer.h"
#include "rigctld_daemon.h"
#include "rigctld_session.h"

#include <QElapsedTimer>

namespace qz::test {
namespace {

using namespace std::chrono_literals;
using Finished = std::vector<std::pair<std::uint64_t, bool>>;

const link::SessionTiming kQuick{300ms, 100ms};

TEST(RigKeyer, KeysTheRadioAtTheSpeedAndSaysThatEscapeCouldNotStopIt)
{
    if (!RigctldDaemon::installed())
        GTEST_SKIP() << "Hamlib's rigctld is not installed";
    RigctldDaemon rig;
    ASSERT_TRUE(rig.start());
    auto session = std::make_shared<link::RigctldSession>(rig.address(), kQuick);
    session->start();
    link::RigKeyer keyer(session);
    KeyerRecord record(keyer);

    keyer.setSpeed(60);
    QElapsedTimer clock;
    clock.start();
    const auto test = keyer.send("TEST");
    const auto ee = keyer.send("EE");
    ASSERT_TRUE(eventually([&] { return record.finished == Finished{{test, false}, {ee, false}}; }));
    // rigctld cannot say when the radio is done: the time the texts take.
    EXPECT_GE(clock.elapsed(), (morse::duration("TEST", 60) + morse::duration("EE", 60)).count());
    EXPECT_TRUE(rig.took("b 'currVFO' 'TEST'"));
    EXPECT_TRUE(rig.took("b 'currVFO' 'EE'"));
    EXPECT_EQ(rig.ask({"l", "KEYSPD"}), "60");
    EXPECT_TRUE(record.problems.empty()) << record.problem().toStdString();

    const auto cq = keyer.send("CQ TEST CQ TEST");
    const auto tu = keyer.send("TU");
    ASSERT_TRUE(eventually([&] { return rig.took("b 'currVFO' 'CQ TEST CQ TEST'"); }));
    keyer.abort();
    EXPECT_EQ(record.finished, (Finished{{test, false}, {ee, false}, {cq, true}, {tu, true}}));
    EXPECT_TRUE(eventually(
        [&] { return record.problem() == QStringLiteral("Radio nie umie przerwać nadawania CW (stop_morse: -11)"); }));
    EXPECT_FALSE(rig.took("b 'currVFO' 'TU'"));
}

TEST(RigKeyer, SaysSoWhenRigctldDoesNotAnswerWithoutHoldingAnythingUp)
{
    FakeRigctld silent(nullptr);
    auto session = std::make_shared<link::RigctldSession>(silent.address(), kQuick);
    session->start();
    link::RigKeyer keyer(session);
    KeyerRecord record(keyer);

    QElapsedTimer clock;
    clock.start();
    const auto unanswered = keyer.send("TEST");
    EXPECT_LT(clock.elapsed(), 50);
    const QString problem =
        QStringLiteral("rigctld nie odpowiada (%1)").arg(QString::fromStdString(silent.address().text()));
    EXPECT_TRUE(eventually([&] { return record.problem() == problem; }));
    EXPECT_TRUE(eventually([&] { return record.finished == Finished{{unanswered, true}}; }));
}

}  // namespace
}  // namespace qz::test
