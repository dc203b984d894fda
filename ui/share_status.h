#pragma once
// What the main window says of the sharing: a short state beside the log
// list, and in its tooltip the broker, every computer with its last QSO, the
// messages passed over and any clock that is off.

#include <QString>

namespace qz::link {
class ShareLink;
}

namespace qz::ui {

struct ShareStatus {
    QString text;     // "Sieć: 3 komputery"
    QString details;  // the tooltip
    bool warning = false;
};

ShareStatus shareStatusOf(const link::ShareLink& link);

// "1 komputer", "3 komputery", "12 komputerów".
QString computersText(int count);

}  // namespace qz::ui
