#include "combo_lists.h"
#include "file_faults.h"
#include "files.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <cerrno>

namespace qz::test {
namespace {

struct Qso {
    std::string call = "SP1A";
    std::string time = "12:34";
    std::string op = "QZ1ABC";
    const char* band = "20M";
    const char* mode = "CW";
    std::string rst = "599";
};

std::string line(const Qso& q)
{
    return composeLine({"2026-07-11", q.time, std::string(*bandColumnFor(q.band)), std::string(*modeColumnFor(q.mode)),
                        q.op, q.rst, "28", q.call, q.rst, "KRU"});
}

std::string logOf(const std::vector<std::string>& lines, const char* end = "\r\n")
{
    std::string content;
    for (const auto& l : lines)
        content += l + end;
    return content;
}

std::string replaced(std::string l, std::size_t first, const std::string& text)
{
    return l.replace(first - 1, text.size(), text);
}

const std::string kFirst = line({});                                  // 12:34, row 0
const std::string kSecond = line({.call = "SP2B", .time = "13:00"});  // row 1
const std::string kOther = line({.call = "SP3C", .op = "QZ2XYZ"});    // another operator's

class Corrections : public StationTest {
protected:
    // Starts with two operators and the log as given (CR LF unless told).
    void startWith(const std::string& content)
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\nQZ2XYZ,B\r\n");
        folder.write("IARU_log.zrv", content);
        start();
        mainWindow().Timer1->stop();
    }
    void startWithThree() { startWith(logOf({kSecond, kOther, kFirst})); }

