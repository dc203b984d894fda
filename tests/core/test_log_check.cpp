#include "contest_fixtures.h"
#include "log_check.h"

#include <chrono>
#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

struct Expected {
    FindingKind kind;
    std::optional<std::size_t> line;
    std::string detail;
};

void expectFindings(const OperatorCheck& check, const std::vector<Expected>& expected)
{
    ASSERT_EQ(check.findings.size(), expected.size()) << check.op;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(check.findings[i].kind, expected[i].kind);
        EXPECT_EQ(check.findings[i].line, expected[i].line);
        EXPECT_EQ(check.findings[i].detail, expected[i].detail);
    }
}

std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines) { return {lines.begin(), lines.end()}; }

// QZ1ABC's QSOs of the 2026 contest (Saturday 11 July 12:00 to Sunday 12:00
// UTC), each with one fault but the second and the eighth; QZ2XYZ's one QSO
// is clean, but QZ2XYZ has no record.
TEST(LogCheck, NamesEachQuestionableQsoByItsLineAndWhatTheHeaderLacks)
{
    const auto qso = [](const char* call, const char* received, const char* time, const char* sent = "28",
                        const char* date = "2026-07-11") {
        return contestQso("QZ1ABC", call, "20M", "CW", received, time, sent, date);
    };
    const std::vector<std::string> log = {
        contestQso("QZ2XYZ", "DL1AAA", "40M", "SSB", "28", "12:30"),
        qso("SP9AAA", "28", "11:59"),                                    // 1 before the start
        qso("DL1AAA", "28", "12:00"),                                    // 2
        withField(qso("X", "28", "12:01"), Field::Call, "dl1aaa"),       // 3 repeat of 2
        qso("JA1AAA", "2B", "12:02"),                                    // 4 no such abbreviation
        qso("12345", "28", "12:03"),                                     // 5 no letter
        withField(qso("DL2BBB", "28", "12:04"), Field::Band, "144000"),  // 6 2 m
        qso("DL3CCC", "28", "12:05", "29"),                              // 7 sent 29 after 28
        qso("DL4DDD", "28", "11:59", "29", "2026-07-12"),                // 8
        qso("DL5EEE", "28", "12:00", "29", "2026-07-12"),                // 9 at the end
    };
    const std::vector<std::string> records = {"QZ1ABC,Jan,,ul. 1,,,5,,,IARU-HF,"};
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    const auto checks = checkLog(viewsOf(log), records, &countries, HeadquartersList::builtIn());
    ASSERT_EQ(checks.size(), 2u);

    // Own zone 28, sent in five of the eight contest QSOs. Counted: 1, 2, 5,
    // 7, 8, 9, one point each in the own zone; one multiplier: score 6.
    EXPECT_EQ(checks[0].op, "QZ1ABC");
    EXPECT_EQ(checks[0].score, 6);
    EXPECT_EQ(checks[0].ownZone, (OwnZone{28, OwnZoneSource::SentExchange}));
    expectFindings(checks[0], {
                                  {FindingKind::NoEmail, std::nullopt, ""},
                                  {FindingKind::NoCategory, std::nullopt, ""},
                                  {FindingKind::OutdatedClaimedScore, std::nullopt, "5"},
                                  {FindingKind::OutsideContestPeriod, 1, ""},
                                  {FindingKind::Repeat, 3, ""},
                                  {FindingKind::UnknownExchange, 4, "2B"},
                                  {FindingKind::NotACallsign, 5, "12345"},
                                  {FindingKind::NotAContestBandOrMode, 6, ""},
                                  {FindingKind::SentExchangeChanged, 7, "28"},
                                  {FindingKind::OutsideContestPeriod, 9, ""},
                              });
    EXPECT_EQ(checks[1].op, "QZ2XYZ");
    expectFindings(checks[1], {{FindingKind::NoRecord, std::nullopt, ""}});

    const auto only = checkLog(viewsOf(log), records, &countries, HeadquartersList::builtIn(), "QZ2XYZ");
    ASSERT_EQ(only.size(), 1u);
    EXPECT_EQ(only[0].op, "QZ2XYZ");

    // Written into the header, the score is no longer questioned.
    const auto claimed = checkLog(viewsOf(log), {"QZ1ABC,Jan,jan@example.org,ul. 1,,,006,A,,IARU-HF,"}, &countries,
                                  HeadquartersList::builtIn(), "QZ1ABC");
    EXPECT_EQ(claimed[0].findings.front().kind, FindingKind::OutsideContestPeriod);
}

