// The worked-before warning in the callsign field and the contest overview
// window beside the main window.

#include "codec.h"
#include "combo_lists.h"
#include "contest_fixtures.h"
#include "eventually.h"
#include "headquarters_grid.h"
#include "log_check_window.h"
#include "overview_placement.h"
#include "rate_chart.h"
#include "share_message.h"
#include "station_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

namespace qz::test {
namespace {

std::string logOf(const std::vector<std::string>& lines)
{
    std::string content;
    for (const auto& line : lines)
        content += line + "\r\n";
    return content;
}

QStringList listed(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

// The overview's controls, which it makes at its first opening.
struct OverviewControls {
    explicit OverviewControls(const ui::ContestOverview& window)
        : DataFiles(findControl<QLabel>(window, "DataFiles")),
          OperatorName(findControl<QLabel>(window, "OperatorName")),
          PartialCalls(findControl<QListWidget>(window, "PartialCalls")),
          Score(findControl<QTableWidget>(window, "Score")), ScoreTotal(findControl<QLabel>(window, "ScoreTotal")),
          ScoreNotes(findControl<QLabel>(window, "ScoreNotes")),
          NewMultiplier(findControl<QLabel>(window, "NewMultiplier")),
          WriteScore(findControl<QPushButton>(window, "WriteScore")),
          CheckLog(findControl<QPushButton>(window, "CheckLog")), Rate(findControl<QLabel>(window, "Rate")),
          RateChart1(findControl<ui::RateChart>(window, "RateChart"))
    {
    }
    QLabel* DataFiles;
    QLabel* OperatorName;
    QListWidget* PartialCalls;
    QTableWidget* Score;
    QLabel* ScoreTotal;
    QLabel* ScoreNotes;
    QLabel* NewMultiplier;
    QPushButton* WriteScore;
    QPushButton* CheckLog;
    QLabel* Rate;
    ui::RateChart* RateChart1;
};

class ContestOverviewTest : public StationTest {
protected:
    // Two operators; QZ1ABC has worked SP9XYZ on 160M CW, the start-up band
    // and mode, and QZ5KV on 20M CW; QZ2XYZ has worked DL1AAA. Lines given
    // come first in the log.
    void startStation(std::vector<std::string> log = {})
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,ul. 1,,,0,CHECKLOG,,IARU-HF,\r\n"
                                              "QZ2XYZ,Anna,,ul. 2,,,7,CHECKLOG,,IARU-HF,uwagi\r\n");
        log.push_back(contestQso("QZ1ABC", "SP9XYZ", "160M", "CW", "28", "11:58"));
        log.push_back(contestQso("QZ2XYZ", "DL1AAA", "160M", "CW", "28", "11:59"));
        log.push_back(contestQso("QZ1ABC", "QZ5KV", "20M", "CW", "KRU", "12:00"));
        folder.write("IARU_log.zrv", logOf(log));
        folder.write("cty.dat", kSmallCountryFile);
        folder.write("MASTER.SCP", "# test list\r\nSP9ABC\r\nSP9XYZ\r\nDL9SP9\r\nOK1ABC\r\nP9\r\n");
        start();
        mainWindow().Timer1->stop();
        station_->overview.setDataFolders({folder.path()});
    }
    ui::ContestOverview& overview() { return station_->overview; }
    OverviewControls shown() { return OverviewControls(overview()); }
    QString workedBefore() { return mainWindow().Edit4->property("workedBefore").toString(); }
    void typeCall(const QString& call)
    {
        mainWindow().Edit4->clear();
        typeInto(mainWindow().Edit4, call);
    }
    void pressF11()
    {
        QApplication::setActiveWindow(&form1());
        mainWindow().Edit4->setFocus();
        QTest::keyClick(mainWindow().Edit4, Qt::Key_F11);
    }
};

TEST_F(ContestOverviewTest, CallsignFieldWarnsOfDupesAndFollowsBandModeAndOperator)
{
    startStation({contestQso("QZ1ABC", "SP9XYZ", "80M", "SSB", "28", "11:50")});
    const MainControls w = mainWindow();
    // QZ5KV, which the field starts with, was worked on 20M only.
    EXPECT_EQ(workedBefore(), "otherSlot");
    typeCall(QStringLiteral("OK1ZZZ"));
    EXPECT_EQ(workedBefore(), "");
    const QColor plain = w.Edit4->palette().color(QPalette::Base);
    typeCall(QStringLiteral("sp9xyz"));
    EXPECT_EQ(w.Edit4->text(), "SP9XYZ");
    EXPECT_EQ(workedBefore(), "dupe");
    const QColor dupeColour = w.Edit4->palette().color(QPalette::Base);
    EXPECT_NE(dupeColour, plain);
    // The QSO that makes it a dupe comes first, though it is not the first in the log.
    EXPECT_EQ(w.Edit4->toolTip().split('\n'), (QStringList{"Powtórka: SP9XYZ jest już w logu QZ1ABC na 160M CW:",
                                                           "2026-07-11 11:58 160M CW", "2026-07-11 11:50 80M SSB"}));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w.Edit4);
    ASSERT_NE(accessible, nullptr);
    EXPECT_TRUE(accessible->text(QAccessible::Description).contains("Powtórka"));

