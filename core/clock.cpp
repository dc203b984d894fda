#include "clock.h"

#include <cstdio>
#include <ctime>

namespace qz {

Clock systemClock()
{
    return [] { return std::chrono::system_clock::now(); };
}

ClockTexts utcTexts(std::chrono::system_clock::time_point moment)
{
    const auto days = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::year_month_day date{days};
    const std::chrono::hh_mm_ss clock{std::chrono::floor<std::chrono::seconds>(moment - days)};
    char dateText[32];
    char timeText[32];
    std::snprintf(dateText, sizeof dateText, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    std::snprintf(timeText, sizeof timeText, "%02d:%02d", static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()));
    return {dateText, timeText};
}

int localYear(std::chrono::system_clock::time_point moment)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return local.tm_year + 1900;
}

}  // namespace qz
