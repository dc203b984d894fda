// The function keys through Debian's cwdaemon, as the operator uses them:
// keys in the main window, the requests cwdaemon prints.

#include "cwdaemon_daemon.h"
#include "eventually.h"
#include "station_fixture.h"

#include <QCheckBox>
#include <QRegularExpression>

namespace qz::test {
namespace {

class CwKeysThroughCwdaemon : public StationTest {
protected:
    void SetUp() override
    {
        if (!CwdaemonDaemon::installed())
            GTEST_SKIP() << "cwdaemon is not installed";
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
        folder.write("QZ5KV_stationbook_messages.txt", "[OPTIONS]\r\nWPM=40\r\n");
        start();
        mainWindow().Timer1->stop();
    }
    void chooseCw(const std::string& setting)
    {
        station_->chooseCw(qz::chooseCw(setting, folder.path()), qz::chooseRig("off", folder.path()));
    }
    void press(QWidget* field, Qt::Key key, const QString& text = {})
    {
        focusOn(field);
        pressKey(key, Qt::NoModifier, text);
    }
    // The texts cwdaemon took, in order.
    std::string requests()
    {
        QStringList texts;
        static const QRegularExpression request(QStringLiteral("II: request: \"([^\"]*)\""));
        for (auto match = request.globalMatch(QString::fromLatin1(daemon.output())); match.hasNext();)
            texts << match.next().captured(1);
        return texts.join(QStringLiteral(" | ")).toStdString();
    }
    std::string state() { return control<QLabel>(form1(), "CwState")->text().toStdString(); }

    CwdaemonDaemon daemon;
};

TEST_F(CwKeysThroughCwdaemon, KeysSendSpeedAndAbortAndEnterSendsOnlyWhenOn)
{
    ASSERT_TRUE(daemon.start());
    const NetworkAddress at = daemon.address();
    chooseCw("cwdaemon:" + at.text());
    const MainControls w = mainWindow();
    EXPECT_TRUE(eventually([&] { return daemon.output().contains("requested morse speed [wpm]: \"40\""); }));

    w.Edit4->clear();
    typeInto(w.Edit4, QStringLiteral("dl1abc"));
    press(w.Edit4, Qt::Key_F2);
    EXPECT_TRUE(state().starts_with("CW F2: DL1ABC 5NN 28 → cwdaemon " + at.text()));
    EXPECT_TRUE(eventually([&] { return daemon.took("DL1ABC 5NN 28"); }));
    press(w.Edit6, Qt::Key_F10);
    EXPECT_TRUE(eventually([&] { return daemon.output().contains("requested morse speed [wpm]: \"42\""); }));

    // Escape breaks off a long CQ: cwdaemon aborts, and the window says so.
    press(w.Edit4, Qt::Key_F1);
    EXPECT_TRUE(eventually([&] { return daemon.took("CQ TEST QZ1ABC QZ1ABC TEST"); }));
    press(w.Edit4, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_TRUE(eventually([&] { return daemon.output().contains("requested aborting of message"); }));
    EXPECT_TRUE(state().starts_with("CW F1: CQ TEST QZ1ABC QZ1ABC TEST przerwane (Esc)"));

    // Off (the default): Enter is only Enter; F7 marks where this part ends.
    press(w.Edit4, Qt::Key_Return, QStringLiteral("\r"));
    ASSERT_TRUE(w.Edit6->hasFocus());
    press(w.Edit6, Qt::Key_F7);
    EXPECT_TRUE(eventually([&] { return daemon.took("?"); }));

    // On, through the window "Komunikaty": the QSO sends F5 and F2, the store F3.
    focusOn(w.Edit4);
    pressKey(Qt::Key_K, Qt::AltModifier, QStringLiteral("k"));
    auto* window = form1().findChild<QWidget*>(QStringLiteral("FormKomunikaty"));
    ASSERT_TRUE(window && window->isVisible());
    control<QCheckBox>(*window, "EnterSends")->setChecked(true);
    focusOn(control<QLineEdit>(*window, "CwF1"));
    pressKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ASSERT_FALSE(window->isVisible());
    w.Edit4->setText(QStringLiteral("OK1AB"));
    press(w.Edit4, Qt::Key_Return, QStringLiteral("\r"));
    w.Edit6->setText(QStringLiteral("15"));
    press(w.Edit6, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_TRUE(eventually([&] { return daemon.took("TU QZ1ABC TEST"); }, 10000));
    EXPECT_EQ(requests(), "DL1ABC 5NN 28 | CQ TEST QZ1ABC QZ1ABC TEST | ? | OK1AB | OK1AB 5NN 28 | TU QZ1ABC TEST");
    EXPECT_NE(folder.read("IARU_log.zrv").find("OK1AB"), std::string::npos);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(CwKeysThroughCwdaemon, ACwdaemonThatDoesNotAnswerNeverHoldsUpTypingOrStoring)
{
    chooseCw("cwdaemon:127.0.0.1:" + std::to_string(freePort()));
    const MainControls w = mainWindow();
    press(w.Edit4, Qt::Key_F1);
    w.Edit4->clear();
    typeInto(w.Edit4, QStringLiteral("sp9xyz"));
    typeInto(w.Edit6, QStringLiteral("15"));
    press(w.Edit6, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_NE(folder.read("IARU_log.zrv").find("SP9XYZ"), std::string::npos);
    EXPECT_TRUE(
        eventually([&] { return state().find("cwdaemon nie odpowiada (127.0.0.1:") != std::string::npos; }, 15000));
    EXPECT_TRUE(platform.boxes.empty());
}

}  // namespace
}  // namespace qz::test
