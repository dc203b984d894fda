#include "main_controls.h"

#include <gtest/gtest.h>

namespace qz::test {
namespace {

template <typename Control>
Control* find(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

}  // namespace

MainControls::MainControls(ui::TForm1& window)
    : form(window), ComboBox3(find<QComboBox>(window, "ComboBox3")), Button1(find<QPushButton>(window, "Button1")),
      Edit2(find<QLineEdit>(window, "Edit2")), ComboBox1(find<QComboBox>(window, "ComboBox1")),
      ComboBox2(find<QComboBox>(window, "ComboBox2")), Edit3(find<QLineEdit>(window, "Edit3")),
      UpDown1(find<ui::UpDown>(window, "UpDown1")), Edit4(find<QLineEdit>(window, "Edit4")),
      Edit6(find<QLineEdit>(window, "Edit6")), Edit7(find<QLineEdit>(window, "Edit7")),
      Edit5(find<QLineEdit>(window, "Edit5")), Panel1(find<QGroupBox>(window, "Panel1")),
      Edit8(find<QLineEdit>(window, "Edit8")), CheckBox1(find<QCheckBox>(window, "CheckBox1")),
      Button4(find<QPushButton>(window, "Button4")), Button2(find<QPushButton>(window, "Button2")),
      Button7(find<QPushButton>(window, "Button7")), Button8(find<QPushButton>(window, "Button8")),
      Button9(find<QPushButton>(window, "Button9")), Button3(find<QPushButton>(window, "Button3")),
      Button5(find<QPushButton>(window, "Button5")), Button6(find<QPushButton>(window, "Button6")),
      ListBox1(find<ui::LogListBox>(window, "ListBox1")), Label12(find<QLabel>(window, "Label12")),
      Timer1(find<QTimer>(window, "Timer1")), PopupMenu1(find<QMenu>(window, "PopupMenu1"))
{
}

}  // namespace qz::test
