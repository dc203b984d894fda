#include "log_join.h"

#include "files.h"
#include "log_line.h"

namespace qz {

LogJoin::LogJoin(const std::vector<std::string_view>& own)
{
    // Only a plausible line can ever match one of the other log's lines.
    for (const std::string_view line : own)
        if (std::string full = paddedLine(line); isPlausibleQso(full))
            ++unmatched_[std::move(full)];
}

void LogJoin::offer(std::string_view line)
{
    std::string full = paddedLine(line);
    if (!isPlausibleQso(full))
        return;
    const auto found = unmatched_.find(full);
    if (found != unmatched_.end() && found->second > 0) {
        --found->second;
        return;
    }
    toAdd_.push_back(std::move(full));
}

std::vector<std::string> linesToJoin(const std::vector<std::string_view>& own, std::string_view other)
{
    LogJoin join(own);
    for (const std::string& line : files::splitLines(other))
        join.offer(line);
    return join.lines();
}

}  // namespace qz
