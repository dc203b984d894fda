#include "codec.h"
#include "combo_lists.h"
#include "eventually.h"
#include "file_faults.h"
#include "files.h"
#include "line_columns.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

namespace qz::test {
namespace {

class StoringQso : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
        start();
        mainWindow().Timer1->stop();  // the fields keep what the test puts there
    }
    std::string log() const { return folder.read("IARU_log.zrv"); }
    void store() { QTest::mouseClick(mainWindow().Button4, Qt::LeftButton); }
};

TEST_F(StoringQso, CallsignEnterExchangeEnterStoresOneLine)
{
    const MainControls w = mainWindow();
    w.Edit4->clear();
    w.Edit6->clear();
    typeInto(w.Edit4, "sp1abc");
    EXPECT_EQ(w.Edit4->text(), "SP1ABC");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
    EXPECT_EQ(log(), "");
    QTest::keyClicks(w.Edit6, "ma");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    const std::string line = "2026-07-11 1230   1800 CW     QZ1ABC        599 28     SP1ABC        599 MA           ";
    EXPECT_EQ(log(), line + "\r\n");
    EXPECT_EQ(w.ListBox1->lines(), std::vector<std::string>{line});
    EXPECT_EQ(w.ListBox1->selectedRow(), 0);
    EXPECT_EQ(w.Edit4->text(), "");
    EXPECT_EQ(w.Edit6->text(), "");
    EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Button6->isVisible());
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(StoringQso, RefusalsStoreNothing)
{
    const MainControls w = mainWindow();
    const struct {
        const char* name;
        void (*prepare)(const MainControls&);
        QString message;
    } cases[] = {
        {"no operator",
         [](const MainControls& f) {
             f.ComboBox3->setCurrentIndex(-1);
             emit f.ComboBox3->activated(-1);
             f.Edit4->clear();
         },
         "Należy wybrać operatora, który przeprowadził to QSO!"},
        {"no callsign", [](const MainControls& f) { f.Edit4->clear(); }, "Brak znaku stacji!"},
        // Blanks alone stored a QSO with an empty call column.
        {"blanks only", [](const MainControls& f) { f.Edit4->setText("   "); }, "Brak znaku stacji!"},
        {"typed band", [](const MainControls& f) { f.ComboBox1->setEditText("2M"); },
         "Nieznane pasmo „2M”!\nWybierz pasmo z listy."},
        {"typed mode", [](const MainControls& f) { f.ComboBox2->setEditText("FM"); },
         "Nieznana emisja „FM”!\nWybierz emisję z listy."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.ComboBox3->setCurrentIndex(0);
        emit w.ComboBox3->activated(0);
        w.ComboBox1->setCurrentIndex(0);
        w.ComboBox2->setCurrentIndex(1);
        w.Edit4->setText("QZ5KV");
        c.prepare(w);
        platform.boxes.clear();
        const int listed = w.ListBox1->count();
        store();
        EXPECT_EQ(platform.boxes, Boxes{errorBox(c.message)});
        EXPECT_EQ(log(), "");
        EXPECT_EQ(w.ListBox1->count(), listed);
    }
}

// A call pasted with its line break (from a cluster window or a mail) went
// into the log with it: the QSO was split over two lines and read back
// without its exchange.
TEST_F(StoringQso, APasteWithLineBreaksAndTabsNeverSplitsTheLogLine)
{
    const MainControls w = mainWindow();
    w.Edit4->clear();
    w.Edit6->clear();
    w.Edit5->clear();
    pasteInto(w.Edit5, "5x9");  // a paste passes the report's letter filter too
    EXPECT_EQ(w.Edit5->text(), "59");
    EXPECT_EQ(platform.beeps, 1);
    pasteInto(w.Edit4, "dl2xyz\n");
    EXPECT_EQ(w.Edit4->text(), "DL2XYZ");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
    pasteInto(w.Edit6, "\tk r\r\nu\t");
    EXPECT_EQ(w.Edit6->text(), "K R U");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(log(),
              composeLine({"2026-07-11", "12:30", "  1800", " CW ", "QZ1ABC", "59", "28", "DL2XYZ", "599", "KRU"}) +
                  "\r\n");
}

// "VP2V/DL1ABC/MM" was stored in all 14 columns of the call, right against
// the report, and every reader took "VP2V/DL1ABC/M" back.
TEST_F(StoringQso, ACallLongerThanTheReadersTakeIsRefusedAndKept)
{
    const MainControls w = mainWindow();
    w.Edit4->clear();
    typeInto(w.Edit4, "vp2v/dl1abc/mm");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_EQ(platform.boxes,
              Boxes{errorBox("Za długi tekst w polu „Znak”!\nNajwiększa liczba znaków: 13, wpisano: 14.")});
    EXPECT_EQ(log(), "");
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_EQ(w.Edit4->text(), "VP2V/DL1ABC/MM");
    EXPECT_EQ(w.Edit6->text(), "KRU");
    EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));

    // A page of text pasted by mistake: the same box, at once.
    platform.boxes.clear();
    QElapsedTimer took;
    took.start();
    pressKey(Qt::Key_A, Qt::ControlModifier, "\x01");
    pasteInto(w.Edit4, QString(20'000, QLatin1Char('x')));
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_EQ(platform.boxes,
              Boxes{errorBox("Za długi tekst w polu „Znak”!\nNajwiększa liczba znaków: 13, wpisano: 20000.")});
    EXPECT_EQ(log(), "");

    // The operator mends it.
    ASSERT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    pressKey(Qt::Key_A, Qt::ControlModifier, "\x01");
    QTest::keyClicks(w.Edit4, "vp2v/dl1abc/m");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_EQ(storedField(log(), Field::Call), "VP2V/DL1ABC/M ");
}

TEST_F(StoringQso, HeadquartersDefaultsAreKeptEachByItself)
{
    const MainControls w = mainWindow();
    const struct {
        const char* call;
        const char* exchange;
        const char* callAfter;
        const char* exchangeAfter;
    } cases[] = {
        {"QZ5KV", "KRU", "QZ5KV", "KRU"},
        {"SP1A", "KRU", "", "KRU"},
        {"QZ5KV", "28", "QZ5KV", ""},
        {"SP1A", "28", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " " + c.exchange);
        w.Edit4->setText(c.call);
        w.Edit6->setText(c.exchange);
        store();
        EXPECT_EQ(w.Edit4->text(), c.callAfter);
        EXPECT_EQ(w.Edit6->text(), c.exchangeAfter);
    }
    EXPECT_EQ(files::splitLines(log()).size(), 4u);
}

TEST_F(StoringQso, SentExchangeIsTrimmedAndWrittenBack)
{
    mainWindow().Edit8->setText("  jo91  ");
    store();
    EXPECT_EQ(mainWindow().Edit8->text(), "jo91");
    EXPECT_EQ(storedField(log(), Field::SentExchange), "JO91   ");
}

TEST_F(StoringQso, AutoIncrementCountsUpWithoutLeadingZeros)
{
    const MainControls w = mainWindow();
    const std::pair<const char*, const char*> steps[] = {{"28", "29"}, {"009", "10"}, {"099", "100"}};
    for (const auto& [before, after] : steps) {
        SCOPED_TRACE(before);
        w.Edit8->setText(before);
        w.CheckBox1->setChecked(false);
        QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
        ASSERT_TRUE(w.CheckBox1->isChecked());
        store();
        EXPECT_EQ(w.Edit8->text(), after);
        EXPECT_EQ(storedField(*w.ListBox1->selectedLine(), Field::SentExchange),
                  std::string(before) + std::string(7 - strlen(before), ' '));
    }
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(StoringQso, AutoIncrementWarnings)
{
    const MainControls w = mainWindow();
    w.Edit8->setText("JO91");
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text,
              "Aby uaktywnić funkcję ZWIĘKSZ AUTOMATYCZNIE, w polu NADAWANA GRUPA KONTROLNA\n"
              "mogą znajdować się wyłącznie cyfry!\n"
              "Jeśli grupą kontrolną był kolejny numer QSO, wprowadź w to pole numer nadany przy pierwszym QSO\n"
              "i włącz funkcję ponownie.\n");
    EXPECT_FALSE(w.CheckBox1->isChecked());
    EXPECT_TRUE(eventually([&] { return w.Edit8->hasFocus(); }));

    w.Edit8->setText("12");
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    EXPECT_TRUE(w.CheckBox1->isChecked());
    w.Edit8->setFocus();
    w.Edit8->end(false);
    QTest::keyClicks(w.Edit8, "a");
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1].text,
              "Przy aktywnej funkcji ZWIĘKSZ AUTOMATYCZNIE, do tego pola można wprowadzać tylko cyfry!\n"
              "Jeśli nadawany była grupa kontrolna zawierająca litery (lokator, województwo) wyłącz funkcję\n"
              "ZWIĘKSZ AUTOMATYCZNIE i ponownie wprowadź grupę.");
    EXPECT_EQ(w.Edit8->text(), "12a");
    EXPECT_TRUE(w.CheckBox1->isChecked());
}

