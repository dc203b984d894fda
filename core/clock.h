#pragma once
// The QSO clock. The windows get the time from a Clock they are given, so tests
// run at fixed moments; the texts are always UTC, whatever the time zone.

#include <chrono>
#include <functional>
#include <string>

namespace qz {

using Clock = std::function<std::chrono::system_clock::time_point()>;

Clock systemClock();

struct ClockTexts {
    std::string date;  // rrrr-mm-dd
    std::string time;  // hh:mm
};
ClockTexts utcTexts(std::chrono::system_clock::time_point moment);

// The year on the computer's local calendar.
int localYear(std::chrono::system_clock::time_point moment);

}  // namespace qz
