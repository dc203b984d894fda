#pragma once
// A timer owned by a link, with its interval and whether it fires once.

#include <QTimer>
#include <chrono>

namespace qz::link {

inline QTimer* makeTimer(QObject* parent, std::chrono::milliseconds interval, bool singleShot = true)
{
    auto* timer = new QTimer(parent);
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

}  // namespace qz::link
