#include "operator_book.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

TEST(OperatorBook, ExampleRecordSplitsAndJoinsBack)
{
    const std::string record = "QZ1ABC,Name Surname,,Street 1,,,0,CHECKLOG,,IARU-HF,";
    const OperatorFields fields = splitRecord(record);
    EXPECT_EQ(fields[kCallsign], "QZ1ABC");
    EXPECT_EQ(fields[kName], "Name Surname");
    EXPECT_EQ(fields[kAddress1], "Street 1");
    EXPECT_EQ(fields[kPoints], "0");
    EXPECT_EQ(fields[kContest], "IARU-HF");
    EXPECT_EQ(fields[kRemarks], "");
    EXPECT_EQ(joinRecord(fields), record);
    OperatorFields fresh = newRecordFields();
    fresh[kCallsign] = "QZ1ABC";
    fresh[kName] = "Name Surname";
    fresh[kAddress1] = "Street 1";
    EXPECT_EQ(joinRecord(fresh), record);
}

TEST(OperatorBook, ShortRecordsGiveTheirLastPartToEveryFieldLeft)
{
    const OperatorFields alone = splitRecord("QZ1ABC");
    for (const auto& field : alone)
        EXPECT_EQ(field, "QZ1ABC");
    EXPECT_EQ(callsignOf("QZ1ABC"), "");
    const OperatorFields named = splitRecord("QZ1ABC,Jan");
    EXPECT_EQ(named[kCallsign], "QZ1ABC");
    for (std::size_t i = kName; i < kOperatorFieldCount; ++i)
        EXPECT_EQ(named[i], "Jan");
    const OperatorFields tenFields = splitRecord("A,B,C,D,E,F,0,CAT,OPS,IARU-HF");
    EXPECT_EQ(tenFields[kRemarks], "IARU-HF");
    const OperatorFields twelve = splitRecord("A,B,C,D,E,F,0,CAT,OPS,IARU-HF,R,EXTRA");
    EXPECT_EQ(twelve[kRemarks], "R");
}

TEST(OperatorBook, CallsignIsRaisedButTheRecordIsKept)
{
    TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", "qz2xyz,b\r\n\r\nqz1abc,a\r\n");
    EXPECT_EQ(readOperatorCallsigns(folder.path()), (std::vector<std::string>{"QZ1ABC", "QZ2XYZ"}));
    EXPECT_EQ(*readOperatorRecords(folder.path()), (std::vector<std::string>{"qz1abc,a", "qz2xyz,b"}));
}

TEST(OperatorBook, MissingAndEmptyFiles)
{
    TempFolder folder;
    EXPECT_EQ(readOperatorRecords(folder.path()), std::nullopt);
    EXPECT_TRUE(readOperatorCallsigns(folder.path()).empty());
    folder.write("QZ5KV_stationbook.ini", "");
    EXPECT_TRUE(readOperatorRecords(folder.path())->empty());
    folder.write("QZ5KV_stationbook.ini", "\r\n\r\n");
    EXPECT_TRUE(readOperatorRecords(folder.path())->empty());
}

TEST(OperatorBook, WritingReplacesTheWholeFile)
{
    TempFolder folder;
    writeOperatorRecords(folder.path(), {"A,1", "B,2"});
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "A,1\r\nB,2\r\n");
    writeOperatorRecords(folder.path(), {});
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "");
}

}  // namespace
}  // namespace qz
