#pragma once
// Helpers for the drop-down lists: which entry is really selected (typed text
// selects none), the band or mode it stands for, and a list that reports when
// its drop-down opens.

#include "log_line.h"

#include <QComboBox>

namespace qz::ui {

// The selected entry's position, or -1 when the list holds typed text that is
// not its selected entry (or nothing is selected).
int selectedIndex(const QComboBox* combo);

// The band or mode table row of the list's selected entry; none while the
// list holds typed text that is not one of its entries.
const Band* selectedBand(const QComboBox* bandList);
const Mode* selectedMode(const QComboBox* modeList);

class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
signals:
    void dropDown();
};

}  // namespace qz::ui
