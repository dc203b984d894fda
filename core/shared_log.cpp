#include "shared_log.h"

#include "errors.h"
#include "files.h"
#include "log_line.h"
#include "station_files.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <tuple>

namespace qz {
namespace {

constexpr std::uint64_t kFnvBasis = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::optional<std::uint64_t> numberOf(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The first `count` blank-separated words of `record`, and the rest after
// the blank that ends the last of them.
std::optional<std::vector<std::string_view>> words(std::string_view record, std::size_t count)
{
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = record.find(' ', start);
        if (end == std::string_view::npos) {
            if (i + 1 != count)
                return std::nullopt;
            result.push_back(record.substr(start));
            return result;
        }
        result.push_back(record.substr(start, end - start));
        start = end + 1;
    }
    result.push_back(record.substr(start));
    return result;
}

std::string eventRecord(const ShareEvent& event)
{
    return "E " + event.computer + " " + std::to_string(event.sequence) + " " + std::to_string(event.stamp) + " " +
           static_cast<char>(event.kind) + " " + event.qso.computer + " " + std::to_string(event.qso.number) + " " +
           event.line + "\n";
}

std::optional<ShareEvent> parseEvent(std::string_view record)
{
    const auto parts = words(record, 7);
    if (!parts || parts->size() != 8 || (*parts)[0] != "E" || (*parts)[4].size() != 1)
        return std::nullopt;
    const auto sequence = numberOf((*parts)[2]);
    const auto stamp = numberOf((*parts)[3]);
    const auto qsoNumber = numberOf((*parts)[6]);
    const char kind = (*parts)[4][0];
    if (!sequence || !stamp || !qsoNumber || (kind != 'A' && kind != 'C' && kind != 'D'))
        return std::nullopt;
    return ShareEvent{.computer = std::string((*parts)[1]),
                      .sequence = *sequence,
                      .stamp = *stamp,
                      .kind = static_cast<ShareKind>(kind),
                      .qso = {std::string((*parts)[5]), *qsoNumber},
                      .line = std::string((*parts)[7])};
}

std::string printRecord(LogPrint before, LogPrint after)
{
    return "B " + std::to_string(before.size) + " " + std::to_string(before.hash) + " " + std::to_string(after.size) +
           " " + std::to_string(after.hash) + "\n";
}

std::optional<std::pair<LogPrint, LogPrint>> parsePrints(std::string_view record)
{
    const auto parts = words(record, 5);
    if (!parts || parts->size() != 5 || (*parts)[0] != "B")
        return std::nullopt;
    std::array<std::uint64_t, 4> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = numberOf((*parts)[i + 1]);
        if (!value)
            return std::nullopt;
        values.at(i) = *value;
    }
    return std::pair{LogPrint{values[0], values[1]}, LogPrint{values[2], values[3]}};
}

// "N NAME", the journal's first record, and "M NAME MACHINE", written when
// the journal was taken over by NAME on MACHINE: the computer and machine
// that the journal belongs to from there on (no machine in "N").
std::string ownerRecord(const std::string& computer, const std::string& machine)
{
    return "M " + computer + " " + machine + "\n";
}

std::optional<std::pair<std::string, std::string>> parseOwner(std::string_view record)
{
    if (record.starts_with("N ") && isShareName(record.substr(2)))
        return std::pair{std::string(record.substr(2)), std::string()};
    const auto parts = words(record, 2);
    if (!parts || parts->size() != 3 || (*parts)[0] != "M" || !isShareName((*parts)[1]) || !isShareName((*parts)[2]))
        return std::nullopt;
    return std::pair{std::string((*parts)[1]), std::string((*parts)[2])};
}

// The log's lines; an empty log has none.
std::vector<std::string> linesOf(std::string_view content)
{
    if (content.empty())
        return {};
    std::vector<std::string> lines = files::splitLines(content);
    if (!lines.empty() && lines.back().empty() && (content.back() == '\n' || content.back() == '\r'))
        lines.pop_back();
    return lines;
}

void dropLast(std::vector<std::string>& lines, const std::string& line, const std::string* replacement)
{
    // A copy that an editor trimmed here is the same QSO.
    const auto found =
        std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& held) { return sameColumns(held, line); });
    if (found == lines.rend())
        return;  // not in this log any more (a new log was begun)
    if (replacement)
        *found = *replacement;
    else
        lines.erase(std::next(found).base());
}

}  // namespace

LogPrint printOf(std::string_view content) { return extended({0, kFnvBasis}, content); }

LogPrint extended(LogPrint print, std::string_view more)
{
    for (const char c : more) {
        print.hash ^= static_cast<unsigned char>(c);
        print.hash *= kFnvPrime;
    }
    print.size += more.size();
    return print;
}

