#pragma once
// The main window as a test sees it: its controls, found by the names the
// window gives them, as a user finds them by their captions.

#include "log_list_box.h"
#include "unit1.h"
#include "updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace qz::test {

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

}  // namespace qz::test
