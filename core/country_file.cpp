#include "country_file.h"

#include "text.h"

#include <algorithm>

namespace qz {
namespace {

constexpr int kHighestCqZone = 40;
constexpr int kHighestItuZone = 90;
constexpr std::size_t kHeaderFields = 8;
constexpr std::array<std::string_view, 7> kContinents = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};

// A whole number of at most three digits within [low, high]; blanks around it
// are allowed, as the header pads its columns.
std::optional<std::uint8_t> numberIn(std::string_view text, int low, int high)
{
    const std::string digits = trimmed(text);
    if (digits.empty() || digits.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::optional<std::array<char, 2>> continentIn(std::string_view text)
{
    const std::string letters = asciiUpper(trimmed(text));
    if (std::find(kContinents.begin(), kContinents.end(), letters) == kContinents.end())
        return std::nullopt;
    return std::array<char, 2>{letters[0], letters[1]};
}

bool isCallCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/';
}

// Parts after a "/" that say how or where within the country a station works,
// not which country it is in.
bool changesNoCountry(std::string_view part)
{
    static constexpr std::array<std::string_view, 5> kSuffixes = {"P", "M", "QRP", "LH", "A"};
    const bool callArea = part.size() == 1 && part[0] >= '0' && part[0] <= '9';
    return callArea || std::find(kSuffixes.begin(), kSuffixes.end(), part) != kSuffixes.end();
}

bool isMobileAtSeaOrInTheAir(std::string_view part) { return part == "MM" || part == "AM"; }

std::vector<std::string_view> partsOf(std::string_view call)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= call.size()) {
        const std::size_t slash = std::min(call.find('/', start), call.size());
        if (slash > start)
            parts.push_back(call.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

}  // namespace

CountryFile CountryFile::parse(std::string_view text)
{
    CountryFile file;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= 0x20)
            ++pos;
        if (pos >= text.size())
            break;
        const std::size_t recordEnd = text.find(';', pos);
        if (recordEnd == std::string_view::npos) {
            // A record cut off before its ";" may have lost entries: none of it is trusted.
            ++file.skippedRecords_;
            break;
        }
        const std::size_t headerEnd = std::min(text.find_first_of("\r\n", pos), recordEnd);
        file.parseRecord(text.substr(pos, headerEnd - pos), text.substr(headerEnd, recordEnd - headerEnd));
        pos = recordEnd + 1;
    }
    return file;
}

void CountryFile::parseRecord(std::string_view header, std::string_view entries)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t colon = header.find(':'); colon != std::string_view::npos; colon = header.find(':', start)) {
        fields.push_back(header.substr(start, colon - start));
        start = colon + 1;
    }
    const std::string name = fields.empty() ? std::string() : trimmed(fields[0]);
    const bool complete = fields.size() == kHeaderFields && trimmed(header.substr(start)).empty() && !name.empty();
    const auto cq = complete ? numberIn(fields[1], 1, kHighestCqZone) : std::nullopt;
    const auto itu = complete ? numberIn(fields[2], 1, kHighestItuZone) : std::nullopt;
    const auto continent = complete ? continentIn(fields[3]) : std::nullopt;
    if (!cq || !itu || !continent) {
        ++skippedRecords_;
        return;
    }
    const Entry defaults{static_cast<std::uint32_t>(countries_.size()), *cq, *itu, *continent};
    countries_.push_back(name);

    start = 0;
    while (start <= entries.size()) {
        const std::size_t comma = std::min(entries.find(',', start), entries.size());
        const std::string entry = trimmed(entries.substr(start, comma - start));
        if (!entry.empty())
            addEntry(entry, defaults);
        start = comma + 1;
    }
}

