#pragma once
// The station's logbook: the one owner of the log, the operator list and
// everything counted from them. Windows never read or write the files
// themselves and keep no copy of either list: they call the logbook and
// follow its signals, so a QSO stored here, or one day arriving from another
// computer, reaches every window the same way.
//
// Every change writes its file first and changes the logbook only once the
// file holds it; a failure is thrown to the caller's error box and leaves the
// logbook as the file is. A log that is gone (deleted, or on a medium pulled
// out) is thrown as a failure that offers to restore it from its backup.

#include "call_list.h"
#include "contest_tally.h"
#include "errors.h"
#include "exchange_prediction.h"
#include "headquarters.h"
#include "log_check.h"
#include "log_file.h"
#include "log_line_model.h"
#include "operator_book.h"
#include "operator_model.h"
#include "shared_log.h"
#include "worked_before.h"

#include <QObject>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz {
class LogSnapshot;
struct ContestData;
}  // namespace qz

namespace qz::ui {

// What is counted from the whole log while the contest is counted.
struct ContestCount {
    ContestTally tally;      // of the current operator
    CallList loggedCalls;    // every callsign of the log
    CallList operatorCalls;  // the callsigns of the current operator's QSOs
};

class Logbook : public QObject {
    Q_OBJECT
public:
    explicit Logbook(std::filesystem::path folder, QObject* parent = nullptr);
    ~Logbook() override;

    // Start-up: reads the operator list, selects its first entry and shows
    // its view; an empty log is made when there is none. A log that is gone
    // while its backup is there is not: the failure thrown asks whether to
    // restore it or to begin an empty one, and either answer ends the load.
    void load();

    // The operators, as the settings file holds them, in the order of both
    // operator lists; entry i of a list is record i.
    const OperatorList& operators() const { return operatorModel_.operators(); }
    // What both operator lists show: the operators' callsigns.
    QAbstractItemModel* operatorModel() { return &operatorModel_; }
    // The operator who is logging (-1 and empty: none).
    int currentIndex() const { return current_; }
    std::string currentOperator() const;
    // Makes entry `index` current (-1: none) and reloads the view.
    void selectOperator(int index);
    // Reads the settings file again; the current operator stays current when
    // it is still listed.
    void reloadOperators();
    // Writes the claimed score into the operator's record and reads the
    // operator list again when it did.
    ClaimedScoreResult writeClaimedScore(const std::string& op, const std::string& points);
    // Saves a record in place of the one with its callsign (or as a new one);
    // returns its row.
    int saveOperator(std::string record);
    // Deletes entry `row`; when it was current, no operator is.
    void deleteOperator(int row);

    // The current operator's lines in the log list's order.
    LogLineModel& view() { return view_; }
    const LogLineModel& view() const { return view_; }
    const WorkedBefore& workedBefore() const { return workedBefore_; }
    const HeadquartersSlots& headquartersSlots() const { return headquartersSlots_; }
    // The latest exchange received from each call in the whole log.
    const ReceivedExchanges& receivedExchanges() const { return received_; }
    // The call history that stored exchanges are compared with (the log
    // list's hints, the log check); nothing until one is read.
    void setCallHistory(std::shared_ptr<const CallHistory> history);
    const CallHistory* callHistory() const { return history_.get(); }

    // Reads the current operator's part of the log again.
    void reload();
    // Appends a QSO and syncs it; returns its row in the view (-1: another
    // operator's QSO, which the view does not list).
    int store(const std::string& line);
    // Rewrites the log with `change` applied to every line equal to
    // `selected`, then reloads the view; returns the last changed line.
    std::optional<std::string> correct(const std::string& selected,
                                       const std::function<std::string(const std::string&)>& change);
    // Deletes the QSO of view row `row`, whose text is `line`: one line of the
    // log, the copy that stands among the log's identical lines where the row
    // stands among the view's (they keep the log's order). Its identical
    // copies stay, in the log and in the view.
    void remove(const std::string& line, int row);
    // Copies the log to `archive`, complete and on the disk.
    void archiveTo(const std::filesystem::path& archive);
    // Empties the log, then the view and everything counted.
    void startNewLog();
    // Puts the backup in the place of a log that is gone and reads it; with
    // sharing, the journal then adds what the backup lacks. A log that came
    // back meanwhile is kept and only read again.
    void restoreFromBackup();
    // Adds the QSOs of another computer's log that this log lacks
    // (LogFile::join) and reloads the view when any were added; returns how
    // many. Nothing when `other` is one of this log's own files
    // (logbook_join.cpp).
    std::optional<std::size_t> join(const std::filesystem::path& other);
    const LogFile& file() const { return file_; }

