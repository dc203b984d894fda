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
        const std::size_t colon = line.find(':');
        std::string abbreviation = comparableText(line.substr(0, colon));
        if (std::all_of(abbreviation.begin(), abbreviation.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            ++skippedLines_;
            continue;
        }
        if (colon != std::string_view::npos)
            addStations(abbreviation, line.substr(colon + 1));
        abbreviations_.insert(std::move(abbreviation));
    }
}

void HeadquartersList::addStations(const std::string& abbreviation, std::string_view calls)
{
    std::size_t start = 0;
    while (start < calls.size()) {
        const std::size_t end = std::min(calls.find_first_of(" \t,", start), calls.size());
        if (end > start)
            societies_[asciiUpper(std::string(calls.substr(start, end - start)))] = abbreviation;
        start = end + 1;
    }
}

std::optional<std::string_view> HeadquartersList::societyOf(std::string_view call) const
{
    const auto found = societies_.find(comparableText(call));
    return found == societies_.end() ? std::nullopt : std::optional<std::string_view>(found->second);
}

bool HeadquartersList::contains(std::string_view abbreviation) const
{
    return abbreviations_.contains(comparableText(abbreviation));
}

}  // namespace qz