TEST_F(StoringQso, AutoIncrementOfTextStoresTheQsoThenReportsTheConversion)
{
    const MainControls w = mainWindow();
    w.Edit8->clear();
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    ASSERT_TRUE(w.CheckBox1->isChecked());
    w.Edit4->setText("SP1A");
    w.Timer1->stop();
    store();
    EXPECT_EQ(platform.boxes, Boxes{failureBox("'' is not a valid integer value")});
    EXPECT_EQ(files::splitLines(log()).size(), 1u);
    EXPECT_EQ(w.Edit4->text(), "SP1A");  // the steps after the increment did not run
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(StoringQso, AFailedAppendLeavesNothingThatLooksStored)
{
    const MainControls w = mainWindow();
    w.Edit4->setText("SP1A");
    w.Edit6->setText("15");
    {
        const FileFault full(files::Op::Write, ENOSPC, "IARU_log.zrv");
        store();
    }
    EXPECT_EQ(platform.boxes, Boxes{fileFailureBox(ENOSPC, folder / "IARU_log.zrv")});
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_EQ(log(), "");
    EXPECT_EQ(w.Edit4->text(), "SP1A");
    EXPECT_EQ(w.Edit6->text(), "15");
    store();
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_EQ(files::splitLines(log()).size(), 1u);
}

TEST_F(StoringQso, TwelveHeadquartersSlotsShowTheBanner)
{
    const MainControls w = mainWindow();
    for (int band = 0; band < 6; ++band)
        for (int mode = 0; mode < 2; ++mode) {
            EXPECT_FALSE(w.Label12->isVisible());
            w.ComboBox1->setCurrentIndex(band);
            w.ComboBox2->setCurrentIndex(mode);
            store();
            store();  // a duplicate counts once
        }
    EXPECT_EQ(headquartersSlots().size(), 12u);
    EXPECT_TRUE(w.Label12->isVisible());
    EXPECT_EQ(w.ListBox1->count(), 24);
}

// A station whose slot list held all twelve slots while the banner was hidden
// (a view reload that failed hid it) did not show it again on the next store.
TEST_F(StoringQso, EveryStoreWithTwelveSlotsShowsTheBanner)
{
    const MainControls w = mainWindow();
    for (int band = 0; band < 6; ++band)
        for (int mode = 0; mode < 2; ++mode) {
            w.ComboBox1->setCurrentIndex(band);
            w.ComboBox2->setCurrentIndex(mode);
            store();
        }
    ASSERT_TRUE(w.Label12->isVisible());
    std::filesystem::rename(folder / "IARU_log.zrv", folder / "away.zrv");
    emit w.ComboBox3->activated(0);
    ASSERT_FALSE(w.Label12->isVisible());
    ASSERT_EQ(headquartersSlots().size(), 12u);
    std::filesystem::rename(folder / "away.zrv", folder / "IARU_log.zrv");
    w.Edit4->setText("SP1AAA");
    store();
    EXPECT_TRUE(w.Label12->isVisible());
}

// A serial of ten digits was stored cut to its column and read back as its
// first six; it is refused before anything is stored, so it never reaches
// the count, whose end (a whole number) the core guards.
TEST_F(StoringQso, ASerialLongerThanItsColumnIsRefusedNotCut)
{
    const MainControls w = mainWindow();
    w.Edit8->setText("2147483647");
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    ASSERT_TRUE(w.CheckBox1->isChecked());
    focusOn(w.Edit6);
    pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(platform.boxes, Boxes{errorBox("Za długi tekst w polu „Nadawana grupa kontrolna”!\n"
                                             "Największa liczba znaków: 6, wpisano: 10.")});
    EXPECT_EQ(w.Edit8->text(), "2147483647");
    EXPECT_TRUE(eventually([&] { return w.Edit8->hasFocus(); }));
    EXPECT_EQ(log(), "");
}

// A disk that filled up in the middle of the appended line left its first
// bytes in the log, where the next store closed them into a broken line.
class FullDisk : public StoringQso {
protected:
    // The log fills its first 4 KiB page but for 48 bytes, fewer than a line.
    void writeAlmostAPageOfLog()
    {
        for (int minute = 0; minute < 46; ++minute)
            earlier += composeLine({"2026-07-11", "11:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute),
                                    "  1800", " CW ", "QZ2XYZ", "599", "28", "SP2BBB", "599", "16"}) +
                       "\r\n";
        ASSERT_EQ(earlier.size(), 4048u);
        folder.write("IARU_log.zrv", earlier);
    }

    // Types a QSO while `fill` holds the disk full, then stores it again after
    // `free` has made room: the log is never more than the whole QSO.
    void storeOnAFullDiskThenAgain(const std::function<void()>& fill, const std::function<void()>& free)
    {
        const MainControls w = mainWindow();
        w.Edit4->clear();
        w.Edit6->clear();
        typeInto(w.Edit4, "sp1aaa");
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
        QTest::keyClicks(w.Edit6, "15");
        fill();
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0], fileFailureBox(ENOSPC, folder / "IARU_log.zrv"));
        EXPECT_TRUE(log() == earlier) << "the log is not as it was before the store";
        EXPECT_EQ(w.ListBox1->count(), 0);
        EXPECT_EQ(w.Edit4->text(), "SP1AAA");
        EXPECT_EQ(w.Edit6->text(), "15");
        free();
        pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        const std::string line =
            "2026-07-11 1230   1800 CW     QZ1ABC        599 28     SP1AAA        599 15           ";
        EXPECT_TRUE(log() == earlier + line + "\r\n") << "the QSO is not in the log exactly once";
        EXPECT_EQ(w.ListBox1->lines(), std::vector<std::string>{line});
    }

    std::string earlier;
};

