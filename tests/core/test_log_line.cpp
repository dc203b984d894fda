#include "log_line.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

const std::string kExample = "2026-07-11 1234  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU          ";

QsoEntry exampleEntry()
{
    return {"2026-07-11", "12:34", " 14000", " CW ", "QZ1ABC", "599", "28", "QZ5KV", "599", "KRU"};
}

TEST(LogLine, ComposesTheExampleLineByteForByte)
{
    ASSERT_EQ(kExample.size(), kLineLength);
    EXPECT_EQ(composeLine(exampleEntry()), kExample);
    EXPECT_EQ(slotKeyOf(kExample), " 14000 CW ");
}

struct FieldCase {
    const char* name;
    void (*edit)(QsoEntry&);
    std::size_t first;
    std::string expected;
};
void PrintTo(const FieldCase& row, std::ostream* out) { *out << row.name; }

class ComposedField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ComposedField, LandsInItsColumns)
{
    QsoEntry entry = exampleEntry();
    GetParam().edit(entry);
    const std::string line = composeLine(entry);
    EXPECT_EQ(line.size(), kLineLength);
    EXPECT_EQ(line.substr(GetParam().first - 1, GetParam().expected.size()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ComposedField,
    ::testing::Values(
        FieldCase{"TwoCharacterReportHasTwoBlanks", [](QsoEntry& e) { e.rstSent = "59"; }, 45, "59  28"},
        FieldCase{"OneCharacterReportIsPadded", [](QsoEntry& e) { e.rstSent = "5"; }, 45, "5   28"},
        FieldCase{"EmptySentExchangeLeavesItsColumnsBlank", [](QsoEntry& e) { e.exchangeSent = ""; }, 49,
                  "       QZ5KV"},
        FieldCase{"SentExchangeCutAtSeven", [](QsoEntry& e) { e.exchangeSent = "ABCDEFGHIJ"; }, 49, "ABCDEFGQZ5KV"},
        FieldCase{"SentExchangeRaisedButPolishLettersKept", [](QsoEntry& e) { e.exchangeSent = "jo9\xB3"; }, 49,
                  "JO9\xB3   "},
        FieldCase{"CallOfFourteenKeptWhole", [](QsoEntry& e) { e.call = "ABCDEFGHIJKLMN"; }, 56, "ABCDEFGHIJKLMN599"},
        FieldCase{"CallCutAtFourteen", [](QsoEntry& e) { e.call = "ABCDEFGHIJKLMNOP"; }, 56, "ABCDEFGHIJKLMN599"},
        FieldCase{"InnerSpacesOfCallKept", [](QsoEntry& e) { e.call = "QZ 5KV"; }, 56, "QZ 5KV        599"},
        FieldCase{"ReceivedExchangeLosesSpaces", [](QsoEntry& e) { e.exchangeReceived = "K R U"; }, 74,
                  "KRU          "},
        FieldCase{"ReceivedExchangeCutAtThirteen", [](QsoEntry& e) { e.exchangeReceived = "ABCDEFGHIJKLMNO"; }, 74,
                  "ABCDEFGHIJKLM"},
        FieldCase{"OperatorCutAtFourteen", [](QsoEntry& e) { e.op = "QZ1ABCDEFGHIJKL"; }, 31, "QZ1ABCDEFGHIJK599"},
        FieldCase{"MissingBandKeepsItsColumns", [](QsoEntry& e) { e.bandColumn = ""; }, 17, "       CW "},
        FieldCase{"SsbModeColumn", [](QsoEntry& e) { e.modeColumn = " PH "; }, 23, " PH     QZ1ABC"}),
    [](const auto& row) { return std::string(row.param.name); });

// 86 distinct bytes without blanks, so that a reader taking a wrong column or
// one too many or too few shows.
std::string ruler()
{
    std::string line;
    for (std::size_t i = 0; i < kLineLength; ++i)
        line += static_cast<char>('!' + i);
    return line;
}

TEST(LogLine, EveryReaderTakesItsColumns)
{
    const struct {
        const char* name;
        std::string (*reader)(std::string_view);
        std::size_t first;
        std::size_t last;
    } readers[] = {
        {"date", dateOf, 1, 10},
        {"time", timeOf, 12, 15},
        {"slot key", slotKeyOf, 17, 26},
        {"band key", bandKeyOf, 18, 19},
        {"mode letters", modeLettersOf, 24, 25},
        {"operator", operatorOf, 31, 43},
        {"sent report", sentReportOf, 45, 47},
        {"sent exchange", sentExchangeOf, 49, 54},
        {"call", callOf, 56, 68},
        {"received report", receivedReportOf, 70, 72},
        {"received exchange", receivedExchangeOf, 74, 79},
    };
    const std::string line = ruler();
    for (const auto& r : readers) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.reader(line), line.substr(r.first - 1, r.last - r.first + 1));
    }
}

TEST(LogLine, FieldWritesItsReadColumnsOnly)
{
    const std::string line = ruler();
    std::string expected = line;
    EXPECT_EQ(withField(line, Field::Call, "QZ9"), expected.replace(55, 13, "QZ9          "));
    expected = line;
    EXPECT_EQ(withField(line, Field::SentExchange, "ABCDEFGH"), expected.replace(48, 6, "ABCDEF"));
    EXPECT_EQ(withField("2026-07-11", Field::Time, "0959"), "2026-07-11 0959");
}

TEST(LogLine, BandAndModeTablesRefuseTypedText)
{
    EXPECT_EQ(bandColumnFor("160M"), "  1800");
    EXPECT_EQ(bandColumnFor("10M"), " 28000");
    EXPECT_EQ(bandColumnFor("2M"), std::nullopt);
    EXPECT_EQ(bandColumnFor(""), std::nullopt);
    EXPECT_EQ(modeColumnFor("SSB"), " PH ");
    EXPECT_EQ(modeColumnFor("CW"), " CW ");
    EXPECT_EQ(modeColumnFor("FM"), std::nullopt);
    EXPECT_EQ(modeColumnFor("ssb"), std::nullopt);
}

TEST(LogLine, ReadersOnShortLines)
{
    EXPECT_EQ(operatorOf(""), "");
    EXPECT_EQ(operatorOf("2026-07-11 1234  14000 CW     QZ1"), "QZ1");
    EXPECT_EQ(callOf(kExample.substr(0, 58)), "QZ5");
    EXPECT_EQ(slotKeyOf("2026-07-11 1234  140"), " 140");
    EXPECT_TRUE(belongsTo(kExample, "QZ1ABC"));
    EXPECT_FALSE(belongsTo(kExample, "qz1abc"));
    EXPECT_TRUE(belongsTo("short", ""));
}

TEST(LogLine, FourteenCharacterOperatorNeverMatchesItself)
{
    QsoEntry entry = exampleEntry();
    entry.op = "QZ1ABCDEFGHIJK";
    EXPECT_FALSE(belongsTo(composeLine(entry), entry.op));
    EXPECT_EQ(operatorOf(composeLine(entry)), "QZ1ABCDEFGHIJ");
}

TEST(LogLine, FileStemIsLowerCaseWithSlashesReplaced)
{
    QsoEntry entry = exampleEntry();
    entry.op = "QZ1ABC/P";
    EXPECT_EQ(fileStemOf(composeLine(entry)), "qz1abc_p");
    entry.op = "A\\B";
    EXPECT_EQ(fileStemOf(composeLine(entry)), "a_b");
}

}  // namespace
}  // namespace qz
