#pragma once

class QLineEdit;

namespace qz::ui {

// Letters typed into the field become capitals as they are typed; text set by
// the program is left as it is.
void makeUpperCase(QLineEdit* field);

}  // namespace qz::ui
