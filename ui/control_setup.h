#pragma once
// What every window does to its controls when it builds them: give each the
// name it is found by (the names of the window's design), and chain the Tab
// order through them.

#include "codec.h"

#include <initializer_list>
#include <span>

class QWidget;

namespace qz::ui {

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(fromAscii(name));
    return control;
}

// Tab moves from each control to the next one listed.
void setTabChain(std::span<QWidget* const> controls);
inline void setTabChain(std::initializer_list<QWidget*> controls)
{
    setTabChain(std::span<QWidget* const>(controls.begin(), controls.size()));
}

}  // namespace qz::ui
