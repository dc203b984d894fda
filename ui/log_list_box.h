#pragma once
// A list of log lines kept as the file's bytes and shown in a fixed-pitch
// font. The lines are given already sorted, as views into a snapshot of the
// log; the list decodes only what is on screen, so a view of tens of
// thousands of QSOs is set in one step, without a copy of any line.

#include <QAbstractListModel>
#include <QListView>
#include <deque>
#include <memory>
#include <optional>
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

    const std::vector<std::string_view>& lines() const { return lines_; }
    // `lines` are views into `log`, which the model keeps until the next call.
    void setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> lines);
    // The model keeps the line itself, since no snapshot holds it.
    void insertLine(int row, std::string line);
    void removeLine(int row);

private:
    std::shared_ptr<const LogSnapshot> log_;
    // Lines inserted since the last setLines; a deque never moves them.
    std::deque<std::string> inserted_;
    std::vector<std::string_view> lines_;
};

class LogListBox : public QListView {
    Q_OBJECT
public:
    explicit LogListBox(QWidget* parent = nullptr);

    // A copy of the listed lines.
    std::vector<std::string> lines() const;
    int count() const { return static_cast<int>(model_.lines().size()); }
    // Replaces the content with lines of `log` that are already in sorted order.
    void setLines(std::shared_ptr<const LogSnapshot> log, std::vector<std::string_view> sortedLines);
    // Puts the line at its sorted place; returns its row.
    int insertSorted(std::string line);
    void removeRow(int row);
    void clear() { setLines(nullptr, {}); }

    // -1 when nothing is selected.
    int selectedRow() const;
    std::optional<std::string> selectedLine() const;
    void selectRow(int row);  // -1 clears the selection
    // First row equal to `line` with letters compared without regard to case.
    int findNoCase(const std::string& line) const;
    // First row equal to `line` exactly.
    int findExact(const std::string& line) const;

protected:
    // A right click opens the menu without changing the selection.
    void mousePressEvent(QMouseEvent* event) override;

private:
    LogLineModel model_;
};

}  // namespace qz::ui