    void clickRow(int row)
    {
        ui::LogListBox* list = mainWindow().ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    void command(const char* name)
    {
        auto* action = form1().findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    void pressOk() { QTest::mouseClick(control<QPushButton>(form4(), "Button1"), Qt::LeftButton); }
    QComboBox* pickList() { return control<QComboBox>(form4(), "ComboBox1"); }

    std::string log() const { return folder.read("IARU_log.zrv"); }
    std::optional<std::string> selected() { return mainWindow().ListBox1->selectedLine(); }
    void expectOneError(const QString& text) { EXPECT_EQ(platform.boxes, Boxes{errorBox(text)}); }
};

const char* const kCommands[] = {"zmiendate1",
                                 "ZmieczasQSO1",
                                 "Zmiepasmo1",
                                 "Zmieemisj1",
                                 "ZmieOperatora1",
                                 "Zmieznakkorespondenta1",
                                 "Zmienadanynumerser1",
                                 "Zmieodebranynumerseryjny1",
                                 "Usu1"};

TEST_F(Corrections, EveryCommandWithoutASelectionOnlyComplains)
{
    startWithThree();
    const std::string before = log();
    for (const char* name : kCommands) {
        platform.boxes.clear();
        command(name);
        expectOneError(std::string_view(name) == "Usu1"
                           ? QStringLiteral("Należy najpierw zaznaczyć łączność do usunięcia!")
                           : QStringLiteral("Należy najpierw zaznaczyć łączność!"));
    }
    EXPECT_TRUE(platform.asked.empty());
    EXPECT_FALSE(form4().isVisible());
    EXPECT_EQ(log(), before);
    EXPECT_EQ(mainWindow().ListBox1->count(), 2);
}

TEST_F(Corrections, RightClickOpensTheMenuWithoutChangingTheSelection)
{
    startWithThree();
    clickRow(1);
    ui::LogListBox* list = mainWindow().ListBox1;
    const QPoint onFirst = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, onFirst);
    QContextMenuEvent request(QContextMenuEvent::Mouse, onFirst, list->viewport()->mapToGlobal(onFirst));
    QApplication::sendEvent(list->viewport(), &request);
    EXPECT_TRUE(mainWindow().PopupMenu1->isVisible());
    mainWindow().PopupMenu1->close();
    EXPECT_EQ(list->selectedRow(), 1);
}

struct EntryRow {
    const char* name;
    const char* action;
    QString caption;
    QString prompt;
    QString prefill;
    QString entry;
    std::size_t first;
    std::string written;
    int rowAfter;
};

void PrintTo(const EntryRow& row, std::ostream* out) { *out << row.name; }

class TextEntry : public Corrections, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(TextEntry, RewritesTheFieldReloadsAndSelectsTheQso)
{
    const EntryRow& r = GetParam();
    startWithThree();
    clickRow(0);
    platform.entries.emplace_back(r.entry);
    command(r.action);

    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].caption, r.caption);
    EXPECT_EQ(platform.asked[0].prompt, r.prompt);
    EXPECT_EQ(platform.asked[0].value, r.prefill);
    EXPECT_TRUE(platform.boxes.empty());
    const std::string changed = replaced(kFirst, r.first, r.written);
    EXPECT_EQ(log(), logOf({kSecond, kOther, changed}));
    EXPECT_FALSE(folder.exists("temporary.zrv"));
    EXPECT_EQ(mainWindow().ListBox1->count(), 2);
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), r.rowAfter);
    EXPECT_EQ(selected(), changed);
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, TextEntry,
    ::testing::Values(EntryRow{"Date", "zmiendate1", "Zmiana daty", "Nowa data (rrrr-mm-dd)", "2026-07-11",
                               "2026-07-10", 1, "2026-07-10", 0},
                      EntryRow{"TimeMovesToItsSortedPlace", "ZmieczasQSO1", "Zmiana czasu", "Nowy czas (hhmm)", "1234",
                               "1400", 12, "1400", 1},
                      EntryRow{"Call", "Zmieznakkorespondenta1", "Zmiana znaku korespondenta", "Nowy znak", "SP1A",
                               "qz1abc", 56, "QZ1ABC       ", 0},
                      EntryRow{"SentExchange", "Zmienadanynumerser1", "Zmiana nadanej grupy kontrolnej", "Nowa grupa",
                               "28", "jo91", 49, "JO91  ", 0},
                      // Its blanks go, as when a new QSO is stored.
                      EntryRow{"ReceivedExchange", "Zmieodebranynumerseryjny1", "Zmiana odebranej grupy kontrolnej",
                               "Nowa grupa", "KRU", "p z k", 74, "PZK   ", 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Corrections, SameValueOrCancelTouchesNothingAndDoesNotReload)
{
    // A QSO with the headquarters station: a reload would count its slot.
    const std::string hq = line({.call = "QZ5KV"});
    const std::string content = logOf({hq}, "\n");  // a rewrite would turn the line ends into CR LF
    startWith(content);
    clickRow(0);
    platform.entries = {std::nullopt, QStringLiteral("qz5kv"), QStringLiteral("2026-07-11"), QStringLiteral("kru")};
    for (const char* name :
         {"Zmieznakkorespondenta1", "Zmieznakkorespondenta1", "zmiendate1", "Zmieodebranynumerseryjny1"})
        command(name);
    EXPECT_EQ(platform.asked.size(), 4u);
    EXPECT_EQ(log(), content);
    EXPECT_TRUE(headquartersSlots().empty());
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), 0);
    EXPECT_TRUE(platform.boxes.empty());
}

