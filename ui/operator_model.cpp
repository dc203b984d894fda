#include "operator_model.h"

#include "codec.h"

namespace qz::ui {

int OperatorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(operators_.size());
}

QVariant OperatorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return fromCp1250(operators_.callsign(static_cast<std::size_t>(index.row())));
}

void OperatorModel::replace(OperatorList operators)
{
    beginResetModel();
    operators_ = std::move(operators);
    endResetModel();
}

int OperatorModel::insert(std::string record)
{
    const auto row = static_cast<int>(operators_.placeOf(record));
    beginInsertRows({}, row, row);
    operators_.insert(std::move(record));
    endInsertRows();
    return row;
}

void OperatorModel::erase(int row)
{
    beginRemoveRows({}, row, row);
    operators_.erase(static_cast<std::size_t>(row));
    endRemoveRows();
}

}  // namespace qz::ui
