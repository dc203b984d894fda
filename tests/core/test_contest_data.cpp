#include "contest_data.h"
#include "contest_fixtures.h"
#include "operator_book.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

TEST(ContestData, StationFolderComesFirstAndDamagedCopiesArePassedOver)
{
    TempFolder station;
    TempFolder system;
    system.write("cty.dat", test::kSmallCountryFile);
    system.write("MASTER.SCP", "# list\nSP9XYZ\nDL1ABC\n");
    station.write("MASTER.SCP", "SP9NEW\n");
    station.write("cty.dat", "no country file at all");

    const ContestData data = loadContestData({station.path(), system.path()});
    ASSERT_TRUE(data.calls);
    EXPECT_EQ(data.callList.used, station / "MASTER.SCP");
    EXPECT_TRUE(data.calls->contains("SP9NEW"));
    EXPECT_FALSE(data.calls->contains("SP9XYZ"));
    ASSERT_TRUE(data.countries);
    EXPECT_EQ(data.countryFile.used, system / "cty.dat");
    ASSERT_EQ(data.countryFile.faults.size(), 1u);
    EXPECT_EQ(data.countryFile.faults[0].path, station / "cty.dat");
    EXPECT_EQ(data.countryFile.faults[0].fault, DataFault::NothingUsable);
}

TEST(ContestData, MissingFilesAndFoldersInTheirPlaceAreReportedNotFatal)
{
    TempFolder station;
    std::filesystem::create_directory(station / "cty.dat");
    station.write("MASTER.SCP", "");
    const ContestData data = loadContestData({station.path(), station / "absent"});
    EXPECT_FALSE(data.countries);
    EXPECT_FALSE(data.countryFile.used);
    EXPECT_TRUE(data.countryFile.faults.empty());
    EXPECT_EQ(data.countryFile.name, "cty.dat");
    EXPECT_FALSE(data.calls);
    ASSERT_EQ(data.callList.faults.size(), 1u);
    EXPECT_EQ(data.callList.faults[0].fault, DataFault::NothingUsable);
}

TEST(ContestData, TheStationsHeadquartersFileAddsToTheBuiltInList)
{
    TempFolder station;
    TempFolder system;
    system.write("IARU_HQ.txt", "SYSHQ\r\n");
    {
        const ContestData data = loadContestData({station.path(), system.path()});
        EXPECT_TRUE(data.headquarters.contains("PZK"));
        EXPECT_FALSE(data.headquarters.contains("SYSHQ"));  // only the station folder's copy counts
        EXPECT_FALSE(data.headquartersFile.used);
    }
    station.write("IARU_HQ.txt", "# new societies\r\nnew hq\r\n\r\n42\r\n");
    const ContestData data = loadContestData({station.path(), system.path()});
    EXPECT_EQ(data.headquartersFile.used, station / "IARU_HQ.txt");
    EXPECT_TRUE(data.headquarters.contains("NEWHQ"));
    EXPECT_TRUE(data.headquarters.contains("DARC"));
    EXPECT_FALSE(data.headquarters.contains("42"));
    EXPECT_EQ(data.headquartersFile.skipped, 1u);
}

TEST(ContestData, TheSystemFolderIsSearchedAfterTheStationFolder)
{
    const auto folders = contestDataFolders("/station");
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), "/station");
#ifndef _WIN32
    EXPECT_EQ(folders.back(), "/usr/share/hamradio-files");
#endif
}

TEST(ClaimedScore, OnlyThePointsFieldOfThatRecordChanges)
{
    TempFolder folder;
    const std::string before = "QZ1ABC,Jan,,ul. 1,,,0,CHECKLOG,,IARU-HF,uwagi\r\n"
                               "qz2xyz,Anna \xb3\xf3\x64\x9f,,ul. 2,,,17,A KF,,IARU-HF,,extra,fields\r\n"
                               "QZ3SHORT,Ola,,ul. 3,,,5\r\n";
    folder.write("QZ5KV_stationbook.ini", before);

    EXPECT_EQ(writeClaimedScore(folder.path(), "QZ2XYZ", "180"), ClaimedScoreResult::Written);
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ1ABC,Jan,,ul. 1,,,0,CHECKLOG,,IARU-HF,uwagi\r\n"
                                                    "qz2xyz,Anna \xb3\xf3\x64\x9f,,ul. 2,,,180,A KF,,IARU-HF,,extra,"
                                                    "fields\r\n"
                                                    "QZ3SHORT,Ola,,ul. 3,,,5\r\n");
    EXPECT_EQ(splitRecord((*readOperatorRecords(folder.path()))[1])[kPoints], "180");

    const std::string written = folder.read("QZ5KV_stationbook.ini");
    EXPECT_EQ(writeClaimedScore(folder.path(), "QZ3SHORT", "1"), ClaimedScoreResult::RecordTooShort);
    EXPECT_EQ(writeClaimedScore(folder.path(), "QZ9NONE", "1"), ClaimedScoreResult::NoRecord);
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), written);
    TempFolder empty;
    EXPECT_EQ(writeClaimedScore(empty.path(), "QZ1ABC", "1"), ClaimedScoreResult::NoFile);
    EXPECT_FALSE(empty.exists("QZ5KV_stationbook.ini"));
}

}  // namespace
}  // namespace qz
