#include "combo_lists.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

namespace qz::test {
namespace {

class Shortcuts : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\nQZ2XYZ,B\r\nQZ3DEF,C\r\n");
        const auto line = [](const char* op) {
            return composeLine({"2026-07-11", "12:00", "  1800", " CW ", op, "599", "1", "SP1A", "599", "1"});
        };
        folder.write("IARU_log.zrv", line("QZ1ABC") + "\r\n" + line("QZ3DEF") + "\r\n" + line("QZ3DEF") + "\r\n");
        start();
        form1().Timer1->stop();
    }
    void press(QLineEdit* field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        field->setFocus();
        QTest::keyClick(field, key, modifiers);
    }
};

TEST_F(Shortcuts, AltBGoesRoundTheBands)
{
    ui::TForm1& w = form1();
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
        press(i % 2 ? w.Edit6 : w.Edit4, Qt::Key_B, Qt::AltModifier);
        seen << w.ComboBox1->currentText();
    }
    EXPECT_EQ(seen, (QStringList{"80M", "40M", "20M", "15M", "10M", "160M"}));
    EXPECT_EQ(w.Edit4->text(), "QZ5KV");  // Alt+B types nothing
    w.ComboBox1->setEditText("6M");
    press(w.Edit4, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox1->currentText(), "160M");
}

TEST_F(Shortcuts, OnlyAltAloneCounts)
{
    ui::TForm1& w = form1();
    const Qt::KeyboardModifiers others[] = {Qt::AltModifier | Qt::ShiftModifier, Qt::AltModifier | Qt::ControlModifier,
                                            Qt::ControlModifier, Qt::NoModifier};
    for (const auto modifiers : others) {
        SCOPED_TRACE(int(modifiers));
        press(w.Edit4, Qt::Key_B, modifiers);
        press(w.Edit4, Qt::Key_M, modifiers);
        press(w.Edit6, Qt::Key_C, modifiers);
        EXPECT_EQ(w.ComboBox1->currentText(), "160M");
        EXPECT_EQ(w.ComboBox2->currentText(), "CW");
        EXPECT_EQ(w.ComboBox3->currentText(), "QZ1ABC");
    }
}

TEST_F(Shortcuts, AltMSwitchesModeAndReports)
{
    ui::TForm1& w = form1();
    w.Edit5->setText("57");
    press(w.Edit4, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox2->currentText(), "SSB");
    EXPECT_EQ(w.Edit5->text(), "59");
    EXPECT_EQ(w.Edit7->text(), "59");
    EXPECT_EQ(w.Edit5->maxLength(), 2);
    press(w.Edit6, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox2->currentText(), "CW");
    EXPECT_EQ(w.Edit7->text(), "599");
    EXPECT_EQ(w.Edit7->maxLength(), 3);
}

TEST_F(Shortcuts, AltCGoesRoundTheOperatorsAndReloadsTheView)
{
    ui::TForm1& w = form1();
    press(w.Edit4, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ2XYZ");
    EXPECT_EQ(w.ListBox1->count(), 0);
    press(w.Edit6, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ3DEF");
    EXPECT_EQ(w.ListBox1->count(), 2);
    press(w.Edit6, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ1ABC");
    EXPECT_EQ(w.ListBox1->count(), 1);
}

TEST_F(Shortcuts, PageKeysStepTheTimeWithAnyModifiers)
{
    ui::TForm1& w = form1();
    w.Edit3->setText("14:07");
    w.Timer1->start();
    press(w.Edit4, Qt::Key_PageUp);
    EXPECT_EQ(w.Edit3->text(), "14:08");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Button6->isVisible());
    press(w.Edit6, Qt::Key_PageUp, Qt::ControlModifier);
    press(w.Edit6, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(w.Edit3->text(), "14:10");
    press(w.Edit4, Qt::Key_PageDown);
    EXPECT_EQ(w.Edit3->text(), "14:09");
    EXPECT_TRUE(w.PageDownKey);
    press(w.Edit4, Qt::Key_A);
    EXPECT_FALSE(w.PageUpKey);
    EXPECT_FALSE(w.PageDownKey);
    EXPECT_EQ(w.Edit3->text(), "14:09");
}

TEST_F(Shortcuts, ShortcutsElsewhereDoNothing)
{
    ui::TForm1& w = form1();
    w.Edit3->setText("14:07");
    for (QLineEdit* field : {w.Edit2, w.Edit3, w.Edit5, w.Edit7, w.Edit8}) {
        press(field, Qt::Key_B, Qt::AltModifier);
        press(field, Qt::Key_PageUp);
    }
    EXPECT_EQ(w.ComboBox1->currentText(), "160M");
    EXPECT_EQ(w.Edit3->text(), "14:07");
}

TEST_F(Shortcuts, ReportFieldsRefuseLettersWithABeep)
{
    ui::TForm1& w = form1();
    for (QLineEdit* report : {w.Edit5, w.Edit7}) {
        report->clear();
        report->setFocus();
        QTest::keyClicks(report, "5a9");
        EXPECT_EQ(report->text(), "59");
    }
    EXPECT_EQ(platform.beeps, 2);
    w.Edit5->clear();
    QTest::keyClicks(w.Edit5, "5-9");
    EXPECT_EQ(w.Edit5->text(), "5-9");
    w.Edit7->clear();
    w.Edit7->setFocus();
    QTest::sendKeyEvent(QTest::Click, w.Edit7, Qt::Key_unknown, QStringLiteral("ł"), Qt::NoModifier);
    EXPECT_EQ(w.Edit7->text(), "ł");
    EXPECT_EQ(platform.beeps, 2);
}

TEST_F(Shortcuts, ReceivedExchangeIsRaisedAsTypedAndOnLeaving)
{
    ui::TForm1& w = form1();
    w.Edit6->clear();
    w.Edit6->setFocus();
    QTest::keyClicks(w.Edit6, "kru");
    EXPECT_EQ(w.Edit6->text(), "KRU");
    w.Edit6->setText("jo91");  // set by the program, so not raised as typed
    EXPECT_EQ(w.Edit6->text(), "jo91");
    w.Edit4->setFocus();
    EXPECT_EQ(w.Edit6->text(), "JO91");
}

TEST_F(Shortcuts, EnterWithAnEmptyCallsignEndsInTheMissingCallsignMessage)
{
    ui::TForm1& w = form1();
    w.Edit4->clear();
    press(w.Edit4, Qt::Key_Return);
    QTRY_VERIFY(w.Edit6->hasFocus());
    press(w.Edit6, Qt::Key_Return);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Brak znaku stacji!");
}

}  // namespace
}  // namespace qz::test
