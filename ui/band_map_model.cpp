#include "band_map_model.h"

#include "codec.h"

#include <QColor>
#include <QFont>
#include <algorithm>

namespace qz::ui {
namespace {

QString rowText(const SpotRow& row, std::chrono::sys_seconds now)
{
    const auto age = std::chrono::duration_cast<std::chrono::minutes>(now - row.spot.heard).count();
    QString text = QStringLiteral("%1  %2  %3 min")
                       .arg(fromAscii(kilohertzText(row.spot.spot.hertz)), 9)
                       .arg(fromAscii(row.spot.spot.call), -13)
                       .arg(std::max<long long>(age, 0), 3);
    if (row.marks.headquartersNeeded)
        text += QStringLiteral("  brakuje %1").arg(fromAscii(row.marks.slot));
    if (row.marks.newMultiplier)
        text += QStringLiteral("  nowy mnożnik");
    if (row.marks.dupe)
        text += QStringLiteral("  dupe");
    return text;
}

}  // namespace

void BandMapModel::setRows(std::vector<SpotRow> rows, std::chrono::sys_seconds now)
{
    beginResetModel();
    rows_ = std::move(rows);
    now_ = now;
    endResetModel();
}

int BandMapModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant BandMapModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SpotRow& shown = row(index.row());
    switch (role) {
    case Qt::DisplayRole: return rowText(shown, now_);
    // The banner's colours for the headquarters station still lacking.
    case Qt::ForegroundRole:
        if (shown.marks.headquartersNeeded)
            return QColor(Qt::cyan);
        return shown.marks.dupe ? QVariant(QColor(Qt::gray)) : QVariant();
    case Qt::BackgroundRole: return shown.marks.headquartersNeeded ? QVariant(QColor(Qt::magenta)) : QVariant();
    case Qt::FontRole:
        if (shown.marks.headquartersNeeded) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

}  // namespace qz::ui
