#include "worked_before.h"

#include "log_line.h"
#include "text.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace qz {
namespace {

template <std::size_t Width>
std::array<char, Width> field(std::string_view text)
{
    std::array<char, Width> chars;
    chars.fill(' ');
    std::copy_n(text.begin(), std::min(Width, text.size()), chars.begin());
    return chars;
}

template <std::size_t Width>
std::string text(const std::array<char, Width>& chars)
{
    return std::string(chars.begin(), chars.end());
}

template <std::size_t Width>
bool equals(const std::array<char, Width>& chars, std::string_view text)
{
    return text.size() == Width && std::equal(chars.begin(), chars.end(), text.begin());
}

}  // namespace

std::string storedCallOf(std::string_view typed)
{
    QsoEntry entry;
    entry.call = typed;
    return callOf(composeLine(entry));
}

WorkedBefore::Entry WorkedBefore::entryOf(std::string_view line)
{
    return {kNone,
            std::hash<std::string_view>{}(line),
            field<10>(dateOf(line)),
            field<4>(timeOf(line)),
            field<2>(bandKeyOf(line)),
            field<2>(modeLettersOf(line))};
}

WorkedBefore::WorkedBefore(const std::vector<std::string_view>& logLines, std::string op) : op_(std::move(op))
{
    std::vector<std::string_view> mine;
    for (const std::string_view line : logLines)
        if (belongsTo(line, op_))
            mine.push_back(line);
    // Room for every QSO at once: growing the table as it fills costs more than filling it.
    entries_.reserve(mine.size());
    byCall_.reserve(mine.size());
    for (const std::string_view line : mine)
        index(line);
}

void WorkedBefore::add(std::string_view line)
{
    if (belongsTo(line, op_))
        index(line);
}

void WorkedBefore::index(std::string_view line)
{
    const auto number = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back(entryOf(line));
    Chain& chain = byCall_[comparableText(callOf(line))];
    if (chain.last == kNone)
        chain.first = number;
    else
        entries_[chain.last].next = number;
    chain.last = number;
}

void WorkedBefore::removeOne(std::string_view line)
{
    const auto found = byCall_.find(comparableText(callOf(line)));
    if (found == byCall_.end() || !belongsTo(line, op_))
        return;
    const Entry removed = entryOf(line);
    const auto same = [&](const Entry& e) {
        return e.lineHash == removed.lineHash && e.date == removed.date && e.time == removed.time &&
               e.bandKey == removed.bandKey && e.modeLetters == removed.modeLetters;
    };
    Chain kept;
    bool removedOne = false;
    for (std::uint32_t at = found->second.first; at != kNone; at = entries_[at].next) {
        if (!removedOne && same(entries_[at])) {
            removedOne = true;
            continue;
        }
        if (kept.last == kNone)
            kept.first = at;
        else
            entries_[kept.last].next = at;
        kept.last = at;
    }
    if (kept.last == kNone) {
        byCall_.erase(found);
        return;
    }
    entries_[kept.last].next = kNone;
    found->second = kept;
}

template <typename Visit>
void WorkedBefore::forEachOf(std::string_view call, Visit visit) const
{
    const auto found = byCall_.find(comparableText(call));
    if (found == byCall_.end())
        return;
    for (std::uint32_t at = found->second.first; at != kNone; at = entries_[at].next)
        visit(entries_[at]);
}

std::vector<WorkedQso> WorkedBefore::qsos(std::string_view call) const
{
    std::vector<WorkedQso> found;
    forEachOf(call, [&](const Entry& e) {
        found.push_back({text(e.date), text(e.time), text(e.bandKey), text(e.modeLetters)});
    });
    return found;
}

WorkedVerdict WorkedBefore::verdict(std::string_view call, std::string_view bandKey, std::string_view modeLetters) const
{
    WorkedVerdict verdict = WorkedVerdict::New;
    forEachOf(call, [&](const Entry& e) {
        if (equals(e.bandKey, bandKey) && equals(e.modeLetters, modeLetters))
            verdict = WorkedVerdict::Dupe;
        else if (verdict == WorkedVerdict::New)
            verdict = WorkedVerdict::OtherSlot;
    });
    return verdict;
}

}  // namespace qz
