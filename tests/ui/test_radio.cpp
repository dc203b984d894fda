// The band and mode lists follow a radio heard through rigctld: Hamlib's own
// daemon with its dummy radio, and fake servers that misbehave.

#include "eventually.h"
#include "fake_rigctld.h"
#include "free_port.h"
#include "log_line.h"
#include "rig_follower.h"
#include "station_fixture.h"
#include "unit1_entry_panel.h"

#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

// Quick enough that a test takes a fraction of a second, not the operator's
// comfortable default.
const link::RigTiming kQuick{50ms, 300ms, 100ms};

std::string text(const QString& shown) { return shown.toStdString(); }

// Hamlib's dummy radio served by a rigctld of the test's own.
class DummyRig {
public:
    ~DummyRig() { stop(); }

    ::testing::AssertionResult start()
    {
        return startLocalServer(daemon_, QStringLiteral("rigctld"), {"-m", "1", "-t", QString::number(port_)}, port_);
    }
    void stop()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    // Sets the radio through a second client, as the operator's other programs do.
    ::testing::AssertionResult set(const QStringList& commands)
    {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"), QStringList{"-m", "2", "-r", address()} + commands);
        if (rigctl.waitForFinished(kEventuallyMs) && rigctl.exitCode() == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "rigctl " << text(commands.join(' ')) << ": " << rigctl.readAllStandardError().toStdString();
    }
    // By number: a machine without /etc/hosts (a bare chroot) cannot look up "localhost".
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    RigAddress rigAddress() const { return {"127.0.0.1", port_}; }

private:
    quint16 port_ = freePort();
    QProcess daemon_;
};

bool haveHamlib()
{
    return !QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty();
}

class RadioTest : public StationTest {
protected:
    void follow(const RigAddress& address)
    {
        form1().followRadio(RigChoice{address, "--rig", {}}, kQuick);
        follower = form1().findChild<link::RigFollower*>(QStringLiteral("RigFollower1"));
        ASSERT_NE(follower, nullptr);
    }
    // Lets the follower answer `polls` more polls.
    ::testing::AssertionResult morePolls(int polls)
    {
        QSignalSpy spy(follower, &link::RigFollower::tuned);
        return eventually([&] { return spy.count() >= polls; });
    }
    // The band list's hint tells of the radio's new state, and two more polls
    // have been answered since: time enough for the lists to have moved.
    ::testing::AssertionResult heardAndSettled(const char* state)
    {
        if (!eventually([&] { return mainWindow().ComboBox1->toolTip().startsWith(QLatin1String(state)); }))
            return ::testing::AssertionFailure() << "the hint is " << text(mainWindow().ComboBox1->toolTip());
        return morePolls(2);
    }
    ::testing::AssertionResult listsShow(const QString& band, const QString& mode)
    {
        const MainControls w = mainWindow();
        if (eventually([&] { return w.ComboBox1->currentText() == band && w.ComboBox2->currentText() == mode; }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "the lists show " << text(w.ComboBox1->currentText()) << " " << text(w.ComboBox2->currentText())
               << "; hint " << text(w.ComboBox1->toolTip());
    }

    link::RigFollower* follower = nullptr;
};

class RadioDaemonTest : public RadioTest {
protected:
    void SetUp() override
    {
        if (!haveHamlib())
            GTEST_SKIP() << "rigctld or rigctl is missing: install libhamlib-utils (scripts/install-deps.sh)";
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
        start();
        mainWindow().Timer1->stop();
        ASSERT_TRUE(rig.start());
    }
    DummyRig rig;
};

TEST_F(RadioDaemonTest, ListsAndReportsFollowTheRadioAndTheStoreWritesThem)
{
    const MainControls w = mainWindow();
    ASSERT_TRUE(rig.set({"F", "14025000", "M", "USB", "2400"}));
    ui::focusField(w.Edit6);
    follow(rig.rigAddress());
    ASSERT_TRUE(listsShow("20M", "SSB"));
    EXPECT_EQ(w.Edit5->text(), "59");
    EXPECT_EQ(w.Edit7->maxLength(), 2);
    EXPECT_EQ(text(w.ComboBox1->toolTip()), text("Radio: 14,025 MHz USB (rigctld " + rig.address() + ")"));

    ASSERT_TRUE(rig.set({"F", "14025000", "M", "CW", "500"}));
    ASSERT_TRUE(listsShow("20M", "CW"));
    EXPECT_EQ(w.Edit5->text(), "599");
    EXPECT_EQ(w.Edit7->text(), "599");
    EXPECT_EQ(w.Edit5->maxLength(), 3);
    EXPECT_TRUE(eventually([&] { return w.ComboBox1->toolTip().startsWith("Radio: 14,025 MHz CW (rigctld"); }));
    // Following never takes the cursor away from the operator.
    EXPECT_TRUE(w.Edit6->hasFocus());

    w.Edit4->setText("SP1ABC");
    w.Button4->click();
    const std::string log = folder.read("IARU_log.zrv");
    ASSERT_EQ(log.size(), kLineLength + 2);
    EXPECT_EQ(slotKeyOf(log), " 14000 CW ");
    EXPECT_EQ(log.substr(44, 4), "599 ");
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(RadioDaemonTest, AHandPickStandsUntilTheRadioMoves)
{
    const MainControls w = mainWindow();
    ASSERT_TRUE(rig.set({"F", "7010000", "M", "CW", "500"}));
    follow(rig.rigAddress());
    ASSERT_TRUE(listsShow("40M", "CW"));

    w.Edit4->setFocus();
    QTest::keyClick(w.Edit4, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(w.Edit4, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(morePolls(3));
    EXPECT_EQ(w.ComboBox1->currentText(), "20M");
    EXPECT_EQ(w.ComboBox2->currentText(), "SSB");
    EXPECT_EQ(w.Edit5->text(), "59");

    // A mode that the list shows already leaves the reports as typed.
    w.Edit5->setText("57");
    ASSERT_TRUE(rig.set({"M", "LSB", "2400"}));
    ASSERT_TRUE(morePolls(3));
    EXPECT_EQ(w.Edit5->text(), "57");

    ASSERT_TRUE(rig.set({"F", "21030000", "M", "CW", "500"}));
    ASSERT_TRUE(listsShow("15M", "CW"));
    EXPECT_EQ(w.Edit5->text(), "599");

    // Off the contest bands and in another mode: the lists stay as they are.
    ASSERT_TRUE(rig.set({"F", "10120000", "M", "RTTY", "500"}));
    ASSERT_TRUE(heardAndSettled("Radio: 10,120 MHz RTTY"));
    EXPECT_EQ(w.ComboBox1->currentText(), "15M");
    EXPECT_EQ(w.ComboBox2->currentText(), "CW");
}

TEST_F(RadioDaemonTest, WaitsWhileTheOperatorUsesAList)
{
    const MainControls w = mainWindow();
    ASSERT_TRUE(rig.set({"F", "14025000", "M", "CW", "500"}));
    follow(rig.rigAddress());
    ASSERT_TRUE(listsShow("20M", "CW"));

    // The band list's drop-down is open: it does not jump under the mouse.
    w.ComboBox1->showPopup();
    ASSERT_TRUE(rig.set({"F", "3525000"}));
    ASSERT_TRUE(heardAndSettled("Radio: 3,525 MHz"));
    EXPECT_EQ(w.ComboBox1->currentText(), "20M");
    w.ComboBox1->hidePopup();
    ASSERT_TRUE(listsShow("80M", "CW"));

    // Typing into the mode list: the radio's move waits until the cursor leaves.
    w.ComboBox2->setFocus();
    w.ComboBox2->lineEdit()->selectAll();
    QTest::keyClick(w.ComboBox2, Qt::Key_X);
    ASSERT_TRUE(rig.set({"M", "USB", "2400"}));
    ASSERT_TRUE(heardAndSettled("Radio: 3,525 MHz USB"));
    EXPECT_EQ(w.ComboBox2->currentText(), "x");
    ui::focusField(w.Edit4);
    ASSERT_TRUE(listsShow("80M", "SSB"));
    EXPECT_EQ(w.Edit7->text(), "59");
}

TEST_F(RadioDaemonTest, FollowsAgainWhenRigctldComesBack)
{
    const MainControls w = mainWindow();
    ASSERT_TRUE(rig.set({"F", "14025000", "M", "CW", "500"}));
    follow(rig.rigAddress());
    ASSERT_TRUE(listsShow("20M", "CW"));

    rig.stop();
    const std::string lost = text("Radio: brak połączenia (rigctld " + rig.address() + ")");
    ASSERT_TRUE(eventually([&] { return text(w.ComboBox1->toolTip()) == lost; })) << text(w.ComboBox1->toolTip());
    // Still usable meanwhile.
    w.Edit4->clear();
    typeInto(w.Edit4, "sp2x");
    EXPECT_EQ(w.Edit4->text(), "SP2X");

    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.set({"F", "28025000", "M", "USB", "2400"}));
    ASSERT_TRUE(listsShow("10M", "SSB"));
    EXPECT_TRUE(platform.boxes.empty());
}

struct MisbehaviourCase {
    const char* name;
    FakeRigctld::Answer answer;
    const char* state;
};
void PrintTo(const MisbehaviourCase& row, std::ostream* out) { *out << row.name; }

class RadioMisbehaviour : public RadioTest, public ::testing::WithParamInterface<MisbehaviourCase> {
protected:
    void SetUp() override
    {
        start();
        mainWindow().Timer1->stop();
    }
};

TEST_P(RadioMisbehaviour, NeitherStopsTheWindowNorMovesTheLists)
{
    const MainControls w = mainWindow();
    FakeRigctld server(GetParam().answer);
    follow(server.address());
    const std::string expected = std::string("Radio: ") + GetParam().state +
                                 " (rigctld 127.0.0.1:" + std::to_string(server.address().port) + ")";
    ASSERT_TRUE(eventually([&] { return text(w.ComboBox1->toolTip()) == expected; })) << text(w.ComboBox1->toolTip());
    // It keeps trying quietly, and the window answers keys meanwhile.
    ASSERT_TRUE(eventually([&] { return server.connections >= 2; }));
    w.Edit4->clear();
    typeInto(w.Edit4, "sp3y");
    EXPECT_EQ(w.Edit4->text(), "SP3Y");
    EXPECT_EQ(w.ComboBox1->currentText(), "160M");
    EXPECT_EQ(w.ComboBox2->currentText(), "CW");
    EXPECT_TRUE(platform.boxes.empty());
    // It only ever asked.
    EXPECT_EQ(server.received.replace("+f\n+m\n", ""), QByteArray());
}

// A server that answers every request with the same bytes.
FakeRigctld::Answer always(const char* bytes)
{
    return [bytes](QTcpSocket& client, const QByteArray&) { client.write(bytes); };
}

INSTANTIATE_TEST_SUITE_P(
    Servers, RadioMisbehaviour,
    ::testing::Values(
        MisbehaviourCase{"Silent", nullptr, "brak odpowiedzi"},
        MisbehaviourCase{"HangsUp", [](QTcpSocket& client, const QByteArray&) { client.disconnectFromHost(); },
                         "brak połączenia"},
        MisbehaviourCase{"FloodsOneEndlessLine",
                         [](QTcpSocket& client, const QByteArray&) { client.write(QByteArray(1 << 20, '\x7f')); },
                         "niezrozumiała odpowiedź"},
        MisbehaviourCase{"AnswersAnotherQuestion", always("get_vfo:\nVFO: VFOA\nRPRT 0\n"), "niezrozumiała odpowiedź"},
        MisbehaviourCase{"AnswersWithoutSayingWhat", always("RPRT 0\nRPRT 0\n"), "niezrozumiała odpowiedź"},
        MisbehaviourCase{"GivesNonsenseForAFrequency",
                         always("get_freq:\nFrequency: fourteen\nRPRT 0\nget_mode:\nMode: CW\nRPRT 0\n"),
                         "niezrozumiała odpowiedź"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RadioTest, ASlowRigctldIsWaitedForAndNeverAskedTwiceAtOnce)
{
    start();
    const MainControls w = mainWindow();
    int asked = 0;
    int mostOutstanding = 0;
    FakeRigctld server([&](QTcpSocket& client, const QByteArray& request) {
        const int polls = static_cast<int>(request.count("+f\n+m\n"));
        asked += polls;
        mostOutstanding = std::max(mostOutstanding, asked);
        // Slower than the poll period, within the follower's patience.
        QTimer::singleShot(150ms, &client, [&client, &asked, polls] {
            asked -= polls;
            for (int i = 0; i < polls; ++i)
                client.write("get_freq:\nFrequency: 21025000\nRPRT 0\nget_mode:\nMode: USB\nPassband: 2400\nRPRT 0\n");
        });
    });
    follow(server.address());
    ASSERT_TRUE(listsShow("15M", "SSB"));
    ASSERT_TRUE(morePolls(2));
    EXPECT_EQ(server.connections, 1);
    EXPECT_EQ(mostOutstanding, 1);
    EXPECT_EQ(w.Edit5->text(), "59");
}

TEST_F(RadioTest, OffAndMalformedSettingsShowInTheHintWithoutABox)
{
    start();
    folder.write(std::string(kRigSettingFile), "off\r\n");
    form1().followRadio(chooseRig(std::string("localhost:99999"), folder.path()), kQuick);
    EXPECT_EQ(text(mainWindow().ComboBox1->toolTip()),
              "Radio: nie jest śledzone (off w QZ5KV_stationbook_rig.txt)\n"
              "Pominięto ustawienie radia --rig „localhost:99999”: port musi być liczbą od 1 do 65535; "
              "oczekiwano HOST:PORT albo off.");
    EXPECT_EQ(form1().findChild<link::RigFollower*>(), nullptr);
    EXPECT_TRUE(platform.boxes.empty());
}

}  // namespace
}  // namespace qz::test
