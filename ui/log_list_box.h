#pragma once
// A list of log lines kept as the file's bytes and shown in a fixed-pitch
// font. The lines are given already sorted; the list decodes only what is on
// screen, so a view of tens of thousands of QSOs is set in one step.

#include <QAbstractListModel>
#include <QListView>
#include <optional>
#include <string>
#include <vector>

namespace qz::ui {

class LogLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> lines);
    void insertLine(int row, std::string line);
    void removeLine(int row);

private:
    std::vector<std::string> lines_;
};

class LogListBox : public QListView {
    Q_OBJECT
public:
    explicit LogListBox(QWidget* parent = nullptr);

    const std::vector<std::string>& lines() const { return model_.lines(); }
    int count() const { return static_cast<int>(lines().size()); }
    // Replaces the content with lines that are already in sorted order.
    void setLines(std::vector<std::string> sortedLines);
    // Puts the line at its sorted place; returns its row.
    int insertSorted(std::string line);
    void removeRow(int row);
    void clear() { setLines({}); }

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
