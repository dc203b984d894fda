#include "contest_fixtures.h"
#include "contest_score.h"
#include "contest_tally.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

TEST(ContestScore, ExchangesAreZonesFromOneToNinetyOrAbbreviations)
{
    const struct {
        const char* text;
        ExchangeKind kind;
        int zone;
    } rows[] = {
        {"28", ExchangeKind::Zone, 28},        {"08", ExchangeKind::Zone, 8},
        {"1", ExchangeKind::Zone, 1},          {"90", ExchangeKind::Zone, 90},
        {"000028", ExchangeKind::Zone, 28},    {"KRU", ExchangeKind::Headquarters, 0},
        {"R1", ExchangeKind::Headquarters, 0}, {"AC", ExchangeKind::Headquarters, 0},
        {"91", ExchangeKind::Unreadable, 0},   {"0", ExchangeKind::Unreadable, 0},
        {"123", ExchangeKind::Unreadable, 0},  {"", ExchangeKind::Unreadable, 0},
        {"5-9", ExchangeKind::Unreadable, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const Exchange exchange = readExchange(row.text);
        EXPECT_EQ(exchange.kind, row.kind);
        EXPECT_EQ(exchange.zone, row.zone);
    }
    EXPECT_EQ(readExchange("KRU").abbreviation, "KRU");
    EXPECT_EQ(storedReceivedExchangeOf("k r u"), "KRU");
    EXPECT_EQ(storedReceivedExchangeOf(" 15 "), "15");
}

// The operator QZ1ABC is in Testland: Europe, ITU zone 28, which is also the
// exchange sent. Worked out by hand, QSO by QSO:
//
//  #  band mode call    rcvd  points                               new multiplier
//  1  20M  CW   DL1AAA  28    1 own zone                           zone 28
//  2  20M  CW   JA1AAA  45    5 other zone, Asia                   zone 45
//  3  20M  CW   DL2BBB  27    3 other zone, Europe                 zone 27
//  4  20M  CW   QZ5KV   KRU   1 headquarters                       HQ KRU
//  5  20M  CW   DL1AAA  28    dupe: nothing
//  6  20M  SSB  DL1AAA  28    1 own zone (other mode, no dupe)     -
//  7  40M  CW   DL1AAA  28    1 own zone                           zone 28 (per band)
//  8  40M  CW   K1AAA   08    5 other zone, North America          zone 8
//  9  40M  SSB  QZ5KV   KRU   1 headquarters                       HQ KRU
// 10  40M  CW   SP9ZZZ  28    1 own zone, no continent needed      -
// 11  40M  CW   SP9YYY  15    0 other zone, continent unknown      zone 15
// 12  40M  CW   4U1WB   AC    1 official, no continent needed      HQ AC
// 13  40M  CW   XX1XX   (none) 0 unreadable exchange               -
//
// 20M: 5 QSOs, 1 dupe, 11 points, 3 zones, 1 HQ.
// 40M: 7 QSOs, 0 dupes, 9 points, 3 zones, 2 HQ.
// Score: 20 points x 9 multipliers = 180; 1 QSO unscored, 1 unreadable.
std::vector<std::string> handWorkedLog()
{
    return {
        contestQso("QZ1ABC", "DL1AAA", "20M", "CW", "28"),  contestQso("QZ1ABC", "JA1AAA", "20M", "CW", "45"),
        contestQso("QZ1ABC", "DL2BBB", "20M", "CW", "27"),  contestQso("QZ1ABC", "QZ5KV", "20M", "CW", "KRU"),
        contestQso("QZ1ABC", "DL1AAA", "20M", "CW", "28"),  contestQso("QZ1ABC", "DL1AAA", "20M", "SSB", "28"),
        contestQso("QZ1ABC", "DL1AAA", "40M", "CW", "28"),  contestQso("QZ1ABC", "K1AAA", "40M", "CW", "08"),
        contestQso("QZ1ABC", "QZ5KV", "40M", "SSB", "KRU"), contestQso("QZ1ABC", "SP9ZZZ", "40M", "CW", "28"),
        contestQso("QZ1ABC", "SP9YYY", "40M", "CW", "15"),  contestQso("QZ1ABC", "4U1WB", "40M", "CW", "AC"),
        contestQso("QZ1ABC", "XX1XX", "40M", "CW", ""),
    };
}

void expectBand(const BandScore& band, int qsos, int dupes, std::int64_t points, int zones, int headquarters)
{
    EXPECT_EQ(band.qsos, qsos);
    EXPECT_EQ(band.dupes, dupes);
    EXPECT_EQ(band.points, points);
    EXPECT_EQ(band.zones, zones);
    EXPECT_EQ(band.headquarters, headquarters);
}

TEST(ContestScore, HandWorkedLogOnTwoBands)
{
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    ContestScore score(&countries);
    for (const auto& line : handWorkedLog())
        score.add(line);
    const ScoreSummary& summary = score.summary();
    {
        SCOPED_TRACE("20M");
        expectBand(summary.bands[3], 5, 1, 11, 3, 1);
    }
    {
        SCOPED_TRACE("40M");
        expectBand(summary.bands[2], 7, 0, 9, 3, 2);
    }
    for (const std::size_t quiet : {0u, 1u, 4u, 5u})
        expectBand(summary.bands[quiet], 0, 0, 0, 0, 0);
    expectBand(summary.total, 12, 1, 20, 6, 3);
    EXPECT_EQ(summary.multipliers, 9);
    EXPECT_EQ(summary.score, 180);
    EXPECT_EQ(summary.unscored, 1);
    EXPECT_EQ(summary.unreadableExchanges, 1);

    EXPECT_FALSE(score.isNewMultiplier(3, readExchange("28")));
    EXPECT_TRUE(score.isNewMultiplier(3, readExchange("15")));  // 15 is only on 40M
    EXPECT_FALSE(score.isNewMultiplier(2, readExchange("15")));
    EXPECT_FALSE(score.isNewMultiplier(3, readExchange("KRU")));
    EXPECT_TRUE(score.isNewMultiplier(3, readExchange("AC")));
    EXPECT_TRUE(score.isNewMultiplier(0, readExchange("28")));
    EXPECT_FALSE(score.isNewMultiplier(3, readExchange("")));
}

TEST(ContestScore, OwnZoneComesFromTheSentExchangeOrElseTheCountryFile)
{
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    const struct {
        const char* name;
        const char* op;
        const char* sent;
        const char* call;
        const char* received;
        std::int64_t points;
        int unscored;
    } rows[] = {
        {"sent zone is the own zone", "QZ1ABC", "27", "JA1AAA", "27", 1, 0},
        {"sent zone 27, own continent", "QZ1ABC", "27", "DL1AAA", "28", 3, 0},
        {"serial number sent: zone of the callsign", "QZ1ABC", "123", "JA1AAA", "28", 1, 0},
        {"locator sent: zone of the callsign", "QZ1ABC", "JO91", "JA1AAA", "45", 5, 0},
        {"operator not in the file, zone sent", "XY1OP", "28", "JA1AAA", "28", 1, 0},
        {"operator not in the file, other zone", "XY1OP", "28", "JA1AAA", "45", 0, 1},
        {"operator not in the file, no zone sent", "XY1OP", "JO91", "JA1AAA", "28", 0, 1},
        {"operator not in the file, headquarters", "XY1OP", "JO91", "JA1AAA", "KRU", 1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ContestScore score(&countries);
        score.add(contestQso(row.op, row.call, "20M", "CW", row.received, "12:00", row.sent));
        EXPECT_EQ(score.summary().total.points, row.points);
        EXPECT_EQ(score.summary().unscored, row.unscored);
        EXPECT_EQ(score.summary().multipliers, 1);
    }
}

TEST(ContestScore, WithoutACountryFileOnlyOwnZoneAndHeadquartersScore)
{
    ContestScore score;
    for (const auto& line : handWorkedLog())
        score.add(line);
    // 1, 6, 7, 10: own zone; 4, 9, 12: headquarters; 2, 3, 8, 11: unscored.
    EXPECT_EQ(score.summary().total.points, 7);
    EXPECT_EQ(score.summary().unscored, 4);
    EXPECT_EQ(score.summary().multipliers, 9);
    EXPECT_EQ(score.summary().score, 63);
}

TEST(ContestScore, OnlyTheSixBandsInSsbAndCwAreScored)
{
    ContestScore score;
    const auto qso = [](const char* bandColumn, const char* modeColumn) {
        return composeLine(
            {"2026-07-11", "12:00", bandColumn, modeColumn, "QZ1ABC", "599", "28", "DL1AAA", "599", "KRU"});
    };
    score.add(qso("144000", " CW "));
    score.add(qso(" 14000", " FM "));
    EXPECT_EQ(score.summary().total.qsos, 0);
    score.add(qso(" 14000", " CW "));
    EXPECT_EQ(score.summary().total.qsos, 1);
}

TEST(ContestTally, FollowsTheOperatorAndTheWholeStation)
{
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    std::vector<std::string> log = handWorkedLog();
    log.push_back(contestQso("QZ2XYZ", "QZ5KV", "10M", "CW", "KRU", "12:30"));
    ContestTally tally(std::vector<std::string_view>(log.begin(), log.end()), &countries, "QZ1ABC");
    EXPECT_EQ(tally.score().summary().score, 180);
    EXPECT_EQ(tally.headquartersSlots(), (std::vector<std::string>{" 14000 CW ", "  7000 PH "}));
    EXPECT_EQ(tally.operatorRate().inLast(60), 13);
    EXPECT_EQ(tally.stationRate().inLast(60), 14);

    tally.add(contestQso("QZ1ABC", "QZ5KV", "10M", "SSB", "KRU", "12:31"));
    tally.add(contestQso("QZ2XYZ", "JA1AAA", "10M", "SSB", "45", "12:32"));
    EXPECT_EQ(tally.score().summary().score, 21 * 10);
    EXPECT_EQ(tally.headquartersSlots().size(), 3u);
    EXPECT_EQ(tally.operatorRate().inLast(10), 1);
    EXPECT_EQ(tally.stationRate().inLast(10), 3);
}

}  // namespace
}  // namespace qz
