// The correction commands of the log list's popup menu.

#include "unit1.h"

namespace qz::ui {

void TForm1::zmiendate1Click() {}

void TForm1::ZmieczasQSO1Click() {}

void TForm1::Zmiepasmo1Click() {}

void TForm1::Zmieemisj1Click() {}

void TForm1::ZmieOperatora1Click() {}

void TForm1::Zmieznakkorespondenta1Click() {}

void TForm1::Zmienadanynumerser1Click() {}

void TForm1::Zmieodebranynumerseryjny1Click() {}

void TForm1::Usu1Click() {}

}  // namespace qz::ui
