#include "errors.h"
#include "time_entry.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace qz {
namespace {

struct CheckCase {
    const char* typed;
    EntryCheck result;
    const char* text;
};

void expectChecks(CheckedEntry (*check)(std::string_view), std::initializer_list<CheckCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const CheckedEntry entry = check(c.typed);
        EXPECT_EQ(entry.result, c.result);
        EXPECT_EQ(entry.text, c.text);
    }
}

TEST(TimeEntry, TimeCheck)
{
    expectChecks(checkTime, {
                                {" 12:30 ", EntryCheck::Ok, "12:30"},
                                {"12.30", EntryCheck::Ok, "12.30"},
                                {"12h30", EntryCheck::Ok, "12h30"},
                                {"23:59", EntryCheck::Ok, "23:59"},
                                {"00:00", EntryCheck::Ok, "00:00"},
                                {"25:75", EntryCheck::Impossible, "25:75"},
                                {"24:00", EntryCheck::Impossible, "24:00"},
                                {"12:60", EntryCheck::Impossible, "12:60"},
                                {"12:3", EntryCheck::WrongLength, "12:3"},
                                {"1230", EntryCheck::WrongLength, "1230"},
                                {"1a:30", EntryCheck::NotDigits, "1a:30"},
                                {"12:3\xB3", EntryCheck::NotDigits, "12:3\xB3"},
                                {"", EntryCheck::WrongLength, ""},
                            });
}

TEST(TimeEntry, DateCheck)
{
    expectChecks(checkDate, {
                                {"2026-07-11", EntryCheck::Ok, "2026-07-11"},
                                {"2026/07/11", EntryCheck::Ok, "2026/07/11"},
                                {"2026-13-45", EntryCheck::Impossible, "2026-13-45"},
                                {"2026-00-10", EntryCheck::Impossible, "2026-00-10"},
                                {"2026-07-00", EntryCheck::Impossible, "2026-07-00"},
                                {"2026-12-31", EntryCheck::Ok, "2026-12-31"},
                                {"2026-04-31", EntryCheck::Impossible, "2026-04-31"},
                                {"2026-02-30", EntryCheck::Impossible, "2026-02-30"},
                                // 29 February: every fourth year, but not in a century unless it divides by 400.
                                {"2028-02-29", EntryCheck::Ok, "2028-02-29"},
                                {"2026-02-29", EntryCheck::Impossible, "2026-02-29"},
                                {"2000-02-29", EntryCheck::Ok, "2000-02-29"},
                                {"1900-02-29", EntryCheck::Impossible, "1900-02-29"},
                                {" 2026-07-11", EntryCheck::Ok, "2026-07-11"},
                                {"2026-7-11", EntryCheck::WrongLength, "2026-7-11"},
                                {"2026-07-1x", EntryCheck::NotDigits, "2026-07-1x"},
                            });
}

TEST(TimeEntry, DayStepFollowsTheCalendar)
{
    const struct {
        const char* date;
        int days;
        const char* expected;
    } cases[] = {
        {"2026-07-11", 1, "2026-07-12"},  {"2026-07-31", 1, "2026-08-01"},  {"2026-12-31", 1, "2027-01-01"},
        {"2026-03-01", -1, "2026-02-28"}, {"2028-03-01", -1, "2028-02-29"}, {"2026-07-01", -1, "2026-06-30"},
        {"2026/07/31", 1, "2026/08/01"},  {"2026-13-45", 1, "2026-13-45"},  {"2026-02-30", -1, "2026-02-30"},
        {"garbage", 1, "garbage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(stepDay(c.date, c.days), c.expected);
    }
}

TEST(TimeEntry, MinuteStepsCarryIntoHourAndDay)
{
    const struct {
        const char* name;
        int hours;
        int position;
        const char* time;
        const char* date;
        int settled;
    } cases[] = {
        {"plain", 14, 8, "14:08", "2026-07-11", 8},
        {"carry into the hour", 9, 60, "10:00", "2026-07-11", 0},
        {"borrow from the hour", 10, -1, "09:59", "2026-07-11", 59},
        {"past midnight", 23, 60, "00:00", "2026-07-12", 0},
        {"back past midnight", 0, -1, "23:59", "2026-07-10", 59},
        {"hour above 23 typed", 25, 60, "00:00", "2026-07-12", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SteppedTime stepped = settleMinuteStep(c.hours, c.position, "2026-07-11");
        EXPECT_EQ(stepped.time, c.time);
        EXPECT_EQ(stepped.date, c.date);
        EXPECT_EQ(stepped.position, c.settled);
    }
}

TEST(TimeEntry, NumbersOfATimeText)
{
    EXPECT_EQ(hoursOf("07:05"), 7);
    EXPECT_EQ(minutesOf("07:05"), 5);
    EXPECT_EQ(composeTime(7, 5), "07:05");
    try {
        hoursOf("ab:05");
        FAIL();
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'ab' is not a valid integer value");
    }
}

}  // namespace
}  // namespace qz
