// Arbitrary lines from a cluster node through the spot reader: nothing may
// crash, a spot taken is one the band map can hold, and passed on to the
// station's other computers it reads back the same.

#include "band_map.h"
#include "fuzz_check.h"
#include "spot.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

using qz::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto spot = qz::parseSpot(line);
    if (!spot)
        return 0;
    require(spot->hertz > 0 && spot->minuteOfDay >= 0 && spot->minuteOfDay < 24 * 60, "a spot has a time and place");
    require(!spot->call.empty() && !spot->spotter.empty(), "a spot names both stations");
    const auto passedOn = qz::parseSpot(qz::spotLineOf(*spot));
    require(passedOn && passedOn->spotter == spot->spotter && passedOn->hertz == spot->hertz &&
                passedOn->call == spot->call && passedOn->comment == spot->comment &&
                passedOn->minuteOfDay == spot->minuteOfDay,
            "a spot passed on reads back the same");
    qz::BandMap map(2);
    const bool mapped = map.add(*spot, std::chrono::sys_seconds{});
    require(mapped == qz::spotBandOf(spot->hertz).has_value(), "the map holds the contest's bands only");
    return 0;
}
