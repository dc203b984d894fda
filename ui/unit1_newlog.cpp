// Archiving the log and starting a new one.

#include "unit1.h"

namespace qz::ui {

void TForm1::Button8Click() {}

}  // namespace qz::ui
