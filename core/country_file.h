#pragma once
// The country file of the contest world ("cty.dat"): for every country a
// header line "name: CQ zone: ITU zone: continent: latitude: longitude: time
// offset: primary prefix:" followed by its prefixes and "=" exact callsigns,
// separated by commas and ended by ";". Any entry may override the country's
// CQ zone "(5)", ITU zone "[8]" and continent "{NA}"; positions "<lat/long>"
// and time offsets "~offset~" are read over and not used.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

struct Location {
    std::string country;
    int cqZone = 0;
    int ituZone = 0;
    std::string continent;  // AF, AN, AS, EU, NA, OC or SA
};

class CountryFile {
public:
    // Reads the text of a country file. A record that cannot be read whole
    // (a header without its eight fields, a zone out of range, an unknown
    // continent, no closing ";") is skipped and counted, so one damaged
    // record never costs the others; so is an entry with a bad override.
    static CountryFile parse(std::string_view text);

    std::size_t countryCount() const { return countries_.size(); }
    std::size_t skippedRecords() const { return skippedRecords_; }
    std::size_t skippedEntries() const { return skippedEntries_; }

    // Where a callsign is: an exact-call entry first, then the longest
    // prefix. In a callsign with "/" the shorter part names the country
    // ("DL/SP9XYZ" and "SP9XYZ/DL" are in Germany), and of two parts as long
    // the one that is a prefix in the file ("OH2A/VK9X" is on Christmas
    // Island); "/P", "/M", "/QRP",
    // "/LH", "/A" and a call-area digit change nothing. Maritime and
    // aeronautical mobiles ("/MM", "/AM") are in no country unless listed
    // as exact calls.
    std::optional<Location> locate(std::string_view callsign) const;

private:
    struct Entry {
        std::uint32_t country = 0;
        std::uint8_t cqZone = 0;
        std::uint8_t ituZone = 0;
        std::array<char, 2> continent{};
    };
    void parseRecord(std::string_view header, std::string_view entries);
    void addEntry(std::string_view text, const Entry& defaults);
    Location locationOf(const Entry& entry) const;
    std::optional<Entry> longestPrefixOf(std::string_view text) const;

    std::vector<std::string> countries_;  // the names, by Entry::country
    std::unordered_map<std::string, Entry> exactCalls_;
    std::unordered_map<std::string, Entry> prefixes_;
    std::size_t longestPrefix_ = 0;
    std::size_t skippedRecords_ = 0;
    std::size_t skippedEntries_ = 0;
};

}  // namespace qz