TEST_F(FullDisk, AShortWriteLeavesTheLogAsItWas)
{
    writeAlmostAPageOfLog();
    storeOnAFullDiskThenAgain(
        [] {
            files::setFaultHook([](files::Op op, const files::Path& path) {
                return op == files::Op::PartialWrite && path.filename() == "IARU_log.zrv" ? ENOSPC : 0;
            });
        },
        [] { files::setFaultHook({}); });
}

TEST_F(FullDisk, ARealDiskThatFillsUpLeavesTheLogAsItWas)
{
#ifdef __linux__
    const int result = onSmallDisk(folder.path(), 64 * 1024, [&] {
        writeAlmostAPageOfLog();
        // One block left: room for the backup, which replaces none, but not
        // for the block the appended line runs into.
        storeOnAFullDiskThenAgain([&] { ASSERT_TRUE(fillDiskLeaving(folder.path(), folder / "filler", 1)); },
                                  [&] { std::filesystem::remove(folder / "filler"); });
        return !::testing::Test::HasFailure();
    });
    if (result == kNoSmallDisk)
        GTEST_SKIP() << "no small tmpfs can be mounted here (needs root and a mount namespace of its own)";
    EXPECT_EQ(result, 0) << "the run on the small disk failed; its output is above";
#else
    GTEST_SKIP() << "a small disk is made with a Linux tmpfs";
#endif
}

}  // namespace
}  // namespace qz::test