// The latest exchange of a call in the whole log (any operator's) is trusted
// before the call history; a QSO that agrees with neither is named with it.
TEST(LogCheck, ReceivedExchangesThatDifferFromTheLogOrTheHistoryAreNamed)
{
    const std::vector<std::string> log = {
        contestQso("QZ1ABC", "DL1AAA", "20M", "CW", "27", "12:00"),  // 0 DL1AAA later sent 28
        contestQso("QZ1ABC", "OH2BH", "20M", "CW", "19", "12:01"),   // 1 the history says 18
        contestQso("QZ1ABC", "SP9KR", "20M", "CW", "28", "12:02"),   // 2 agrees with the history
        contestQso("QZ2XYZ", "DL1AAA", "40M", "CW", "28", "12:03"),
    };
    const CallHistory history = CallHistory::parse("!!Order!!,Call,ITUZone\nOH2BH,18\nSP9KR,28\nDL1AAA,27\n");
    const std::vector<std::string> records = {"QZ1ABC,Jan,j@x,ul,,,3,A,,IARU-HF,"};
    const auto checks = checkLog(viewsOf(log), records, nullptr, HeadquartersList::builtIn(), "QZ1ABC", &history);
    ASSERT_EQ(checks.size(), 1u);
    expectFindings(checks[0], {
                                  {FindingKind::ExchangeDiffersFromLog, 0, "28"},
                                  {FindingKind::ExchangeDiffersFromHistory, 1, "18"},
                              });
}

TEST(LogCheck, SerialNumbersAreListedAsChangesOnlyUpToTheLimit)
{
    std::vector<std::string> log;
    const std::size_t qsos = kMostFindingsOfAKind + 50;
    for (std::size_t n = 1; n <= qsos; ++n)
        log.push_back(
            contestQso("QZ1ABC", "DL" + std::to_string(n) + "A", "20M", "CW", "28", "13:00", std::to_string(n)));
    const auto checks =
        checkLog(viewsOf(log), {"QZ1ABC,Jan,j@x,ul,,,10,A,,IARU-HF,"}, nullptr, HeadquartersList::builtIn());
    ASSERT_EQ(checks.size(), 1u);
    // Without a country file and with no zone sent throughout, the own zone is unknown.
    EXPECT_EQ(checks[0].ownZone.source, OwnZoneSource::Unknown);
    const auto& findings = checks[0].findings;
    ASSERT_EQ(findings.size(), 1 + kMostFindingsOfAKind + 1);
    EXPECT_EQ(findings[0].kind, FindingKind::OutdatedClaimedScore);
    EXPECT_EQ(findings[1].line, 1u);
    EXPECT_EQ(findings.back().kind, FindingKind::SentExchangeChanged);
    EXPECT_EQ(findings.back().line, std::nullopt);
    EXPECT_EQ(findings.back().leftOut, qsos - 1 - kMostFindingsOfAKind);
}

TEST(LogCheck, ContestPeriodIsTheSecondFullWeekendOfJuly)
{
    using namespace std::chrono;
    const auto saturdayNoon = [](int y, unsigned d) {
        return std::int64_t{sys_days{year{y} / July / day{d}}.time_since_epoch().count()} * 1440 + 720;
    };
    EXPECT_EQ(contestPeriodOf(2026).first, saturdayNoon(2026, 11));  // July begins on a Wednesday
    EXPECT_EQ(contestPeriodOf(2018).first, saturdayNoon(2018, 14));  // on a Sunday: 1 July is no full weekend
    EXPECT_EQ(contestPeriodOf(2023).first, saturdayNoon(2023, 8));   // on a Saturday
    EXPECT_EQ(contestPeriodOf(2026).end - contestPeriodOf(2026).first, 24 * 60);

    const std::vector<std::string> lines = {"2025-07-12 1200", "2026-07-11 1200", "2026-07-11 1300", "garbage"};
    EXPECT_EQ(logYearOf(viewsOf(lines)), 2026);
    EXPECT_EQ(logYearOf({}), std::nullopt);
}

TEST(LogCheck, CallsignsArePrefixCallAreaAndLettersWithOptionalPortableParts)
{
    for (const char* call : {"DL1ABC", "dl1abc", "K1A", "9A1A", "3DA0RU", "4U1ITU", "A61AB", "SN2026X", "OH2A/VK9X",
                             "DL/OH2ABC/P", "VP2V/DL1ABC/MM", "DL1ABC/QRP", "W1AW/7"})
        EXPECT_TRUE(canBeCallsign(call)) << call;
    for (const char* call : {"", "DLABC", "12345", "K1", "DL1 ABC", "DL1ABC/", "/DL1ABC", "DL//1ABC", "DL1-ABC",
                             "QZ5KVOK1AAA", "QZ5KV/OK1AAA", "DL1ABC/P/QRP", "D\2431A"})  // D, Ł, 1, A
        EXPECT_FALSE(canBeCallsign(call)) << call;
}

}  // namespace
}  // namespace qz
