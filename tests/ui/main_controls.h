#pragma once
// The main window and the operator editor as a test sees them: their
// controls, found by the names the windows give them, as a user finds them by
// their captions.

#include "log_list_box.h"
#include "unit1.h"
#include "unit2.h"
#include "updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace qz::test {

// A control of a window by its name; fails the test when there is none.
template <typename Control>
Control* findControl(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

struct MainControls {
    explicit MainControls(ui::TForm1& form);

    ui::TForm1& form;
    QComboBox* ComboBox3;
    QPushButton* Button1;
    QLineEdit* Edit2;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QLineEdit* Edit3;
    ui::UpDown* UpDown1;
    QLineEdit* Edit4;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit5;
    QGroupBox* Panel1;
    QLineEdit* Edit8;
    QCheckBox* CheckBox1;
    QPushButton* Button4;
    QPushButton* Button2;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button3;
    QPushButton* Button5;
    QPushButton* Button6;
    ui::LogListBox* ListBox1;
    QLabel* Label12;
    QTimer* Timer1;
    QMenu* PopupMenu1;

    bool isVisible() const { return form.isVisible(); }
    QString windowTitle() const { return form.windowTitle(); }
};

struct EditorControls {
    explicit EditorControls(ui::TForm2& form);

    // The record fields, field 1 (callsign) in Edit1 up to field 11 (remarks) in Edit11.
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    QListView* ListBox1;

    std::vector<QLineEdit*> fields() const;
    // The callsigns as the list shows them, top to bottom.
    QStringList callsigns() const;
};

}  // namespace qz::test
