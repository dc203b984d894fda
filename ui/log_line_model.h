#pragma once
// The current operator's QSOs as the log list shows them: log lines kept as
// the file's bytes, in sorted order, as views into a snapshot of the log. The
// model decodes only the rows a view asks for, so tens of thousands of QSOs
// are set in one step, without a copy of any line.

#include <QAbstractListModel>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qz {
class LogSnapshot;
}

namespace qz::ui {

class LogLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The hint of a row, made from its line when a view asks for it.
    void setToolTipOf(std::function<QString(std::string_view line)> toolTipOf) { toolTipOf_ = std::move(toolTipOf); }

    const std::vector<std::string_view>& lines() const { return lines_; }
    int count() const { return static_cast<int>(lines_.size()); }
    // `sortedLines` are views into `log`, which the model keeps until the next call.
    void setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> sortedLines);
    void clear() { setLines(nullptr, {}); }
    // Puts the line at its sorted place and keeps it, since no snapshot
    // holds it; returns its row.
    int insertSorted(std::string line);
    void removeRow(int row);

    // First row equal to `line` with letters compared without regard to case, or -1.
    int findNoCase(std::string_view line) const;
    // First row equal to `line` exactly, or -1.
    int findExact(std::string_view line) const;

private:
    std::shared_ptr<const LogSnapshot> log_;
    // Lines inserted since the last setLines; a deque never moves them.
    std::deque<std::string> inserted_;
    std::vector<std::string_view> lines_;
    std::function<QString(std::string_view line)> toolTipOf_;
};

}  // namespace qz::ui
