#include "main_controls.h"

namespace qz::test {

MainControls::MainControls(ui::TForm1& window)
    : form(window), ComboBox3(findControl<QComboBox>(window, "ComboBox3")),
      Button1(findControl<QPushButton>(window, "Button1")), Edit2(findControl<QLineEdit>(window, "Edit2")),
      ComboBox1(findControl<QComboBox>(window, "ComboBox1")), ComboBox2(findControl<QComboBox>(window, "ComboBox2")),
      Edit3(findControl<QLineEdit>(window, "Edit3")), UpDown1(findControl<ui::UpDown>(window, "UpDown1")),
      Edit4(findControl<QLineEdit>(window, "Edit4")), Edit6(findControl<QLineEdit>(window, "Edit6")),
      Edit7(findControl<QLineEdit>(window, "Edit7")), Edit5(findControl<QLineEdit>(window, "Edit5")),
      Panel1(findControl<QGroupBox>(window, "Panel1")), Edit8(findControl<QLineEdit>(window, "Edit8")),
      CheckBox1(findControl<QCheckBox>(window, "CheckBox1")), Button4(findControl<QPushButton>(window, "Button4")),
      Button2(findControl<QPushButton>(window, "Button2")), Button7(findControl<QPushButton>(window, "Button7")),
      Button8(findControl<QPushButton>(window, "Button8")), Button9(findControl<QPushButton>(window, "Button9")),
      Button3(findControl<QPushButton>(window, "Button3")), Button5(findControl<QPushButton>(window, "Button5")),
      Button6(findControl<QPushButton>(window, "Button6")), ListBox1(findControl<ui::LogListBox>(window, "ListBox1")),
      Label12(findControl<QLabel>(window, "Label12")), Timer1(findControl<QTimer>(window, "Timer1")),
      PopupMenu1(findControl<QMenu>(window, "PopupMenu1"))
{
}

EditorControls::EditorControls(ui::TForm2& form)
    : Edit1(findControl<QLineEdit>(form, "Edit1")), Edit2(findControl<QLineEdit>(form, "Edit2")),
      Edit3(findControl<QLineEdit>(form, "Edit3")), Edit4(findControl<QLineEdit>(form, "Edit4")),
      Edit5(findControl<QLineEdit>(form, "Edit5")), Edit6(findControl<QLineEdit>(form, "Edit6")),
      Edit7(findControl<QLineEdit>(form, "Edit7")), Edit8(findControl<QLineEdit>(form, "Edit8")),
      Edit9(findControl<QLineEdit>(form, "Edit9")), Edit10(findControl<QLineEdit>(form, "Edit10")),
      Edit11(findControl<QLineEdit>(form, "Edit11")), ListBox1(findControl<QListView>(form, "ListBox1"))
{
}

std::vector<QLineEdit*> EditorControls::fields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11};
}

QStringList EditorControls::callsigns() const
{
    QStringList texts;
    const QAbstractItemModel* model = ListBox1->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

}  // namespace qz::test
