// Opening the operator editor from the main window.

#include "unit1.h"

namespace qz::ui {

void TForm1::Button1Click() {}

void TForm1::ComboBox3DropDown() {}

}  // namespace qz::ui
