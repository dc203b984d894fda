#include "headquarters_list.h"

#include "headquarters_text.h"
#include "text.h"

#include <algorithm>

namespace qz {

const HeadquartersList& HeadquartersList::builtIn()
{
    static const HeadquartersList list = [] {
        HeadquartersList built;
        built.add(kBuiltInHeadquartersText);
        return built;
    }();
    return list;
}

void HeadquartersList::add(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = trimmedView(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        std::string abbreviation = comparableText(line);
        if (std::all_of(abbreviation.begin(), abbreviation.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            ++skippedLines_;
            continue;
        }
        abbreviations_.insert(std::move(abbreviation));
    }
}

bool HeadquartersList::contains(std::string_view abbreviation) const
{
    return abbreviations_.contains(comparableText(abbreviation));
}

}  // namespace qz
