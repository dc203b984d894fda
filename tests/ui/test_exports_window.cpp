#include "files.h"
#include "log_line.h"
#include "station_fixture.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace qz::test {
namespace {

const std::string kLog = "IARU_log.zrv";
const std::string kIni = "QZ5KV_stationbook.ini";

std::string qso(const std::string& op, const std::string& time, const std::string& call = "SP1XYZ")
{
    return composeLine({"2026-07-11", time, " 14000", " CW ", op, "599", "28", call, "599", "KRU"});
}

class Exports : public StationTest {
protected:
    // Two operators whose QSOs alternate in the log; QZ1ABC is selected first.
    void startWithTwoOperators()
    {
        log = {qso("QZ2XYZ", "12:31"), qso("QZ1ABC", "12:32"), qso("QZ2XYZ", "12:33"), qso("QZ1ABC", "12:34")};
        folder.write(kLog, files::joinLines(log));
        folder.write(kIni, files::joinLines({"QZ1ABC,Anna Nowak,,Street 1,,,10,SINGLE-OP,,IARU-HF,",
                                             "QZ2XYZ,Bolek Lis,,Street 2,,,20,CHECKLOG,,MY-CONTEST,"}));
        start();
    }

    void click(QWidget& window, const char* button)
    {
        QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
    }

    // The log list holds exactly the selected operator's QSOs.
    void expectOnlyCurrentOperatorListed()
    {
        const std::vector<std::string> own{log[1], log[3]};
        EXPECT_EQ(currentOperator(), "QZ1ABC");
        EXPECT_EQ(mainWindow().ListBox1->lines(), own);
    }

