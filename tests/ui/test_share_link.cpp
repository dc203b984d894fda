// Computers of one station sharing their log through a real mosquitto: every
// log ends with exactly the union of what was stored, whatever the broker and
// the network did in between, and what cannot be taken is counted and left.

#include "contest_fixtures.h"
#include "files.h"
#include "log_file.h"
#include "logbook.h"
#include "mosquitto_broker.h"
#include "mqtt_client.h"
#include "share_message.h"
#include "share_status.h"
#include "share_wiring.h"
#include "shared_log.h"
#include "station_fixture.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace qz::test {
namespace {

using link::ShareLink;
using ui::Logbook;

constexpr const char* kOperators = "QZ1ABC,A\r\nQZ2XYZ,B\r\n";

std::multiset<std::string> linesOf(const std::string& content)
{
    std::multiset<std::string> lines;
    for (const std::string& line : files::splitLines(content))
        if (!line.empty())
            lines.insert(line);
    return lines;
}

// One computer of the station: its own folder, logbook and link. `copyOf`:
// its folder starts as a byte copy of that one, journal and all.
struct Computer {
    Computer(const MosquittoBroker& broker, const std::string& name, const std::string& machine = "HERE",
             const TempFolder* copyOf = nullptr)
    {
        folder.write("QZ5KV_stationbook.ini", kOperators);
        if (copyOf)
            std::filesystem::copy(copyOf->path(), folder.path(),
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
        logbook.load();
        logbook.startSharing(name, machine);
        link = ui::linkToBroker(logbook, broker.setting());
    }
    std::multiset<std::string> log() const { return linesOf(folder.read("IARU_log.zrv")); }
    void remove(const std::string& line) { logbook.remove(line, logbook.view().findExact(line)); }
    void correct(const std::string& line, const std::string& call)
    {
        logbook.correct(line, [&](const std::string& old) { return withField(old, Field::Call, call); });
    }

    TempFolder folder;
    Logbook logbook{folder.path()};
    std::unique_ptr<ShareLink> link;
};

std::string qso(const std::string& call, const std::string& time = "12:00")
{
    return contestQso("QZ1ABC", call, "20M", "CW", "28", time);
}

// Every computer's log is `expected`, with no line twice.
::testing::AssertionResult allHold(const std::vector<Computer*>& computers, const std::multiset<std::string>& expected,
                                   int timeoutMs = 10000)
{
    const auto agreed = [&] {
        return std::all_of(computers.begin(), computers.end(), [&](Computer* c) { return c->log() == expected; });
    };
    if (eventually(agreed, timeoutMs))
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (Computer* computer : computers) {
        failure << computer->link->peers().self() << ":\n";
        for (const std::string& line : computer->log())
            failure << "  " << line << "\n";
    }
    return failure;
}

class Sharing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!MosquittoBroker::installed())
            GTEST_SKIP() << "mosquitto is missing: install it (scripts/install-deps.sh)";
        ASSERT_TRUE(broker.start());
    }
    MosquittoBroker broker;
};

TEST_F(Sharing, ThreeComputersHoldTheUnionThroughCorrectionsDeletionsAndALostBroker)
{
    Computer a(broker, "A"), b(broker, "B"), c(broker, "C");
    const std::vector<Computer*> all{&a, &b, &c};
    ASSERT_TRUE(eventually([&] { return a.link->peers().online() == 3 && c.link->peers().online() == 3; }));

    a.logbook.store(qso("SP1A"));
    b.logbook.store(qso("SP2B"));
    c.logbook.store(qso("SP3C"));
    ASSERT_TRUE(allHold(all, {qso("SP1A"), qso("SP2B"), qso("SP3C")}));

    // A QSO stored twice (a double Enter), one copy deleted elsewhere: every
    // log keeps one copy.
    c.logbook.store(qso("SP6F", "12:03"));
    c.logbook.store(qso("SP6F", "12:03"));
    ASSERT_TRUE(allHold(all, {qso("SP1A"), qso("SP2B"), qso("SP3C"), qso("SP6F", "12:03"), qso("SP6F", "12:03")}));
    a.remove(qso("SP6F", "12:03"));
    ASSERT_TRUE(allHold(all, {qso("SP1A"), qso("SP2B"), qso("SP3C"), qso("SP6F", "12:03")}));

    // Two computers correct one QSO at once: every log keeps the same one.
    a.correct(qso("SP3C"), "SP3AA");
    b.correct(qso("SP3C"), "SP3BB");
    b.remove(qso("SP1A"));
    ASSERT_TRUE(eventually([&] { return a.log() == b.log() && b.log() == c.log() && a.log().size() == 3; }, 10000));
    const std::multiset<std::string> agreed = a.log();
    EXPECT_TRUE(agreed.contains(qso("SP3AA")) != agreed.contains(qso("SP3BB")));

    // Stored while the broker is down, then the broker comes back with
    // nothing it kept: the computers give it everything again.
    broker.stop();
    ASSERT_TRUE(eventually([&] { return !a.link->connected() && !c.link->connected(); }));
    c.logbook.store(qso("SP4D", "12:01"));
    a.logbook.store(qso("SP5E", "12:02"));
    broker.forget();
    ASSERT_TRUE(broker.start());
    std::multiset<std::string> expected = agreed;
    expected.insert({qso("SP4D", "12:01"), qso("SP5E", "12:02")});
    ASSERT_TRUE(allHold(all, expected));

    // A computer set up anew after a clean restart of the broker gets the
    // whole log from what the broker kept, its deletions and corrections too.
    broker.stop();
    ASSERT_TRUE(broker.start());
    Computer d(broker, "D");
    EXPECT_TRUE(allHold({&a, &b, &c, &d}, expected));
}

