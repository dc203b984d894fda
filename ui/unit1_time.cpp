// Checking and stepping the QSO date and time by hand.

#include "unit1.h"

namespace qz::ui {

void TForm1::Edit2Exit() {}

void TForm1::Edit3Exit() {}

void TForm1::UpDown1Click(UpDown::Button) {}

void TForm1::PageStepTime() {}

}  // namespace qz::ui
