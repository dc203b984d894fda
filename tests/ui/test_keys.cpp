#include "combo_lists.h"
#include "eventually.h"
#include "field_keys.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <optional>
#include <string>

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
        mainWindow().Timer1->stop();
    }
    void press(QLineEdit* field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        field->setFocus();
        QTest::keyClick(field, key, modifiers);
    }
};

// Closing the program with the cursor in the time field destroyed the field
// with the focus, and its check ran on a main window already half destroyed.
// Only a move to another control of the window checks a field.
TEST(FieldKeys, AFieldDestroyedWithTheFocusIsNotChecked)
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* next = new QLineEdit(&window);
    int checks = 0;
    ui::attachFieldKeys(field, {{}, {}, [&checks] { ++checks; }});
    window.show();
    QApplication::setActiveWindow(&window);
    field->setFocus();
    ASSERT_TRUE(eventually([&] { return field->hasFocus(); }));
    next->setFocus();
    EXPECT_EQ(checks, 1);
    field->setFocus();
    delete field;
    EXPECT_EQ(checks, 1);
}

TEST_F(Shortcuts, AltBGoesRoundTheBands)
{
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    press(w.Edit4, Qt::Key_A);
    EXPECT_EQ(w.Edit3->text(), "14:09");
}

TEST_F(Shortcuts, ShortcutsElsewhereDoNothing)
{
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
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
    const MainControls w = mainWindow();
    w.Edit4->clear();
    press(w.Edit4, Qt::Key_Return);
    EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));
    press(w.Edit6, Qt::Key_Return);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Brak znaku stacji!");
}

// What a key could have typed into: a field's text or a list's chosen entry;
// nothing for other controls.
std::optional<std::string> stateOf(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text().toStdString();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText().toStdString();
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
        return std::to_string(view->currentIndex().row());
    return std::nullopt;
}

TEST_F(Shortcuts, AltLettersTypeNothingInAnyWindow)
{
    mainWindow().Button1->click();  // the editor with its operators listed
    form2().Button2Click();         // "Nowy": its fields take typing
    struct AltKey {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    };
    const AltKey keys[] = {{Qt::Key_B, Qt::AltModifier, "b"},
                           {Qt::Key_M, Qt::AltModifier, "m"},
                           {Qt::Key_C, Qt::AltModifier, "c"},
                           {Qt::Key_Q, Qt::AltModifier, "q"},
                           {Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier, "B"}};
    int controls = 0;
    for (QWidget* window : {static_cast<QWidget*>(&form1()), static_cast<QWidget*>(&form2()),
                            static_cast<QWidget*>(&form3()), static_cast<QWidget*>(&form4())}) {
        window->show();
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isEnabled() || !control->isVisibleTo(window))
                continue;
            focusOn(control);
            QWidget* focused = QApplication::focusWidget();
            if (!focused || !stateOf(focused))
                continue;
            ++controls;
            for (const AltKey& key : keys) {
                SCOPED_TRACE(window->objectName().toStdString() + "." + control->objectName().toStdString() + " " +
                             key.text);
                const auto before = stateOf(focused);
                pressKey(key.key, key.modifiers, QString::fromLatin1(key.text));
                EXPECT_EQ(stateOf(focused), before);
            }
        }
    }
    EXPECT_GE(controls, 20);
    // The commands still work where they belong, and AltGr still types.
    EXPECT_EQ(mainWindow().ComboBox1->currentText(), "40M");  // one Alt+B each in "Znak" and "Numer odebrany"
    focusOn(mainWindow().Edit8);
    pressKey(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("ą"));
    EXPECT_EQ(mainWindow().Edit8->text(), QStringLiteral("28ą"));
}

TEST_F(Shortcuts, ControlKeysPassTheCharacterFilters)
{
    mainWindow().Button1->click();
    form2().Button2Click();
    const MainControls w = mainWindow();
    for (QLineEdit* field : {control<QLineEdit>(form2(), "Edit7"), w.Edit5, w.Edit7}) {
        SCOPED_TRACE(field->window()->objectName().toStdString() + "." + field->objectName().toStdString());
        field->setText("12");
        focusOn(field);
        pressKey(Qt::Key_A, Qt::ControlModifier, "\x01");
        EXPECT_EQ(field->selectedText(), "12");
        pressKey(Qt::Key_C, Qt::ControlModifier, "\x03");
        pressKey(Qt::Key_Delete, Qt::NoModifier, "\x7f");
        EXPECT_EQ(field->text(), "");
        pressKey(Qt::Key_V, Qt::ControlModifier, "\x16");
        EXPECT_EQ(field->text(), "12");
        pressKey(Qt::Key_Z, Qt::ControlModifier, "\x1a");
        EXPECT_EQ(field->text(), "");
        field->setText("12");
        pressKey(Qt::Key_Home, Qt::NoModifier, "");
        pressKey(Qt::Key_Delete, Qt::NoModifier, "\x7f");
        EXPECT_EQ(field->text(), "2");
        pressKey(Qt::Key_Backspace, Qt::NoModifier, "\b");
        pressKey(Qt::Key_End, Qt::NoModifier, "");
        pressKey(Qt::Key_Backspace, Qt::NoModifier, "\b");
        EXPECT_EQ(field->text(), "");
        pressKey(Qt::Key_Tab, Qt::NoModifier, "\t");
        EXPECT_FALSE(field->hasFocus()) << "Tab leaves the field";
        focusOn(field);
        pressKey(Qt::Key_Backtab, Qt::ShiftModifier, "\t");
        EXPECT_FALSE(field->hasFocus()) << "Shift+Tab leaves the field";
    }
}

}  // namespace
}  // namespace qz::test