// An impossible time ("2599") or date was written as typed, and a call or an
// exchange too long for the columns the readers take was cut without a word.
// A refused entry comes back in the box to be mended; Cancel there ends it.
TEST_F(Corrections, RefusedEntriesComeBackForMendingAndNothingIsWritten)
{
    startWithThree();
    const std::string before = log();
    const struct {
        const char* action;
        QString entry;
        QString message;
    } cases[] = {
        {"zmiendate1", "2026-7-1", "Błędny format daty! Wprowadź datę w postaci rrrr-mm-dd."},
        {"zmiendate1", "2026-07-1x", "Błędny format daty! Wprowadź datę w postaci rrrr-mm-dd."},
        {"zmiendate1", "2026-02-30", "Błędny format daty! Wprowadź datę w postaci rrrr-mm-dd."},
        {"ZmieczasQSO1", "12:34", "Błędny format czasu! Wprowadź czas w postaci hhmm."},
        {"ZmieczasQSO1", "123", "Błędny format czasu! Wprowadź czas w postaci hhmm."},
        {"ZmieczasQSO1", "2599", "Błędny format czasu! Wprowadź czas w postaci hhmm."},
        {"Zmieznakkorespondenta1", "VP2V/DL1ABC/MM",
         "Za długi tekst w polu „Znak korespondenta”!\nNajwiększa liczba znaków: 13, wpisano: 14."},
        {"Zmienadanynumerser1", "1234567",
         "Za długi tekst w polu „Nadana grupa kontrolna”!\nNajwiększa liczba znaków: 6, wpisano: 7."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        clickRow(1);
        platform.boxes.clear();
        platform.asked.clear();
        platform.entries = {c.entry};  // then Cancel
        command(c.action);
        expectOneError(c.message);
        ASSERT_EQ(platform.asked.size(), 2u);
        EXPECT_EQ(platform.asked[1].value, c.entry);
        EXPECT_EQ(log(), before);
        EXPECT_EQ(mainWindow().ListBox1->selectedRow(), 1);
    }
    // Mended in the box that came back, the entry is written.
    clickRow(1);
    platform.boxes.clear();
    platform.entries = {QStringLiteral("2599"), QStringLiteral("2359")};
    command("ZmieczasQSO1");
    expectOneError("Błędny format czasu! Wprowadź czas w postaci hhmm.");
    EXPECT_EQ(log(), logOf({replaced(kSecond, 12, "2359"), kOther, kFirst}));
}

TEST_F(Corrections, IdenticalLinesAreAllCorrected)
{
    startWith(logOf({kFirst, kSecond, kFirst}));
    ASSERT_EQ(mainWindow().ListBox1->count(), 3);
    clickRow(1);  // the second copy of the first QSO
    platform.entries = {QStringLiteral("SP9Z")};
    command("Zmieznakkorespondenta1");
    const std::string changed = line({.call = "SP9Z"});
    EXPECT_EQ(log(), logOf({changed, kSecond, changed}));
    EXPECT_EQ(mainWindow().ListBox1->lines(), (std::vector<std::string>{changed, changed, kSecond}));
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), 0);
}

// The same QSO stored twice (a double Enter on the headquarters defaults):
// deleting the selected one took both lines from the log while the list
// still showed one.
TEST_F(Corrections, DeletingOneOfTwoIdenticalQsosDeletesOneLine)
{
    startWith(logOf({kFirst}));
    const MainControls w = mainWindow();
    focusOn(w.Edit4);
    for (int enter = 0; enter < 4; ++enter)
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    const std::vector<std::string> stored = files::splitLines(log());
    ASSERT_EQ(stored.size(), 3u);
    const std::string twice = stored[1];
    ASSERT_EQ(stored[2], twice);
    ASSERT_EQ(w.ListBox1->lines(), (std::vector<std::string>{twice, twice, kFirst}));
    ASSERT_EQ(headquartersSlots().size(), 1u);

    clickRow(1);
    command("Usu1");
    EXPECT_EQ(platform.boxes, Boxes{questionBox("Czy na pewno usunąć zaznaczoną łączność?")});
    EXPECT_EQ(log(), logOf({kFirst, twice, twice}));

    platform.answers = {ui::BoxAnswer::Yes};
    command("Usu1");
    EXPECT_EQ(log(), logOf({kFirst, twice}));
    EXPECT_EQ(w.ListBox1->lines(), (std::vector<std::string>{twice, kFirst}));
    EXPECT_EQ(w.ListBox1->selectedRow(), -1);
    EXPECT_EQ(headquartersSlots().size(), 1u) << "the slots wait for the next reload";

    // Of copies apart in the log, the one whose place the selected row has
    // among its equals goes.
    folder.write("IARU_log.zrv", logOf({twice, kFirst, twice}));
    emit w.ComboBox3->activated(0);
    clickRow(1);
    platform.answers = {ui::BoxAnswer::Yes};
    command("Usu1");
    EXPECT_EQ(log(), logOf({twice, kFirst}));
    EXPECT_EQ(w.ListBox1->lines(), (std::vector<std::string>{twice, kFirst}));
}

