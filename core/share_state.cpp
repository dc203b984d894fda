#include "share_state.h"

#include "log_line.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace qz {

ShareState::ShareState(std::string computer) : computer_(std::move(computer)) {}

void ShareState::rename(std::string computer)
{
    computer_ = std::move(computer);
    ownSequence_ = highestSequence(computer_);
}

bool ShareState::knows(const ShareEvent& event) const { return taken_.contains({event.computer, event.sequence}); }

const ShareEvent* ShareState::find(const EventKey& key) const
{
    const auto found = taken_.find(key);
    return found == taken_.end() ? nullptr : &events_[found->second];
}

std::uint64_t ShareState::highestSequence(const std::string& computer) const
{
    const auto after = taken_.upper_bound({computer, std::numeric_limits<std::uint64_t>::max()});
    if (after == taken_.begin() || std::prev(after)->first.first != computer)
        return 0;
    return std::prev(after)->first.second;
}

bool ShareState::withinReach(const ShareEvent& event) const
{
    const auto fits = [](std::uint64_t number, std::uint64_t known) {
        return number < kLargestShareNumber && (number <= known || number - known <= kShareReach);
    };
    return fits(event.stamp, clock_) && fits(event.sequence, highestSequence(event.computer));
}

bool ShareState::canSend() const { return clock_ < kLargestShareNumber && ownSequence_ < kLargestShareNumber; }

std::optional<LogEdit> ShareState::take(const ShareEvent& event)
{
    if (!taken_.emplace(EventKey{event.computer, event.sequence}, events_.size()).second)
        return std::nullopt;
    events_.push_back(event);
    clock_ = std::max(clock_, event.stamp);
    ComputerRecord& record = computers_[event.computer];
    ++record.events;
    if (event.computer == computer_)
        ownSequence_ = std::max(ownSequence_, event.sequence);

    auto [found, fresh] = qsos_.try_emplace(event.qso);
    SharedQso& qso = found->second;
    const Version version{event.stamp, event.computer};
    switch (event.kind) {
    case ShareKind::Add: {
        ++record.qsos;
        record.lastLine = event.line;
        qso.added = true;
        // A correction that came first keeps its line when it is the later one.
        if (fresh || qso.version < version) {
            qso.line = event.line;
            qso.version = version;
        }
        if (qso.deleted)
            return std::nullopt;
        return LogEdit{.kind = LogEdit::Kind::Append, .old = {}, .line = qso.line};
    }
    case ShareKind::Correct: {
        if (qso.deleted || (!fresh && !(qso.version < version)))
            return std::nullopt;
        std::string old = std::exchange(qso.line, event.line);
        qso.version = version;
        if (!qso.added || old == qso.line)
            return std::nullopt;
        return LogEdit{.kind = LogEdit::Kind::Replace, .old = std::move(old), .line = qso.line};
    }
    case ShareKind::Delete:
        if (qso.deleted)
            return std::nullopt;
        qso.deleted = true;
        if (!qso.added)
            return std::nullopt;
        return LogEdit{.kind = LogEdit::Kind::Remove, .old = qso.line, .line = {}};
    }
    return std::nullopt;
}

ShareEvent ShareState::nextOwnEvent(ShareKind kind)
{
    ShareEvent event;
    event.computer = computer_;
    event.sequence = ownSequence_ + 1;
    event.stamp = clock_ + 1;
    event.kind = kind;
    return event;
}

ShareEvent ShareState::ownAddition(std::string line)
{
    ShareEvent event = nextOwnEvent(ShareKind::Add);
    event.qso = {computer_, event.sequence};
    event.line = std::move(line);
    take(event);
    return event;
}

std::vector<QsoId> ShareState::liveQsosWithLine(const std::string& line) const
{
    std::vector<QsoId> ids;
    for (const auto& [id, qso] : qsos_)
        if (qso.added && !qso.deleted && sameColumns(qso.line, line))
            ids.push_back(id);
    return ids;
}

std::vector<ShareEvent> ShareState::ownCorrection(const std::string& line, const std::string& corrected)
{
    std::vector<ShareEvent> made;
    for (const QsoId& id : liveQsosWithLine(line)) {
        ShareEvent event = nextOwnEvent(ShareKind::Correct);
        event.qso = id;
        event.line = corrected;
        take(event);
        made.push_back(std::move(event));
    }
    return made;
}

std::vector<ShareEvent> ShareState::ownDeletion(const std::string& line, Copies copies)
{
    std::vector<QsoId> ids = liveQsosWithLine(line);
    if (copies == Copies::One && ids.size() > 1) {
        const auto last = std::max_element(ids.begin(), ids.end(), [this](const QsoId& a, const QsoId& b) {
            return qsos_.at(a).version < qsos_.at(b).version;
        });
        ids = {*last};
    }
    std::vector<ShareEvent> made;
    for (const QsoId& id : ids) {
        ShareEvent event = nextOwnEvent(ShareKind::Delete);
        event.qso = id;
        take(event);
        made.push_back(std::move(event));
    }
    return made;
}

}  // namespace qz
