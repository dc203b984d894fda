#pragma once
// Helpers for the drop-down lists: which entry is really selected (typed text
// selects none), sorted insertion without regard to case, and a list that
// reports when its drop-down opens.

#include <QComboBox>

namespace qz::ui {

// The selected entry's position, or -1 when the list holds typed text that is
// not its selected entry (or nothing is selected).
int selectedIndex(const QComboBox* combo);

// Inserts at the sorted place (letters compared without regard to case, after
// equal entries); returns the position.
int insertSortedNoCase(QComboBox* combo, const QString& text);

// First entry equal to `text` without regard to case, or -1.
int findNoCase(const QComboBox* combo, const QString& text);

class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
signals:
    void dropDown();
};

}  // namespace qz::ui