TEST_F(Corrections, FailedRewriteShowsTheErrorAndKeepsLogAndList)
{
    startWithThree();
    const std::string before = log();
    clickRow(0);
    {
        const FileFault full(files::Op::Write, ENOSPC, "temporary.zrv");
        platform.entries = {QStringLiteral("SP9Z")};
        command("Zmieznakkorespondenta1");
        platform.answers = {ui::BoxAnswer::Yes};
        command("Usu1");
    }
    const ShownBox diskFull = fileFailureBox(ENOSPC, folder / "temporary.zrv");
    EXPECT_EQ(platform.boxes, (Boxes{diskFull, questionBox("Czy na pewno usunąć zaznaczoną łączność?"), diskFull}));
    EXPECT_EQ(log(), before);
    EXPECT_FALSE(folder.exists("temporary.zrv"));
    EXPECT_EQ(mainWindow().ListBox1->lines(), (std::vector<std::string>{kFirst, kSecond}));
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), 0);
}

// ---- the pick dialog ----

TEST_F(Corrections, PickDialogHasItsFixedShape)
{
    startWithThree();
    ui::TForm4& d = form4();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.size(), QSize(277, 68));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    EXPECT_EQ(d.pos(), QPoint(449, 272));
    for (const Qt::WindowType icon : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                      Qt::WindowMaximizeButtonHint})
        EXPECT_FALSE(d.windowFlags().testFlag(icon)) << icon;
    EXPECT_TRUE(d.windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(d.isModal());

    auto* list = control<QComboBox>(d, "ComboBox1");
    EXPECT_EQ(list->geometry().topLeft(), QPoint(16, 16));
    EXPECT_EQ(list->width(), 153);
    EXPECT_TRUE(list->isEditable());
    EXPECT_EQ(list->font().pixelSize(), 19);
    EXPECT_TRUE(list->font().bold());
    EXPECT_TRUE(list->styleSheet().contains("color: red"));

    auto* ok = control<QPushButton>(d, "Button1");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(184, 16, 75, 33));
    EXPECT_EQ(ok->font().pixelSize(), 16);
    EXPECT_FALSE(ok->autoDefault());
    EXPECT_FALSE(ok->isDefault());
    EXPECT_EQ(d.findChildren<QPushButton*>().size(), 1) << "no Cancel";
}

TEST_F(Corrections, BandPickPreselectsTheMainWindowsBandAndOkWritesIt)
{
    startWithThree();
    mainWindow().ComboBox1->setCurrentIndex(4);  // 15M for new QSOs; the QSO itself is on 20 m
    clickRow(0);
    command("Zmiepasmo1");
    ui::TForm4& d = form4();
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), "Wybór pasma");
    QStringList items;
    for (int i = 0; i < pickList()->count(); ++i)
        items << pickList()->itemText(i);
    EXPECT_EQ(items, (QStringList{"160M", "80M", "40M", "20M", "15M", "10M"}));
    EXPECT_EQ(pickList()->currentIndex(), 4);
    EXPECT_EQ(log(), logOf({kSecond, kOther, kFirst})) << "nothing changes before OK";

    pressOk();
    const std::string changed = line({.band = "15M"});
    EXPECT_EQ(log(), logOf({kSecond, kOther, changed}));
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(selected(), changed);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(Corrections, ModePickSetsTheThirdReportCharacters)
{
    const std::string ssb = line({.mode = "SSB", .rst = "59"});
    startWith(logOf({ssb}));
    clickRow(0);
    command("Zmieemisj1");  // the main window stands on CW
    EXPECT_EQ(form4().windowTitle(), "Wybór emisji");
    EXPECT_EQ(pickList()->currentText(), "CW");
    pressOk();
    const std::string cw = line({.mode = "SSB", .rst = "599"}).replace(23, 2, "CW");
    EXPECT_EQ(log(), logOf({cw}));
    EXPECT_EQ(selected(), cw);

    mainWindow().ComboBox2->setCurrentIndex(0);
    clickRow(0);
    command("Zmieemisj1");
    pressOk();
    EXPECT_EQ(log(), logOf({line({.mode = "SSB", .rst = "59"})}));
}

