#pragma once
// "Sprawdzenie logu": what a contest's log checker would question in the log
// of the current operator (or of every operator), before the logs are sent.
// Each QSO entry names its log line; choosing it selects that line in the
// main window's list (switching to its operator when needed), where the
// popup menu corrects it. The list follows the log while it is shown.

#include "contest_data.h"
#include "log_check.h"
#include "station_context.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qz {
class LogSnapshot;
}

namespace qz::ui {

class TForm1;

class LogCheckWindow : public QWidget {
    Q_OBJECT
public:
    // `contestData` gives the country file and headquarters list in use.
    LogCheckWindow(StationContext context, TForm1& form1, std::function<const ContestData&()> contestData,
                   QWidget* parent = nullptr);

    // Checks the log and shows the window.
    void open();
    // Reads the log and the operator file afresh and lists the findings.
    void runCheck();

    QCheckBox* AllOperators = nullptr;
    QListWidget* Findings = nullptr;
    QLabel* Summary = nullptr;
    QPushButton* CheckAgain = nullptr;

private:
    void chooseFinding(const QListWidgetItem* item);
    void followLog();

    StationContext context_;
    TForm1& form1_;
    std::function<const ContestData&()> data_;
    // The log as checked: the entries name its lines.
    std::shared_ptr<const LogSnapshot> log_;
    std::vector<std::string_view> lines_;
};

}  // namespace qz::ui
