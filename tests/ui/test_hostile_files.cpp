// The station started on a log and a settings file that were edited by hand
// or damaged: it starts, lists what it should, and what it did not change it
// leaves byte for byte.

#include "combo_lists.h"
#include "eventually.h"
#include "files.h"
#include "log_line.h"
#include "station_fixture.h"
#include "text.h"

#include <QAction>
#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QTimer>

namespace qz::test {
namespace {

const std::string kNul(1, '\0');
// Bytes that Windows-1250 leaves undefined.
const std::string kUndefined = "\x81\x83\x88\x90\x98";

std::string qso(const std::string& op, const std::string& call, const std::string& time)
{
    return composeLine({"2026-07-11", time, std::string(*bandColumnFor("20M")), std::string(*modeColumnFor("CW")), op,
                        "599", "28", call, "599", "KRU"});
}

std::string lfOnly(const std::vector<std::string>& lines)
{
    std::string content;
    for (const auto& line : lines)
        content += line + "\n";
    return content;
}

class HostileFiles : public StationTest {
protected:
    void startWith(const std::string& settings, const std::string& log)
    {
        folder.write("QZ5KV_stationbook.ini", settings);
        folder.write("IARU_log.zrv", log);
        start();
        mainWindow().Timer1->stop();
    }
    // Stores a QSO with this call; gives the last line of the log.
    std::string storeQso(const QString& call)
    {
        mainWindow().Edit4->clear();
        typeInto(mainWindow().Edit4, call);
        QTest::mouseClick(mainWindow().Button4, Qt::LeftButton);
        return files::readLines(folder / "IARU_log.zrv").back();
    }
};

TEST_F(HostileFiles, StartsOnDamagedFilesAndStoresWithoutChangingAnOldByte)
{
    std::string settings = "QZ2XYZ,Anna " + kUndefined + ",,,,,0,CHECKLOG,,IARU-HF,\r" + "QZ1ABC,Jan" + kNul +
                           ",,,,,0,CHECKLOG,,IARU-HF,\x01\x1b\n\n";
    for (int i = 0; i < 5000; ++i)
        settings += "QZ9A" + std::to_string(i) + ",,,,,,0,CHECKLOG,,IARU-HF,\n";
    const std::string withNul = replacedColumns(qso("QZ1ABC", "SP2BBB", "11:00"), 56, "SP" + kNul + "2" + kUndefined);
    const std::string giant = qso("QZ1ABC", "QZ5KV", "09:00") + std::string(std::size_t{2} * 1024 * 1024, 'z');
    const std::vector<std::string> lines{
        qso("QZ1ABC", "SP1AAA", "10:00"), withNul, qso("QZ2XYZ", "SP3CCC", "10:30"), giant, "short", "", "\x01\x02\x7f",
    };
    std::string before = lfOnly(lines);
    before.pop_back();  // no line end after the last line
    startWith(settings, before);

    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    EXPECT_EQ(mainWindow().ComboBox3->count(), 5002);
    EXPECT_EQ(mainWindow().ComboBox3->currentText(), "QZ1ABC");
    EXPECT_TRUE(mainWindow().ListBox1->lines() == (std::vector<std::string>{giant, lines[0], withNul}));
    form1().grab();  // the 2 MB line is painted too

    QTest::mouseClick(mainWindow().Button1, Qt::LeftButton);  // the operator editor lists every record
    EXPECT_TRUE(eventually([&] { return form2().isVisible(); }));
    EXPECT_EQ(editorWindow().callsigns().size(), 5002);
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();

    const std::string stored = storeQso("SP9NEW");
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join('\n').toStdString();
    EXPECT_EQ(callOf(stored), "SP9NEW");
    EXPECT_TRUE(folder.read("IARU_log.zrv") == before + "\r\n" + stored + "\r\n");
    EXPECT_TRUE(folder.read("IARU_log.zr~") == before);
    EXPECT_EQ(mainWindow().ListBox1->count(), 4);
}

// Text goes through the window's characters and back: an undefined byte that
// came back as "?" would hide an operator's QSOs, store new ones under another
// callsign and make a cancelled correction rewrite the QSO.
TEST_F(HostileFiles, AnOperatorWithAnUndefinedByteKeepsItsQsosAndItsCallsign)
{
    const std::string op = "QZ2" + kUndefined.substr(0, 1);
    const std::string old = qso(op, "SP1AAA", "10:00");
    startWith(op + ",Anna,,,,,0,CHECKLOG,,IARU-HF,\r\n", old + "\r\n");
    EXPECT_EQ(mainWindow().ListBox1->lines(), std::vector<std::string>{old});
    EXPECT_EQ(operatorOf(storeQso("SP9NEW")), op);
}

TEST_F(HostileFiles, ACancelledCorrectionOfACallWithUndefinedBytesChangesNothing)
{
    const std::string odd = replacedColumns(qso("QZ1ABC", "SP" + kUndefined, "10:00"), 74, "K" + kUndefined);
    startWith("QZ1ABC,Jan,,,,,0,CHECKLOG,,IARU-HF,\r\n", odd + "\r\n");
    ASSERT_EQ(mainWindow().ListBox1->count(), 1);
    mainWindow().ListBox1->selectRow(0);
    for (const char* command : {"Zmieznakkorespondenta1", "Zmieodebranynumerseryjny1"}) {
        SCOPED_TRACE(command);
        auto* action = form1().findChild<QAction*>(QString::fromLatin1(command));
        ASSERT_NE(action, nullptr);
        action->trigger();  // the entry box is cancelled
        EXPECT_TRUE(platform.boxes.empty());
        EXPECT_EQ(folder.read("IARU_log.zrv"), odd + "\r\n");
    }
}

// A line of megabytes was laid out whole at every repaint of the log list,
// which froze the window for seconds each time.
TEST_F(HostileFiles, ALineOfMegabytesIsShownCutButKeptWhole)
{
    const std::string giant = qso("QZ1ABC", "SP1AAA", "10:00") + std::string(std::size_t{2} * 1024 * 1024, 'z');
    startWith("QZ1ABC,Jan,,,,,0,CHECKLOG,,IARU-HF,\r\n", giant + "\r\n");
    ASSERT_EQ(mainWindow().ListBox1->lines(), std::vector<std::string>{giant});
    const QString shown = mainWindow().ListBox1->model()->index(0, 0).data().toString();
    EXPECT_LE(shown.size(), 1000);
    EXPECT_TRUE(shown.startsWith(QString::fromLatin1(giant.substr(0, 86))));
}

}  // namespace
}  // namespace qz::test