namespace qz::test {
namespace {

class FocusPath : public StationTest {};

TEST_F(FocusPath, KeptDefaultsAreSelectedSoTypingReplacesThem)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan\r\n");
    start();
    const MainControls w = mainWindow();
    w.Timer1->stop();
    EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    // Start-up: the callsign default is selected, so the first call replaces it.
    QTest::keyClicks(w.Edit4, "sp1a");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
    QTest::keyClicks(w.Edit6, "15");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    ASSERT_EQ(w.ListBox1->count(), 1);
    EXPECT_EQ(storedField(w.ListBox1->lines()[0], Field::Call), "SP1A          ");
    EXPECT_EQ(storedField(w.ListBox1->lines()[0], Field::ReceivedExchange), "15           ");

    // A headquarters QSO keeps both defaults, selected for the next QSO.
    QTest::keyClicks(w.Edit4, "qz5kv");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTest::keyClicks(w.Edit6, "kru");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    EXPECT_EQ(w.Edit4->selectedText(), "QZ5KV");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
    EXPECT_EQ(w.Edit6->selectedText(), "KRU");
}

// A click into "Znak" put the cursor after the default, and the first QSO
// of the morning was stored as "QZ5KVOK1AAA".
TEST_F(FocusPath, AClickIntoTheDefaultCallSelectsItSoTypingReplacesIt)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan\r\n");
    start();
    const MainControls w = mainWindow();
    w.Timer1->stop();
    const auto clickNearTheEnd = [&] {
        focusOn(w.Edit6);
        QTest::mouseClick(w.Edit4, Qt::LeftButton, {}, QPoint(w.Edit4->width() - 4, w.Edit4->height() / 2));
        EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    };
    ASSERT_EQ(w.Edit4->text(), "QZ5KV");
    clickNearTheEnd();
    QTest::keyClicks(w.Edit4, "ok1aaa");
    EXPECT_EQ(w.Edit4->text(), "OK1AAA");
    // Any other call is mended where the click puts the cursor.
    clickNearTheEnd();
    QTest::keyClicks(w.Edit4, "/p");
    EXPECT_EQ(w.Edit4->text(), "OK1AAA/P");
}

