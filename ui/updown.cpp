#include "updown.h"

#include "codec.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qz::ui {

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [arrow, type, name] : {std::tuple{up_, Qt::UpArrow, "up"}, std::tuple{down_, Qt::DownArrow, "down"}}) {
        arrow->setObjectName(fromAscii(name));
        arrow->setArrowType(type);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(17, 11);
        layout->addWidget(arrow);
    }
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { step(Button::Up); });
    connect(down_, &QToolButton::clicked, this, [this] { step(Button::Down); });
}

void UpDown::setPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::step(Button button)
{
    setPosition(position_ + (button == Button::Up ? 1 : -1));
    emit clicked(button);
}

}  // namespace qz::ui