    const struct {
        const char* name;
        std::function<void()> change;
        const char* expected;
    } steps[] = {
        {"SSB chosen by code", [&] { w.ComboBox2->setCurrentIndex(0); }, "otherSlot"},
        {"back to CW", [&] { w.ComboBox2->setCurrentIndex(1); }, "dupe"},
        {"20M chosen by code", [&] { w.ComboBox1->setCurrentIndex(3); }, "otherSlot"},
        {"a band typed in", [&] { w.ComboBox1->setEditText(QStringLiteral("6M")); }, "otherSlot"},
        {"160M again", [&] { w.ComboBox1->setCurrentIndex(0); }, "dupe"},
        {"one letter less", [&] { QTest::keyClick(w.Edit4, Qt::Key_Backspace); }, ""},
        {"the letter again", [&] { QTest::keyClicks(w.Edit4, QStringLiteral("z")); }, "dupe"},
        {"Alt+C to QZ2XYZ", [&] { QTest::keyClick(w.Edit4, Qt::Key_C, Qt::AltModifier); }, ""},
        {"QZ2XYZ's own QSO", [&] { typeCall(QStringLiteral("DL1AAA")); }, "dupe"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(workedBefore(), step.expected);
        EXPECT_EQ(w.Edit4->palette().color(QPalette::Base) == plain, QString(step.expected).isEmpty());
        EXPECT_EQ(w.Edit4->toolTip().isEmpty(), QString(step.expected).isEmpty());
    }
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ2XYZ");
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(ContestOverviewTest, WarningFollowsStoresCorrectionsDeletionsAndANewLog)
{
    startStation();
    const MainControls w = mainWindow();
    typeCall(QStringLiteral("OK1ABC"));
    EXPECT_EQ(workedBefore(), "");
    w.Edit6->setText(QStringLiteral("15"));
    mainWindow().Button4->click();
    typeCall(QStringLiteral("OK1ABC"));
    EXPECT_EQ(workedBefore(), "dupe");

    // The stored QSO is the selected one: its call corrected to OK9ZZZ.
    platform.entries = {QStringLiteral("OK9ZZZ")};
    form1().findChild<QAction*>(QStringLiteral("Zmieznakkorespondenta1"))->trigger();
    EXPECT_EQ(workedBefore(), "");
    typeCall(QStringLiteral("OK9ZZZ"));
    EXPECT_EQ(workedBefore(), "dupe");

    platform.answers = {ui::BoxAnswer::Yes};
    form1().findChild<QAction*>(QStringLiteral("Usu1"))->trigger();
    EXPECT_EQ(workedBefore(), "");

    typeCall(QStringLiteral("SP9XYZ"));
    EXPECT_EQ(workedBefore(), "dupe");
    platform.savePaths = {fromPath(folder / "archive.zrv")};
    w.Button8->click();
    EXPECT_EQ(workedBefore(), "");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
}

TEST_F(ContestOverviewTest, F11OpensAndClosesTheOverviewWithoutTakingTheKeyboard)
{
    startStation();
    const MainControls w = mainWindow();
    typeCall(QStringLiteral("SP9"));
    pressF11();
    ASSERT_TRUE(overview().isVisible());
    EXPECT_EQ(overview().windowTitle(), "Przegląd zawodów");
    EXPECT_EQ(QApplication::focusWidget(), w.Edit4);
    EXPECT_EQ(w.Edit4->text(), "SP9");
    // The log's callsigns before those only in the call list.
    EXPECT_EQ(listed(shown().PartialCalls), (QStringList{"SP9XYZ  powtórka", "DL9SP9", "SP9ABC"}));

    QTest::keyClicks(w.Edit4, QStringLiteral("xyz"));
    EXPECT_EQ(listed(shown().PartialCalls), (QStringList{"SP9XYZ  powtórka"}));
    typeCall(QStringLiteral("P9"));
    EXPECT_EQ(listed(shown().PartialCalls), (QStringList{"P9", "SP9XYZ  powtórka", "DL9SP9", "SP9ABC"}));
    pressF11();
    EXPECT_FALSE(overview().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.Edit4);
    EXPECT_TRUE(platform.boxes.empty());
}

// The score table row of a band (0 = 160M, 6 = total) as its five numbers.
QStringList scoreRow(const QTableWidget* table, int row)
{
    QStringList numbers;
    for (int column = 0; column < table->columnCount(); ++column)
        numbers << table->item(row, column)->text();
    return numbers;
}

bool slotShownWorked(ui::ContestOverview& overview, const char* slot)
{
    const auto* cell = overview.findChild<QLabel*>(QString::fromLatin1(slot));
    return cell && cell->property("worked").toBool();
}

TEST_F(ContestOverviewTest, ScoreSlotsRateAndNewMultipliersKeepUpWithTheLog)
{
    startStation();
    const MainControls w = mainWindow();
    overview().open();
    const OverviewControls o = shown();
    EXPECT_EQ(o.OperatorName->text(), "Operator: QZ1ABC");
    // SP9XYZ in the own zone 28 and QZ5KV: 1 point each; zone 28 on 160M and
    // KRU on 20M: 2 multipliers.
    EXPECT_EQ(scoreRow(o.Score, 0), (QStringList{"1", "0", "1", "1", "0"}));
    EXPECT_EQ(scoreRow(o.Score, 3), (QStringList{"1", "0", "1", "0", "1"}));
    EXPECT_EQ(scoreRow(o.Score, 6), (QStringList{"2", "0", "2", "1", "1"}));
    EXPECT_TRUE(o.ScoreTotal->text().endsWith("wynik 4")) << o.ScoreTotal->text().toStdString();
    EXPECT_TRUE(slotShownWorked(overview(), "Slot_20M_CW"));
    EXPECT_FALSE(slotShownWorked(overview(), "Slot_160M_CW"));
    EXPECT_TRUE(o.Rate->text().contains("QZ1ABC: 2 QSO w 10 min (12/h)")) << o.Rate->text().toStdString();
    EXPECT_TRUE(o.Rate->text().contains("Stacja: 3 QSO w 10 min")) << o.Rate->text().toStdString();
    EXPECT_EQ(o.RateChart1->barTotals(), (QList<int>{1, 1}));  // 11:58 and 12:00

    w.ComboBox1->setCurrentIndex(3);                                                             // 20M
    EXPECT_EQ(o.NewMultiplier->text().toStdString(), "Powtórka: HQ KRU nie będzie mnożnikiem");  // QZ5KV again
    // JA1AAA in Asia, zone 45: 5 points and a third multiplier.
    typeCall(QStringLiteral("JA1AAA"));
    EXPECT_EQ(o.NewMultiplier->text().toStdString(), "HQ KRU jest już mnożnikiem na 20M");
    w.Edit6->setText(QStringLiteral("4 5"));
    EXPECT_EQ(o.NewMultiplier->text().toStdString(), "Nowy mnożnik na 20M: strefa 45");
    mainWindow().Button4->click();
    EXPECT_EQ(scoreRow(o.Score, 3), (QStringList{"2", "0", "6", "1", "1"}));
    EXPECT_TRUE(o.ScoreTotal->text().endsWith("wynik 21")) << o.ScoreTotal->text().toStdString();
    EXPECT_TRUE(o.Rate->text().contains("QZ1ABC: 1 QSO w 10 min")) << o.Rate->text().toStdString();
    EXPECT_TRUE(eventually([&] { return o.RateChart1->barTotals() == QList<int>{1, 2}; }));
    typeCall(QStringLiteral("JA1AAA"));
    w.Edit6->setText(QStringLiteral("45"));
    EXPECT_EQ(o.NewMultiplier->text().toStdString(), "Powtórka: strefa 45 nie będzie mnożnikiem");

    QTest::keyClick(w.Edit4, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(o.OperatorName->text(), "Operator: QZ2XYZ");
    EXPECT_TRUE(o.ScoreTotal->text().endsWith("wynik 1")) << o.ScoreTotal->text().toStdString();
    EXPECT_FALSE(slotShownWorked(overview(), "Slot_20M_CW"));
    EXPECT_TRUE(platform.boxes.empty());
}

// The call list sorts forty callsigns before the dupe SP9XYZ: the log's come
// first, so the thirty listed never leave it out.
TEST_F(ContestOverviewTest, ADupeIsNeverCutOffThePartialCallsByPublishedCallsSortedBeforeIt)
{
    startStation();
    std::string published;
    for (int i = 10; i < 50; ++i)
        published += "SP9A" + std::to_string(i) + "\r\n";
    folder.write("MASTER.SCP", published);
    pressF11();
    typeCall(QStringLiteral("SP9"));
    const QStringList partials = listed(shown().PartialCalls);
    ASSERT_EQ(partials.size(), 30);
    EXPECT_EQ(partials.front(), "SP9XYZ  powtórka");
    EXPECT_EQ(partials[1], "SP9A10");
}

// Where the screen has room for both windows side by side (1280 pixels), the
// overview never stands over the entry fields: the main window moves aside
// when it must. On a wider screen the main window stays where it is.
TEST_F(ContestOverviewTest, OverviewNeverCoversTheMainWindowWhereTheScreenHasRoomForBoth)
{
    startStation();
    pressF11();
    const QSize main = form1().frameGeometry().size();
    const QSize overviewSize = overview().frameGeometry().size();
    const int narrowest = overview().minimumSizeHint().width() + overviewSize.width() - overview().width();
    for (const int width : {1280, 1920}) {
        SCOPED_TRACE(width);
        const QRect screen(0, 0, width, 1000);
        const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, main, screen);
        const ui::SideBySide placed = ui::placeBeside(centred, overviewSize, narrowest, screen, 8);
        const QRect mainPlaced(placed.mainWindow, main);
        EXPECT_FALSE(mainPlaced.intersects(placed.overview));
        EXPECT_TRUE(screen.contains(mainPlaced));
        EXPECT_TRUE(screen.contains(placed.overview));
        EXPECT_GE(placed.overview.width(), narrowest);
        EXPECT_EQ(mainPlaced.top(), centred.top());
        EXPECT_EQ(mainPlaced == centred && placed.overview.size() == overviewSize, width == 1920);
    }
}

// Minimised by the window manager's button, the overview is hidden by the
// window system while Qt still calls it visible; the logbook stopped counting
// for it, and typing a letter, storing a QSO or a QSO of another computer
// then read the count that was gone. Restored, it shows all of them.
TEST_F(ContestOverviewTest, AMinimisedOverviewSurvivesTypingStoringAndSharedQsosAndIsCurrentWhenRestored)
{
    startStation();
    const MainControls w = mainWindow();
    ui::ContestOverview& o = overview();
    pressF11();
    o.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(o.isVisible());

    typeCall(QStringLiteral("JA1AAA"));
    w.Edit6->setText(QStringLiteral("45"));
    w.Button4->click();
    logbook().startSharing("A", "MACHINE-A");
    const std::string theirs = contestQso("QZ2XYZ", "SP9ABC", "20M", "CW", "28", "12:31");
    logbook().receive({{"B", 1, 1, ShareKind::Add, {"B", 1}, theirs}});
    ASSERT_TRUE(folder.read("IARU_log.zrv").ends_with(theirs + "\r\n"));
    typeCall(QStringLiteral("SP9"));

    o.setWindowState(Qt::WindowNoState);
    const OverviewControls c = shown();
    EXPECT_EQ(listed(c.PartialCalls), (QStringList{"SP9XYZ  powtórka", "SP9ABC", "DL9SP9"}));
    // JA1AAA in zone 45 on 160M, the start-up band: 5 points and a multiplier.
    EXPECT_EQ(scoreRow(c.Score, 0), (QStringList{"2", "0", "6", "2", "0"}));
    EXPECT_TRUE(c.Rate->text().contains("Stacja: 2 QSO w 10 min (12/h), 5 QSO w 60 min"))
        << c.Rate->text().toStdString();
    EXPECT_TRUE(eventually([&] { return c.RateChart1->barTotals() == QList<int>{1, 2}; }));

    // F11 brings a minimised overview back rather than closing it.
    o.setWindowState(Qt::WindowMinimized);
    pressF11();
    EXPECT_TRUE(o.isVisible());
    EXPECT_FALSE(o.isMinimized());
    typeCall(QStringLiteral("JA1"));
    EXPECT_EQ(listed(c.PartialCalls), (QStringList{"JA1AAA  powtórka"}));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(ContestOverviewTest, ChartOfALogLongerThanTheContestShowsItsLastDayHourByHour)
{
    startStation();
    folder.write("IARU_log.zrv",
                 logOf({contestQso("QZ1ABC", "SP9XYZ", "160M", "CW", "28", "08:10", "28", "2026-07-10"),
                        contestQso("QZ1ABC", "DL1AAA", "20M", "CW", "28", "14:00", "28", "2026-07-10"),
                        contestQso("QZ2XYZ", "DL1AAA", "40M", "CW", "28", "12:59", "28", "2026-07-11"),
                        contestQso("QZ1ABC", "OK1AAA", "10M", "SSB", "28", "13:59", "28", "2026-07-11")}));
    overview().open();
    const QStringList hours = shown().RateChart1->hourLabels();
    ASSERT_EQ(hours.size(), 24);
    EXPECT_EQ(hours.first(), "14");
    EXPECT_EQ(hours.last(), "13");
    EXPECT_EQ(QSet<QString>(hours.begin(), hours.end()).size(), 24);  // no hour lost to a repeated label
    QList<int> bars(24, 0);
    bars.first() = 1;
    bars.last() = 1;
    EXPECT_EQ(shown().RateChart1->barTotals(), bars);
}

TEST_F(ContestOverviewTest, MissingAndDamagedDataFilesAreNamedAndTheRestIsShown)
{
    startStation();
    folder.write("cty.dat", std::string("\0\x01garbage:;", 11));
    std::filesystem::remove(folder / "MASTER.SCP");
    overview().open();
    const OverviewControls o = shown();
    const QString files = o.DataFiles->text();
    EXPECT_TRUE(files.contains("plik " + fromPath(folder / "cty.dat") + " jest uszkodzony")) << files.toStdString();
    EXPECT_TRUE(files.contains("Brak pliku cty.dat")) << files.toStdString();
    EXPECT_TRUE(files.contains("Brak pliku MASTER.SCP")) << files.toStdString();
    // The log's own callsigns and the score need neither file.
    typeCall(QStringLiteral("SP9"));
    EXPECT_EQ(listed(o.PartialCalls), (QStringList{"SP9XYZ  powtórka"}));
    EXPECT_TRUE(o.ScoreTotal->text().endsWith("wynik 4")) << o.ScoreTotal->text().toStdString();
    typeCall(QStringLiteral("JA1AAA"));
    mainWindow().Edit6->setText(QStringLiteral("45"));
    mainWindow().Button4->click();
    EXPECT_TRUE(o.ScoreNotes->text().contains("1 QSO bez punktów (brak pliku cty.dat)"))
        << o.ScoreNotes->text().toStdString();

    // Newer files put into the station folder count from the next opening.
    folder.write("cty.dat", kSmallCountryFile);
    folder.write("MASTER.SCP", "SP9NEW\n");
    overview().toggle();
    overview().toggle();
    EXPECT_TRUE(o.DataFiles->text().startsWith("cty.dat: " + fromPath(folder / "cty.dat")));
    EXPECT_EQ(o.ScoreNotes->text(), "Własna strefa 28: nadawana grupa kontrolna");
    typeCall(QStringLiteral("SP9"));
    EXPECT_EQ(listed(o.PartialCalls), (QStringList{"SP9XYZ  powtórka", "SP9NEW"}));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(ContestOverviewTest, WritesTheScoreIntoTheOperatorsHeaderOnlyOutsideEditing)
{
    startStation();
    const std::string records = folder.read("QZ5KV_stationbook.ini");
    overview().open();
    form2().open();
    form2().Button5Click();  // "Edytuj"
    shown().WriteScore->click();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, "Błąd");
    EXPECT_TRUE(platform.boxes[0].text.contains("trybie edycji"));
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), records);

    form2().open();
    form2().Button3Click();  // saved unchanged: browsing again
    const std::string saved = folder.read("QZ5KV_stationbook.ini");
    shown().WriteScore->click();
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1].caption, "Informacja");
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ1ABC,Jan,,ul. 1,,,4,CHECKLOG,,IARU-HF,\r\n"
                                                    "QZ2XYZ,Anna,,ul. 2,,,7,CHECKLOG,,IARU-HF,uwagi\r\n");
    EXPECT_EQ(saved, records);
    EXPECT_EQ(editorWindow().Edit7->text(), "4");

    folder.write("QZ5KV_stationbook.ini", "QZ2XYZ,Anna,,ul. 2,,,7,CHECKLOG,,IARU-HF,uwagi\r\n");
    shown().WriteScore->click();
    ASSERT_EQ(platform.boxes.size(), 3u);
    EXPECT_EQ(platform.boxes[2].caption, "Błąd");
    EXPECT_TRUE(platform.boxes[2].text.contains("nie ma rekordu"));
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ2XYZ,Anna,,ul. 2,,,7,CHECKLOG,,IARU-HF,uwagi\r\n");
}

