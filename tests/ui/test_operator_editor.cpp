#include "combo_lists.h"
#include "file_faults.h"
#include "files.h"
#include "station_fixture.h"
#include "unit1.h"
#include "unit2.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <cerrno>
#include <ostream>

namespace qz::test {
namespace {

const std::string kIni = "QZ5KV_stationbook.ini";
const QString kRequired = QStringLiteral("\nWszystkie niebieskie pola muszą być wypełnione!");

class OperatorEditor : public StationTest {
protected:
    ui::TForm2& editor() { return form2(); }

    void startWith(const std::string& ini)
    {
        folder.write(kIni, ini);
        start();
    }

    // The main window's "Zarządzanie operatorami".
    void openEditor() { QTest::mouseClick(control<QPushButton>(form1(), "Button1"), Qt::LeftButton); }

    void click(const char* button)
    {
        auto* target = control<QPushButton>(editor(), button);
        ASSERT_TRUE(target->isVisible()) << button;
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void clickEntry(int row)
    {
        QListView* list = editorWindow().ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }

    // Types into the fields that every record needs.
    void fillRequired(const QString& callsign, const QString& name, const QString& address)
    {
        typeInto(editorWindow().Edit1, callsign);
        typeInto(editorWindow().Edit2, name);
        typeInto(editorWindow().Edit4, address);
    }

    QStringList callsigns() { return editorWindow().callsigns(); }

    QStringList operatorList()
    {
        QStringList texts;
        for (int i = 0; i < mainWindow().ComboBox3->count(); ++i)
            texts << mainWindow().ComboBox3->itemText(i);
        return texts;
    }

    bool fieldsEnabled()
    {
        bool all = true;
        for (QLineEdit* field : fieldList())
            all = all && field->isEnabled();
        return all;
    }

    std::vector<QLineEdit*> fieldList() { return editorWindow().fields(); }

    bool saveShown() { return !control<QPushButton>(editor(), "Button3")->isHidden(); }
};

// --- The window itself -----------------------------------------------------

TEST_F(OperatorEditor, ControlsCarryTheirCaptions)
{
    start();
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    EXPECT_EQ(w.windowTitle(), "Nagłówek pliku Cabrillo");
    EXPECT_EQ(w.size(), QSize(730, 266));
    EXPECT_FALSE(w.isVisible());

    const std::pair<const char*, const char*> captions[] = {
        {"Button1", "Powrót"}, {"Button2", "Nowy"}, {"Button3", "Zapisz"}, {"Button4", "Usuń"}, {"Button5", "Edytuj"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QPushButton>(w, name)->text(), QString::fromUtf8(caption)) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "Operators"},       {"Label2", "Operatorzy"},
        {"Label3", "Kategoria"},       {"Label4", "Znak operatora"},
        {"Label5", "Imię i nazwisko"}, {"Label6", "E-mail"},
        {"Label7", "Adres"},           {"Label8", "Liczba punktów"},
        {"Label9", "Nazwa zawodów"},   {"Label10", "Dodatkowe uwagi"},
    };
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(control<QLabel>(w, name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(c.Edit8->toolTip(), "Kategoria zawodów, np. A KF, B KF, SINGLE-OP ALL SSB HIGH, UKF, CHECKLOG itp.");
    EXPECT_EQ(c.Edit1->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_NE(c.Edit2->palette().color(QPalette::Base), c.Edit3->palette().color(QPalette::Base));
}

TEST_F(OperatorEditor, TabKeyFollowsTheFieldOrder)
{
    start();
    ui::TForm2& w = editor();
    const char* order[] = {"Edit1",    "Edit8",   "Edit2",   "Edit3",   "Edit7",   "Edit4",
                           "Edit5",    "Edit6",   "Edit9",   "Button3", "Button1", "Edit10",
                           "ListBox1", "Button2", "Button4", "Edit11",  "Button5"};
    auto* current = control<QWidget>(w, order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do
            current = current->nextInFocusChain();
        while (!(current->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(current->objectName(), order[i]) << "after " << order[i - 1];
    }
}

TEST_F(OperatorEditor, StartsHiddenWithDisabledNewRecordFields)
{
    start();
    const ui::TForm2& w = editor();
    EXPECT_FALSE(fieldsEnabled());
    EXPECT_FALSE(w.isEditing());
    const OperatorFields fields = w.fields();
    EXPECT_EQ(fields, newRecordFields());
}

TEST_F(OperatorEditor, UpperCaseFieldsRaiseTypedLetters)
{
    start();
    openEditor();
    const EditorControls c = editorWindow();
    for (QLineEdit* upper : {c.Edit1, c.Edit8, c.Edit9, c.Edit10}) {
        upper->clear();
        typeInto(upper, "qz1 ab");
        EXPECT_EQ(upper->text(), "QZ1 AB") << upper->objectName().toStdString();
    }
    for (QLineEdit* asTyped : {c.Edit2, c.Edit3, c.Edit11}) {
        typeInto(asTyped, "Jan k");
        EXPECT_EQ(asTyped->text(), "Jan k") << asTyped->objectName().toStdString();
    }
}

TEST_F(OperatorEditor, PointsTakeDigitsAndBackspaceOnly)
{
    start();
    openEditor();
    QLineEdit* points = editorWindow().Edit7;
    typeInto(points, "1a-2 .b3");
    EXPECT_EQ(points->text(), "0123");
    QTest::keyClick(points, Qt::Key_Backspace);
    QTest::keyClick(points, Qt::Key_Backspace);
    EXPECT_EQ(points->text(), "01");
}

TEST_F(OperatorEditor, PointsKeepOnlyTheDigitsOfAPasteOrADrop)
{
    start();
    openEditor();
    QLineEdit* points = editorWindow().Edit7;
    QGuiApplication::clipboard()->setText(QStringLiteral("x1y"));
    focusOn(points);
    pressKey(Qt::Key_End, Qt::NoModifier, "");
    pressKey(Qt::Key_V, Qt::ControlModifier, "\x16");
    EXPECT_EQ(points->text(), "01");
    points->setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("-2-"));
    points->paste();  // the context menu's "Wklej"
    EXPECT_EQ(points->text(), "021");
    EXPECT_EQ(points->cursorPosition(), 2);

    points->clear();
    QMimeData dropped;
    dropped.setText(QStringLiteral("7 z 8"));
    const QPoint middle = points->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(points, &enter);
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(points, &drop);
    EXPECT_EQ(points->text(), "78");

    fillRequired("QZ1ABC", "Jan", "Ul 1");
    click("Button3");
    EXPECT_EQ(folder.read(kIni), "QZ1ABC,Jan,,Ul 1,,,78,CHECKLOG,,IARU-HF,\r\n");
}

TEST_F(OperatorEditor, BothOperatorListsHaveOneOrder)
{
    startWith("QZ1A+,Plus,,Ul 2,,,0,CHECKLOG,,IARU-HF,\r\nQZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ1A+"}));
    EXPECT_EQ(operatorList(), callsigns());
}

// --- Opening and browsing ----------------------------------------------------

TEST_F(OperatorEditor, WithoutAFileOpensForTheFirstOperatorAndSavingCreatesTheFile)
{
    start();
    openEditor();
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(callsigns().isEmpty());
    EXPECT_TRUE(w.isEditing());
    EXPECT_TRUE(fieldsEnabled());
    EXPECT_EQ(w.fields(), newRecordFields());
    EXPECT_EQ(w.focusWidget(), c.Edit1);
    EXPECT_FALSE(folder.exists(kIni));

    fillRequired("qz1abc ", "Jan Kowalski", "Ulica 1");
    click("Button3");
    EXPECT_TRUE(platform.boxes.empty()) << platform.texts().join(" | ").toStdString();
    EXPECT_EQ(folder.read(kIni), "QZ1ABC,Jan Kowalski,,Ulica 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(callsigns(), QStringList{"QZ1ABC"});
    EXPECT_EQ(w.selectedRow(), 0);
    EXPECT_EQ(operatorList(), QStringList{"QZ1ABC"});
    EXPECT_FALSE(w.isEditing());
    EXPECT_FALSE(fieldsEnabled());
    EXPECT_FALSE(control<QPushButton>(w, "Button3")->isVisible());
    EXPECT_EQ(c.Edit1->text(), "QZ1ABC ");  // the fields are not refilled after saving
}

TEST_F(OperatorEditor, OpeningShowsTheFirstOperatorAndSelectingFillsTheFields)
{
    startWith("qz2xyz,Anna,a@b.pl,Ul 2,,,15,A KF,,IARU-HF,uwagi\r\n\r\nQZ1ABC,Jan,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    EXPECT_EQ(callsigns(), (QStringList{"QZ1ABC", "QZ2XYZ"}));
    EXPECT_EQ(w.selectedRow(), 0);
    EXPECT_EQ(c.Edit2->text(), "Jan");
    EXPECT_FALSE(w.isEditing());
    EXPECT_FALSE(fieldsEnabled());

    clickEntry(1);
    EXPECT_EQ(w.fields(),
              (OperatorFields{"qz2xyz", "Anna", "a@b.pl", "Ul 2", "", "", "15", "A KF", "", "IARU-HF", "uwagi"}));
    c.ListBox1->setFocus();
    QTest::keyClick(c.ListBox1, Qt::Key_Up);
    EXPECT_EQ(c.Edit1->text(), "QZ1ABC");
    EXPECT_FALSE(fieldsEnabled());

    click("Button5");
    EXPECT_TRUE(w.isEditing());
    EXPECT_EQ(c.Edit1->text(), "QZ1ABC");
    EXPECT_EQ(w.selectedRow(), 0);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(OperatorEditor, WithoutSelectionOnlyTheRecordDetailsAreCleared)
{
    startWith("QZ1ABC,Jan,j@x.pl,Ul 1,Ul 2,Ul 3,77,A KF,QZ1ABC,IARU-HF,uwagi\r\n");
    openEditor();
    ui::TForm2& w = editor();
    w.selectRow(-1);
    w.ListBox1Click();
    EXPECT_EQ(w.fields(), (OperatorFields{"QZ1ABC", "", "", "", "", "", "77", "A KF", "", "IARU-HF", ""}));
}

TEST_F(OperatorEditor, NewClearsTheSelectionAndTheFields)
{
    startWith("QZ1ABC,Jan,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    click("Button2");
    EXPECT_EQ(w.selectedRow(), -1);
    EXPECT_TRUE(w.isEditing());
    EXPECT_EQ(w.fields(), newRecordFields());
    EXPECT_EQ(w.focusWidget(), c.Edit1);
}

TEST_F(OperatorEditor, BackWhileEditingKeepsTheFieldsEnabledButHidesSave)
{
    startWith("QZ1ABC,Jan,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    click("Button5");
    typeInto(c.Edit2, " Nowak");
    click("Button1");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(folder.read(kIni), "QZ1ABC,Jan,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");

    openEditor();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(c.Edit2->text(), "Jan");
    EXPECT_TRUE(fieldsEnabled());
    EXPECT_FALSE(saveShown());
    EXPECT_FALSE(w.isEditing());
    click("Button5");
    EXPECT_TRUE(w.isEditing());
}

TEST_F(OperatorEditor, CloseBoxHidesTheEditorAndBringsBackTheMainWindow)
{
    start();
    openEditor();
    form1().hide();
    editor().close();
    EXPECT_FALSE(editor().isVisible());
    EXPECT_TRUE(form1().isVisible());
}

// Minimised by the window manager, the editor comes back when it is opened
// again, and its close box brings back a minimised main window.
TEST_F(OperatorEditor, MinimisedWindowsComeBackWhenAskedFor)
{
    start();
    openEditor();
    editor().setWindowState(Qt::WindowMinimized);
    openEditor();
    EXPECT_FALSE(editor().isMinimized());
    form1().setWindowState(Qt::WindowMinimized);
    editor().close();
    EXPECT_FALSE(form1().isMinimized());
}

TEST_F(OperatorEditor, DroppingDownAnEmptyOperatorListOpensTheEditor)
{
    start();
    QTest::mouseClick(mainWindow().ComboBox3, Qt::LeftButton);
    EXPECT_TRUE(editor().isVisible());
    EXPECT_TRUE(editor().isEditing());
}

TEST_F(OperatorEditor, DroppingDownAFilledOperatorListLeavesTheEditorClosed)
{
    startWith("QZ1ABC,Jan,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    mainWindow().ComboBox3->showPopup();
    EXPECT_FALSE(editor().isVisible());
    mainWindow().ComboBox3->hidePopup();
}

// --- Saving --------------------------------------------------------------------

struct RefusedSave {
    const char* name;
    QString callsign;
    QString personName;
    QString address;
    QString message;
};

void PrintTo(const RefusedSave& row, std::ostream* out) { *out << row.name; }

class RefusedSaves : public OperatorEditor, public ::testing::WithParamInterface<RefusedSave> {};

TEST_P(RefusedSaves, ShowTheirMessageAndChangeNothing)
{
    const RefusedSave& row = GetParam();
    startWith("QZ5A,Ewa,,Ul 5,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    click("Button2");
    fillRequired(row.callsign, row.personName, row.address);
    const OperatorFields typed = editor().fields();
    click("Button3");
    EXPECT_EQ(platform.boxes, Boxes{errorBox(row.message)});
    EXPECT_EQ(folder.read(kIni), "QZ5A,Ewa,,Ul 5,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(callsigns(), QStringList{"QZ5A"});
    EXPECT_EQ(operatorList(), QStringList{"QZ5A"});
    EXPECT_TRUE(editor().isEditing());
    EXPECT_EQ(editor().fields(), typed);
}

INSTANTIATE_TEST_SUITE_P(
    OperatorEditor, RefusedSaves,
    ::testing::Values(
        RefusedSave{"NothingTyped", "", "", "",
                    QStringLiteral("Proszę wprowadzić znak używany podczas zawodów!") + kRequired},
        RefusedSave{"BlankCallsign", "   ", "Jan", "Ul 1",
                    QStringLiteral("Proszę wprowadzić znak używany podczas zawodów!") + kRequired},
        RefusedSave{"NoName", "QZ1A", "", "", QStringLiteral("Proszę wprowadzić imię i nazwisko!") + kRequired},
        RefusedSave{"NoAddress", "QZ1A", "Jan", "", QStringLiteral("Proszę wprowadzić adres!") + kRequired},
        RefusedSave{"CommaInName", "QZ1A", "Kowalski, Jan", "Ul 1",
                    QStringLiteral("Pole „Imię i nazwisko” nie może zawierać przecinka!")},
        RefusedSave{"CommaInCallsign", "QZ1,A", "Jan", "Ul 1",
                    QStringLiteral("Pole „Znak operatora” nie może zawierać przecinka!")},
        RefusedSave{"CommaInAddress", "QZ1A", "Jan", "Ul 1, m 2",
                    QStringLiteral("Pole „Adres” nie może zawierać przecinka!")},
        // The log's operator column gives back 13 characters: the operator
        // would never see their own QSOs.
        RefusedSave{
            "CallsignLongerThanTheLogTakes", "QZ1ABCDEFGHIJK", "Jan", "Ul 1",
            QStringLiteral("Za długi tekst w polu „Znak operatora”!\nNajwiększa liczba znaków: 13, wpisano: 14.")}),
    [](const ::testing::TestParamInfo<RefusedSave>& row) { return std::string(row.param.name); });

TEST_F(OperatorEditor, BlankNameAndAddressPassAndOptionalFieldsMayStayEmpty)
{
    start();
    openEditor();
    fillRequired("QZ1A", " ", " ");
    click("Button3");
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(folder.read(kIni), "QZ1A, ,, ,,,0,CHECKLOG,,IARU-HF,\r\n");
}

// A name pasted with a line break and a tab split the operator's record in
// two lines of the file, the second read as a false operator.
TEST_F(OperatorEditor, APastedLineBreakNeverSplitsTheRecord)
{
    start();
    openEditor();
    typeInto(editorWindow().Edit1, "qz1abc");
    pasteInto(editorWindow().Edit2, "Jan\nKowalski\tII\r\n");
    EXPECT_EQ(editorWindow().Edit2->text(), "Jan Kowalski II");
    typeInto(editorWindow().Edit4, "Ul 1");
    click("Button3");
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(folder.read(kIni), "QZ1ABC,Jan Kowalski II,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(operatorList(), QStringList{"QZ1ABC"});
}

TEST_F(OperatorEditor, ACommaInRemarksIsRefusedToo)
{
    start();
    openEditor();
    fillRequired("QZ1A", "Jan", "Ul 1");
    typeInto(editorWindow().Edit11, "a,b");
    click("Button3");
    EXPECT_EQ(platform.texts(), QStringList{QStringLiteral("Pole „Dodatkowe uwagi” nie może zawierać przecinka!")});
    EXPECT_FALSE(folder.exists(kIni));
    EXPECT_TRUE(operatorList().isEmpty());
}

TEST_F(OperatorEditor, ANewOperatorGoesBetweenItsNeighboursEverywhere)
{
    startWith("qz1a,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\nQZ3C,Cezary,,Ul 3,,,0,CHECKLOG,,IARU-HF,\r\n");
    ASSERT_EQ(currentOperator(), "QZ1A");
    openEditor();
    click("Button2");
    fillRequired("qz2b", "Bogdan", "Ul 2");
    click("Button3");
    EXPECT_EQ(folder.read(kIni), "qz1a,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n"
                                 "QZ2B,Bogdan,,Ul 2,,,0,CHECKLOG,,IARU-HF,\r\n"
                                 "QZ3C,Cezary,,Ul 3,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
    EXPECT_EQ(editor().selectedRow(), 1);
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
    EXPECT_EQ(currentOperator(), "QZ1A");
}

TEST_F(OperatorEditor, SavingAnExistingOperatorReplacesOnlyItsLine)
{
    startWith("QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n"
              "qz2b,Bogdan,,Ul 2,,,0,CHECKLOG,,IARU-HF,x\r\n"
              "QZ3C,Cezary,,Ul 3,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    clickEntry(1);
    click("Button5");
    typeInto(editorWindow().Edit7, "5");
    click("Button3");
    EXPECT_EQ(folder.read(kIni), "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n"
                                 "qz2b,Bogdan,,Ul 2,,,05,CHECKLOG,,IARU-HF,x\r\n"
                                 "QZ3C,Cezary,,Ul 3,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
    EXPECT_EQ(editor().selectedRow(), 1);
    EXPECT_FALSE(editor().isEditing());
    // The saved record left its row and came back: the fields were not touched.
    EXPECT_EQ(editor().fields(),
              (OperatorFields{"qz2b", "Bogdan", "", "Ul 2", "", "", "05", "CHECKLOG", "", "IARU-HF", "x"}));
}

TEST_F(OperatorEditor, ChangingTheCallsignAddsASecondOperator)
{
    startWith("QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    click("Button5");
    editorWindow().Edit1->clear();
    typeInto(editorWindow().Edit1, "QZ9Z");
    click("Button3");
    EXPECT_EQ(folder.read(kIni), "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\nQZ9Z,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ9Z"}));
}

// --- Deleting ------------------------------------------------------------------

TEST_F(OperatorEditor, DeletingNeedsASelectionAndAYes)
{
    const std::string ini = "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n";
    startWith(ini);
    openEditor();
    click("Button2");
    click("Button4");
    const ShownBox selectFirst = errorBox("Proszę wybrać znak operatora do usunięcia!");
    EXPECT_EQ(platform.boxes, Boxes{selectFirst});

    clickEntry(0);
    platform.answers = {ui::BoxAnswer::No};
    click("Button4");
    EXPECT_EQ(platform.boxes, (Boxes{selectFirst, questionBox("Czy na pewno usunąć wybranego operatora?")}));
    EXPECT_EQ(folder.read(kIni), ini);
    EXPECT_EQ(callsigns(), QStringList{"QZ1A"});
    EXPECT_EQ(operatorList(), QStringList{"QZ1A"});
}

TEST_F(OperatorEditor, DeletingTheLastOperatorLeavesAZeroLengthFile)
{
    startWith("QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    platform.answers = {ui::BoxAnswer::Yes};
    click("Button4");
    EXPECT_TRUE(folder.exists(kIni));
    EXPECT_EQ(folder.read(kIni), "");
    EXPECT_TRUE(callsigns().isEmpty());
    EXPECT_TRUE(operatorList().isEmpty());
    EXPECT_EQ(currentOperator(), "");
    EXPECT_EQ(editor().fields(), newRecordFields());
    EXPECT_FALSE(editor().isEditing());
}

TEST_F(OperatorEditor, DeletingTheCurrentOperatorLeavesNoneCurrent)
{
    startWith("QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\nQZ2B,Bogdan,,Ul 2,,,0,CHECKLOG,,IARU-HF,\r\n");
    openEditor();
    platform.answers = {ui::BoxAnswer::Yes, ui::BoxAnswer::Yes};
    clickEntry(1);
    click("Button4");
    EXPECT_EQ(operatorList(), QStringList{"QZ1A"});
    EXPECT_EQ(currentOperator(), "QZ1A");
    clickEntry(0);
    click("Button4");
    EXPECT_TRUE(operatorList().isEmpty());
    EXPECT_EQ(currentOperator(), "");
}

// --- File failures -------------------------------------------------------------

TEST_F(OperatorEditor, AFailedSaveLeavesTheFileAndShowsWhatIsOnDisk)
{
    const std::string ini = "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n";
    startWith(ini);
    openEditor();
    click("Button2");
    fillRequired("QZ2B", "Bogdan", "Ul 2");
    // Someone else changed the file meanwhile: the lists must follow the disk.
    const std::string changed = ini + "QZ3C,Cezary,,Ul 3,,,0,CHECKLOG,,IARU-HF,\r\n";
    folder.write(kIni, changed);
    {
        const FileFault full(files::Op::Write, ENOSPC);
        click("Button3");
    }
    ASSERT_EQ(platform.boxes.size(), 1u);
    // The failure may name the settings file's scratch file beside it.
    const QString text = platform.boxes[0].text;
    EXPECT_EQ(platform.boxes[0], failureBox(text));
    EXPECT_TRUE(text.startsWith("Disk full\n" + path(kIni))) << text.toStdString();
    EXPECT_EQ(folder.read(kIni), changed);
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ3C"}));
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ3C"}));
    EXPECT_EQ(currentOperator(), "QZ1A");
    EXPECT_TRUE(editor().isEditing());

    click("Button3");
    EXPECT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ2B", "QZ3C"}));
}

TEST_F(OperatorEditor, AFailedDeletionKeepsTheOperator)
{
    const std::string ini = "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\nQZ2B,Bogdan,,Ul 2,,,0,CHECKLOG,,IARU-HF,\r\n";
    startWith(ini);
    openEditor();
    platform.answers = {ui::BoxAnswer::Yes};
    {
        const FileFault locked(files::Op::Rename, EACCES);
        click("Button4");
    }
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[1], fileFailureBox(EACCES, folder / kIni));
    EXPECT_EQ(folder.read(kIni), ini);
    EXPECT_EQ(callsigns(), (QStringList{"QZ1A", "QZ2B"}));
    EXPECT_EQ(editor().selectedRow(), 0);
    EXPECT_EQ(operatorList(), (QStringList{"QZ1A", "QZ2B"}));
    EXPECT_EQ(currentOperator(), "QZ1A");
}

// --- Helpers used by the other windows -----------------------------------------

TEST_F(OperatorEditor, ANewLogResetsEverythingButTheRemarks)
{
    startWith("QZ1A,Ala,a@x.pl,Ul 1,Ul 2,Ul 3,99,A KF,QZ1A,TEST,uwagi\r\n");
    openEditor();
    editor().resetForNewLog();
    OperatorFields expected = newRecordFields();
    expected[kRemarks] = "uwagi";
    EXPECT_EQ(editor().fields(), expected);
}

TEST_F(OperatorEditor, LookupByCallsignIgnoresCaseAndFillsOnRequest)
{
    startWith("qz1a,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\nQZ2B,Bogdan,,Ul 2,,,0,CHECKLOG,,IARU-HF,\r\n");
    ui::TForm2& w = editor();
    const EditorControls c = editorWindow();
    logbook().reloadOperators();
    const int row = w.findCallsign("qz2b");
    ASSERT_EQ(row, 1);
    w.selectRow(row);
    EXPECT_EQ(c.Edit2->text(), "");  // selecting from code does not fill
    w.ListBox1Click();
    EXPECT_EQ(c.Edit2->text(), "Bogdan");
    EXPECT_EQ(w.findCallsign("QZ9"), -1);
    std::filesystem::remove(folder / kIni);
    logbook().reloadOperators();
    EXPECT_TRUE(callsigns().isEmpty());
}

}  // namespace
}  // namespace qz::test