SharedLog::SharedLog(const LogFile& log, std::string newName, std::string machine)
    : log_(log), journal_(log.path().parent_path() / kShareJournalName), state_(newName)
{
    if (!files::isFile(journal_)) {
        beginJournal(machine);
        return;
    }
    // The journal is read under the name it has, so that a QSO found beyond
    // its end is shared by the copy exactly as by the original.
    readJournal();
    if (machine_ == machine)
        return;
    if (machine_.empty()) {
        // A journal of an older program, which kept no machine: taken as
        // this machine's own, as it was most likely kept here.
        takeOver(computer(), std::move(machine));
        return;
    }
    recovery_.formerName = computer();
    takeOver(std::move(newName), std::move(machine));
}

void SharedLog::beginJournal(const std::string& machine)
{
    print_ = printOf(files::readAll(log_.path()));
    machine_ = machine;
    files::replaceAtomically(journal_, "N " + computer() + "\n" + ownerRecord(computer(), machine_) +
                                           printRecord(print_, print_));
}

void SharedLog::takeOver(std::string computer, std::string machine)
{
    // The print record after it closes the batch, so the journal still ends
    // on a whole one.
    files::appendDurably(journal_, ownerRecord(computer, machine) + printRecord(print_, print_));
    state_.rename(std::move(computer));
    machine_ = std::move(machine);
}

void SharedLog::readJournal()
{
    const std::string content = files::readAll(journal_);
    std::vector<ShareEvent> batch;
    std::vector<LogEdit> lastEdits;
    std::optional<std::pair<std::string, std::string>> owner;
    LogPrint before;
    LogPrint after;
    std::size_t complete = 0;
    for (std::size_t start = 0, end = content.find('\n'); end != std::string::npos;
         start = end + 1, end = content.find('\n', start)) {
        const std::string_view record = std::string_view(content).substr(start, end - start);
        if (auto event = parseEvent(record)) {
            batch.push_back(std::move(*event));
        } else if (auto named = parseOwner(record)) {
            owner = std::move(named);
        } else if (auto prints = parsePrints(record)) {
            if (owner) {
                state_.rename(std::move(owner->first));
                machine_ = std::move(owner->second);
                owner.reset();
            }
            lastEdits.clear();
            for (const ShareEvent& taken : batch)
                if (auto edit = state_.take(taken))
                    lastEdits.push_back(std::move(*edit));
            batch.clear();
            std::tie(before, after) = *prints;
            complete = end + 1;
        }
    }
    // A batch cut short by a crash never reached the log: events from others
    // come again from the broker, QSOs stored here are found in the log.
    if (complete < content.size())
        files::replaceAtomically(journal_, std::string_view(content).substr(0, complete));
    bringLogInLine(lastEdits, before, after);
}

void SharedLog::bringLogInLine(const std::vector<LogEdit>& lastBatch, LogPrint before, LogPrint after)
{
    const std::string content = files::readAll(log_.path());
    const LogPrint now = printOf(content);
    print_ = now;
    if (now == after)
        return;
    if (now == before && !lastBatch.empty()) {
        carryOut(plan(lastBatch));
        recovery_.redone = lastBatch.size();
        return;
    }
    if (content.size() > after.size && printOf(std::string_view(content).substr(0, after.size)) == after) {
        std::vector<ShareEvent> adopted;
        // A line whose trailing blanks an editor trimmed travels as its 86 columns.
        for (const std::string& line : linesOf(std::string_view(content).substr(after.size)))
            if (std::string full = paddedLine(line); isShareableLine(full))
                adopted.push_back(state_.ownAddition(std::move(full)));
        recovery_.adopted = adopted.size();
        writeBatch(adopted, after, now);
        return;
    }
    recovery_.changedOutside = true;
    writeBatch({}, now, now);
}

void SharedLog::writeBatch(const std::vector<ShareEvent>& events, LogPrint before, LogPrint after, Sync sync)
{
    std::string records;
    for (const ShareEvent& event : events)
        records += eventRecord(event);
    records += printRecord(before, after);
    if (sync == Sync::Yes)
        files::appendDurably(journal_, records);
    else
        files::appendUnsynced(journal_, records);
}

