#pragma once
// Joining another computer's log into this one after the contest. A line is
// known by its bytes, and counted: a line that the other log holds k times
// and this log j times is added k - j times (none when j >= k), so joining
// the same log again adds nothing. A line whose trailing blanks an editor
// trimmed counts as its 86 columns, on either side, and is added whole. Only
// the other log's plausible QSO lines are taken (isPlausibleQso); its empty
// lines, junk and damaged lines are left out. The lines to add keep the other
// log's order.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

class LogJoin {
public:
    // `own` are this log's lines.
    explicit LogJoin(const std::vector<std::string_view>& own);

    // The next line of the other log.
    void offer(std::string_view line);
    // The lines to add so far, in the other log's order.
    const std::vector<std::string>& lines() const { return toAdd_; }

private:
    // How many more copies of a line this log holds than the other has used.
    std::unordered_map<std::string, std::size_t> unmatched_;
    std::vector<std::string> toAdd_;
};

// The lines of the other log's bytes `other` (any line ends) that `own` lacks.
std::vector<std::string> linesToJoin(const std::vector<std::string_view>& own, std::string_view other);

}  // namespace qz
