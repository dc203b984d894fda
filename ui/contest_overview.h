#pragma once
// "Przegląd zawodów": the contest overview beside the main window, opened and
// closed with F2. For the current operator it shows the callsigns that contain
// the letters typed so far (super check partial), the headquarters slots, the
// rate and its chart per hour, and the IARU HF score per band, with a button
// that writes the score into the operator's Cabrillo header. It is kept up to
// date while it is shown: the logbook counts the contest from the whole log
// for it, read afresh whenever it is opened or brought back from the taskbar;
// the field's data files are read at every opening too, so newer copies put
// into the station folder count at once. Minimised or closed, it costs the
// logbook nothing and shows nothing new.

#include "contest_data.h"
#include "station_context.h"
#include "typed_qso.h"

#include <QWidget>
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

namespace qz::ui {

struct ContestCount;
class HeadquartersGrid;
class LogCheckWindow;
class Logbook;
class RateChart;

class ContestOverview : public QWidget {
    Q_OBJECT
public:
    // `editorIsEditing` tells whether the operator editor holds typing not yet
    // saved, which a written score must not overtake.
    // It opens beside `mainWindow` and hands the keyboard back to it.
    ContestOverview(StationContext context, Logbook& logbook, QWidget& mainWindow,
                    std::function<bool()> editorIsEditing, QWidget* parent = nullptr);

    // Where the data files are looked for (tests point it at their own folder).
    void setDataFolders(std::vector<std::filesystem::path> folders);

    // F2: opens the window (or brings it back when minimised), or closes it
    // when it is in sight.
    void toggle();
    // Reads the log and the data files and shows the window beside the main
    // window, leaving the keyboard focus where it was.
    void open();

    // "Wpisz wynik do nagłówka".
    void WriteScoreClick();
    // The QSO being typed in the main window.
    void showTyped(const qz::ui::TypedQso& typed);
    // "Sprawdź log": the check of the logs before they are sent.
    void CheckLogClick();

signals:
    // The claimed score is in the operator's record: the editor shows it.
    void claimedScoreWritten(const std::string& callsign);
    // A QSO chosen in the check of the log, to be shown in the main window.
    void qsoChosen(const std::string& op, const std::string& line);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void showExpectedExchange();
    QTableWidget* createScoreTable();
    void layOut();
    void followLogbook();
    void placeBesideMainWindow();
    // The data files and their stamp, unless they are the ones read last time.
    std::optional<std::pair<std::shared_ptr<const ContestData>, std::string>> changedDataFiles() const;
    // Reads the data files when they changed and has the logbook count the
    // contest from the whole log; the logbook's `counted` shows it all.
    void count();
    void qsoStored(const ContestCount& count);

    void showAll(const ContestCount& count);
    void showDataFiles();
    void showPartials(const ContestCount& count);
    void showNewMultiplier(const ContestCount& count);
    void showScore(const ContestCount& count);
    void showRate(const ContestCount& count);
    void showChart(const ContestCount& count);

    StationContext context_;
    Logbook& logbook_;
    QWidget& mainWindow_;
    std::function<bool()> editorIsEditing_;
    std::vector<std::filesystem::path> dataFolders_;
    // Shared with the logbook, which counts with it.
    std::shared_ptr<const ContestData> data_ = std::make_shared<const ContestData>();
    std::optional<std::string> dataStamp_;  // of the files in data_; nothing before the first reading
    TypedQso typed_;
    // Draws the chart once the handler that changed the log has finished.
    QTimer* chartTimer_ = nullptr;
    LogCheckWindow* checkWindow_ = nullptr;  // made at its first opening

    // The controls, made at the first opening so that the program starts as
    // quickly as without the overview.
    QLabel* DataFiles = nullptr;
    QLabel* OperatorName = nullptr;
    QListWidget* PartialCalls = nullptr;
    HeadquartersGrid* HeadquartersSlots = nullptr;
    QTableWidget* Score = nullptr;
    QLabel* ScoreTotal = nullptr;
    QLabel* ScoreNotes = nullptr;
    QLabel* NewMultiplier = nullptr;
    QLabel* ExpectedExchange = nullptr;
    QPushButton* WriteScore = nullptr;
    QPushButton* CheckLog = nullptr;
    QLabel* Rate = nullptr;
    RateChart* RateChart1 = nullptr;
};

}  // namespace qz::ui