void CountryFile::addEntry(std::string_view text, const Entry& defaults)
{
    const bool exact = text.front() == '=';
    if (exact)
        text.remove_prefix(1);
    std::size_t callEnd = 0;
    while (callEnd < text.size() && isCallCharacter(text[callEnd]))
        ++callEnd;
    std::string call = asciiUpper(std::string(text.substr(0, callEnd)));
    if (call.empty()) {
        ++skippedEntries_;
        return;
    }

    Entry entry = defaults;
    std::string_view overrides = text.substr(callEnd);
    while (!overrides.empty()) {
        const char open = overrides.front();
        const std::string_view closers = ")]}>~";
        const std::size_t kind = std::string_view("([{<~").find(open);
        const std::size_t close = kind == std::string_view::npos ? kind : overrides.find(closers[kind], 1);
        if (close == std::string_view::npos) {
            ++skippedEntries_;
            return;
        }
        const std::string_view inside = overrides.substr(1, close - 1);
        bool readable = true;
        if (open == '(') {
            const auto zone = numberIn(inside, 1, kHighestCqZone);
            readable = zone.has_value();
            entry.cqZone = zone.value_or(entry.cqZone);
        } else if (open == '[') {
            const auto zone = numberIn(inside, 1, kHighestItuZone);
            readable = zone.has_value();
            entry.ituZone = zone.value_or(entry.ituZone);
        } else if (open == '{') {
            const auto continent = continentIn(inside);
            readable = continent.has_value();
            entry.continent = continent.value_or(entry.continent);
        }
        if (!readable) {
            ++skippedEntries_;
            return;
        }
        overrides.remove_prefix(close + 1);
    }

    if (exact) {
        exactCalls_.try_emplace(std::move(call), entry);
        return;
    }
    longestPrefix_ = std::max(longestPrefix_, call.size());
    prefixes_.try_emplace(std::move(call), entry);
}

Location CountryFile::locationOf(const Entry& entry) const
{
    return {countries_[entry.country], entry.cqZone, entry.ituZone,
            std::string(entry.continent.begin(), entry.continent.end())};
}

std::optional<CountryFile::Entry> CountryFile::longestPrefixOf(std::string_view text) const
{
    for (std::size_t length = std::min(text.size(), longestPrefix_); length > 0; --length) {
        const auto found = prefixes_.find(std::string(text.substr(0, length)));
        if (found != prefixes_.end())
            return found->second;
    }
    return std::nullopt;
}

std::optional<Location> CountryFile::locate(std::string_view callsign) const
{
    const std::string call = asciiUpper(trimmed(callsign));
    if (call.empty())
        return std::nullopt;
    if (const auto exact = exactCalls_.find(call); exact != exactCalls_.end())
        return locationOf(exact->second);
    if (call.find('/') == std::string::npos) {
        const auto entry = longestPrefixOf(call);
        return entry ? std::optional(locationOf(*entry)) : std::nullopt;
    }

    std::vector<std::string_view> named;
    for (const std::string_view part : partsOf(call)) {
        if (isMobileAtSeaOrInTheAir(part))
            return std::nullopt;
        if (!changesNoCountry(part))
            named.push_back(part);
    }
    if (named.empty())
        return std::nullopt;
    if (named.size() == 1 && named.front().size() < call.size())
        if (const auto exact = exactCalls_.find(std::string(named.front())); exact != exactCalls_.end())
            return locationOf(exact->second);
    // The shortest part names the country; of two as short, the one that the
    // file has as a prefix of its own ("VK9X" in "OH2A/VK9X").
    const std::size_t shortest =
        std::min_element(named.begin(), named.end(), [](std::string_view a, std::string_view b) {
            return a.size() < b.size();
        })->size();
    std::string_view country;
    for (const std::string_view part : named) {
        if (part.size() != shortest)
            continue;
        if (country.empty())
            country = part;
        if (prefixes_.contains(std::string(part))) {
            country = part;
            break;
        }
    }
    const auto entry = longestPrefixOf(country);
    if (!entry)
        return std::nullopt;
    return locationOf(*entry);
}

}  // namespace qz
