#pragma once
// The spots heard from the cluster, newest per callsign and band, as the
// band map shows them: one band at a time, sorted by frequency, with age.
// Adding a spot costs a lookup, so spots may pour in while the operator
// types; the map holds at most `capacity` spots and lets the oldest go.

#include "spot.h"

#include <chrono>
#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

class CountryFile;
class ContestScore;
class WorkedBefore;

inline constexpr std::size_t kBandMapCapacity = 10'000;
inline constexpr std::chrono::minutes kSpotLifetime{30};

struct MappedSpot {
    Spot spot;
    std::size_t band = 0;  // of the band table
    std::size_t mode = 0;  // of the mode table
    std::chrono::sys_seconds heard;
};

class BandMap {
public:
    explicit BandMap(std::size_t capacity = kBandMapCapacity) : capacity_(capacity) {}

    // False for a spot outside the contest's six bands.
    bool add(Spot spot, std::chrono::sys_seconds heard);
    // Lets go of the spots heard `lifetime` or longer before `now`.
    void expire(std::chrono::sys_seconds now, std::chrono::minutes lifetime);
    // The spots of one band, lowest frequency first.
    std::vector<const MappedSpot*> onBand(std::size_t band) const;
    std::size_t size() const { return byKey_.size(); }

private:
    // Oldest first, so that both the limit and the age let go from the front.
    std::list<MappedSpot> spots_;
    std::unordered_map<std::string, std::list<MappedSpot>::iterator> byKey_;
    std::size_t capacity_;
};

// What the operator's log makes of a spot. Each pointer may be null: what
// is not known marks nothing.
struct SpotNeeds {
    // The band column and mode column of each headquarters slot worked.
    const std::vector<std::string>* headquartersSlots = nullptr;
    const WorkedBefore* worked = nullptr;
    const ContestScore* score = nullptr;
    const CountryFile* countries = nullptr;
};

struct SpotMarks {
    // The headquarters station on a slot the operator still lacks, named as
    // the lists name it: "20M CW".
    bool headquartersNeeded = false;
    std::string slot;
    bool dupe = false;
    bool newMultiplier = false;
};

SpotMarks marksOf(const MappedSpot& spot, const SpotNeeds& needs);

// Whether the contest's rules let an operator of the category (as the
// operator editor holds it) use spots: not single operators, except the
// unlimited (assisted) class.
bool spottingAllowed(std::string_view category);

}  // namespace qz
