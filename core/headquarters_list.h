#pragma once
// The exchanges that IARU member-society headquarters stations and IARU
// officials send instead of an ITU zone: the society abbreviations, AC, R1,
// R2, R3 and the station's own KRU. The list written in the repository
// (data/iaru_hq.txt) is built into the program, so it is there without any
// file; a station folder's IARU_HQ.txt adds to it, for a society that is new
// or missing. One abbreviation a line; blank lines and lines that start with
// "#" are passed over. Abbreviations are compared blind to case and blanks.
// After the abbreviation and a ":" may stand the society's headquarters
// callsigns, separated by blanks or commas ("KRU: QZ5KV"): what such a
// station sends is known before it is worked.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace qz {

class HeadquartersList {
public:
    HeadquartersList() = default;
    // The list built into the program.
    static const HeadquartersList& builtIn();

    // Adds the abbreviations of a list's text. A line of digits only would
    // read as a zone, never as an abbreviation: it is skipped and counted.
    void add(std::string_view text);
    bool contains(std::string_view abbreviation) const;
    // The abbreviation of the society whose headquarters station `call` is.
    std::optional<std::string_view> societyOf(std::string_view call) const;
    std::size_t size() const { return abbreviations_.size(); }
    std::size_t skippedLines() const { return skippedLines_; }

private:
    void addStations(const std::string& abbreviation, std::string_view calls);

    std::unordered_set<std::string> abbreviations_;
    std::unordered_map<std::string, std::string> societies_;  // by headquarters callsign
    std::size_t skippedLines_ = 0;
};

}  // namespace qz
