#include "contest_tally.h"

#include "log_line.h"

#include <utility>

namespace qz {

ContestTally::ContestTally(const std::vector<std::string_view>& logLines, const CountryFile* countries,
                           const HeadquartersList& headquarters, std::string op)
    : op_(std::move(op)), score_(countries, headquarters)
{
    for (const std::string_view line : logLines)
        add(line);
}

void ContestTally::add(std::string_view line)
{
    stationRate_.add(line);
    if (!belongsTo(line, op_))
        return;
    score_.add(line);
    operatorRate_.add(line);
    headquartersSlots_.add(line);
}

}  // namespace qz