// Before sending: "Sprawdź log" lists the current operator's questionable QSOs
// and header; choosing one selects its line in the main window, where the
// popup menu corrects it, and the list follows the correction.
TEST_F(ContestOverviewTest, CheckLogNamesQsosThatChoosingSelectsForCorrection)
{
    const std::string incomplete = contestQso("QZ1ABC", "JA1AAA", "20M", "CW", "2B", "12:05");
    const std::string otherOperators = contestQso("QZ2XYZ", "OK1AAA", "40M", "CW", "QRZ", "12:06");
    startStation({incomplete, otherOperators});
    pressF11();
    ASSERT_TRUE(eventually([&] { return overview().isVisible(); }));
    QTest::mouseClick(shown().CheckLog, Qt::LeftButton);
    auto* check = overview().findChild<ui::LogCheckWindow*>("LogCheck");
    ASSERT_NE(check, nullptr);
    ASSERT_TRUE(check->isVisible());
    QListWidget* findings = control<QListWidget>(*check, "Findings");
    const auto choose = [&](const QString& part) {
        for (int row = 0; row < findings->count(); ++row)
            if (findings->item(row)->text().contains(part)) {
                QListWidget* list = findings;
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
                return true;
            }
        return false;
    };

    // QZ1ABC: SP9XYZ 1 + QZ5KV 1 point, two multipliers: 4, where the header claims 0.
    const QStringList shown = listed(findings);
    ASSERT_EQ(shown.size(), 4) << shown.join('|').toStdString();
    EXPECT_EQ(shown[0], "QZ1ABC: brak adresu e-mail w nagłówku");
    EXPECT_EQ(shown[1], "QZ1ABC: wynik w nagłówku 0, obliczony teraz 4");
    EXPECT_EQ(shown[2], "QZ1ABC: odebrana grupa „2B” nie jest strefą ani skrótem HQ\n    wiersz 1: " +
                            QString::fromStdString(incomplete));
    EXPECT_TRUE(shown[3].startsWith("QZ1ABC: QSO poza czasem zawodów\n    wiersz 3: 2026-07-11 1158"));
    EXPECT_TRUE(control<QLabel>(*check, "Summary")->text().contains("własna strefa 28 (nadawana)"));
    ASSERT_TRUE(choose("„2B”"));
    EXPECT_EQ(mainWindow().ListBox1->selectedLine(), incomplete);

    // Every operator: choosing another's QSO makes that operator current first.
    QTest::mouseClick(control<QCheckBox>(*check, "AllOperators"), Qt::LeftButton);
    ASSERT_TRUE(choose("„QRZ”"));
    EXPECT_EQ(currentOperator(), "QZ2XYZ");
    EXPECT_EQ(mainWindow().ListBox1->selectedLine(), otherOperators);

    platform.entries.push_back(QStringLiteral("28"));
    form1().findChild<QAction*>(QStringLiteral("Zmieodebranynumerseryjny1"))->trigger();
    EXPECT_TRUE(eventually([&] { return !listed(findings).join('|').contains("QRZ"); }));
    EXPECT_TRUE(listed(findings).join('|').contains("„2B”"));

    focusOn(findings);
    QTest::keyClick(findings, Qt::Key_Escape);
    EXPECT_FALSE(check->isVisible());
    EXPECT_TRUE(platform.boxes.empty());
}

}  // namespace
}  // namespace qz::test
