#pragma once
// The log list: a view of the logbook's lines of the current operator in a
// fixed-pitch font, with one selected line for the correction commands.

#include "log_line_model.h"

#include <QListView>
#include <optional>
#include <string>
#include <vector>

namespace qz::ui {

class LogListBox : public QListView {
    Q_OBJECT
public:
    explicit LogListBox(QWidget* parent = nullptr);

    // The list shows `model`, which outlives it.
    void show(LogLineModel& model);
    const LogLineModel& lineModel() const { return *model_; }
    // A copy of the listed lines.
    std::vector<std::string> lines() const;
    int count() const { return model_->count(); }

    // -1 when nothing is selected.
    int selectedRow() const;
    std::optional<std::string> selectedLine() const;
    void selectRow(int row);  // -1 clears the selection

protected:
    // A right click opens the menu without changing the selection.
    void mousePressEvent(QMouseEvent* event) override;

private:
    LogLineModel* model_ = nullptr;
};

}  // namespace qz::ui
