#include "overview_placement.h"

#include <algorithm>

namespace qz::ui {

SideBySide placeBeside(const QRect& mainWindow, const QSize& overview, int narrowest, const QRect& room, int gap)
{
    const auto fits = [&](int left) { return left >= room.left() && left + overview.width() - 1 <= room.right(); };
    QRect main = mainWindow;
    QSize size = overview;
    int left = main.right() + gap;
    if (!fits(left)) {
        const int leftOfMain = main.left() - gap - overview.width();
        const int besideMain = room.width() - main.width() - gap;
        if (fits(leftOfMain)) {
            left = leftOfMain;
        } else if (besideMain >= narrowest) {
            size.setWidth(std::min(overview.width(), besideMain));
            main.moveRight(std::min(main.right(), room.right() - size.width() - gap));
            left = main.right() + gap;
        } else {
            left = std::max(room.left(), room.right() + 1 - overview.width());
        }
    }
    const int top = std::max(room.top(), std::min(main.top(), room.bottom() + 1 - size.height()));
    return {main.topLeft(), QRect(QPoint(left, top), size)};
}

}  // namespace qz::ui