TEST_F(Sharing, MessagesThatCannotBeTakenAreCountedAndNothingIsWritten)
{
    Computer a(broker, "A"), b(broker, "B");
    ASSERT_TRUE(eventually([&] { return a.link->peers().online() == 2; }));
    link::MqttClient intruder(
        "intruder", 1U << 24U,
        {[] {}, [](const std::optional<link::MqttProblem>&) {}, [](const link::MqttMessage&) {}, [] {}});
    intruder.start(broker.login());

    const std::string event = "qz5kv/QZ5KV/qso/X/1";
    const std::string good = "QZ5KV1 E A 1 X 1 1\n" + qso("SP9X");
    const std::vector<std::pair<std::string, std::string>> junk{
        {event, "hello"},                                           // not our form
        {event, "QZ5KV1 E A 1 X 1 1\n" + std::string(86, '\x01')},  // not a log line
        {event, good + std::string(3 << 20, 'x')},                  // megabytes
        {event, std::string("\0\xff\x80\r\n", 5)},                  // bytes of any value
        {"qz5kv/QZ5KV/whatever", "x"},                              // a topic of no use
        {"qz5kv/QZ5KV/pc/X", "QZ5KV1 P 1 1 1\nbad line"},           // a presence that lies
    };
    for (const auto& [topic, payload] : junk)
        intruder.publish(topic, payload, false);
    constexpr int kFlood = 3000;
    for (int i = 0; i < kFlood; ++i)
        intruder.publish(event, "flood " + std::to_string(i), false);
    const auto expectedDrops = static_cast<std::uint64_t>(junk.size() + kFlood);
    EXPECT_TRUE(eventually([&] { return a.link->dropped() == expectedDrops; }, 20000)) << a.link->dropped();
    // Another station's QSOs are not even read.
    intruder.publish("qz5kv/OTHER/qso/X/1", good, false);

    // Nothing stuck: a real QSO still arrives, and only it was written.
    b.logbook.store(qso("SP1A"));
    EXPECT_TRUE(allHold({&a, &b}, {qso("SP1A")}));
    EXPECT_EQ(a.link->dropped(), expectedDrops);
    EXPECT_EQ(a.folder.read("IARU_log.zrv"), qso("SP1A") + "\r\n");
}

// A client that sends what no computer of ours would.
struct Intruder {
    explicit Intruder(const MosquittoBroker& broker)
    {
        client.start(broker.login());
        EXPECT_TRUE(eventually([&] { return connected.load(); }));
    }
    std::atomic<bool> connected = false;
    link::MqttClient client{"intruder",
                            1U << 24U,
                            {[this] { connected = true; }, [](const std::optional<link::MqttProblem>&) {},
                             [](const link::MqttMessage&) {}, [] {}}};
};

