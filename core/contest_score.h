#pragma once
// The score of one operator's log under the IARU HF Championship rules, kept
// up to date one log line at a time (in the order of the log):
//
// - The received exchange is an ITU zone when it is a number from 1 to 90,
//   otherwise the abbreviation of a headquarters station or an IARU official
//   when the headquarters list has it. Anything else (empty, 0, 91, "2B") makes
//   the QSO incomplete: it earns nothing, is counted apart, and does not make a
//   later complete QSO with the station a repeat.
// - A station counts once per band and mode; a later complete QSO with it on
//   the same band and mode is a repeat and earns neither points nor a
//   multiplier. Callsigns and abbreviations are compared blind to case and
//   blanks.
// - QSO points: 1 in the operator's own ITU zone or with a headquarters
//   station or official; 3 with another zone on the operator's continent;
//   5 with another zone on another continent.
// - Multipliers: every ITU zone and every headquarters abbreviation once per
//   band, the two modes together.
// - Score: the sum of the QSO points times the number of multipliers.
//
// The operator's own zone is one for the whole log. It is the exchange the
// operator sent when that is a zone written in one or two digits ("28", "08")
// and was sent in more than half of the QSOs; otherwise the ITU zone of the
// operator's callsign in the country file. So serial numbers ("001", "002",
// ... "10", "11") never make a zone, as they change from QSO to QSO, while a
// zone mistyped in a few QSOs does not move the operator. Since a later QSO
// may change that choice, the points are kept per zone and continent and
// counted again when it changes.
//
// The continents compared are those of the worked callsign and of the
// operator's callsign, both from the country file. A QSO in the own zone or
// with a headquarters station is worth 1 wherever it was made, while a QSO
// with another zone whose continent (or the operator's, or the own zone)
// cannot be found earns 0 and is counted as unscored. Only the six bands
// 160M to 10M in SSB and CW are scored.

#include "country_file.h"
#include "headquarters_list.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>

namespace qz {

inline constexpr std::size_t kContestBands = 6;
inline constexpr int kHighestZone = 90;

// 0 for 160M up to 5 for 10M; nothing for any other band key.
std::optional<std::size_t> contestBandOf(std::string_view bandKey);
// Whether the mode letters are SSB's or CW's.
bool isContestMode(std::string_view modeLetters);

enum class ExchangeKind { Zone, Headquarters, Unreadable };
struct Exchange {
    ExchangeKind kind = ExchangeKind::Unreadable;
    int zone = 0;              // for a zone
    std::string abbreviation;  // for a headquarters station or official, as compared
};
// An ITU zone is digits only with a value of 1 to 90; an abbreviation is one
// of the list, whatever its case and blanks.
Exchange readExchange(std::string_view text, const HeadquartersList& headquarters);
// The received exchange that the log will hold for what was typed.
std::string storedReceivedExchangeOf(std::string_view typed);
// A sent exchange that names the own zone: one or two digits, 1 to 90.
std::optional<int> sentZoneOf(std::string_view sent);

enum class OwnZoneSource { SentExchange, CountryFile, Unknown };
struct OwnZone {
    std::optional<int> zone;
    OwnZoneSource source = OwnZoneSource::Unknown;
    bool operator==(const OwnZone&) const = default;
};

struct BandScore {
    int qsos = 0;  // complete QSOs that count: repeats and incomplete ones not included
    int dupes = 0;
    std::int64_t points = 0;
    int zones = 0;
    int headquarters = 0;
};

struct ScoreSummary {
    std::array<BandScore, kContestBands> bands;
    BandScore total;
    std::int64_t multipliers = 0;
    std::int64_t score = 0;
    int unscored = 0;             // no points: a continent or the own zone unknown
    int unreadableExchanges = 0;  // incomplete: no points, no multiplier
};

// What one line was to the score.
enum class QsoVerdict {
    NotScored,   // a band or mode the contest does not have
    Incomplete,  // the received exchange is neither a zone nor on the list
    Repeat,
    Counted,
};

class ContestScore {
public:
    // Without a country file only the QSOs that need no continent score.
    explicit ContestScore(const CountryFile* countries = nullptr,
                          const HeadquartersList& headquarters = HeadquartersList::builtIn())
        : countries_(countries), headquarters_(&headquarters)
    {
    }

    // One line of the operator's log, after the ones added before it.
    QsoVerdict add(std::string_view line);
    const ScoreSummary& summary() const { return summary_; }
    const OwnZone& ownZone() const { return ownZone_; }
    // Null without a country file.
    const CountryFile* countries() const { return countries_; }

    // Whether the exchange would be a new multiplier on the band.
    bool isNewMultiplier(std::size_t band, const Exchange& exchange) const;

private:
    // Where a zone QSO was made, as far as the points depend on it.
    enum Relation : std::size_t { kSameContinent, kOtherContinent, kContinentUnknown, kRelations };
    using ZoneCounts = std::array<std::array<int, kRelations>, kHighestZone + 1>;

    void countSentExchange(std::string_view sent);
    void followOwnZone(std::string_view line);
    void recountPoints();
    int pointsFor(int zone, Relation relation) const;
    Relation relationOf(std::string_view call) const;

    const CountryFile* countries_;
    const HeadquartersList* headquarters_;
    std::unordered_set<std::string> worked_;  // callsign as compared, band and mode
    std::array<std::bitset<kHighestZone + 1>, kContestBands> zones_;
    std::array<std::set<std::string>, kContestBands> headquartersWorked_;
    std::array<ZoneCounts, kContestBands> zoneQsos_{};
    std::array<int, kContestBands> headquartersQsos_{};

    // The operator's callsign in the country file, looked up at the first line.
    bool located_ = false;
    std::optional<Location> operatorLocation_;
    // Only a zone can be the own zone, so only zones sent are counted by
    // value; the other exchanges count in the total alone.
    std::array<int, kHighestZone + 1> sentZones_{};
    int mostSentZone_ = 0;
    int sentTotal_ = 0;
    OwnZone ownZone_;

    ScoreSummary summary_;
};

}  // namespace qz
