#pragma once
// The field of the selected QSO that the pick dialog supplies a new value for.

namespace qz::ui {

enum class PickKind { Band, Mode, Operator };

}  // namespace qz::ui
