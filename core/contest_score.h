#pragma once
// The score of one operator's log under the IARU HF Championship rules, kept
// up to date one log line at a time (in the order of the log):
//
// - A station counts once per band and mode; a later QSO with it on the same
//   band and mode is a dupe and earns neither points nor a multiplier.
// - The received exchange is an ITU zone when it is a number from 1 to 90,
//   otherwise the abbreviation of a headquarters station or an IARU official.
// - QSO points: 1 in the operator's own ITU zone or with a headquarters
//   station or official; 3 with another zone on the operator's continent;
//   5 with another zone on another continent.
// - Multipliers: every ITU zone and every headquarters abbreviation once per
//   band, the two modes together.
// - Score: the sum of the QSO points times the number of multipliers.
//
// The operator's own zone is the sent exchange of the QSO when that is a
// zone, else the ITU zone of the operator's callsign in the country file. The
// continents compared are those of the worked callsign and of the operator's
// callsign, both from the country file. A continent is looked up only where
// the points depend on it, as a contest robot scores: a QSO in the own zone or
// with a headquarters station is worth 1 wherever it was made, while a QSO
// with another zone whose continent (or the operator's, or the own zone)
// cannot be found earns 0 and is counted as unscored. An exchange that is
// neither (empty, or a number outside 1-90) earns nothing and is counted.
// Only the six bands 160M to 10M in SSB and CW are scored.

#include "country_file.h"

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

// 0 for 160M up to 5 for 10M; nothing for any other band key.
std::optional<std::size_t> contestBandOf(std::string_view bandKey);

enum class ExchangeKind { Zone, Headquarters, Unreadable };
struct Exchange {
    ExchangeKind kind = ExchangeKind::Unreadable;
    int zone = 0;              // for a zone
    std::string abbreviation;  // for a headquarters station or official
};
// An ITU zone is digits only with a value of 1 to 90; an abbreviation holds at
// least one letter.
Exchange readExchange(std::string_view text);
// The received exchange that the log will hold for what was typed.
std::string storedReceivedExchangeOf(std::string_view typed);

struct BandScore {
    int qsos = 0;  // QSOs that count, dupes not included
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
    int unreadableExchanges = 0;  // no points, no multiplier
};

class ContestScore {
public:
    // Without a country file only the QSOs that need no continent score.
    explicit ContestScore(const CountryFile* countries = nullptr) : countries_(countries) {}

    // One line of the operator's log, after the ones added before it.
    void add(std::string_view line);
    const ScoreSummary& summary() const { return summary_; }

    // Whether the exchange would be a new multiplier on the band.
    bool isNewMultiplier(std::size_t band, const Exchange& exchange) const;

private:
    struct Whereabouts {
        std::optional<int> ituZone;
        std::optional<std::string> continent;
    };
    const Whereabouts& operatorWhereabouts(const std::string& op);
    // 0 when the points cannot be told (counted as unscored).
    int pointsFor(const Exchange& received, std::string_view sent, const std::string& op, std::string_view call);

    const CountryFile* countries_;
    std::unordered_set<std::string> worked_;  // band key, mode letters and callsign
    std::array<std::bitset<91>, kContestBands> zones_;
    std::array<std::set<std::string>, kContestBands> headquarters_;
    std::string cachedOperator_;
    std::optional<Whereabouts> cachedWhereabouts_;
    ScoreSummary summary_;
};

}  // namespace qz
