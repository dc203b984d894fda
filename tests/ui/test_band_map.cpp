// The band map through the operator's path: spots from a node scripted
// here, F12 to see them, Ctrl+Down in the callsign field to take one, and
// Hamlib's dummy radio tuned to it and read back with rigctl.

#include "eventually.h"
#include "rigctld_daemon.h"
#include "station_fixture.h"
#include "unit1_entry_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

// A node that asks for the login and then sends its spots.
class SpotNode {
public:
    explicit SpotNode(QByteArray spots) : spots_(std::move(spots))
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            socket->write("login: ");
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                socket->write(spots_);
            });
        });
    }
    ClusterChoice choice() const
    {
        ClusterSetting setting;
        setting.node = {"127.0.0.1", server.serverPort()};
        return {setting, setting.lifetime, "--cluster", {}};
    }
    QTcpServer server;

private:
    QByteArray spots_;
};

const QByteArray kSpots = "DX de SP5XYZ:    14025.0  QZ5KV        CW 599 qrv                     1234Z\r\n"
                          "DX de W3OA-#:    14031.1  DL1ABC       CW 22 dB 28 WPM CQ             1235Z\r\n"
                          "DX de K1TTT:     21250.0  QZ5KV        SSB                            1236Z\r\n";

class BandMapTest : public StationTest {
protected:
    void startWith(const char* category)
    {
        folder.write("QZ5KV_stationbook.ini", std::string("QZ1ABC,Jan,,,,,0,") + category + ",,IARU-HF,\r\n");
        start();
        station_->chooseCluster(node.choice(), {50ms, 200ms, 300ms});
        map = &station_->bandMap;
        list = control<QListView>(*map, "ListBox1");
    }
    std::vector<std::string> rows() const
    {
        std::vector<std::string> shown;
        for (int i = 0; i < count(); ++i)
            shown.push_back(list->model()->index(i, 0).data().toString().simplified().toStdString());
        return shown;
    }
    void pickNext()
    {
        focusOn(mainWindow().Edit4);
        pressKey(Qt::Key_Down, Qt::ControlModifier, {});
    }

    SpotNode node{kSpots};
    ui::BandMapWindow* map = nullptr;
    int count() const { return list->model()->rowCount(); }
    QListView* list = nullptr;
};

TEST_F(BandMapTest, F12ShowsTheBandsSpotsAndCtrlDownTakesOneAndTunesTheRadio)
{
    if (!RigctldDaemon::installed())
        GTEST_SKIP() << "Hamlib's rigctld is not installed";
    RigctldDaemon rig;
    ASSERT_TRUE(rig.start());
    rig.ask({"F", "14200000", "M", "USB", "0"});
    startWith("MULTI-OP HIGH");
    form1().followRadio(RigChoice{rig.address(), "--rig", {}}, {50ms, 300ms, 100ms});
    const MainControls w = mainWindow();
    ASSERT_TRUE(eventually([&] { return w.ComboBox1->currentText() == "20M"; }));

    focusOn(w.Edit4);
    pressKey(Qt::Key_F12, Qt::NoModifier, {});
    ASSERT_TRUE(map->isVisible());
    ASSERT_TRUE(eventually([&] { return count() == 2; }));
    // The headquarters station on a slot still lacking comes first, in the banner's colours.
    EXPECT_EQ(rows(), (std::vector<std::string>{"14025.0 QZ5KV 0 min brakuje 20M CW", "14031.1 DL1ABC 0 min"}));
    EXPECT_EQ(list->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::magenta));

    pickNext();
    EXPECT_EQ(w.Edit4->text(), "QZ5KV");
    EXPECT_EQ(w.ComboBox2->currentText(), "CW");
    EXPECT_EQ(w.Edit5->text(), "599");
    EXPECT_TRUE(eventually([&] { return rig.ask({"f"}) == "14025000"; }));
    EXPECT_TRUE(eventually([&] { return rig.ask({"m"}).startsWith("CW"); }));

    pickNext();
    EXPECT_EQ(w.Edit4->text(), "DL1ABC");
    EXPECT_TRUE(eventually([&] { return rig.ask({"f"}) == "14031100"; }));

    // The radio's next band shows its own spots; ages move on with the clock.
    rig.ask({"F", "21300000", "M", "USB", "0"});
    ASSERT_TRUE(eventually([&] { return w.ComboBox1->currentText() == "15M"; }));
    now += 7min;
    ASSERT_TRUE(eventually([&] { return rows() == std::vector<std::string>{"21250.0 QZ5KV 7 min brakuje 15M SSB"}; }));
    now += 30min;
    EXPECT_TRUE(eventually([&] { return count() == 0; }));
}

TEST_F(BandMapTest, ASingleOperatorBelowTheUnlimitedClassIsShownNoSpots)
{
    startWith("SINGLE-OP ALL CW LOW");
    ASSERT_TRUE(eventually([&] { return map->spotCount() == 3; }));
    control<QToolButton>(form1(), "Button11")->click();
    ASSERT_TRUE(map->isVisible());
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(control<QLabel>(*map, "Label1")->text().toStdString(),
              "Kategoria operatora QZ1ABC nie pozwala korzystać ze spotów: mapa ich nie pokazuje.");
    pickNext();
    EXPECT_EQ(mainWindow().Edit4->text(), "QZ5KV");
    EXPECT_EQ(count(), 0);
}

}  // namespace
}  // namespace qz::test
