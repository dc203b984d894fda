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

TEST(OperatorBook, CallsignRaisesOnlyAsciiLetters)
{
    // 0xB9 and 0xA5 are the small and capital a-ogonek in Windows-1250.
    EXPECT_EQ(callsignOf("sp9\xb9x,Jan"), "SP9\xb9X");
    EXPECT_EQ(callsignOf("   ,Jan"), "   ");
    EXPECT_EQ(callsignOf(",Jan"), "");
}

TEST(OperatorBook, ACommaInAnyFieldIsFound)
{
    OperatorFields fields = newRecordFields();
    EXPECT_EQ(fieldWithComma(fields), std::nullopt);
    fields[kRemarks] = "a, b";
    EXPECT_EQ(fieldWithComma(fields), kRemarks);
    fields[kName] = "Kowalski,Jan";
    EXPECT_EQ(fieldWithComma(fields), kName);
    fields[kCallsign] = "QZ1,ABC";
    EXPECT_EQ(fieldWithComma(fields), kCallsign);
}

TEST(OperatorList, KeepsRecordsSortedWithoutRegardToCase)
{
    OperatorList list({"qz3b,x", "QZ1A,y"});
    EXPECT_EQ(list.records(), (std::vector<std::string>{"QZ1A,y", "qz3b,x"}));
    EXPECT_EQ(list.insert("QZ2C,z"), 1u);
    EXPECT_EQ(list.records(), (std::vector<std::string>{"QZ1A,y", "QZ2C,z", "qz3b,x"}));
    EXPECT_EQ(list.callsign(2), "QZ3B");
    list.erase(0);
    EXPECT_EQ(list.records(), (std::vector<std::string>{"QZ2C,z", "qz3b,x"}));

    // The order of the callsigns, as the main window lists them: "+" sorts
    // before the comma, yet QZ1A comes before QZ1A+.
    const OperatorList plus({"QZ1A+,b", "QZ1A,a"});
    EXPECT_EQ(plus.callsign(0), "QZ1A");
    EXPECT_EQ(plus.callsign(1), "QZ1A+");
}

TEST(OperatorList, FindsTheFirstCallsignWithoutRegardToCase)
{
    const OperatorList list({"QZ1ABC,first", "qz1abc,second", "QZ2XYZ,third", "alone"});
    EXPECT_EQ(list.find("qz1abc"), 1u);
    EXPECT_EQ(list.records()[1], "QZ1ABC,first");
    EXPECT_EQ(list.find("QZ2XYZ"), 3u);
    EXPECT_EQ(list.find(""), 0u);  // the line without a comma has an empty callsign
    EXPECT_EQ(list.find("QZ9"), std::nullopt);
}

TEST(OperatorBook, ANewRecordIsWrittenBetweenItsNeighbours)
{
    TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", "QZ3C,c\r\nqz1a,a\r\n");
    OperatorList list(*readOperatorRecords(folder.path()));
    list.insert("QZ2B,b");
    writeOperatorRecords(folder.path(), list.records());
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "qz1a,a\r\nQZ2B,b\r\nQZ3C,c\r\n");
}

TEST(OperatorBook, ALineOfBlanksIsARecord)
{
    TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", "  \r\nQZ1ABC\r\n");
    EXPECT_EQ(*readOperatorRecords(folder.path()), (std::vector<std::string>{"  ", "QZ1ABC"}));
    EXPECT_EQ(readOperatorCallsigns(folder.path()), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace qz
