// Keyboard shortcuts of the callsign and exchange fields, and the report filters.

#include "unit1.h"

namespace qz::ui {

void TForm1::Edit4KeyDown(int, Qt::KeyboardModifiers) {}

void TForm1::Edit6KeyDown(int, Qt::KeyboardModifiers) {}

void TForm1::Edit4KeyPress(char&) {}

void TForm1::Edit6KeyPress(char&) {}

void TForm1::Edit5KeyPress(char&) {}

void TForm1::Edit7KeyPress(char&) {}

void TForm1::Edit6Exit() {}

}  // namespace qz::ui
