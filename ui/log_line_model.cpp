#include "log_line_model.h"

#include "codec.h"
#include "log_snapshot.h"
#include "text.h"

#include <algorithm>

namespace qz::ui {
namespace {

// The list is there to show the 86 columns of a QSO. A line of megabytes from
// a damaged log is shown cut, since laying it out would stall every repaint;
// the line itself is kept whole.
constexpr std::size_t kShownLength = 1000;

}  // namespace

int LogLineModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

QVariant LogLineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::string_view line = lines_[static_cast<std::size_t>(index.row())];
    if (role == Qt::ToolTipRole && toolTipOf_) {
        // An empty hint lets the list's own hint show.
        const QString hint = toolTipOf_(line);
        return hint.isEmpty() ? QVariant() : QVariant(hint);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return fromCp1250(line.substr(0, kShownLength));
}

void LogLineModel::setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> sortedLines)
{
    beginResetModel();
    lines_ = std::move(sortedLines);
    inserted_.clear();
    log_ = std::move(log);
    endResetModel();
}

int LogLineModel::insertSorted(std::string line)
{
    const int row = static_cast<int>(sortedPosition(lines_, line));
    beginInsertRows({}, row, row);
    inserted_.push_back(std::move(line));
    lines_.insert(lines_.begin() + row, inserted_.back());
    endInsertRows();
    return row;
}

void LogLineModel::removeRow(int row)
{
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    lines_.erase(lines_.begin() + row);
    endRemoveRows();
}

int LogLineModel::findNoCase(std::string_view line) const
{
    const auto it =
        std::find_if(lines_.begin(), lines_.end(), [&](std::string_view l) { return equalNoCase(l, line); });
    return it == lines_.end() ? -1 : static_cast<int>(it - lines_.begin());
}

int LogLineModel::findExact(std::string_view line) const
{
    const auto it = std::find(lines_.begin(), lines_.end(), line);
    return it == lines_.end() ? -1 : static_cast<int>(it - lines_.begin());
}

}  // namespace qz::ui
