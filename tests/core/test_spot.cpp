#include "band_map.h"
#include "cluster_setting.h"
#include "command_line.h"
#include "contest_fixtures.h"
#include "contest_score.h"
#include "country_file.h"
#include "temp_folder.h"
#include "worked_before.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using namespace std::chrono_literals;

TEST(SpotLine, IsReadByItsWordsWhateverTheNodeAndTheSpotter)
{
    struct Case {
        const char* line;
        const char* spotter;
        std::int64_t hertz;
        const char* call;
        const char* comment;
        int minute;
    };
    const Case cases[] = {
        {"DX de SP5ABC:    14025.0  QZ5KV        CW 599 tnx                     1234Z\r\n", "SP5ABC", 14'025'000,
         "QZ5KV", "CW 599 tnx", 12 * 60 + 34},
        {"DX de W3OA-#:    14025.1  DL1ABC       CW 22 dB 28 WPM CQ             0001Z", "W3OA-#", 14'025'100, "DL1ABC",
         "CW 22 dB 28 WPM CQ", 1},
        // A long skimmer call leaves no blank before the frequency.
        {"DX de DL8LAS-#:7003.55  ok1abc       CW 18 dB 25 WPM CQ             2359Z JO60\a\a", "DL8LAS-#", 7'003'550,
         "OK1ABC", "CW 18 dB 25 WPM CQ", 23 * 60 + 59},
        {"DX de K1TTT:     3799.0  QZ9MM/P                                     0815Z", "K1TTT", 3'799'000, "QZ9MM/P",
         "", 8 * 60 + 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto spot = parseSpot(c.line);
        ASSERT_TRUE(spot);
        EXPECT_EQ(spot->spotter, c.spotter);
        EXPECT_EQ(spot->hertz, c.hertz);
        EXPECT_EQ(spot->call, c.call);
        EXPECT_EQ(spot->comment, c.comment);
        EXPECT_EQ(spot->minuteOfDay, c.minute);
        // As the station's computers pass it on.
        const auto passedOn = parseSpot(spotLineOf(*spot));
        ASSERT_TRUE(passedOn);
        EXPECT_EQ(
            std::tie(passedOn->spotter, passedOn->hertz, passedOn->call, passedOn->comment, passedOn->minuteOfDay),
            std::tie(spot->spotter, spot->hertz, spot->call, spot->comment, spot->minuteOfDay));
    }
    for (const char* garbage :
         {"", "login: ", "Hello SP5ABC, this is SP0DXC-9 in Warsaw", "SP5ABC de SP0DXC-9  11-Dec-2026 1234Z >",
          "To ALL de SP5ABC: QZ5KV QRV 20m CW", "WWV de VE7CC <18>:   SFI=140, A=5, K=1",
          "DX de SP5ABC:    14025.0  QZ5KV        CW 599", "DX de SP5ABC:    14025.0  QZ5KV        CW 2460Z",
          "DX de SP5ABC:    14,025  QZ5KV        CW  1234Z", "DX de SP5ABC:    14025.0  ??????  CW  1234Z",
          "DX de SP5ABC     14025.0  QZ5KV        CW  1234Z", "DX de SP5ABC:    14025.0  QZ5KV  C\tW  1234Z",
          "DX de SP5ABC:    14025.0  QZ5K"}) {
        SCOPED_TRACE(garbage);
        EXPECT_FALSE(parseSpot(garbage));
    }
}

TEST(SpotLine, TakesItsModeFromTheCommentElseFromTheBandPlan)
{
    const auto mode = [](const char* line) { return spotModeOf(*parseSpot(line)); };
    EXPECT_EQ(mode("DX de A1B: 14025.0 QZ5KV 1234Z"), 1u);
    EXPECT_EQ(mode("DX de A1B: 14205.0 QZ5KV 1234Z"), 0u);
    EXPECT_EQ(mode("DX de A1B: 14205.0 QZ5KV cw up 1 1234Z"), 1u);
    EXPECT_EQ(mode("DX de A1B: 7010.0 QZ5KV LSB 1234Z"), 0u);
    EXPECT_FALSE(spotBandOf(10'110'000));
    EXPECT_EQ(spotBandOf(1'830'000), 0u);
    EXPECT_EQ(spotBandOf(29'600'000), 5u);
    EXPECT_EQ(kilohertzText(7'003'550), "7003.6");
}

Spot spotOf(const char* call, std::int64_t hertz, const char* comment = "")
{
    return {"SP5ABC", hertz, call, comment, 0};
}

TEST(BandMap, KeepsTheNewestSpotPerCallAndBandSortedByFrequencyUntilItAgesOut)
{
    const std::chrono::sys_seconds start{1'800'000'000s};
    BandMap map(3);
    EXPECT_TRUE(map.add(spotOf("DL1ABC", 14'030'000), start));
    EXPECT_TRUE(map.add(spotOf("QZ5KV", 14'010'000), start + 60s));
    EXPECT_TRUE(map.add(spotOf("QZ5KV", 7'010'000), start + 60s));
    EXPECT_FALSE(map.add(spotOf("OH2BH", 10'110'000), start + 60s));
    // QSY: the later spot takes the earlier one's place.
    EXPECT_TRUE(map.add(spotOf("DL1ABC", 14'005'000), start + 120s));
    auto band = map.onBand(3);
    ASSERT_EQ(band.size(), 2u);
    EXPECT_EQ(band[0]->spot.call, "DL1ABC");
    EXPECT_EQ(band[1]->spot.call, "QZ5KV");

    // Full: the oldest goes first.
    EXPECT_TRUE(map.add(spotOf("JA1XYZ", 14'200'000), start + 180s));
    EXPECT_EQ(map.size(), 3u);
    EXPECT_EQ(map.onBand(3).size(), 2u);
    EXPECT_EQ(map.onBand(2).size(), 1u);

    map.expire(start + 60s + kSpotLifetime, kSpotLifetime);
    EXPECT_TRUE(map.onBand(2).empty());
    ASSERT_EQ(map.onBand(3).size(), 2u);
    map.expire(start + 24h, kSpotLifetime);
    EXPECT_EQ(map.size(), 0u);
}

TEST(BandMap, MarksTheHeadquartersSlotsStillLackingDupesAndNewMultipliers)
{
    const CountryFile countries = CountryFile::parse(test::kSmallCountryFile);
    const std::vector<std::string> log{test::contestQso("SP5ABC", "DL1ABC", "20M", "CW", "28"),
                                       test::contestQso("SP5ABC", "QZ5KV", "20M", "CW", "KRU")};
    std::vector<std::string_view> lines(log.begin(), log.end());
    const WorkedBefore worked(lines, "SP5ABC");
    ContestScore score(&countries);
    for (const auto& line : log)
        score.add(line);
    const std::vector<std::string> slots{slotKeyOf(log[1])};
    const SpotNeeds needs{&slots, &worked, &score, &countries};

    BandMap map;
    const std::chrono::sys_seconds now{1'800'000'000s};
    map.add(spotOf("QZ5KV", 14'020'000), now);
    map.add(spotOf("DL1ABC", 14'010'000), now);
    map.add(spotOf("JA1XYZ", 14'200'000), now);
    map.add(spotOf("DA1XX", 14'210'000), now);
    map.add(spotOf("QZ5KV", 21'250'000, "SSB"), now);
    const auto b20 = map.onBand(3);
    ASSERT_EQ(b20.size(), 4u);
    const SpotMarks dupe = marksOf(*b20[0], needs);
    EXPECT_TRUE(dupe.dupe);
    EXPECT_FALSE(dupe.newMultiplier);
    const SpotMarks headquartersWorked = marksOf(*b20[1], needs);
    EXPECT_TRUE(headquartersWorked.dupe);
    EXPECT_FALSE(headquartersWorked.headquartersNeeded);
    EXPECT_TRUE(marksOf(*b20[2], needs).newMultiplier);    // zone 45
    const SpotMarks zoneWorked = marksOf(*b20[3], needs);  // Germany's zone 28 came with DL1ABC
    EXPECT_FALSE(zoneWorked.dupe);
    EXPECT_FALSE(zoneWorked.newMultiplier);
    const SpotMarks needed = marksOf(*map.onBand(4).front(), needs);
    EXPECT_TRUE(needed.headquartersNeeded);
    EXPECT_EQ(needed.slot, "15M SSB");
    EXPECT_TRUE(needed.newMultiplier);
}

TEST(BandMap, SpotsAreForbiddenToSingleOperatorsBelowTheUnlimitedClass)
{
    for (const char* allowed : {"", "CHECKLOG", "MULTI-OP HIGH", "A KF", "SINGLE-OP-ASSISTED ALL HIGH",
                                "single-op all high unlimited", "SO UNL"})
        EXPECT_TRUE(spottingAllowed(allowed)) << allowed;
    for (const char* forbidden : {"SINGLE-OP ALL SSB HIGH", "SINGLE-OP CW LOW", "SO QRP", "SINGLE-OP NON-ASSISTED"})
        EXPECT_FALSE(spottingAllowed(forbidden)) << forbidden;
}

TEST(ClusterChoice, FileAndCommandLineNameTheNodeAndOffWins)
{
    test::TempFolder folder;
    EXPECT_FALSE(chooseCluster(std::nullopt, folder.path()).setting);

    folder.write(std::string(kClusterSettingFile),
                 "# node\r\nhost = dxc.example.org:7300\r\nlogin=sp5abc\r\nlifetime=15\r\n");
    ClusterChoice choice = chooseCluster(std::nullopt, folder.path());
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.setting->node.text(), "dxc.example.org:7300");
    EXPECT_EQ(choice.setting->login, "SP5ABC");
    EXPECT_EQ(choice.lifetime, 15min);

    const CommandLine line = parseCommandLine({"--cluster=127.0.0.1:7373"});
    choice = chooseCluster(line.cluster, folder.path());
    EXPECT_EQ(choice.setting->node.text(), "127.0.0.1:7373");
    EXPECT_EQ(choice.setting->login, "SP5ABC");
    EXPECT_EQ(choice.source, "--cluster");
    EXPECT_FALSE(chooseCluster("off", folder.path()).setting);

    folder.write(std::string(kClusterSettingFile), "host=dxc.example.org:7300\r\nlifetime=0\r\n");
    choice = chooseCluster(std::nullopt, folder.path());
    EXPECT_FALSE(choice.setting);
    ASSERT_EQ(choice.ignored.size(), 1u);
    EXPECT_EQ(choice.ignored[0].problem, SettingProblem::BadValue);
    EXPECT_EQ(choice.ignored[0].line, 2u);
}

}  // namespace
}  // namespace qz
