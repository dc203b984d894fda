#include "combo_lists.h"
#include "file_faults.h"
#include "files.h"
#include "line_columns.h"
#include "station_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace qz::test {
namespace {

class StoringQso : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
        start();
        form1().Timer1->stop();  // the fields keep what the test puts there
    }
    std::string log() const { return folder.read("IARU_log.zrv"); }
    void store() { QTest::mouseClick(form1().Button4, Qt::LeftButton); }
};

TEST_F(StoringQso, CallsignEnterExchangeEnterStoresOneLine)
{
    ui::TForm1& w = form1();
    w.Edit4->clear();
    w.Edit6->clear();
    typeInto(w.Edit4, "sp1abc");
    EXPECT_EQ(w.Edit4->text(), "SP1ABC");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTRY_VERIFY(w.Edit6->hasFocus());
    EXPECT_EQ(log(), "");
    QTest::keyClicks(w.Edit6, "ma");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    const std::string line = "2026-07-11 1230   1800 CW     QZ1ABC        599 28     SP1ABC        599 MA           ";
    EXPECT_EQ(log(), line + "\r\n");
    EXPECT_EQ(w.ListBox1->lines(), std::vector<std::string>{line});
    EXPECT_EQ(w.ListBox1->selectedRow(), 0);
    EXPECT_EQ(w.Edit4->text(), "");
    EXPECT_EQ(w.Edit6->text(), "");
    QTRY_VERIFY(w.Edit4->hasFocus());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Button6->isVisible());
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(StoringQso, RefusalsStoreNothing)
{
    ui::TForm1& w = form1();
    const struct {
        const char* name;
        void (*prepare)(ui::TForm1&);
        QString message;
    } cases[] = {
        {"no operator",
         [](ui::TForm1& f) {
             f.ComboBox3->setCurrentIndex(-1);
             f.Edit4->clear();
         },
         "Należy wybrać operatora, który przeprowadził to QSO!"},
        {"no callsign", [](ui::TForm1& f) { f.Edit4->clear(); }, "Brak znaku stacji!"},
        {"typed band", [](ui::TForm1& f) { f.ComboBox1->setEditText("2M"); },
         "Nieznane pasmo „2M”!\nWybierz pasmo z listy."},
        {"typed mode", [](ui::TForm1& f) { f.ComboBox2->setEditText("FM"); },
         "Nieznana emisja „FM”!\nWybierz emisję z listy."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        w.ComboBox3->setCurrentIndex(0);
        w.ComboBox1->setCurrentIndex(0);
        w.ComboBox2->setCurrentIndex(1);
        w.Edit4->setText("QZ5KV");
        c.prepare(w);
        platform.boxes.clear();
        store();
        EXPECT_EQ(platform.boxes, Boxes{errorBox(c.message)});
        EXPECT_EQ(log(), "");
        EXPECT_EQ(w.ListBox1->count(), 0);
    }
}

TEST_F(StoringQso, ASingleSpaceCallsignPasses)
{
    form1().Edit4->setText(" ");
    store();
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(storedField(log(), Field::Call), std::string(14, ' '));
}

TEST_F(StoringQso, HeadquartersDefaultsAreKeptEachByItself)
{
    ui::TForm1& w = form1();
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
    form1().Edit8->setText("  jo91  ");
    store();
    EXPECT_EQ(form1().Edit8->text(), "jo91");
    EXPECT_EQ(storedField(log(), Field::SentExchange), "JO91   ");
}

TEST_F(StoringQso, AutoIncrementCountsUpWithoutLeadingZeros)
{
    ui::TForm1& w = form1();
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
    ui::TForm1& w = form1();
    w.Edit8->setText("JO91");
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text,
              "Aby uaktywnić funkcję ZWIĘKSZ AUTOMATYCZNIE, w polu NADAWANA GRUPA KONTROLNA\n"
              "mogą znajdować się wyłącznie cyfry!\n"
              "Jeśli grupą kontrolną był kolejny numer QSO, wprowadź w to pole numer nadany przy pierwszym QSO\n"
              "i włącz funkcję ponownie.\n");
    EXPECT_FALSE(w.CheckBox1->isChecked());
    QTRY_VERIFY(w.Edit8->hasFocus());

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
    ui::TForm1& w = form1();
    w.Edit8->clear();
    QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
    ASSERT_TRUE(w.CheckBox1->isChecked());
    w.Edit4->setText("SP1A");
    w.stopClock();
    store();
    EXPECT_EQ(platform.boxes, Boxes{failureBox("'' is not a valid integer value")});
    EXPECT_EQ(files::splitLines(log()).size(), 1u);
    EXPECT_EQ(w.Edit4->text(), "SP1A");  // the steps after the increment did not run
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(StoringQso, AFailedAppendLeavesNothingThatLooksStored)
{
    ui::TForm1& w = form1();
    w.Edit4->setText("SP1A");
    w.Edit6->setText("15");
    {
        const FileFault full(files::Op::Write, ENOSPC, "IARU_log.zrv");
        store();
    }
    EXPECT_EQ(platform.boxes, Boxes{failureBox("Disk full\n" + path("IARU_log.zrv"))});
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
    ui::TForm1& w = form1();
    for (int band = 0; band < 6; ++band)
        for (int mode = 0; mode < 2; ++mode) {
            EXPECT_FALSE(w.Label12->isVisible());
            w.ComboBox1->setCurrentIndex(band);
            w.ComboBox2->setCurrentIndex(mode);
            store();
            store();  // a duplicate counts once
        }
    EXPECT_EQ(w.ListBox3.size(), 12u);
    EXPECT_TRUE(w.Label12->isVisible());
    EXPECT_EQ(w.ListBox1->count(), 24);
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
    ui::TForm1& w = form1();
    w.Timer1->stop();
    QTRY_VERIFY(w.Edit4->hasFocus());
    // Start-up: the callsign default is selected, so the first call replaces it.
    QTest::keyClicks(w.Edit4, "sp1a");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTRY_VERIFY(w.Edit6->hasFocus());
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
    QTRY_VERIFY(w.Edit4->hasFocus());
    EXPECT_EQ(w.Edit4->selectedText(), "QZ5KV");
    QTest::keyClick(w.Edit4, Qt::Key_Return);
    QTRY_VERIFY(w.Edit6->hasFocus());
    EXPECT_EQ(w.Edit6->selectedText(), "KRU");
}

}  // namespace
}  // namespace qz::test
