#include "time_entry.h"

#include "errors.h"
#include "text.h"

#include <chrono>
#include <cstdio>
#include <optional>

namespace qz {
namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// All characters but those at the given 0-based positions must be digits.
bool digitsExcept(std::string_view text, std::size_t skipA, std::size_t skipB)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != skipA && i != skipB && !isDigit(text[i]))
            return false;
    return true;
}

CheckedEntry check(std::string_view typed, std::size_t length, std::size_t skipA, std::size_t skipB)
{
    CheckedEntry entry{EntryCheck::Ok, withoutSpaces(typed)};
    if (entry.text.size() != length)
        entry.result = EntryCheck::WrongLength;
    else if (!digitsExcept(entry.text, skipA, skipB))
        entry.result = EntryCheck::NotDigits;
    return entry;
}

// The digits at [first, first + count) of a checked text as a number.
int numberAt(std::string_view text, std::size_t first, std::size_t count)
{
    int value = 0;
    for (const char c : text.substr(first, count))
        value = value * 10 + (c - '0');
    return value;
}

// The calendar day of a date that passed the format check: nothing for a
// month or a day that the calendar does not have (30 February, but 29
// February only in a leap year).
std::optional<std::chrono::year_month_day> calendarDay(std::string_view date)
{
    using namespace std::chrono;
    const year_month_day day{year{numberAt(date, 0, 4)}, month{static_cast<unsigned>(numberAt(date, 5, 2))},
                             std::chrono::day{static_cast<unsigned>(numberAt(date, 8, 2))}};
    return day.ok() ? std::optional(day) : std::nullopt;
}

}  // namespace

CheckedEntry checkTime(std::string_view typed)
{
    CheckedEntry entry = check(typed, 5, 2, 2);
    if (entry.result == EntryCheck::Ok &&
        (numberAt(entry.text, 0, 2) >= kHoursPerDay || numberAt(entry.text, 3, 2) >= kMinutesPerHour))
        entry.result = EntryCheck::Impossible;
    return entry;
}

CheckedEntry checkDate(std::string_view typed)
{
    CheckedEntry entry = check(typed, 10, 4, 7);
    if (entry.result == EntryCheck::Ok && !calendarDay(entry.text))
        entry.result = EntryCheck::Impossible;
    return entry;
}

int hoursOf(std::string_view time) { return toInt(columns(time, 1, 2)); }
int minutesOf(std::string_view time) { return toInt(columns(time, 4, 5)); }

std::string composeTime(int hours, int minutes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", hours, minutes);
    return text;
}

std::string stepDay(const std::string& date, int days)
{
    if (checkDate(date).result != EntryCheck::Ok || date.find(' ') != std::string::npos)
        return date;
    using namespace std::chrono;
    const year_month_day next{sys_days{*calendarDay(date)} + std::chrono::days{days}};
    char text[32];
    std::snprintf(text, sizeof text, "%04d%c%02u%c%02u", static_cast<int>(next.year()), date[4],
                  static_cast<unsigned>(next.month()), date[7], static_cast<unsigned>(next.day()));
    return text;
}

SteppedTime settleMinuteStep(int hours, int position, const std::string& date)
{
    SteppedTime result{{}, date, position};
    if (position < 0) {
        result.position = kMinutesPerHour - 1;
        if (--hours < 0) {
            hours = kHoursPerDay - 1;
            result.date = stepDay(date, -1);
        }
    } else if (position >= kMinutesPerHour) {
        result.position = 0;
        if (++hours >= kHoursPerDay) {
            hours = 0;
            result.date = stepDay(date, +1);
        }
    }
    result.time = composeTime(hours, result.position);
    return result;
}

}  // namespace qz
