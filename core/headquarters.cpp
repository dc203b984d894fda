#include "headquarters.h"

#include "log_line.h"
#include "text.h"

#include <algorithm>

namespace qz {

HeadquartersSlots::HeadquartersSlots(const std::vector<std::string_view>& logLines, std::string_view op)
{
    for (const std::string_view line : logLines)
        if (belongsTo(line, op))
            add(line);
}

bool HeadquartersSlots::add(std::string_view line)
{
    if (callOf(line) != kHeadquartersCall)
        return false;
    std::string key = slotKeyOf(line);
    if (std::any_of(slots_.begin(), slots_.end(), [&](const std::string& s) { return equalNoCase(s, key); }))
        return false;
    slots_.push_back(std::move(key));
    return true;
}

}  // namespace qz
