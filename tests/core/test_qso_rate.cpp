#include "contest_fixtures.h"
#include "qso_rate.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

std::string at(const std::string& date, const std::string& time, const char* band = "20M")
{
    return contestQso("QZ1ABC", "DL1AAA", band, "CW", "28", time, "28", date);
}

TEST(QsoRate, CountsBackFromTheLatestQsoOfTheLog)
{
    QsoRate rate;
    EXPECT_EQ(rate.inLast(10), 0);
    EXPECT_FALSE(rate.latestMinute());
    // Across midnight: the ten minutes up to 00:05 start at 23:56.
    for (const auto& [date, time] : std::vector<std::pair<std::string, std::string>>{{"2026-07-11", "22:30"},
                                                                                     {"2026-07-11", "23:06"},
                                                                                     {"2026-07-11", "23:55"},
                                                                                     {"2026-07-11", "23:56"},
                                                                                     {"2026-07-12", "00:05"},
                                                                                     {"2026-07-12", "00:05"}})
        rate.add(at(date, time));
    const struct {
        int minutes;
        int qsos;
    } rows[] = {{1, 2}, {10, 3}, {11, 4}, {59, 4}, {60, 5}, {95, 5}, {96, 6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.minutes);
        EXPECT_EQ(rate.inLast(row.minutes), row.qsos);
    }
    EXPECT_EQ(*rate.latestMinute() - *rate.firstMinute(), 95);
}

TEST(QsoRate, LinesWithoutARealTimeAreNotCounted)
{
    for (const auto& [date, time] : std::vector<std::pair<std::string, std::string>>{{"2026-02-30", "12:00"},
                                                                                     {"2026-13-01", "12:00"},
                                                                                     {"2026-07-11", "24:00"},
                                                                                     {"2026-07-11", "12:60"},
                                                                                     {"2026/07/11", "12:00"},
                                                                                     {"2026-07-1x", "12:00"},
                                                                                     {"", ""}})
        EXPECT_FALSE(qsoMinuteOf(at(date, time))) << date << " " << time;
    EXPECT_FALSE(qsoMinuteOf("2026-07-11 12"));
    EXPECT_EQ(qsoMinuteOf(at("1970-01-02", "00:01")), 24 * 60 + 1);
    QsoRate rate;
    rate.add(at("2026-02-30", "12:00"));
    EXPECT_FALSE(rate.latestMinute());
}

TEST(QsoRate, HoursAreCountedByBand)
{
    QsoRate rate;
    rate.add(at("2026-07-11", "12:00", "20M"));
    rate.add(at("2026-07-11", "12:59", "20M"));
    rate.add(at("2026-07-11", "12:30", "160M"));
    rate.add(at("2026-07-11", "13:00", "10M"));
    const std::int64_t noon = *qsoMinuteOf(at("2026-07-11", "12:00")) / 60;
    ASSERT_EQ(rate.perHour().size(), 2u);
    EXPECT_EQ(rate.perHour().at(noon), (QsoRate::BandCounts{1, 0, 0, 2, 0, 0}));
    EXPECT_EQ(rate.perHour().at(noon + 1), (QsoRate::BandCounts{0, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace qz
