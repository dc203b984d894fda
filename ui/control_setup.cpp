#include "control_setup.h"

#include <QWidget>

namespace qz::ui {

void setTabChain(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace qz::ui
