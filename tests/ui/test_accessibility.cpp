// A screen reader announces a control by the name Qt's accessibility layer
// gives it: every field, list and button of the four windows must have one.

#include "combo_lists.h"
#include "station_fixture.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"
#include "unit4.h"
#include "updown.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace qz::test {
namespace {

std::string accessibleName(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name).trimmed().toStdString() : std::string();
}

// The line edit and the drop-down list inside a combo box are parts of it:
// the reader names the combo box.
bool insideComboBox(const QWidget* control, const QWidget* window)
{
    for (const QWidget* up = control->parentWidget(); up && up != window; up = up->parentWidget())
        if (qobject_cast<const QComboBox*>(up))
            return true;
    return false;
}

// Every entry field, combo box, list and button of the window, the arrows of
// a spinner included.
std::vector<QWidget*> controlsOf(QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
                             qobject_cast<QAbstractItemView*>(child) || qobject_cast<QAbstractButton*>(child);
        if (control && !insideComboBox(child, &window))
            controls.push_back(child);
    }
    return controls;
}

class Accessibility : public StationTest {};

TEST_F(Accessibility, EveryControlOfTheFourWindowsHasAName)
{
    start();
    for (QWidget* window : {static_cast<QWidget*>(&form1()), static_cast<QWidget*>(&form2()),
                            static_cast<QWidget*>(&form3()), static_cast<QWidget*>(&form4())}) {
        const std::vector<QWidget*> controls = controlsOf(*window);
        EXPECT_GE(controls.size(), 2U) << window->objectName().toStdString();
        for (QWidget* control : controls)
            EXPECT_NE(accessibleName(control), "")
                << window->objectName().toStdString() << "." << control->objectName().toStdString() << " ("
                << control->metaObject()->className() << ")";
    }
}

// The name a reader gives a control. For a combo box Qt on Linux reports the
// current value as the name and gives the label as a relation, so the name
// there comes from the labelling relation, else from the widget itself (what
// Windows and macOS report).
std::string purposeOf(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible)
        return {};
    if (!qobject_cast<QComboBox*>(control))
        return accessibleName(control);
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? control->accessibleName().toStdString()
                            : labels.front().first->text(QAccessible::Name).toStdString();
}

TEST_F(Accessibility, ControlsAreNamedAfterTheirLabels)
{
    start();
    const struct {
        QWidget* control;
        const char* name;
    } rows[] = {
        {mainWindow().ComboBox3, "Aktualny operator:"},
        {mainWindow().Edit2, "Data (rrrr-mm-dd)"},
        {mainWindow().ComboBox1, "Pasmo"},
        {mainWindow().ComboBox2, "Emisja"},
        {mainWindow().Edit3, "Czas UTC (gg:mm)"},
        {mainWindow().UpDown1->upArrow(), "Czas o minutę później"},
        {mainWindow().UpDown1->downArrow(), "Czas o minutę wcześniej"},
        {mainWindow().Edit4, "Znak"},
        {mainWindow().Edit6, "Numer odebrany"},
        {mainWindow().Edit7, "Rprt odebrany"},
        {mainWindow().Edit5, "Rprt nadany"},
        {mainWindow().Edit8, "Nadawana grupa kontrolna"},
        {mainWindow().ListBox1, "Plik wyjściowy:"},
        {mainWindow().Button4, "Dodaj QSO do logu"},
        {editorWindow().ListBox1, "Operatorzy"},
        {editorWindow().Edit1, "Znak operatora"},
        {editorWindow().Edit5, "Adres, 2. wiersz"},
        {editorWindow().Edit9, "Operators"},
        {editorWindow().Edit11, "Dodatkowe uwagi"},
        {control<QLineEdit>(form3(), "Edit1"), "Komentarz dla wszystkich rekordów:"},
        {control<QComboBox>(form4(), "ComboBox1"), "Nowa wartość"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(purposeOf(row.control), row.name) << row.control->objectName().toStdString();
}

// With no operator in the settings file the operator list holds no value, so
// even on Linux its name is what it is for.
TEST_F(Accessibility, EmptyOperatorListIsNamedAfterItsLabel)
{
    start();
    ASSERT_EQ(mainWindow().ComboBox3->count(), 0);
    EXPECT_EQ(accessibleName(mainWindow().ComboBox3), "Aktualny operator:");
}

}  // namespace
}  // namespace qz::test
