#include "contest_fixtures.h"
#include "contest_score.h"
#include "contest_tally.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

TEST(ContestScore, ExchangesAreZonesFromOneToNinetyOrAbbreviationsOfTheList)
{
    const struct {
        const char* text;
        ExchangeKind kind;
        int zone;
    } rows[] = {
        {"28", ExchangeKind::Zone, 28},         {"08", ExchangeKind::Zone, 8},
        {"1", ExchangeKind::Zone, 1},           {"90", ExchangeKind::Zone, 90},
        {"000028", ExchangeKind::Zone, 28},     {"KRU", ExchangeKind::Headquarters, 0},
        {"R1", ExchangeKind::Headquarters, 0},  {"AC", ExchangeKind::Headquarters, 0},
        {"pzk", ExchangeKind::Headquarters, 0}, {"P ZK", ExchangeKind::Headquarters, 0},
        {"91", ExchangeKind::Unreadable, 0},    {"0", ExchangeKind::Unreadable, 0},
        {"123", ExchangeKind::Unreadable, 0},   {"", ExchangeKind::Unreadable, 0},
        {"5-9", ExchangeKind::Unreadable, 0},   {"2B", ExchangeKind::Unreadable, 0},
        {"QRZ", ExchangeKind::Unreadable, 0},   {"ABC", ExchangeKind::Unreadable, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const Exchange exchange = readExchange(row.text, HeadquartersList::builtIn());
        EXPECT_EQ(exchange.kind, row.kind);
        EXPECT_EQ(exchange.zone, row.zone);
    }
    EXPECT_EQ(readExchange("p z k", HeadquartersList::builtIn()).abbreviation, "PZK");
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
// 13  40M  CW   XX1XX   (none) incomplete: not counted              -
//
// 20M: 5 QSOs, 1 dupe, 11 points, 3 zones, 1 HQ.
// 40M: 6 QSOs, 0 dupes, 9 points, 3 zones, 2 HQ.
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
        expectBand(summary.bands[2], 6, 0, 9, 3, 2);
    }
    for (const std::size_t quiet : {0u, 1u, 4u, 5u})
        expectBand(summary.bands[quiet], 0, 0, 0, 0, 0);
    expectBand(summary.total, 11, 1, 20, 6, 3);
    EXPECT_EQ(summary.multipliers, 9);
    EXPECT_EQ(summary.score, 180);
    EXPECT_EQ(summary.unscored, 1);
    EXPECT_EQ(summary.unreadableExchanges, 1);

    const auto exchange = [](const char* text) { return readExchange(text, HeadquartersList::builtIn()); };
    EXPECT_FALSE(score.isNewMultiplier(3, exchange("28")));
    EXPECT_TRUE(score.isNewMultiplier(3, exchange("15")));  // 15 is only on 40M
    EXPECT_FALSE(score.isNewMultiplier(2, exchange("15")));
    EXPECT_FALSE(score.isNewMultiplier(3, exchange("kru")));
    EXPECT_TRUE(score.isNewMultiplier(3, exchange("AC")));
    EXPECT_TRUE(score.isNewMultiplier(0, exchange("28")));
    EXPECT_FALSE(score.isNewMultiplier(3, exchange("")));
    EXPECT_EQ(score.ownZone(), (OwnZone{28, OwnZoneSource::SentExchange}));
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

// The same operator (Testland: Europe, ITU zone 28), sending 28 throughout.
// Some lines as a hand edit or an older program left them: in lower case,
// an abbreviation with a blank inside. Worked out by hand:
//
//  #  band mode call        rcvd   points                                new multiplier
//  1  20M  CW   OH2A/VK9X   54     5 Christmas Island (VK9X, not OH), OC zone 54
//  2  20M  CW   N1UR/VK9X   54     5 Christmas Island, Oceania          -
//  3  20M  CW   DL/OH2ABC   27     3 Germany (the shorter part), EU     zone 27
//  4  20M  SSB  oh2a/vk9x   54     5 other mode: no repeat              -
//  5  20M  CW   oh2a/vk9x   54     repeat of 1, whatever the case       -
//  6  20M  CW   SN0HQ       pzk    1 headquarters PZK                   HQ PZK
//  7  40M  CW   SN0HQ       PZK    1 headquarters                       HQ PZK (per band)
//  8  40M  SSB  SN0HQ       P ZK   1 other mode; PZK again              -
//  9  40M  CW   4U1ITU      R1     1 official                           HQ R1
// 10  40M  CW   JA1AAA      2B     incomplete: no such abbreviation     -
// 11  40M  CW   JA1AAA      45     5 not a repeat of 10, Asia           zone 45
// 12  40M  CW   JA1AAA      45     repeat of 11                         -
// 13  40M  CW   QZ5KV       QRZ    incomplete                           -
// 14  40M  CW   QZ5KV       KRU    1 not a repeat of 13                 HQ KRU
//
// 20M: 5 QSOs, 1 repeat, 5+5+3+5+1 = 19 points, 2 zones, 1 HQ.
// 40M: 5 QSOs, 1 repeat, 1+1+1+5+1 = 9 points, 1 zone, 3 HQ; 2 incomplete.
// Score: 28 points x 7 multipliers = 196.
TEST(ContestScore, HandWorkedLogOfPortableCallsHeadquartersOfficialsAndRepeats)
{
    const auto qso = [](const char* call, const char* band, const char* mode, const char* received) {
        return contestQso("QZ1ABC", call, band, mode, received);
    };
    const std::vector<std::string> log = {
        qso("OH2A/VK9X", "20M", "CW", "54"),
        qso("N1UR/VK9X", "20M", "CW", "54"),
        qso("DL/OH2ABC", "20M", "CW", "27"),
        withField(qso("X", "20M", "SSB", "54"), Field::Call, "oh2a/vk9x"),
        withField(qso("X", "20M", "CW", "54"), Field::Call, "oh2a/vk9x"),
        withField(qso("SN0HQ", "20M", "CW", "X"), Field::ReceivedExchange, "pzk"),
        qso("SN0HQ", "40M", "CW", "PZK"),
        withField(qso("SN0HQ", "40M", "SSB", "X"), Field::ReceivedExchange, "P ZK"),
        qso("4U1ITU", "40M", "CW", "R1"),
        qso("JA1AAA", "40M", "CW", "2B"),
        qso("JA1AAA", "40M", "CW", "45"),
        qso("JA1AAA", "40M", "CW", "45"),
        qso("QZ5KV", "40M", "CW", "QRZ"),
        qso("QZ5KV", "40M", "CW", "KRU"),
    };
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    ContestScore score(&countries, HeadquartersList::builtIn());
    std::vector<QsoVerdict> verdicts;
    for (const auto& line : log)
        verdicts.push_back(score.add(line));
    const ScoreSummary& summary = score.summary();
    {
        SCOPED_TRACE("20M");
        expectBand(summary.bands[3], 5, 1, 19, 2, 1);
    }
    {
        SCOPED_TRACE("40M");
        expectBand(summary.bands[2], 5, 1, 9, 1, 3);
    }
    EXPECT_EQ(summary.multipliers, 7);
    EXPECT_EQ(summary.score, 196);
    EXPECT_EQ(summary.unreadableExchanges, 2);
    EXPECT_EQ(summary.unscored, 0);
    EXPECT_EQ(verdicts[4], QsoVerdict::Repeat);
    EXPECT_EQ(verdicts[9], QsoVerdict::Incomplete);
    EXPECT_EQ(verdicts[10], QsoVerdict::Counted);
}

// Serial numbers sent with "Zwiększ automatycznie" (10, 11, 12, 13) are no
// zone: the own zone is Testland's 28 from the country file.
//
//  #  sent call    rcvd  points
//  1  10   DL1AAA  28    1 own zone (it would be 3 from zone 10, as counted
//                          while this was the only QSO)
//  2  11   K1AAA   11    5 North America (1 if 11 were the own zone)
//  3  12   JA1AAA  45    5 Asia
//  4  13   DL2BBB  28    1 own zone
// Score: 12 points x 3 zones (28, 11, 45) = 36.
//
// An operator who sends 28 but once mistypes 29 stays in zone 28: four QSOs
// with zone 28 are 4 points (the mistyped one would be 3 from zone 29), one
// multiplier, score 4. One whom the country file does not know takes the
// zone sent: 15, so a QSO with zone 15 is 1 point.
TEST(ContestScore, HandWorkedOwnZoneWithSerialNumbersAndAMistypedZone)
{
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    const auto scoreOf = [&](const std::vector<std::string>& log) {
        ContestScore score(&countries, HeadquartersList::builtIn());
        for (const auto& line : log)
            score.add(line);
        return score;
    };
    const auto qso = [](const char* op, const char* call, const char* received, const char* sent) {
        return contestQso(op, call, "20M", "CW", received, "12:00", sent);
    };

    ContestScore serials = scoreOf({qso("QZ1ABC", "DL1AAA", "28", "10")});
    EXPECT_EQ(serials.ownZone(), (OwnZone{10, OwnZoneSource::SentExchange}));
    EXPECT_EQ(serials.summary().total.points, 3);
    serials = scoreOf({qso("QZ1ABC", "DL1AAA", "28", "10"), qso("QZ1ABC", "K1AAA", "11", "11"),
                       qso("QZ1ABC", "JA1AAA", "45", "12"), qso("QZ1ABC", "DL2BBB", "28", "13")});
    EXPECT_EQ(serials.ownZone(), (OwnZone{28, OwnZoneSource::CountryFile}));
    EXPECT_EQ(serials.summary().total.points, 12);
    EXPECT_EQ(serials.summary().score, 36);
    EXPECT_EQ(scoreOf({qso("QZ1ABC", "DL1AAA", "28", "001")}).ownZone().source, OwnZoneSource::CountryFile);

    const ContestScore mistyped = scoreOf({qso("QZ1ABC", "DL1AAA", "28", "28"), qso("QZ1ABC", "DL2AAA", "28", "29"),
                                           qso("QZ1ABC", "DL3AAA", "28", "28"), qso("QZ1ABC", "DL4AAA", "28", "28")});
    EXPECT_EQ(mistyped.ownZone(), (OwnZone{28, OwnZoneSource::SentExchange}));
    EXPECT_EQ(mistyped.summary().score, 4);

    const ContestScore unknown = scoreOf({qso("XY1OP", "DL1AAA", "15", "15"), qso("XY1OP", "DL2AAA", "15", "15")});
    EXPECT_EQ(unknown.ownZone(), (OwnZone{15, OwnZoneSource::SentExchange}));
    EXPECT_EQ(unknown.summary().score, 2);
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
    ContestTally tally(std::vector<std::string_view>(log.begin(), log.end()), &countries, HeadquartersList::builtIn(),
                       "QZ1ABC");
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
