#pragma once
// Hints appear 100 ms after the pointer rests and stay 5000 ms. A hint never
// covers the control it explains and never takes a click or a key: a click
// meant for a field that its hint covered went to the hint (without a window
// manager the hint window took it), and the keys typed next were lost.

class QObject;
class QWidget;

namespace qz::ui {

inline constexpr int kHintPauseMs = 100;
inline constexpr int kHintShowMs = 5000;

// Sets the pause for the whole application and the showing time for every
// control of `window` that has a hint.
void applyHintTiming(QWidget* window);

// Places every hint window of the application beside the control it explains
// (below it, or above it where the screen ends) and lets clicks and keys pass
// through it. The filter is owned by `owner`.
void keepHintsClearOfTheirControls(QObject* owner);

}  // namespace qz::ui