// Under X without a window manager the worked-before hint came up over the
// lower half of "Znak" and took the next click meant for the field.
TEST_F(FocusPath, AHintNeverCoversItsFieldNorTakesAClick)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan\r\n");
    start();
    const MainControls w = mainWindow();
    w.Edit4->setText("SP1ABC");
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    w.Edit4->setText("SP1ABC");
    ASSERT_FALSE(w.Edit4->toolTip().isEmpty());

    QCoreApplication::processEvents();  // what the store left to do comes before the pointer rests
    const QPoint rest(8, 2);            // near the field's top
    QHelpEvent asked(QEvent::ToolTip, rest, w.Edit4->mapToGlobal(rest));
    QApplication::sendEvent(w.Edit4, &asked);
    const auto windows = QApplication::topLevelWidgets();
    const auto shown = std::find_if(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->windowType() == Qt::ToolTip && window->isVisible();
    });
    ASSERT_NE(shown, windows.end());
    const QPointer<QWidget> hint = *shown;
    const QRect field(w.Edit4->mapToGlobal(QPoint(0, 0)), w.Edit4->size());
    EXPECT_FALSE(hint->frameGeometry().intersects(field));
    EXPECT_TRUE(eventually([&] {
        return hint && hint->windowHandle() &&
               hint->windowHandle()->flags().testFlags(Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    }));
}

}  // namespace
}  // namespace qz::test
