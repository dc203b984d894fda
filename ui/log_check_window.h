#pragma once
// "Sprawdzenie logu": what a contest's log checker would question in the log
// of the current operator (or of every operator), before the logs are sent.
// Each QSO entry names its log line; choosing it asks for that line in the
// main window's list (switching to its operator when needed), where the
// popup menu corrects it. The list follows the logbook while it is shown.
// Escape closes it.

#include "contest_data.h"
#include "log_check.h"
#include "station_context.h"

#include <QWidget>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qz::ui {

class Logbook;

class LogCheckWindow : public QWidget {
    Q_OBJECT
public:
    // `contestData` gives the country file and headquarters list in use.
    LogCheckWindow(StationContext context, Logbook& logbook, std::function<const ContestData&()> contestData,
                   QWidget* parent = nullptr);

    // Checks the log and shows the window.
    void open();
    // Checks the logbook's log and operators and lists the findings.
    void runCheck();

signals:
    // An entry was chosen: the main window is to show this QSO of this operator.
    void qsoChosen(const std::string& op, const std::string& line);

private:
    void chooseFinding(const QListWidgetItem* item);
    void followLog();

    StationContext context_;
    Logbook& logbook_;
    std::function<const ContestData&()> data_;
    QCheckBox* AllOperators = nullptr;
    QListWidget* Findings = nullptr;
    QLabel* Summary = nullptr;
    QPushButton* CheckAgain = nullptr;
};

}  // namespace qz::ui
