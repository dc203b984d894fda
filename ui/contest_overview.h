#pragma once
// "Przegląd zawodów": the contest overview beside the main window, opened and
// closed with F2. For the current operator it shows the callsigns that contain
// the letters typed so far (super check partial), the headquarters slots, the
// rate and its chart per hour, and the IARU HF score per band, with a button
// that writes the score into the operator's Cabrillo header. It is kept up to
// date while it is shown and reads the log afresh whenever it is opened; the
// field's data files are read at every opening too, so newer copies put into
// the station folder count at once.

#include "call_list.h"
#include "contest_data.h"
#include "contest_tally.h"
#include "station_context.h"

#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

namespace qz {
class LogSnapshot;
}

namespace qz::ui {

class HeadquartersGrid;
class LogCheckWindow;
class RateChart;
class TForm1;

class ContestOverview : public QWidget {
    Q_OBJECT
public:
    // `editorIsEditing` tells whether the operator editor holds typing not yet
    // saved, which a written score must not overtake.
    ContestOverview(StationContext context, TForm1& form1, std::function<bool()> editorIsEditing,
                    QWidget* parent = nullptr);

    // Where the data files are looked for (tests point it at their own folder).
    void setDataFolders(std::vector<std::filesystem::path> folders);

    // F2: opens the window, or closes it when it is open.
    void toggle();
    // Reads the log and the data files and shows the window beside the main
    // window, leaving the keyboard focus where it was.
    void open();

    // "Wpisz wynik do nagłówka".
    void WriteScoreClick();
    // "Sprawdź log": the check of the logs before they are sent.
    void CheckLogClick();

    // The controls, made at the first opening so that the program starts as
    // quickly as without the overview.
signals:
    // The claimed score is in the operator's record: the editor shows it.
    void claimedScoreWritten(const std::string& callsign);

public:
    QLabel* DataFiles = nullptr;
    QLabel* OperatorName = nullptr;
    QListWidget* PartialCalls = nullptr;
    HeadquartersGrid* HeadquartersSlots = nullptr;
    QTableWidget* Score = nullptr;
    QLabel* ScoreTotal = nullptr;
    QLabel* ScoreNotes = nullptr;
    QLabel* NewMultiplier = nullptr;
    QPushButton* WriteScore = nullptr;
    QPushButton* CheckLog = nullptr;
    QLabel* Rate = nullptr;
    RateChart* RateChart1 = nullptr;

private:
    void createControls();
    void connectToMainWindow();
    void placeBesideMainWindow();
    // The data files and their stamp, unless they are the ones read last time.
    std::optional<std::pair<ContestData, std::string>> changedDataFiles() const;
    // Counts the log anew for the current operator.
    void rebuild();
    void viewReloaded();
    // Takes a freshly read log as the one counted.
    void keepLog(std::shared_ptr<const LogSnapshot> log);
    void qsoStored(const std::string& line);
    void qsoDeleted(const std::string& line);
    void followOperator();

    void showAll();
    void showDataFiles();
    void showPartials();
    void showNewMultiplier();
    void showScore();
    void showRate();
    void showChart();

    StationContext context_;
    TForm1& form1_;
    std::function<bool()> editorIsEditing_;
    std::vector<std::filesystem::path> dataFolders_;
    ContestData data_;
    std::optional<std::string> dataStamp_;  // of the files in data_; nothing before the first reading
    // The whole log in its order: the lines of the log as last read, then those
    // stored since (a deque never moves them), less those deleted since.
    std::shared_ptr<const LogSnapshot> snapshot_;
    std::deque<std::string> stored_;
    std::vector<std::string_view> lines_;
    ContestTally tally_;
    CallList logCalls_;  // every callsign in the log
    // Draws the chart once the handler that changed the log has finished.
    QTimer* chartTimer_ = nullptr;
    LogCheckWindow* checkWindow_ = nullptr;  // made at its first opening
};

}  // namespace qz::ui