TEST_F(Sharing, AFolderCopiedWholeToAnotherComputerSharesUnderANewNameAndNothingIsLost)
{
    Computer a(broker, "A", "MACHINE-1");
    a.logbook.store(qso("SP1A"));
    // A USB stick's clone of A's station folder, on another machine.
    Computer b(broker, "B", "MACHINE-2", &a.folder);
    EXPECT_EQ(b.link->peers().self(), "B");
    ASSERT_TRUE(eventually([&] { return a.link->peers().online() == 2 && b.link->peers().online() == 2; }));

    a.logbook.store(qso("SP2A", "12:01"));
    b.logbook.store(qso("SP3B", "12:02"));
    EXPECT_TRUE(allHold({&a, &b}, {qso("SP1A"), qso("SP2A", "12:01"), qso("SP3B", "12:02")}));
    EXPECT_TRUE(a.link->connected() && b.link->connected());
    EXPECT_TRUE(ui::shareStatusOf(*b.link).details.contains(
        "Folder stacji skopiowano z komputera A: ten komputer dzieli log pod nową nazwą B."));
    EXPECT_FALSE(ui::shareStatusOf(*a.link).details.contains("skopiowano"));
}

TEST_F(Sharing, NumbersFarBeyondTheStationsAreDroppedAndNeverRaiseWhatAComputerSends)
{
    Computer a(broker, "A"), b(broker, "B");
    ASSERT_TRUE(eventually([&] { return a.link->peers().online() == 2; }));
    Intruder intruder(broker);
    const std::string largest = std::to_string(kLargestShareNumber);
    // A stamp, and a number under A's own name, that readers still take.
    intruder.client.publish("qz5kv/QZ5KV/qso/X/1", "QZ5KV1 E A " + largest + " X 1 1\n" + qso("SP9X"), true);
    intruder.client.publish("qz5kv/QZ5KV/qso/A/" + largest, "QZ5KV1 E A 1 A " + largest + " 1\n" + qso("SP8A"), true);
    EXPECT_TRUE(eventually([&] { return a.link->dropped() == 2 && b.link->dropped() == 2; }));

    a.logbook.store(qso("SP1A"));
    b.logbook.store(qso("SP2B"));
    EXPECT_TRUE(allHold({&a, &b}, {qso("SP1A"), qso("SP2B")}));
    EXPECT_FALSE(ui::shareStatusOf(*a.link).warning);

    // A journal in which an older program took such a stamp: whatever this
    // computer sends now, the others refuse, and it says so.
    TempFolder older;
    {
        const LogFile log(older.path());
        log.createIfMissing();
        SharedLog shared(log, "C", "HERE");
        shared.receive({{.computer = "X",
                         .sequence = 1,
                         .stamp = kLargestShareNumber,
                         .kind = ShareKind::Add,
                         .qso = {"X", 1},
                         .line = qso("SP9X")}});
    }
    Computer c(broker, "C", "HERE", &older);
    ASSERT_TRUE(eventually([&] { return c.link->peers().online() == 3; }));
    const ui::ShareStatus status = ui::shareStatusOf(*c.link);
    EXPECT_EQ(status.text, "Sieć: 3 komputery, zmiany odrzucane!");
    EXPECT_TRUE(status.warning);
}

TEST_F(Sharing, AnEventClearedAtTheBrokerIsSentAgainByAComputerThatKnowsIt)
{
    Computer a(broker, "A"), b(broker, "B");
    ASSERT_TRUE(eventually([&] { return a.link->peers().online() == 2 && b.link->peers().online() == 2; }));
    a.logbook.store(qso("SP1A"));
    ASSERT_TRUE(allHold({&a, &b}, {qso("SP1A")}));
    Intruder intruder(broker);
    // The broker handles one client's messages in order: once the junk after
    // it is counted, the event was cleared.
    const auto clear = [&](Computer& witness, std::uint64_t drops) {
        intruder.client.publish("qz5kv/QZ5KV/qso/A/1", "", true);
        intruder.client.publish("qz5kv/QZ5KV/junk", "x", false);
        return eventually([&] { return witness.link->dropped() == drops; });
    };

    // Its own computer sends it again.
    ASSERT_TRUE(clear(a, 1));
    Computer c(broker, "C");
    EXPECT_TRUE(allHold({&a, &b, &c}, {qso("SP1A")}));

    // With its computer gone, another that knows it does.
    a.link.reset();
    ASSERT_TRUE(eventually([&] { return !b.link->peers().isOnline("A"); }));
    ASSERT_TRUE(clear(b, 2));
    Computer d(broker, "D");
    EXPECT_TRUE(allHold({&b, &c, &d}, {qso("SP1A")}));
}

