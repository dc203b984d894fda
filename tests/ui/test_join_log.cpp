// Joining another computer's log after the contest, from a copy of its
// IARU_log.zrv on a USB stick.

#include "codec.h"
#include "eventually.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QPushButton>
#include <QTimer>
#include <cerrno>

namespace qz::test {
namespace {

std::string qso(const std::string& op, const std::string& call)
{
    return composeLine({"2026-07-11", "12:34", std::string(*bandColumnFor("20M")), std::string(*modeColumnFor("CW")),
                        op, "599", "28", call, "599", "KRU"});
}

class JoinLog : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,,,,0,CHECKLOG,,IARU-HF,\r\n");
        folder.write("IARU_log.zrv", kMine + "\r\n");
        std::filesystem::create_directory(folder / "usb");
        start();
        mainWindow().Timer1->stop();
    }
    void join(const QString& chosen)
    {
        platform.openPaths.emplace_back(chosen);
        QTest::mouseClick(mainWindow().Button9, Qt::LeftButton);
    }

    const std::string kMine = qso("QZ1ABC", "SP1AAA");
};

TEST_F(JoinLog, AddsWhatTheLogLacksOnceAndEveryWindowFollows)
{
    const std::string theirs = qso("QZ1ABC", "SP2BBB");
    const std::string another = qso("QZ2XYZ", "SP3CCC");
    folder.write("usb/IARU_log.zrv",
                 kMine + "\n" + theirs + "\n\x01 damaged " + std::string(1, '\0') + "\n" + another + "\n");
    const QString copy = path("usb/IARU_log.zrv");
    join(copy);
    EXPECT_EQ(platform.boxes, Boxes{informationBox("Dołączono 2 QSO z pliku " + copy + ".")});
    EXPECT_EQ(folder.read("IARU_log.zrv"), kMine + "\r\n" + theirs + "\r\n" + another + "\r\n");
    EXPECT_EQ(folder.read("IARU_log.zr~"), kMine + "\r\n");
    EXPECT_TRUE(eventually([&] { return mainWindow().ListBox1->count() == 2; }));

    join(copy);
    EXPECT_EQ(platform.boxes.back(),
              informationBox("Nic do dołączenia: wszystkie QSO z pliku " + copy + " są już w logu."));
    EXPECT_EQ(folder.read("IARU_log.zrv"), kMine + "\r\n" + theirs + "\r\n" + another + "\r\n");
}

TEST_F(JoinLog, TheOwnLogIsRefusedAndAFileThatCannotBeReadIsNamedWithNothingChanged)
{
    join(fromPath(folder / "usb" / ".." / "IARU_log.zrv"));
    join(path("usb/missing.zrv"));
    join(path("usb"));
    QTest::mouseClick(mainWindow().Button9, Qt::LeftButton);  // the dialog is cancelled
    EXPECT_EQ(platform.boxes,
              (Boxes{errorBox("Plik " + fromPath(folder / "usb" / ".." / "IARU_log.zrv") +
                              " jest logiem tego komputera lub jego plikiem roboczym.\n"
                              "Wybierz log z innego komputera."),
                     fileFailureBox(ENOENT, folder / "usb/missing.zrv"), fileFailureBox(EACCES, folder / "usb")}));
    EXPECT_EQ(folder.read("IARU_log.zrv"), kMine + "\r\n");
    EXPECT_FALSE(folder.exists("IARU_log.zr~"));
}

TEST_F(JoinLog, TheButtonStandsAfterNowyLogWithoutWideningTheWindow)
{
    const MainControls w = mainWindow();
    EXPECT_LE(form1().minimumSizeHint().width(), 694);
    EXPECT_EQ(w.Button9->geometry().translated(-w.Button9->x(), 0),
              w.Button8->geometry().translated(-w.Button8->x(), 0));
    EXPECT_TRUE(w.Button8->x() < w.Button9->x() && w.Button9->x() < w.Button3->x());

    // Nor with the clock stopped, when "Włączenie zegara" joins the row.
    focusOn(w.Edit4);
    pressKey(Qt::Key_PageUp, Qt::NoModifier, {});
    ASSERT_TRUE(w.Button6->isVisibleTo(&form1()));
    QApplication::processEvents();
    EXPECT_EQ(form1().width(), 694);
    for (QPushButton* button : {w.Button2, w.Button7, w.Button8, w.Button9, w.Button3, w.Button5, w.Button6})
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
            << button->text().toStdString();
}

}  // namespace
}  // namespace qz::test
