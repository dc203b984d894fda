#pragma once
// The rows of the band map as a list model: what each row shows is made
// only when the view asks for it, so a band of thousands of spots costs a
// copy, and the view lays out the rows in sight.

#include "band_map.h"

#include <QAbstractListModel>
#include <chrono>
#include <vector>

namespace qz::ui {

struct SpotRow {
    MappedSpot spot;
    SpotMarks marks;
};

class BandMapModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // The ages are counted to `now`.
    void setRows(std::vector<SpotRow> rows, std::chrono::sys_seconds now);
    const SpotRow& row(int position) const { return rows_.at(static_cast<std::size_t>(position)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<SpotRow> rows_;
    std::chrono::sys_seconds now_;
};

}  // namespace qz::ui
