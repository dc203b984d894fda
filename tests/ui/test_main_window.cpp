#include "codec.h"
#include "combo_lists.h"
#include "eventually.h"
#include "files.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <filesystem>
#include <fstream>

namespace qz::test {
namespace {

std::string qso(const std::string& op, const std::string& call, const char* band, const char* mode,
                const std::string& time = "12:34")
{
    return composeLine({"2026-07-11", time, std::string(*bandColumnFor(band)), std::string(*modeColumnFor(mode)), op,
                        "599", "28", call, "599", "KRU"});
}

std::string logOf(const std::vector<std::string>& lines) { return files::joinLines(lines); }

class MainWindow : public StationTest {};

TEST_F(MainWindow, StartsWithItsDefaultsAndCreatesTheLog)
{
    start();
    const MainControls w = mainWindow();
    EXPECT_EQ(w.windowTitle(), "QZ5KV Stationbook");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(form2().isVisible());
    EXPECT_FALSE(form3().isVisible());
    EXPECT_FALSE(form4().isVisible());
    EXPECT_EQ(control<QLineEdit>(w.form, "Edit8")->text(), "28");
    for (const char* report : {"Edit5", "Edit7"}) {
        EXPECT_EQ(control<QLineEdit>(w.form, report)->text(), "599");
        EXPECT_EQ(control<QLineEdit>(w.form, report)->maxLength(), 3);
    }
    EXPECT_EQ(control<QComboBox>(w.form, "ComboBox1")->currentText(), "160M");
    EXPECT_EQ(control<QComboBox>(w.form, "ComboBox2")->currentText(), "CW");
    EXPECT_FALSE(control<QCheckBox>(w.form, "CheckBox1")->isChecked());
    EXPECT_EQ(control<QLineEdit>(w.form, "Edit4")->text(), "QZ5KV");
    EXPECT_EQ(control<QLineEdit>(w.form, "Edit6")->text(), "KRU");
    EXPECT_EQ(w.UpDown1->position(), 0);
    EXPECT_EQ(control<QLineEdit>(w.form, "Edit3")->text(), "12:30");
    EXPECT_EQ(control<QLineEdit>(w.form, "Edit2")->text(), "2026-07-11");
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(control<QPushButton>(w.form, "Button6")->isVisible());
    EXPECT_FALSE(control<QLabel>(w.form, "Label12")->isVisible());
    EXPECT_EQ(w.ComboBox3->count(), 0);
    EXPECT_TRUE(folder.exists("IARU_log.zrv"));
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(MainWindow, ControlsCarryTheirCaptions)
{
    start();
    const MainControls w = mainWindow();
    const std::pair<const char*, const char*> captions[] = {
        {"Button1", "Zarządzanie operatorami"},
        {"Button4", "Dodaj QSO do logu"},
        {"Button2", "Zapisz pliki Cabrillo"},
        {"Button7", "Zapisz pliki  ADIF"},
        {"Button8", "Nowy log"},
        {"Button9", "Dołącz log..."},
        {"Button3", "Info"},
        {"Button5", "Koniec"},
        {"Button6", "Włączenie zegara"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QPushButton>(w.form, name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(control<QCheckBox>(w.form, "CheckBox1")->text(), "Zwiększ automatycznie");
    EXPECT_EQ(control<QLabel>(w.form, "Label12")->text(), "     Przeprowadzone wszystkie QSO z QZ5KV!    ");
    QStringList bands;
    for (int i = 0; i < w.ComboBox1->count(); ++i)
        bands << w.ComboBox1->itemText(i);
    EXPECT_EQ(bands, (QStringList{"160M", "80M", "40M", "20M", "15M", "10M"}));
    EXPECT_EQ(w.ComboBox2->itemText(0), "SSB");
    EXPECT_EQ(w.ComboBox2->itemText(1), "CW");
    QStringList menu;
    for (QAction* action : w.PopupMenu1->actions())
        menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(menu, (QStringList{"Zmień datę QSO", "Zmień czas QSO", "Zmień pasmo", "Zmień emisję", "Zmień operatora",
                                 "Zmień znak korespondenta", "Zmień nadaną grupę kontrolną",
                                 "Zmień odebraną grupę kontrolną", "-", "Usuń QSO"}));
    EXPECT_EQ(w.ListBox1->toolTip(), "Menu rozwijalne - prawy klawisz myszy");
    EXPECT_EQ(w.ListBox1->toolTipDuration(), 5000);
}

TEST_F(MainWindow, FillsOperatorsSortedAndListsTheFirstOnesQsos)
{
    folder.write("QZ5KV_stationbook.ini", "QZ2XYZ,B\r\nqz1abc,A\r\n");
    const std::string mine = qso("QZ1ABC", "SP1A", "20M", "CW");
    const std::string other = qso("QZ2XYZ", "SP2B", "20M", "CW");
    folder.write("IARU_log.zrv", logOf({other, mine}));
    start();
    const MainControls w = mainWindow();
    ASSERT_EQ(w.ComboBox3->count(), 2);
    EXPECT_EQ(w.ComboBox3->itemText(0), "QZ1ABC");
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ1ABC");
    EXPECT_EQ(w.ListBox1->lines(), std::vector<std::string>{mine});
    EXPECT_TRUE(headquartersSlots().empty());
}

TEST_F(MainWindow, WithoutOperatorsNoQsoIsListed)
{
    folder.write("IARU_log.zrv", logOf({qso("QZ1ABC", "SP1A", "20M", "CW")}));
    start();
    EXPECT_EQ(mainWindow().ComboBox3->currentIndex(), -1);
    EXPECT_EQ(mainWindow().ListBox1->count(), 0);
}

TEST_F(MainWindow, PickingAnOperatorReloadsTheViewAndTheBanner)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\nQZ2XYZ,B\r\n");
    std::vector<std::string> log;
    for (const char* band : {"160M", "80M", "40M", "20M", "15M", "10M"})
        for (const char* mode : {"SSB", "CW"})
            log.push_back(qso("QZ2XYZ", "QZ5KV", band, mode));
    log.push_back(qso("QZ1ABC", "QZ5KV", "20M", "CW"));
    folder.write("IARU_log.zrv", logOf(log));
    start();
    const MainControls w = mainWindow();
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_FALSE(w.Label12->isVisible());

    w.ComboBox3->setCurrentIndex(1);
    emit w.ComboBox3->activated(1);
    EXPECT_EQ(w.ListBox1->count(), 12);
    EXPECT_EQ(headquartersSlots().size(), 12u);
    EXPECT_TRUE(w.Label12->isVisible());

    w.ComboBox3->setCurrentIndex(0);
    emit w.ComboBox3->activated(0);
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_EQ(headquartersSlots().size(), 1u);
    EXPECT_FALSE(w.Label12->isVisible());
}

// Every window that followed the operator used to read the log again on its
// own once the event loop ran, each showing the failure in a box of its own.
TEST_F(MainWindow, ReloadWithTheLogGoneShowsFileNotFoundOnceAndKeepsTheLists)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\nQZ2XYZ,B\r\n");
    folder.write("IARU_log.zrv", logOf({qso("QZ1ABC", "SP1A", "20M", "CW")}));
    start();
    std::filesystem::remove(folder / "IARU_log.zrv");
    focusOn(mainWindow().Edit4);
    pressKey(Qt::Key_C, Qt::AltModifier, QStringLiteral("c"));
    QApplication::processEvents();
    EXPECT_EQ(platform.boxes, Boxes{fileFailureBox(ENOENT, folder / "IARU_log.zrv")});
    EXPECT_EQ(mainWindow().ListBox1->count(), 1);
}

// Once the log was deleted while the program ran (a medium pulled out and
// put back), every QSO was refused with "File not found" until a restart,
// which then began an empty log without a word.
TEST_F(MainWindow, AVanishedLogIsRestoredFromItsBackupWhenTheOperatorSaysSo)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
    start();
    const MainControls w = mainWindow();
    w.Timer1->stop();
    const auto storeTheDefaults = [&] {
        focusOn(w.Edit4);
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    };
    storeTheDefaults();
    storeTheDefaults();
    const std::string backup = folder.read("IARU_log.zr~");
    ASSERT_EQ(files::splitLines(backup).size(), 1u);
    std::filesystem::remove(folder / "IARU_log.zrv");

    const QString gone = "File not found\n" + path("IARU_log.zrv") +
                         "\nNie ma pliku „IARU_log.zrv” albo jego folderu: mógł zostać usunięty, przeniesiony lub "
                         "przemianowany, albo nośnik, na którym leży, odłączono.\n"
                         "Czy odtworzyć log z kopii zapasowej „IARU_log.zr~”? Kopia zawiera log do przedostatniego "
                         "zapisanego QSO. ";
    const ShownBox asked{"QZ5KV Stationbook", gone + "Ostatnie QSO trzeba będzie wpisać jeszcze raz.",
                         ui::BoxIcon::Error, ui::BoxButtons::YesNo};
    storeTheDefaults();  // No: nothing is written
    EXPECT_EQ(platform.boxes, Boxes{asked});
    EXPECT_FALSE(folder.exists("IARU_log.zrv"));
    EXPECT_EQ(w.ListBox1->count(), 2);

    platform.answers = {ui::BoxAnswer::Yes};
    storeTheDefaults();
    EXPECT_EQ(platform.boxes, (Boxes{asked, asked}));
    EXPECT_EQ(folder.read("IARU_log.zrv"), backup);
    EXPECT_EQ(w.ListBox1->count(), 1);
    storeTheDefaults();
    EXPECT_EQ(files::splitLines(folder.read("IARU_log.zrv")).size(), 2u);

    // Gone at start-up while its backup is there, it is not begun empty unasked.
    std::filesystem::remove(folder / "IARU_log.zrv");
    const std::string lastBackup = folder.read("IARU_log.zr~");
    station_.reset();
    platform.boxes.clear();
    platform.answers = {ui::BoxAnswer::Yes};
    start();
    EXPECT_EQ(platform.boxes, (Boxes{{"QZ5KV Stationbook", gone + "„Nie” zaczyna nowy, pusty log.", ui::BoxIcon::Error,
                                      ui::BoxButtons::YesNo}}));
    EXPECT_EQ(folder.read("IARU_log.zrv"), lastBackup);
    EXPECT_EQ(mainWindow().ListBox1->count(), 1);
}

TEST_F(MainWindow, ALogThatIsAFolderEndsStartUpWithAnErrorButTheWindowOpens)
{
    std::filesystem::create_directory(folder / "IARU_log.zrv");
    start();
    QApplication::processEvents();
    EXPECT_EQ(platform.boxes, Boxes{fileFailureBox(EACCES, folder / "IARU_log.zrv")});
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(mainWindow().Edit8->text(), "28");
}

TEST_F(MainWindow, OpensCentredOnItsScreen)
{
    start();
    const QRect screen = form1().screen()->availableGeometry();
    EXPECT_EQ(form1().size(), QSize(694, 462));
    EXPECT_LE((form1().geometry().center() - screen.center()).manhattanLength(), 1)
        << form1().geometry().x() << "," << form1().geometry().y();
}

TEST_F(MainWindow, ASecondCopyOnTheSameFolderIsRefused)
{
    const ui::StationContext context{folder.path(), platform, [this] { return now; }};
    ui::Station first(context);
    ui::Station second(context);
    EXPECT_TRUE(first.lockFolder());
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(second.lockFolder());
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, "Błąd");
    EXPECT_TRUE(platform.boxes[0].text.startsWith("Program QZ5KV Stationbook jest już uruchomiony w folderze " +
                                                  fromPath(folder.path())));
}

// A folder whose lock file could not be made or opened ended the program
// before its window opened, so the log could not even be read.
TEST_F(MainWindow, AFolderThatCannotBeWrittenOpensWithItsLogAndSaysWhy)
{
#ifdef _WIN32
    GTEST_SKIP() << "file permissions are tried here by giving up root's rights";
#else
    const std::vector<std::string> log{qso("QZ1ABC", "SP1A", "20M", "CW", "12:34"),
                                       qso("QZ1ABC", "SP2B", "40M", "CW", "12:35")};
    // Each case with the files named by its error boxes: the lock at the
    // start, then a store and a save of the operators.
    const struct {
        const char* name;
        void (*spoil)(const std::filesystem::path& folder);
        std::vector<const char*> denied;
    } cases[] = {{"a read-only folder",
                  [](const std::filesystem::path& at) { makeReadOnly(at); },
                  {"QZ5KV_stationbook.lock", "IARU_log.zr~.new", "QZ5KV_stationbook.ini.new"}},
                 {"files of another account in a shared folder",
                  [](const std::filesystem::path& at) {
                      using std::filesystem::perms;
                      std::ofstream(at / "QZ5KV_stationbook.lock").flush();
                      for (const char* name : {"QZ5KV_stationbook.lock", "IARU_log.zrv"})
                          std::filesystem::permissions(at / name,
                                                       perms::owner_read | perms::group_read | perms::others_read);
                      std::filesystem::permissions(at, perms::all);
                  },
                  // The operator file is replaced whole, which the shared folder allows.
                  {"QZ5KV_stationbook.lock", "IARU_log.zrv"}}};
    for (const auto& spoilt : cases) {
        SCOPED_TRACE(spoilt.name);
        TempFolder station;
        station.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
        station.write("IARU_log.zrv", logOf(log));
        spoilt.spoil(station.path());
        EXPECT_TRUE(whereFilePermissionsBind([&] {
            FakePlatform boxes;
            ui::Station program({station.path(), boxes, [this] { return now; }});
            EXPECT_TRUE(program.lockFolder());
            program.start();
            const MainControls w(program.form1);
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(w.ListBox1->lines(), log);
            w.Timer1->stop();
            focusOn(w.Edit4);
            QTest::keyClicks(w.Edit4, "sp1aaa");
            pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
            pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
            // The operator editor saves the first operator as it stands.
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(program.form2, "Button5"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(program.form2, "Button3"), Qt::LeftButton);
            QStringList expected;
            for (const char* name : spoilt.denied)
                expected << fileFailureBox(EACCES, station / name).text;
            EXPECT_EQ(boxes.texts().join(" | ").toStdString(), expected.join(" | ").toStdString());
            EXPECT_EQ(w.Edit4->text(), "SP1AAA");
            return !::testing::Test::HasFailure();
        }));
        EXPECT_TRUE(station.read("IARU_log.zrv") == logOf(log));
    }
#endif
}

TEST_F(MainWindow, ModeSwitchSetsTheReportsAndTheirLimits)
{
    start();
    const MainControls w = mainWindow();
    w.Edit5->setText("57");
    w.ComboBox2->setCurrentIndex(0);
    emit w.ComboBox2->activated(0);
    for (QLineEdit* report : {w.Edit5, w.Edit7}) {
        EXPECT_EQ(report->text(), "59");
        EXPECT_EQ(report->maxLength(), 2);
    }
    w.ComboBox2->setCurrentIndex(1);
    emit w.ComboBox2->activated(1);
    for (QLineEdit* report : {w.Edit5, w.Edit7}) {
        EXPECT_EQ(report->text(), "599");
        EXPECT_EQ(report->maxLength(), 3);
    }
    w.ComboBox2->setEditText("RTTY");
    emit w.ComboBox2->lineEdit()->textEdited("RTTY");
    EXPECT_EQ(ui::selectedIndex(w.ComboBox2), -1);
    EXPECT_EQ(w.Edit5->text(), "599");
}

TEST_F(MainWindow, ClockTickWritesUtcDateAndTime)
{
    start();
    const MainControls w = mainWindow();
    w.Edit3->setText("99:99");
    now = fixedMoment() + std::chrono::hours(11) + std::chrono::minutes(1);  // 23:31:10
    EXPECT_TRUE(eventually([&] { return w.Edit3->text() == QString("23:31"); }, 3000)) << w.Edit3->text().toStdString();
    now += std::chrono::minutes(30);
    EXPECT_TRUE(eventually([&] { return w.Edit2->text() == QString("2026-07-12"); }, 3000))
        << w.Edit2->text().toStdString();
    EXPECT_EQ(w.Edit3->text(), "00:01");
}

TEST_F(MainWindow, ClockButtonRestartsTheStoppedClock)
{
    start();
    const MainControls w = mainWindow();
    focusOn(w.Edit4);
    pressKey(Qt::Key_PageUp, Qt::NoModifier, QString());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Button6->isVisible());
    QTest::mouseClick(w.Button6, Qt::LeftButton);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Button6->isVisible());
}

