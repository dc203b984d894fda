// Starting the Cabrillo and ADIF exports.

#include "unit1.h"

namespace qz::ui {

void TForm1::Button2Click() {}

void TForm1::Button7Click() {}

}  // namespace qz::ui