SharedLog::Plan SharedLog::plan(const std::vector<LogEdit>& edits) const
{
    Plan plan;
    plan.onlyAppends =
        std::all_of(edits.begin(), edits.end(), [](const LogEdit& edit) { return edit.kind == LogEdit::Kind::Append; });
    const std::string content = files::readAll(log_.path());
    if (plan.onlyAppends) {
        // As the log's append writes it: a line end first where the last line lacks one.
        std::string record = !content.empty() && content.back() != '\n' && content.back() != '\r'
                                 ? std::string(files::kLineEnd)
                                 : std::string();
        for (const LogEdit& edit : edits) {
            plan.lines.push_back(edit.line);
            record += edit.line;
            record += files::kLineEnd;
        }
        plan.after = extended(printOf(content), record);
        return plan;
    }
    plan.lines = linesOf(content);
    for (const LogEdit& edit : edits) {
        switch (edit.kind) {
        case LogEdit::Kind::Append: plan.lines.push_back(edit.line); break;
        case LogEdit::Kind::Replace: dropLast(plan.lines, edit.old, &edit.line); break;
        case LogEdit::Kind::Remove: dropLast(plan.lines, edit.old, nullptr); break;
        }
    }
    plan.content = files::joinLines(plan.lines);
    plan.after = printOf(plan.content);
    return plan;
}

void SharedLog::carryOut(const Plan& plan)
{
    if (plan.onlyAppends)
        log_.append(plan.lines);
    else
        log_.replaceWith(plan.content);
    print_ = plan.after;
}

std::vector<ShareEvent> SharedLog::stored(const std::string& line, std::string_view appended)
{
    const LogPrint before = print_;
    print_ = extended(print_, appended);
    if (!isShareableLine(line))
        return {};  // stays in this log only, as in a log that is not shared
    std::vector<ShareEvent> made{state_.ownAddition(line)};
    // The log holds the QSO on the disk already. Should a power cut take
    // this record, start-up finds the QSO beyond the journal's end and makes
    // the same event again: the same number and stamp, as every record after
    // it in the journal went too (each later sync would have kept it).
    writeBatch(made, before, print_, Sync::No);
    return made;
}

SharedLog::Change SharedLog::rewrite(const std::string& selected, const LogFile::LineChange& change)
{
    LogFile::Rewritten rewritten = log_.rewritten(selected, change);
    if (!rewritten.matched)
        return {};
    ShareState before = state_;
    // A line corrected into one that cannot travel leaves the other logs.
    std::vector<ShareEvent> events = rewritten.lastChanged && isShareableLine(*rewritten.lastChanged)
                                         ? state_.ownCorrection(selected, *rewritten.lastChanged)
                                         : state_.ownDeletion(selected, ShareState::Copies::Every);
    return commit(rewritten, std::move(events), std::move(before));
}

SharedLog::Change SharedLog::remove(const std::string& line, std::size_t occurrence)
{
    LogFile::Rewritten rewritten = log_.withoutLine(line, occurrence);
    if (!rewritten.matched)
        return {};
    ShareState before = state_;
    std::vector<ShareEvent> events = state_.ownDeletion(line, ShareState::Copies::One);
    return commit(rewritten, std::move(events), std::move(before));
}

SharedLog::Change SharedLog::commit(const LogFile::Rewritten& rewritten, std::vector<ShareEvent> events,
                                    ShareState before)
{
    const LogPrint after = printOf(rewritten.content);
    // A journal deleted meanwhile is begun again by the append.
    const std::uint64_t journalLength = files::isFile(journal_) ? files::fileLength(journal_) : 0;
    writeBatch(events, print_, after);
    try {
        log_.replaceWith(rewritten.content);
    } catch (const IoError&) {
        // The operator is told that the change failed: it must not be made at
        // the next start, nor reach the other computers.
        files::cutBack(journal_, journalLength);
        state_ = std::move(before);
        throw;
    }
    print_ = after;
    return {.matched = true, .lastChanged = rewritten.lastChanged, .events = std::move(events)};
}

void SharedLog::keepLocalChange()
{
    const LogPrint now = printOf(files::readAll(log_.path()));
    writeBatch({}, print_, now);
    print_ = now;
}

std::vector<LogEdit> SharedLog::receive(const std::vector<ShareEvent>& events)
{
    std::vector<ShareEvent> fresh;
    std::vector<LogEdit> edits;
    try {
        for (const ShareEvent& event : events) {
            if (state_.knows(event))
                continue;
            if (auto edit = state_.take(event))
                edits.push_back(std::move(*edit));
            fresh.push_back(event);
        }
        if (fresh.empty())
            return {};
        const Plan next = plan(edits);
        writeBatch(fresh, print_, next.after);
        carryOut(next);
    } catch (const IoError&) {
        // What the files hold is the truth: take it again as at start-up,
        // which also makes a change the journal holds but the log missed.
        readAgain();
        throw;
    }
    return edits;
}

void SharedLog::readAgain()
{
    state_ = ShareState(computer());
    readJournal();
}

}  // namespace qz
