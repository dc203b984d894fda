#pragma once
// How fast QSOs come, measured on the log's own times: how many fell in the
// last minutes before the latest QSO of the log, and how many in each clock
// hour on each band. Kept up to date one line at a time.

#include "contest_score.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

// Minutes since 1970-01-01 00:00 of the line's date and time; nothing when
// they are not a real rrrr-mm-dd date and hhmm time.
std::optional<std::int64_t> qsoMinuteOf(std::string_view line);
// The clock hour (hours since 1970) of such a minute.
std::int64_t hourOfMinute(std::int64_t minute);

class QsoRate {
public:
    using BandCounts = std::array<int, kContestBands>;

    // A line without a real date and time is not counted.
    void add(std::string_view line);

    std::optional<std::int64_t> firstMinute() const;
    std::optional<std::int64_t> latestMinute() const;
    // The QSOs of the `minutes` minutes that end with the latest QSO's minute.
    int inLast(int minutes) const;
    // QSOs per clock hour (hours since 1970) and band, 160M to 10M; QSOs on
    // other bands are not in it.
    const std::map<std::int64_t, BandCounts>& perHour() const { return perHour_; }

private:
    std::map<std::int64_t, int> perMinute_;
    std::map<std::int64_t, BandCounts> perHour_;
    // Consecutive QSOs mostly share their minute: its text is read and its
    // counts are found only once (map entries never move).
    std::string lastStamp_;
    int* lastMinuteCount_ = nullptr;
    BandCounts* lastHourCounts_ = nullptr;
};

}  // namespace qz