TEST_F(Corrections, OperatorPickMovesTheQsoOutOfTheView)
{
    startWithThree();
    clickRow(0);
    command("ZmieOperatora1");
    EXPECT_EQ(form4().windowTitle(), "Wybór operatora");
    EXPECT_EQ(pickList()->count(), 2);
    EXPECT_EQ(pickList()->currentText(), "QZ1ABC");
    pickList()->setCurrentIndex(1);
    pressOk();
    const std::string moved = line({.op = "QZ2XYZ"});
    EXPECT_EQ(log(), logOf({kSecond, kOther, moved}));
    EXPECT_EQ(mainWindow().ListBox1->lines(), std::vector<std::string>{kSecond});
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), -1);

    mainWindow().ComboBox3->setCurrentIndex(1);
    emit mainWindow().ComboBox3->activated(1);
    EXPECT_EQ(mainWindow().ListBox1->lines(), (std::vector<std::string>{moved, kOther}));
}

TEST_F(Corrections, PickDialogLeavesTheMainWindowUsableAndOkTakesTheLatestLine)
{
    startWithThree();
    clickRow(0);
    command("Zmiepasmo1");
    ASSERT_TRUE(form4().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form1().isEnabled());

    clickRow(1);  // the main window still takes clicks and commands
    EXPECT_EQ(mainWindow().ListBox1->selectedRow(), 1);
    command("ZmieczasQSO1");  // Cancel: nothing written, but the command now acts on the second QSO
    EXPECT_TRUE(form4().isVisible());

    pickList()->setCurrentIndex(0);
    pressOk();
    const std::string changed = line({.call = "SP2B", .time = "13:00", .band = "160M"});
    EXPECT_EQ(log(), logOf({changed, kOther, kFirst}));
    EXPECT_EQ(selected(), changed);
}

TEST_F(Corrections, OkWithTypedTextIsRefusedAndTheDialogStays)
{
    startWithThree();
    const std::string before = log();
    clickRow(0);
    command("Zmiepasmo1");
    QLineEdit* typed = pickList()->lineEdit();
    typed->selectAll();
    typeInto(typed, "17M");
    QTest::keyClick(typed, Qt::Key_Return);  // Enter neither presses OK nor adds an entry
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(pickList()->count(), 6);
    EXPECT_EQ(ui::selectedIndex(pickList()), -1);

    pressOk();
    expectOneError("Należy wybrać pozycję z listy!");
    EXPECT_TRUE(form4().isVisible());
    EXPECT_EQ(log(), before);
}

TEST_F(Corrections, PickWithNothingChosenOnTheMainWindowPreselectsNothing)
{
    startWithThree();
    mainWindow().ComboBox2->setEditText("RTTY");
    clickRow(0);
    command("Zmieemisj1");
    EXPECT_EQ(pickList()->count(), 2);
    EXPECT_EQ(ui::selectedIndex(pickList()), -1);
    EXPECT_EQ(pickList()->currentText(), "");
}

TEST_F(Corrections, FailedPickRewriteKeepsTheDialogOpen)
{
    startWithThree();
    const std::string before = log();
    clickRow(0);
    command("Zmiepasmo1");
    {
        const FileFault locked(files::Op::Rename, EACCES, "IARU_log.zrv");
        pressOk();
    }
    EXPECT_EQ(platform.boxes, Boxes{fileFailureBox(EACCES, folder / "IARU_log.zrv")});
    EXPECT_TRUE(form4().isVisible());
    EXPECT_EQ(log(), before);
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

}  // namespace
}  // namespace qz::test
