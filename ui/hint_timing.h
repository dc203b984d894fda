#pragma once
// Hints appear 100 ms after the pointer rests and stay 5000 ms.

class QWidget;

namespace qz::ui {

inline constexpr int kHintPauseMs = 100;
inline constexpr int kHintShowMs = 5000;

// Sets the pause for the whole application and the showing time for every
// control of `window` that has a hint.
void applyHintTiming(QWidget* window);

}  // namespace qz::ui
