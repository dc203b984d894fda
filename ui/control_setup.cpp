#include "control_setup.h"

#include <QWidget>

namespace qz::ui {

void setTabChain(std::span<QWidget* const> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace qz::ui
