#include "logbook.h"

#include "codec.h"
#include "contest_data.h"
#include "failure_box.h"
#include "files.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "text.h"

#include <algorithm>
#include <cerrno>
#include <future>
#include <iterator>

namespace qz::ui {

// The whole log in its order while the contest is counted: the lines as last
// read, then those stored since (a deque never moves them), less those
// deleted since; and what is counted from them.
struct Logbook::WholeLog {
    std::shared_ptr<const LogSnapshot> snapshot;
    std::deque<std::string> stored;
    std::vector<std::string_view> lines;
    ContestCount count;

    void take(std::shared_ptr<const LogSnapshot> read)
    {
        snapshot = std::move(read);
        stored.clear();
        lines = snapshot ? snapshot->lines() : std::vector<std::string_view>();
    }
};

Logbook::Logbook(std::filesystem::path folder, QObject* parent)
    : QObject(parent), file_(folder), folder_(std::move(folder)), operatorModel_(this), view_(this)
{
    view_.setToolTipOf([this](std::string_view line) { return exchangeNote(line); });
}

Logbook::~Logbook() = default;

void Logbook::load()
{
    if (auto records = readOperatorRecords(folder_))
        operatorModel_.replace(OperatorList(std::move(*records)));
    current_ = operators().empty() ? -1 : 0;
    emit operatorsChanged();
    emit operatorChanged();
    if (file_.missing() && files::isFile(file_.backupPath()))
        throw MendableFailure(
            IoError(ENOENT, file_.path()), restoreQuestion(QStringLiteral("„Nie” zaczyna nowy, pusty log.")),
            [this] {
                file_.restoreFromBackup();
                readStartView();
            },
            [this] { readStartView(); });
    readStartView();
}

void Logbook::readStartView()
{
    if (file_.createIfMissing()) {
        workedBefore_ = WorkedBefore({}, currentOperator());
        received_ = ReceivedExchanges();
        receivedFollowsFile();
        emit reloaded();
        return;
    }
    // The banner's slots are counted from the first view reload on.
    readView(CountSlots::No);
    emit reloaded();
}

std::string Logbook::currentOperator() const
{
    return current_ < 0 ? std::string() : operators().callsign(static_cast<std::size_t>(current_));
}

void Logbook::selectOperator(int index)
{
    if (index >= static_cast<int>(operators().size()))
        index = -1;
    const bool changed = index != current_;
    current_ = index;
    if (changed)
        emit operatorChanged();
    reload();
}

void Logbook::reload()
{
    emit aboutToReload();
    readView(CountSlots::Yes);
    emit reloaded();
}

void Logbook::readView(CountSlots counting)
{
    const std::string op = currentOperator();
    if (!wholeLog_) {
        std::shared_ptr<const LogSnapshot> own;
        // The one pass over the file that picks the operator's lines also
        // gathers every operator's exchanges, unless the file is as they were gathered.
        std::string stamp = fileStamp(file_.path());
        const bool gather = stamp != receivedStamp_;
        ReceivedExchanges received;
        onLog([&] {
            own = LogSnapshot::read(file_.path(), [&](std::string_view line) {
                if (gather)
                    received.add(line);
                return belongsTo(line, op);
            });
        });
        if (gather) {
            received_ = std::move(received);
            receivedStamp_ = std::move(stamp);
        }
        workedBefore_ = WorkedBefore(own->lines(), op);
        headquartersSlots_ = counting == CountSlots::Yes ? HeadquartersSlots(own->lines(), op) : HeadquartersSlots();
        std::vector<std::string_view> sorted = operatorLines(own->lines(), op);
        view_.setLines(std::move(own), std::move(sorted));
        return;
    }
    std::shared_ptr<const LogSnapshot> whole;
    std::string stamp = fileStamp(file_.path());
    onLog([&] { whole = file_.snapshot(); });
    const std::vector<std::string_view>& all = whole->lines();
    // One pass over the whole log picks the operator's lines for the rest.
    std::vector<std::string_view> own;
    std::copy_if(all.begin(), all.end(), std::back_inserter(own),
                 [&](std::string_view line) { return belongsTo(line, op); });
    if (stamp != receivedStamp_) {
        received_ = ReceivedExchanges(all);
        receivedStamp_ = std::move(stamp);
    }
    workedBefore_ = WorkedBefore(own, op);
    headquartersSlots_ = counting == CountSlots::Yes ? HeadquartersSlots(own, op) : HeadquartersSlots();
    sortNoCase(own);
    view_.setLines(whole, std::move(own));
    wholeLog_->take(std::move(whole));
    recountContest();
}

int Logbook::store(const std::string& line)
{
    std::string appended;
    onLog([&] { appended = file_.append(line); });
    if (shared_)
        shareStored(line, appended);
    const int row = takeIntoView(line);
    emit stored(line);
    return row;
}

int Logbook::takeIntoView(const std::string& line)
{
    // Only the current operator's QSOs are listed and counted for the banner.
    const bool own = belongsTo(line, currentOperator());
    const int row = own ? view_.insertSorted(line) : -1;
    workedBefore_.add(line);
    received_.add(line);
    receivedFollowsFile();
    if (own)
        headquartersSlots_.add(line);
    if (wholeLog_) {
        wholeLog_->stored.push_back(line);
        wholeLog_->lines.push_back(wholeLog_->stored.back());
        ContestCount& count = wholeLog_->count;
        count.tally.add(line);
        const std::string call = callOf(line);
        count.loggedCalls.insert(call);
        if (own)
            count.operatorCalls.insert(call);
    }
    return row;
}

std::optional<std::string> Logbook::correct(const std::string& selected,
                                            const std::function<std::string(const std::string&)>& change)
{
    std::optional<std::string> changed =
        rewrite(selected, [&](const std::string& line) { return std::optional(change(line)); });
    reload();
    return changed;
}

void Logbook::remove(const std::string& line, int row)
{
    const std::vector<std::string_view>& shown = view_.lines();
    const auto occurrence = static_cast<std::size_t>(
        std::count(shown.begin(), shown.begin() + std::clamp(row, 0, view_.count()), std::string_view(line)));
    if (!removeLine(line, occurrence)) {
        // The log no longer holds that copy: the view shows what it holds.
        reload();
        return;
    }
    view_.removeRow(row);
    workedBefore_.removeOne(line);
    received_.removeOne(line);
    receivedFollowsFile();
    if (wholeLog_) {
        // The whole log keeps the log's order, so the same copy goes.
        std::vector<std::string_view>& all = wholeLog_->lines;
        std::size_t seen = 0;
        const auto copy = std::find_if(all.begin(), all.end(),
                                       [&](std::string_view held) { return held == line && seen++ == occurrence; });
        if (copy != all.end())
            all.erase(copy);
        recountContest();
    }
    emit deleted(line);
}

void Logbook::archiveTo(const std::filesystem::path& archive)
{
    onLog([&] { file_.archiveTo(archive); });
}

void Logbook::startNewLog()
{
    file_.startAfresh();
    if (shared_)
        shared_->keepLocalChange();
    view_.clear();
    workedBefore_ = WorkedBefore({}, currentOperator());
    received_ = ReceivedExchanges();
    receivedFollowsFile();
    if (wholeLog_) {
        wholeLog_->take(nullptr);
        recountContest();
    }
    emit newLogStarted();
    emit reloaded();
}

void Logbook::restoreFromBackup()
{
    if (file_.restoreFromBackup() && shared_)
        shared_->readAgain();
    reload();
}

void Logbook::onLog(const std::function<void()>& step)
{
    try {
        step();
    } catch (const IoError& error) {
        offerRestore(error);
        throw;
    }
}

void Logbook::offerRestore(const IoError& error)
{
    if (error.code() != ENOENT || error.path() != file_.path() || !file_.missing() ||
        !files::isFile(file_.backupPath()))
        return;
    throw MendableFailure(
        error,
        restoreQuestion(shared_ ? QStringLiteral("Brakujące QSO dopiszą dziennik udostępniania i pozostałe komputery.")
                                : QStringLiteral("Ostatnie QSO trzeba będzie wpisać jeszcze raz.")),
        [this] { restoreFromBackup(); });
}

QString Logbook::restoreQuestion(const QString& more) const
{
    return QStringLiteral("Czy odtworzyć log z kopii zapasowej „%1”? Kopia zawiera log do przedostatniego "
                          "zapisanego QSO. %2")
        .arg(fromPath(file_.backupPath().filename()), more);
}

void Logbook::setCallHistory(std::shared_ptr<const CallHistory> history)
{
    history_ = std::move(history);
    // The list's hints are asked for when shown: nothing to redraw.
}

void Logbook::receivedFollowsFile() { receivedStamp_ = fileStamp(file_.path()); }

QString Logbook::exchangeNote(std::string_view line) const
{
    const auto expected = strongDisagreement(line, &received_, history_.get());
    if (!expected)
        return {};
    const QString received = fromCp1250(receivedExchangeOf(line));
    const QString wanted = fromCp1250(expected->exchange);
    return expected->source == PredictionSource::Log
               ? QStringLiteral("Odebrano „%1”, a w ostatnim QSO z tą stacją w logu „%2”").arg(received, wanted)
               : QStringLiteral("Odebrano „%1”, a historia znaków podaje „%2”").arg(received, wanted);
}

void Logbook::countContest(std::shared_ptr<const ContestData> contest)
{
    // The view, its selection and the slots stay as they are: only the
    // counting starts, from the whole log.
    auto whole = std::make_unique<WholeLog>();
    onLog([&] { whole->take(file_.snapshot()); });
    // Without the field's data the contest is counted with the built-in list only.
    contest_ = contest ? std::move(contest) : std::make_shared<const ContestData>();
    wholeLog_ = std::move(whole);
    recountContest();
}

void Logbook::stopCountingContest()
{
    wholeLog_.reset();
    contest_.reset();
}

Logbook::Check Logbook::checkLog(const ContestData& contest, const std::optional<std::string>& onlyOperator) const
{
    Check check;
    if (wholeLog_) {
        check.lines = wholeLog_->lines;
    } else {
        check.log = file_.snapshot();
        check.lines = check.log->lines();
    }
    check.operators =
        qz::checkLog(check.lines, operators().records(), contest.countries ? &*contest.countries : nullptr,
                     contest.headquarters, onlyOperator, history_.get());
    return check;
}

const ContestCount* Logbook::contestCount() const { return wholeLog_ ? &wholeLog_->count : nullptr; }

void Logbook::recountContest()
{
    WholeLog& whole = *wholeLog_;
    const std::string op = currentOperator();
    // The score is counted on the second core while the callsigns are gathered.
    auto tally = std::async(std::launch::async, [&whole, contest = contest_, op] {
        return ContestTally(whole.lines, contest->countries ? &*contest->countries : nullptr, contest->headquarters,
                            op);
    });
    std::vector<std::string> calls;
    calls.reserve(whole.lines.size());
    for (const std::string_view line : whole.lines)
        calls.push_back(callOf(line));
    std::vector<std::string_view> operatorCalls;
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (belongsTo(whole.lines[i], op))
            operatorCalls.push_back(calls[i]);
    whole.count.loggedCalls = CallList(std::vector<std::string_view>(calls.begin(), calls.end()));
    whole.count.operatorCalls = CallList(operatorCalls);
    whole.count.tally = tally.get();
    emit counted();
}

int Logbook::saveOperator(std::string record)
{
    OperatorList changed = operators();
    const std::optional<std::size_t> existing = changed.find(callsignOf(record));
    int current = current_;
    bool savedIsCurrent = false;
    if (existing) {
        const auto erased = static_cast<int>(*existing);
        changed.erase(*existing);
        savedIsCurrent = current == erased;
        current = current > erased ? current - 1 : current;
    }
    const auto row = static_cast<int>(changed.insert(record));
    writeOperators(changed);
    // The lists follow the file: the record it replaces leaves, the saved one arrives.
    if (existing)
        operatorModel_.erase(static_cast<int>(*existing));
    operatorModel_.insert(std::move(record));
    current_ = savedIsCurrent ? row : current >= row ? current + 1 : current;
    emit operatorsChanged();
    return row;
}

void Logbook::deleteOperator(int row)
{
    OperatorList changed = operators();
    changed.erase(static_cast<std::size_t>(row));
    writeOperators(changed);
    operatorModel_.erase(row);
    const bool wasCurrent = current_ == row;
    current_ = current_ > row ? current_ - 1 : current_;
    emit operatorsChanged();
    if (wasCurrent)
        forgetCurrentOperator();
}

ClaimedScoreResult Logbook::writeClaimedScore(const std::string& op, const std::string& points)
{
    const ClaimedScoreResult result = qz::writeClaimedScore(folder_, op, points);
    if (result == ClaimedScoreResult::Written)
        reloadOperators();
    return result;
}

void Logbook::reloadOperators()
{
    auto records = readOperatorRecords(folder_);
    keepOperators(records ? OperatorList(std::move(*records)) : OperatorList(),
                  current_ < 0 ? std::nullopt : std::optional(currentOperator()));
}

void Logbook::writeOperators(const OperatorList& records)
{
    try {
        writeOperatorRecords(folder_, records.records());
    } catch (...) {
        // The lists show what the file holds, then the error goes on to its box.
        reloadOperators();
        throw;
    }
}

void Logbook::keepOperators(OperatorList records, const std::optional<std::string>& currentCallsign)
{
    operatorModel_.replace(std::move(records));
    const int before = current_;
    current_ = -1;
    for (std::size_t row = 0; currentCallsign && row < operators().size(); ++row)
        if (operators().callsign(row) == *currentCallsign) {
            current_ = static_cast<int>(row);
            break;
        }
    emit operatorsChanged();
    if (before >= 0 && current_ < 0)
        forgetCurrentOperator();
}

void Logbook::forgetCurrentOperator()
{
    // The list keeps showing the QSOs it showed until the next view reload;
    // nothing is counted for nobody.
    current_ = -1;
    workedBefore_ = WorkedBefore({}, std::string());
    if (wholeLog_)
        recountContest();
    emit operatorChanged();
}

}  // namespace qz::ui
