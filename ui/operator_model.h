#pragma once
// The logbook's operators as both operator lists show them, the main window's
// "Aktualny operator:" and the editor's callsign list: it holds the records,
// and each row shows its record's callsign. Only the logbook changes it, once
// the settings file holds the change, so the lists never differ from the file
// or from each other.

#include "operator_book.h"

#include <QAbstractListModel>
#include <string>

namespace qz::ui {

class OperatorModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const OperatorList& operators() const { return operators_; }
    // Every record anew, as the file was read: the views lose their selection.
    void replace(OperatorList operators);
    // Puts the record at its sorted place; returns its row.
    int insert(std::string record);
    void erase(int row);

private:
    OperatorList operators_;
};

}  // namespace qz::ui
