#include "log_list_box.h"

#include "codec.h"
#include "log_snapshot.h"
#include "text.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <algorithm>

namespace qz::ui {
namespace {

// The list is there to show the 86 columns of a QSO. A line of megabytes from
// a damaged log is shown cut, since laying it out would stall every repaint;
// the line itself is kept whole.
constexpr std::size_t kShownLength = 1000;

}  // namespace

int LogLineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant LogLineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return fromCp1250(lines_[static_cast<std::size_t>(index.row())].substr(0, kShownLength));
}

void LogLineModel::setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> lines)
{
    beginResetModel();
    lines_ = std::move(lines);
    inserted_.clear();
    log_ = std::move(log);
    endResetModel();
}

void LogLineModel::insertLine(int row, std::string line)
{
    beginInsertRows({}, row, row);
    inserted_.push_back(std::move(line));
    lines_.insert(lines_.begin() + row, inserted_.back());
    endInsertRows();
}

void LogLineModel::removeLine(int row)
{
    beginRemoveRows({}, row, row);
    lines_.erase(lines_.begin() + row);
    endRemoveRows();
}

LogListBox::LogListBox(QWidget* parent) : QListView(parent), model_(this)
{
    setModel(&model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

std::vector<std::string> LogListBox::lines() const
{
    const auto& lines = model_.lines();
    return {lines.begin(), lines.end()};
}

void LogListBox::setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> sortedLines)
{
    model_.setLines(std::move(log), std::move(sortedLines));
}

int LogListBox::insertSorted(std::string line)
{
    const int row = static_cast<int>(sortedPosition(model_.lines(), line));
    model_.insertLine(row, std::move(line));
    return row;
}

void LogListBox::removeRow(int row)
{
    if (row >= 0 && row < count())
        model_.removeLine(row);
}

int LogListBox::selectedRow() const
{
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::optional<std::string> LogListBox::selectedLine() const
{
    const int row = selectedRow();
    if (row < 0)
        return std::nullopt;
    return std::string(model_.lines()[static_cast<std::size_t>(row)]);
}

void LogListBox::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_.index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int LogListBox::findNoCase(const std::string& line) const
{
    const auto& all = model_.lines();
    const auto it = std::find_if(all.begin(), all.end(), [&](std::string_view l) { return equalNoCase(l, line); });
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

int LogListBox::findExact(const std::string& line) const
{
    const auto& all = model_.lines();
    const auto it = std::find(all.begin(), all.end(), line);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

void LogListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

}  // namespace qz::ui
