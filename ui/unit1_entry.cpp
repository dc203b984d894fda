// Storing a QSO and the auto-increment of the sent exchange.

#include "unit1.h"

namespace qz::ui {

void TForm1::Button4Click() {}

void TForm1::CheckBox1Click() {}

void TForm1::Edit8Change() {}

}  // namespace qz::ui
