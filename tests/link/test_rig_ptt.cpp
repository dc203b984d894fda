// The transmitter's PTT through Hamlib's rigctld with its dummy radio, read
// back by a second client: keyed and dropped, and never left on when rigctld
// goes away and comes back or when the program closes.

#include "eventually.h"
#include "rig_ptt.h"
#include "rigctld_daemon.h"
#include "rigctld_session.h"

#include <QSignalSpy>
#include <memory>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

TEST(RigPtt, KeysAndDropsTheRadioAndNeverLeavesItOn)
{
    if (!RigctldDaemon::installed())
        GTEST_SKIP() << "Hamlib's rigctld is not installed";
    RigctldDaemon rig;
    ASSERT_TRUE(rig.start());
    auto session = std::make_shared<link::RigctldSession>(rig.address(), link::SessionTiming{300ms, 100ms});
    session->start();
    auto ptt = std::make_unique<link::RigPtt>(session);
    QSignalSpy keyed(ptt.get(), &link::PttSwitch::keyed);
    QSignalSpy problems(ptt.get(), &link::PttSwitch::problemChanged);
    const auto lastKeyed = [&](bool on) { return !keyed.isEmpty() && keyed.constLast().at(0).toBool() == on; };

    ptt->key(true);
    ASSERT_TRUE(eventually([&] { return lastKeyed(true); }));
    EXPECT_EQ(rig.ask({"t"}), "1");
    ptt->key(false);
    ASSERT_TRUE(eventually([&] { return lastKeyed(false); }));
    EXPECT_EQ(rig.ask({"t"}), "0");
    EXPECT_TRUE(problems.isEmpty());

    // rigctld goes away while transmitting and comes back: before anything
    // else, PTT is dropped.
    ptt->key(true);
    ASSERT_TRUE(eventually([&] { return lastKeyed(true); }));
    rig.stop();
    EXPECT_TRUE(eventually([&] { return !problems.isEmpty() && !problems.constLast().at(0).toString().isEmpty(); }));
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(eventually([&] { return lastKeyed(false); }));
    ASSERT_FALSE(rig.commands().isEmpty());
    EXPECT_TRUE(rig.commands().constFirst().startsWith("T 'currVFO' '0'")) << rig.commands().constFirst().toStdString();

    // Closed while transmitting.
    ptt->key(true);
    ASSERT_TRUE(eventually([&] { return lastKeyed(true); }));
    ptt.reset();
    EXPECT_TRUE(eventually([&] { return rig.ask({"t"}) == "0"; }));
}

}  // namespace
}  // namespace qz::test
