// The function keys through the radio's own keyer, as the operator uses them:
// the station started with `--cw rig` and the radio at Hamlib's rigctld,
// keys in the main window, the commands rigctld logs.

#include "cw_setting.h"
#include "eventually.h"
#include "rig_setting.h"
#include "rigctld_daemon.h"
#include "station_fixture.h"

namespace qz::test {
namespace {

class CwKeysThroughTheRadio : public StationTest {
protected:
    void SetUp() override
    {
        if (!RigctldDaemon::installed())
            GTEST_SKIP() << "Hamlib's rigctld is not installed";
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
        // Slow enough that the CQ is still on the air while the log is typed.
        folder.write("QZ5KV_stationbook_messages.txt", "[OPTIONS]\r\nWPM=24\r\n");
        start();
        mainWindow().Timer1->stop();
        ASSERT_TRUE(rig.start());
    }
    void press(QWidget* field, Qt::Key key, const QString& text = {})
    {
        focusOn(field);
        pressKey(key, Qt::NoModifier, text);
    }
    std::string state() { return control<QLabel>(form1(), "CwState")->text().toStdString(); }
    QByteArray keySpeed() { return rig.ask({"l", "KEYSPD"}); }

    RigctldDaemon rig;
};

TEST_F(CwKeysThroughTheRadio, KeysTheRadioAndSaysEscapeCouldNotStopItWhileTheLogGoesOn)
{
    // As the program starts: the radio followed, and keyed, at one address.
    ASSERT_EQ(rig.ask({"F", "14025000", "M", "CW", "500"}), "");
    const RigChoice radio = chooseRig(rig.address().text(), folder.path());
    form1().followRadio(radio);
    station_->chooseCw(chooseCw("rig", folder.path()), radio);
    const MainControls w = mainWindow();
    const std::string where = "radio przez rigctld " + rig.address().text();
    EXPECT_TRUE(eventually([&] { return w.ComboBox1->currentText() == "20M" && w.ComboBox2->currentText() == "CW"; }));
    EXPECT_TRUE(eventually([&] { return keySpeed() == "24"; }));

    w.Edit4->clear();
    press(w.Edit4, Qt::Key_F1);
    EXPECT_EQ(state(), "CW F1: CQ TEST QZ1ABC QZ1ABC TEST → " + where + ", 24 WPM");
    EXPECT_TRUE(eventually([&] { return rig.took("b 'currVFO' 'CQ TEST QZ1ABC QZ1ABC TEST'"); }));
    EXPECT_TRUE(w.Edit4->text().isEmpty());

    // The speed on F10, in the radio as another program reads it.
    press(w.Edit4, Qt::Key_F10);
    EXPECT_TRUE(eventually([&] { return keySpeed() == "26"; }));

    // The log goes on while the radio keys: nothing waits on rigctld.
    typeInto(w.Edit4, QStringLiteral("dl1abc"));
    press(w.Edit4, Qt::Key_Return, QStringLiteral("\r"));
    ASSERT_TRUE(w.Edit6->hasFocus());
    typeInto(w.Edit6, QStringLiteral("14"));
    press(w.Edit6, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_NE(folder.read("IARU_log.zrv").find("DL1ABC"), std::string::npos);
    ASSERT_EQ(state(), "CW F1: CQ TEST QZ1ABC QZ1ABC TEST → " + where + ", 26 WPM");

    // Hamlib's dummy radio cannot stop a text: Escape says so in the window.
    press(w.Edit4, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_TRUE(eventually([&] {
        return state() == "CW F1: CQ TEST QZ1ABC QZ1ABC TEST przerwane (Esc), 26 WPM. "
                          "Radio nie umie przerwać nadawania CW (stop_morse: -11)";
    })) << state();

    // The next key goes out as before.
    press(w.Edit4, Qt::Key_F4);
    EXPECT_TRUE(eventually([&] { return rig.took("b 'currVFO' 'QZ1ABC'"); }));
    EXPECT_TRUE(platform.boxes.empty());
}

}  // namespace
}  // namespace qz::test