    std::vector<std::string> log;
};

TEST_F(Exports, AdifWindowTakesTheContestAndYearAndHidesTheMainWindow)
{
    startWithTwoOperators();
    ui::TForm3& w = form3();
    EXPECT_EQ(w.windowTitle(), "Zapis pliku ADIF");
    EXPECT_EQ(control<QLabel>(w, "Label1")->text(), "Komentarz dla wszystkich rekordów:");
    EXPECT_EQ(control<QPushButton>(w, "Button1")->text(), "Zapisz");
    EXPECT_EQ(control<QPushButton>(w, "Button2")->text(), "Powrót");

    click(form1(), "Button7");
    EXPECT_FALSE(form1().isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(control<QLineEdit>(w, "Edit1")->text(), "IARU-HF 2026");
    EXPECT_LE((w.frameGeometry().center() - form1().frameGeometry().center()).manhattanLength(), 2);
    // Minimised and brought back, it stays where the operator moved it.
    w.move(w.pos() + QPoint(40, 30));
    const QPoint moved = w.pos();
    w.setWindowState(Qt::WindowMinimized);
    w.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(w.pos(), moved);

    click(w, "Button2");
    EXPECT_TRUE(form1().isVisible());
    EXPECT_FALSE(w.isVisible());

    // The default follows whatever the editor's contest field holds now.
    editorWindow().Edit10->setText("SP-DX");
    now += std::chrono::days(366);
    click(form1(), "Button7");
    EXPECT_EQ(control<QLineEdit>(w, "Edit1")->text(), "SP-DX 2027");
    w.close();
    EXPECT_TRUE(form1().isVisible());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Exports, AdifWritesEveryOperatorAndKeepsTheWindowOpen)
{
    startWithTwoOperators();
    click(form1(), "Button7");
    ui::TForm3& w = form3();
    auto* comment = control<QLineEdit>(w, "Edit1");
    comment->clear();
    typeInto(comment, "TEST ");
    QTest::sendKeyEvent(QTest::Click, comment, Qt::Key_unknown, QStringLiteral("ó"), Qt::NoModifier);
    // Enter in the comment writes the files, as "Zapisz" does.
    QTest::keyClick(comment, Qt::Key_Return);

    EXPECT_EQ(platform.boxes, Boxes{informationBox("Pliki ADIF zostały zapisane!")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(form1().isVisible());
    expectOnlyCurrentOperatorListed();
    const auto adi = files::splitLines(folder.read("qz2xyz.adi"));
    ASSERT_EQ(adi.size(), 5u);
    EXPECT_NE(adi[3].find("<COMMENT:6>TEST \xf3 <OPERATOR:6>QZ2XYZ <EOR>"), std::string::npos) << adi[3];
    EXPECT_TRUE(folder.exists("qz1abc.adi"));
}

TEST_F(Exports, AdifReportsAMissingLogAndLeavesTheListAlone)
{
    startWithTwoOperators();
    std::filesystem::remove(folder / kLog);
    click(form1(), "Button7");
    click(form3(), "Button1");
    EXPECT_EQ(platform.boxes, Boxes{errorBox("Plik \"" + path(kLog) + "\" nie istnieje!")});
    EXPECT_FALSE(folder.exists("qz1abc.adi"));
    expectOnlyCurrentOperatorListed();
}

TEST_F(Exports, CabrilloWritesFilesAndShowsTheLastOperatorInTheEditor)
{
    startWithTwoOperators();
    click(form1(), "Button2");
    EXPECT_EQ(platform.boxes, Boxes{informationBox("Pliki Cabrillo zostały zapisane!")});
    expectOnlyCurrentOperatorListed();
    EXPECT_TRUE(folder.exists("qz1abc.cbr"));
    EXPECT_TRUE(folder.exists("qz2xyz.cbr"));
    // QZ2XYZ's QSO comes first, so QZ1ABC's file is begun last.
    const EditorControls editor = editorWindow();
    ASSERT_GE(form2().selectedRow(), 0);
    EXPECT_EQ(editor.callsigns().value(form2().selectedRow()), "QZ1ABC");
    EXPECT_EQ(editor.Edit2->text(), "Anna Nowak");
    EXPECT_EQ(editor.Edit7->text(), "10");
}

TEST_F(Exports, OperatorWithoutRecordShowsNewRecordValuesInTheEditor)
{
    startWithTwoOperators();
    folder.write(kLog, files::joinLines({log[0], log[1], qso("QZ9NEW", "12:59")}));
    // What an earlier look at another operator left in the fields.
    editorWindow().Edit7->setText("20");
    editorWindow().Edit8->setText("SINGLE-OP");
    editorWindow().Edit10->setText("MY-CONTEST");
    click(form1(), "Button2");
    EXPECT_EQ(platform.texts(), QStringList{"Pliki Cabrillo zostały zapisane!"});
    EXPECT_EQ(form2().selectedRow(), -1);
    EXPECT_EQ(form2().fields(), newRecordFields());
    EXPECT_EQ(files::splitLines(folder.read("qz9new.cbr"))[1], "CONTEST: IARU-HF");
}

TEST_F(Exports, CabrilloKeepsWhatIsBeingTypedIntoTheEditor)
{
    startWithTwoOperators();
    click(form1(), "Button1");
    ASSERT_TRUE(form2().isVisible());
    click(form2(), "Button5");  // edit the selected operator
    ASSERT_TRUE(form2().isEditing());
    editorWindow().Edit2->setText("Not saved yet");
    editorWindow().Edit10->setText("TYPED");
    const int selected = form2().selectedRow();

    click(form1(), "Button2");
    EXPECT_EQ(platform.texts(), QStringList{"Pliki Cabrillo zostały zapisane!"});
    EXPECT_EQ(editorWindow().Edit2->text(), "Not saved yet");
    EXPECT_EQ(editorWindow().Edit10->text(), "TYPED");
    EXPECT_EQ(form2().selectedRow(), selected);
    EXPECT_TRUE(form2().isEditing());
}

TEST_F(Exports, CabrilloStopsWithoutTheSettingsFile)
{
    startWithTwoOperators();
    std::filesystem::remove(folder / kIni);
    click(form1(), "Button2");
    EXPECT_EQ(platform.boxes,
              Boxes{errorBox("Plik z danymi operatorów (QZ5KV_stationbook.ini) nie został znaleziony!")});
    EXPECT_FALSE(folder.exists("qz1abc.cbr"));
    expectOnlyCurrentOperatorListed();

    std::filesystem::remove(folder / kLog);
    platform.boxes.clear();
    click(form1(), "Button2");
    EXPECT_EQ(platform.texts(), QStringList{"Plik \"" + path(kLog) + "\" nie istnieje!"});
}

TEST_F(Exports, EmptyLogIsSilentForCabrilloAndReportedForAdif)
{
    startWithTwoOperators();
    folder.write(kLog, "\r\n\r\n");
    click(form1(), "Button2");
    EXPECT_TRUE(platform.boxes.empty());
    click(form1(), "Button7");
    click(form3(), "Button1");
    EXPECT_EQ(platform.texts(), QStringList{"Pliki ADIF zostały zapisane!"});
    EXPECT_FALSE(folder.exists("qz1abc.cbr"));
    EXPECT_FALSE(folder.exists("qz1abc.adi"));
}

TEST_F(Exports, AStuckFileIsNamedAndCostsNoOtherOperatorTheirs)
{
    startWithTwoOperators();
    for (const char* extension : {".cbr", ".adi"}) {
        folder.write(std::string("qz1abc") + extension, "earlier export");
        std::filesystem::create_directory(folder / (std::string("qz2xyz") + extension));
    }
    click(form1(), "Button2");
    click(form1(), "Button7");
    click(form3(), "Button1");
    Boxes stuck;
    for (const char* file : {"qz2xyz.cbr", "qz2xyz.adi"})
        stuck.push_back(
            errorBox("Nie zapisano pliku operatora QZ2XYZ:\n" + fileFailureBox(EACCES, folder / file).text));
    EXPECT_EQ(platform.boxes, stuck);
    // The earlier operator's files are written anew, header and QSOs.
    const auto cbr = files::splitLines(folder.read("qz1abc.cbr"));
    ASSERT_GE(cbr.size(), 4u);
    EXPECT_EQ(cbr[3], "CALLSIGN: QZ1ABC");
    EXPECT_EQ(std::count_if(cbr.begin(), cbr.end(), [](const std::string& l) { return l.starts_with("QSO:"); }), 2);
    const auto adi = files::splitLines(folder.read("qz1abc.adi"));
    EXPECT_EQ(adi[0], "ADIF 2.0");
    EXPECT_EQ(std::count_if(adi.begin(), adi.end(), [](const std::string& l) { return l.ends_with("<EOR>"); }), 2);
    expectOnlyCurrentOperatorListed();
}

}  // namespace
}  // namespace qz::test
