#pragma once
// Where the contest overview stands beside the main window: both whole in
// sight wherever the screen has room for them side by side.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace qz::ui {

struct SideBySide {
    QPoint mainWindow;  // the main window's frame, moved only when that makes room
    QRect overview;     // the overview's frame
};

// Right of the main window, else left of it, at the overview's size
// (`overview`, of the frames). Where the screen's free area `room` has room
// for both side by side only with the overview narrower (down to
// `narrowest`) or the main window moved, the overview stands right of the
// main window, as wide as fits, and the main window moves left as far as
// that needs: the overview never covers the entry fields. Only a screen too
// narrow for both has the overview cover the main window's right edge, as
// little as it can. Level with the main window as far as the screen's height
// lets it.
SideBySide placeBeside(const QRect& mainWindow, const QSize& overview, int narrowest, const QRect& room, int gap);

}  // namespace qz::ui
