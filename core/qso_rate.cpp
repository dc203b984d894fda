#include "qso_rate.h"

#include "log_line.h"

#include <algorithm>
#include <chrono>

namespace qz {
namespace {

constexpr std::int64_t kMinutesPerHour = 60;
constexpr std::int64_t kMinutesPerDay = 24 * kMinutesPerHour;

// The number in a run of digits only, or nothing.
std::optional<int> digits(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<std::int64_t> qsoMinuteOf(std::string_view line)
{
    const std::string date = dateOf(line);
    const std::string time = timeOf(line);
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || time.size() != 4)
        return std::nullopt;
    const auto year = digits(std::string_view(date).substr(0, 4));
    const auto month = digits(std::string_view(date).substr(5, 2));
    const auto day = digits(std::string_view(date).substr(8, 2));
    const auto hour = digits(std::string_view(time).substr(0, 2));
    const auto minute = digits(std::string_view(time).substr(2, 2));
    if (!year || !month || !day || !hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    const std::chrono::year_month_day calendar{std::chrono::year{*year},
                                               std::chrono::month{static_cast<unsigned>(*month)},
                                               std::chrono::day{static_cast<unsigned>(*day)}};
    if (!calendar.ok())
        return std::nullopt;
    const std::int64_t days = std::chrono::sys_days{calendar}.time_since_epoch().count();
    return days * kMinutesPerDay + *hour * kMinutesPerHour + *minute;
}

std::int64_t hourOfMinute(std::int64_t minute)
{
    // Rounded down also before 1970.
    return minute >= 0 ? minute / kMinutesPerHour : (minute - kMinutesPerHour + 1) / kMinutesPerHour;
}

void QsoRate::add(std::string_view line)
{
    std::string stamp = dateOf(line) + timeOf(line);
    if (stamp != lastStamp_) {
        const auto minute = qsoMinuteOf(line);
        lastMinuteCount_ = minute ? &perMinute_[*minute] : nullptr;
        lastHourCounts_ = minute ? &perHour_[hourOfMinute(*minute)] : nullptr;
        lastStamp_ = std::move(stamp);
    }
    if (!lastMinuteCount_)
        return;
    ++*lastMinuteCount_;
    if (const auto band = contestBandOf(bandKeyOf(line)))
        ++(*lastHourCounts_)[*band];
}

std::optional<std::int64_t> QsoRate::firstMinute() const
{
    if (perMinute_.empty())
        return std::nullopt;
    return perMinute_.begin()->first;
}

std::optional<std::int64_t> QsoRate::latestMinute() const
{
    if (perMinute_.empty())
        return std::nullopt;
    return perMinute_.rbegin()->first;
}

int QsoRate::inLast(int minutes) const
{
    const auto latest = latestMinute();
    if (!latest)
        return 0;
    int count = 0;
    for (auto it = perMinute_.rbegin(); it != perMinute_.rend() && *latest - it->first < minutes; ++it)
        count += it->second;
    return count;
}

}  // namespace qz
