#pragma once
// Checks of a typed QSO date and time, and the minute steps of the time with
// the carry into the hour and the calendar day.

#include <string>
#include <string_view>

namespace qz {

enum class EntryCheck {
    Ok,
    WrongLength,
    NotDigits,
    Impossible,  // an hour above 23, a minute above 59, a day the calendar does not have
};

struct CheckedEntry {
    EntryCheck result;
    std::string text;  // the typed text without its spaces
};

// hh:mm: five characters, all but the third digits, hours 00-23 and minutes
// 00-59. The separator is not checked.
CheckedEntry checkTime(std::string_view typed);
// rrrr-mm-dd: ten characters, all but the fifth and eighth digits, a day of
// the calendar (leap years counted). The separators are not checked.
CheckedEntry checkDate(std::string_view typed);

// Characters 1-2 and 4-5 of a time text as numbers; ConvertError otherwise.
int hoursOf(std::string_view time);
int minutesOf(std::string_view time);

// Two digits each: 7 and 5 give "07:05".
std::string composeTime(int hours, int minutes);

// The date one calendar day later or earlier (`days` is +1 or -1), keeping the
// separators as typed. A text that is not a real calendar date stays as it is.
std::string stepDay(const std::string& date, int days);

// The time after a minute step: `position` is the minute count that has just
// moved one step and may be -1 or 60, which borrows from or carries into the
// hour, and past midnight into the day.
struct SteppedTime {
    std::string time;
    std::string date;
    int position;
};
SteppedTime settleMinuteStep(int hours, int position, const std::string& date);

}  // namespace qz
