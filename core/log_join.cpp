#include "log_join.h"

#include "files.h"
#include "log_line.h"

namespace qz {

LogJoin::LogJoin(const std::vector<std::string_view>& own)
{
    // Only a plausible line can ever match one of the other log's lines.
    for (const std::string_view line : own)
        if (isPlausibleQso(line))
            ++unmatched_[line];
}

void LogJoin::offer(std::string_view line)
{
    if (!isPlausibleQso(line))
        return;
    const auto found = unmatched_.find(line);
    if (found != unmatched_.end() && found->second > 0) {
        --found->second;
        return;
    }
    toAdd_.emplace_back(line);
}

std::vector<std::string> linesToJoin(const std::vector<std::string_view>& own, std::string_view other)
{
    LogJoin join(own);
    for (const std::string& line : files::splitLines(other))
        join.offer(line);
    return join.lines();
}

}  // namespace qz
