#pragma once
// A sorted list of distinct callsigns, searched while a callsign is typed for
// every callsign that contains the letters typed so far. The callsigns stand
// in one block of text, each followed by a line end, so that a search is one
// pass over contiguous memory and its hits come out in sorted order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class CallList {
public:
    CallList() = default;
    // Callsigns in any order; duplicates and empty ones are dropped.
    explicit CallList(const std::vector<std::string_view>& calls);

    // The contest call list ("MASTER.SCP"): one callsign a line, lines
    // starting with "#" are comments. A line that is not a callsign (letters,
    // digits and "/" only, at most 20 of them) is skipped and counted.
    static CallList parse(std::string_view text);

    std::size_t size() const { return starts_.size(); }
    std::size_t skippedLines() const { return skippedLines_; }
    bool contains(std::string_view call) const;
    // Adds a callsign at its sorted place unless it is there already.
    void insert(std::string_view call);

    // The first `limit` callsigns, in sorted order, that contain `letters`.
    std::vector<std::string> containing(std::string_view letters, std::size_t limit) const;

private:
    std::string_view callAt(std::size_t index) const;
    std::size_t lowerBound(std::string_view call) const;

    std::string text_;                   // every callsign followed by '\n'
    std::vector<std::uint32_t> starts_;  // where each callsign begins in text_
    std::size_t skippedLines_ = 0;
};

}  // namespace qz
