#pragma once
// A band or mode list that follows the radio without fighting the operator:
// it takes the radio's entry only when the radio has moved, and not while the
// operator has its drop-down open or is typing into it (the move is taken
// once they are done, unless they picked an entry themselves meanwhile,
// which then stands until the radio moves again).

#include "radio_follow.h"

#include <QObject>

class QComboBox;

namespace qz::ui {

class FollowingList : public QObject {
    Q_OBJECT
public:
    // Owned by the list.
    explicit FollowingList(QComboBox* list);

    // The radio's entry at the latest poll (empty when the list has none for
    // it). True when the list's selection was changed to it.
    bool follow(const QString& entry);

private:
    bool operatorBusy() const;

    QComboBox* list_ = nullptr;
    ListFollow follow_;
};

}  // namespace qz::ui
