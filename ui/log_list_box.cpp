#include "log_list_box.h"

#include <QFontDatabase>
#include <QMouseEvent>

namespace qz::ui {

LogListBox::LogListBox(QWidget* parent) : QListView(parent)
{
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void LogListBox::show(LogLineModel& model)
{
    model_ = &model;
    setModel(&model);
}

std::vector<std::string> LogListBox::lines() const
{
    const auto& lines = model_->lines();
    return {lines.begin(), lines.end()};
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
    return std::string(model_->lines()[static_cast<std::size_t>(row)]);
}

void LogListBox::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
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
