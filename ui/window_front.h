#pragma once
// Bringing a window into sight. show() alone leaves a window that the window
// manager minimised on the taskbar, and the operator who asked for it sees
// nothing happen.

class QWidget;

namespace qz::ui {

// Shows the window, restored first when it is minimised, in front and active.
void bringToFront(QWidget& window);

}  // namespace qz::ui