TEST_F(MainWindow, InfoBoxListsTheShortcuts)
{
    start();
    QTest::mouseClick(mainWindow().Button3, Qt::LeftButton);
    ASSERT_EQ(platform.boxes.size(), 1u);
    const ShownBox& box = platform.boxes[0];
    EXPECT_EQ(box.caption, "O programie...");
    EXPECT_EQ(box.icon, ui::BoxIcon::Information);
    EXPECT_EQ(box.buttons, ui::BoxButtons::Ok);
    const QStringList lines = box.text.split('\n');
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(
        lines.mid(0, 18),
        (QStringList{"QZ5KV Stationbook", "", "Program do logowania QSO podczas zawodów IARU.", "",
                     "Skróty klawiszowe (jeśli kursor jest w polu znaku):", "Page Up/Page Down  - ręczna zmiana czasu,",
                     "ALT + C   - zmiana operatora,", "ALT + B   - zmiana pasma,", "ALT + M   - zmiana emisji.", "",
                     "F1-F8  - komunikaty (CW albo nagrania SSB), Esc - przerwanie,",
                     "F9/F10  - tempo CW, F11 - przegląd zawodów,", "ALT + K   - okno „Komunikaty”.", "",
                     "Kliknięcie prawym klawiszem myszy na oknie logu otwiera",
                     "dodatkowe menu umożliwiające edycję zaznaczonego QSO.", "", "Wersja 1.00"}));
    EXPECT_FALSE(lines[18].isEmpty());
}

TEST_F(MainWindow, EndButtonClosesTheWindow)
{
    start();
    QTest::mouseClick(mainWindow().Button5, Qt::LeftButton);
    EXPECT_FALSE(form1().isVisible());
}

}  // namespace
}  // namespace qz::test