TEST_F(Sharing, WhyTheBrokerCannotBeReachedIsSaidInPolish)
{
    Computer a(broker, "A");
    ASSERT_TRUE(eventually([&] { return a.link->connected(); }));
    broker.stop();
    EXPECT_TRUE(eventually([&] {
        return ui::shareStatusOf(*a.link).details.contains("\nPołączenie z brokerem zostało przerwane.");
    })) << ui::shareStatusOf(*a.link).details.toStdString();

    Computer b(broker, "B");
    EXPECT_TRUE(eventually([&] {
        return ui::shareStatusOf(*b.link).details.contains(
            "\nPod tym adresem broker nie przyjmuje połączeń: nie działa albo port jest inny.");
    })) << ui::shareStatusOf(*b.link).details.toStdString();
}

class SharingWindow : public StationTest {
protected:
    void SetUp() override
    {
        if (!MosquittoBroker::installed())
            GTEST_SKIP() << "mosquitto is missing: install it (scripts/install-deps.sh)";
        ASSERT_TRUE(broker.start());
        folder.write("QZ5KV_stationbook.ini", kOperators);
        start();
        mainWindow().Timer1->stop();
    }
    MosquittoBroker broker;
};

TEST_F(SharingWindow, AQsoTypedHereReachesTheOtherComputerAndTheirsShowInTheList)
{
    station_->chooseSharing({.setting = broker.setting(), .source = "--share", .ignored = {}});
    Computer other(broker, "OTHER");
    const MainControls w = mainWindow();
    auto* status = control<QLabel>(form1(), "LabelSiec");
    ASSERT_TRUE(eventually([&] { return status->text() == "Sieć: 2 komputery"; })) << status->text().toStdString();

    w.Edit4->clear();
    w.Edit6->clear();
    typeInto(w.Edit4, "sp1abc");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTest::keyClicks(w.Edit6, "15");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    const std::string typed = folder.read("IARU_log.zrv");
    ASSERT_EQ(linesOf(typed).size(), 1u);
    EXPECT_TRUE(eventually([&] { return other.log() == linesOf(typed); }));

    other.logbook.store(qso("DL1ABC"));
    EXPECT_TRUE(eventually([&] { return w.ListBox1->lines().size() == 2; }));
    const auto listed = w.ListBox1->lines();
    EXPECT_NE(std::find(listed.begin(), listed.end(), qso("DL1ABC")), listed.end());
    EXPECT_TRUE(eventually([&] { return status->toolTip().contains("OTHER: połączony, 1 QSO, ostatnie: DL1ABC"); }))
        << status->toolTip().toStdString();

    broker.stop();
    EXPECT_TRUE(eventually([&] { return status->text() == "Sieć: brak połączenia"; }));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(SharingWindow, OneComputersClusterLoginServesTheOthersBandMaps)
{
    station_->chooseSharing({.setting = broker.setting(), .source = "--share", .ignored = {}});
    Computer other(broker, "OTHER");
    std::vector<std::string> heard;
    QObject::connect(other.link.get(), &ShareLink::spotReceived, other.link.get(),
                     [&](const Spot& spot) { heard.push_back(spot.call + " " + kilohertzText(spot.hertz)); });
    auto* status = control<QLabel>(form1(), "LabelSiec");
    ASSERT_TRUE(eventually([&] { return status->text() == "Sieć: 2 komputery"; }));

    QTcpServer node;
    node.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&node, &QTcpServer::newConnection, &node, [&node] {
        node.nextPendingConnection()->write("DX de W3OA-#:    14031.1  DL1ABC       CW 22 dB 28 WPM CQ   1235Z\r\n"
                                            "DX de K1TTT:     21250.0  QZ5KV        SSB                  1236Z\r\n");
    });
    ClusterSetting setting;
    setting.node = {"127.0.0.1", node.serverPort()};
    station_->chooseCluster({setting, setting.lifetime, "--cluster", {}});
    EXPECT_TRUE(eventually([&] { return heard == std::vector<std::string>{"DL1ABC 14031.1", "QZ5KV 21250.0"}; }));

    // And the other way: a computer without a cluster of its own.
    other.link->sendSpot(*parseSpot("DX de SP5XYZ: 7012.5 QZ5KV 1240Z"));
    EXPECT_TRUE(eventually([&] { return station_->bandMap.spotCount() == 3; }));
    EXPECT_EQ(other.link->dropped(), 0u);
}

TEST(ShareStatusText, CountsComputersInPolish)
{
    EXPECT_EQ(ui::computersText(1), "1 komputer");
    EXPECT_EQ(ui::computersText(3), "3 komputery");
    EXPECT_EQ(ui::computersText(5), "5 komputerów");
    EXPECT_EQ(ui::computersText(12), "12 komputerów");
    EXPECT_EQ(ui::computersText(22), "22 komputery");
}

}  // namespace
}  // namespace qz::test
