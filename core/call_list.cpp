#include "call_list.h"

#include "text.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::size_t kLongestCall = 20;
constexpr char kEnd = '\n';

bool storable(std::string_view call)
{
    return !call.empty() && call.size() <= kLongestCall && call.find(kEnd) == std::string_view::npos;
}

bool isCallsign(std::string_view call)
{
    return storable(call) && std::all_of(call.begin(), call.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
           });
}

}  // namespace

CallList::CallList(const std::vector<std::string_view>& calls)
{
    // Sorting compares the first eight bytes as one number, which orders them
    // as the bytes do; only callsigns that share them are compared further.
    struct Keyed {
        std::uint64_t head;
        std::string_view call;
        bool operator<(const Keyed& other) const { return head != other.head ? head < other.head : call < other.call; }
        bool operator==(const Keyed& other) const { return call == other.call; }
    };
    std::vector<Keyed> keyed;
    keyed.reserve(calls.size());
    for (const std::string_view call : calls) {
        if (!storable(call))
            continue;
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < sizeof head; ++i)
            head = head << 8 | (i < call.size() ? static_cast<unsigned char>(call[i]) : 0u);
        keyed.push_back({head, call});
    }
    // The published call list is sorted but for a few late additions at its end.
    const auto sortedEnd = std::is_sorted_until(keyed.begin(), keyed.end());
    std::sort(sortedEnd, keyed.end());
    std::inplace_merge(keyed.begin(), sortedEnd, keyed.end());
    keyed.erase(std::unique(keyed.begin(), keyed.end()), keyed.end());
    starts_.reserve(keyed.size());
    for (const Keyed& entry : keyed) {
        starts_.push_back(static_cast<std::uint32_t>(text_.size()));
        text_ += entry.call;
        text_ += kEnd;
    }
}

CallList CallList::parse(std::string_view text)
{
    const std::string raised = asciiUpper(std::string(text));
    std::vector<std::string_view> calls;
    std::size_t skipped = 0;
    for (std::size_t start = 0; start < raised.size();) {
        const std::size_t end = std::min(raised.find_first_of("\r\n", start), raised.size());
        const std::string_view line = trimmedView(std::string_view(raised).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (isCallsign(line))
            calls.push_back(line);
        else
            ++skipped;
    }
    CallList list(calls);
    list.skippedLines_ = skipped;
    return list;
}

std::string_view CallList::callAt(std::size_t index) const
{
    const std::size_t start = starts_[index];
    return std::string_view(text_).substr(start, text_.find(kEnd, start) - start);
}

std::size_t CallList::lowerBound(std::string_view call) const
{
    std::size_t low = 0;
    std::size_t high = size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (callAt(middle) < call)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool CallList::contains(std::string_view call) const
{
    const std::size_t at = lowerBound(call);
    return at < size() && callAt(at) == call;
}

void CallList::insert(std::string_view call)
{
    if (!storable(call))
        return;
    const std::size_t at = lowerBound(call);
    if (at < size() && callAt(at) == call)
        return;
    const std::size_t offset = at < size() ? starts_[at] : text_.size();
    const auto grown = static_cast<std::uint32_t>(call.size() + 1);
    text_.insert(offset, std::string(call) + kEnd);
    for (std::size_t i = at; i < starts_.size(); ++i)
        starts_[i] += grown;
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint32_t>(offset));
}

std::vector<std::string> CallList::containing(std::string_view letters, std::size_t limit) const
{
    std::vector<std::string> found;
    if (letters.empty() || letters.find(kEnd) != std::string_view::npos)
        return found;
    const std::string_view text(text_);
    std::size_t from = 0;
    while (found.size() < limit) {
        const std::size_t hit = text.find(letters, from);
        if (hit == std::string_view::npos)
            break;
        // A hit never spans two callsigns: the letters hold no line end.
        const std::size_t begin = text.rfind(kEnd, hit) + 1;  // npos + 1 is 0: the first callsign
        const std::size_t end = text.find(kEnd, hit);
        found.emplace_back(text.substr(begin, end - begin));
        from = end + 1;
    }
    return found;
}

}  // namespace qz