    // Sharing with the station's other computers: from now on every change is
    // kept in the journal beside the log and announced by `shared`; changes of
    // the other computers come in through `receive`. Returns what start-up
    // had to mend after a crash. `newName` and `machine` as SharedLog takes them.
    SharedLog::Recovery startSharing(std::string newName, std::string machine);
    // Nothing while the log is not shared.
    const SharedLog* sharedLog() const { return shared_.get(); }
    // Changes from other computers; those not yet taken change the log and
    // every window.
    void receive(const std::vector<ShareEvent>& events);

    // Reads the whole log and counts the contest from it with the field's
    // data (country file, headquarters list); from then on every view reload
    // reads the whole log in the same pass, until the counting stops (the
    // contest overview counts while it is shown).
    void countContest(std::shared_ptr<const ContestData> contest);
    void stopCountingContest();
    // What is counted, kept up to date with every change of the log; nothing
    // while the contest is not counted.
    const ContestCount* contestCount() const;
    // The check of the logs before they are sent, of one operator or of all,
    // on the whole log (read for it unless the contest is counted).
    struct Check {
        std::vector<OperatorCheck> operators;
        std::shared_ptr<const LogSnapshot> log;
        std::vector<std::string_view> lines;  // what the findings' line positions count in
    };
    Check checkLog(const ContestData& contest, const std::optional<std::string>& onlyOperator) const;

signals:
    // A view reload begins; `reloaded` follows unless reading the log fails.
    void aboutToReload();
    // The view was read anew: start-up, another operator, a correction, an export.
    void reloaded();
    void stored(const std::string& line);
    // One line equal to `line` was deleted from the log.
    void deleted(const std::string& line);
    void operatorChanged();
    // The operator list changed; the current operator may have changed with it.
    void operatorsChanged();
    // The log was emptied for a new one.
    void newLogStarted();
    // Changes made here that the other computers are to hear of.
    void shared(const std::vector<qz::ShareEvent>& events);
    // QSOs of other computers were added (their corrections and deletions
    // reload the view).
    void arrived();
    // A file of the sharing failed (the journal, or the log while taking
    // another computer's change); the text names it. A QSO stored here is in
    // the log whatever this says.
    void sharingFailed(const QString& text);
    // The contest was counted anew (a reload, a deletion, another operator,
    // a new log) while it is counted; a stored QSO is only added to it.
    void counted();

private:
    struct WholeLog;
    enum class CountSlots { No, Yes };
    void readView(CountSlots counting);
    void keepOperators(OperatorList records, const std::optional<std::string>& currentCallsign);
    void writeOperators(const OperatorList& records);
    void recountContest();
    void forgetCurrentOperator();
    int takeIntoView(const std::string& line);
    std::optional<std::string> rewrite(const std::string& selected, const LogFile::LineChange& change);
    bool removeLine(const std::string& line, std::size_t occurrence);
    void shareStored(const std::string& line, std::string_view appended);
    // Runs a step that reads or writes the log; a log that is gone is thrown
    // as a failure that offers to restore it.
    void onLog(const std::function<void()>& step);
    void offerRestore(const IoError& error);
    QString restoreQuestion(const QString& more) const;
    void readStartView();
    // The log list's hint of a QSO whose received exchange differs from the
    // station's latest in the rest of the log or from the call history.
    QString exchangeNote(std::string_view line) const;
    // After a change that received_ has followed.
    void receivedFollowsFile();

    LogFile file_;
    std::filesystem::path folder_;
    OperatorModel operatorModel_;
    int current_ = -1;
    LogLineModel view_;
    WorkedBefore workedBefore_;
    ReceivedExchanges received_;
    // The log file as it was when received_ last matched it: a view reload
    // of another operator need not gather the exchanges again.
    std::string receivedStamp_;
    std::shared_ptr<const CallHistory> history_;
    HeadquartersSlots headquartersSlots_;
    std::shared_ptr<const ContestData> contest_;
    std::unique_ptr<WholeLog> wholeLog_;
    std::unique_ptr<SharedLog> shared_;
};

}  // namespace qz::ui
