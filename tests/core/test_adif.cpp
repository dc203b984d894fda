#include "adif.h"
#include "log_line.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

const std::string kExampleLine =
    "2026-07-11 1234  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU          ";

std::string lineWith(std::string_view bandColumn, std::string_view modeColumn, const std::string& call = "QZ5KV",
                     const std::string& sent = "28", const std::string& received = "KRU")
{
    return composeLine({"2026-07-11", "12:34", std::string(bandColumn), std::string(modeColumn), "QZ1ABC", "599", sent,
                        call, "59", received});
}

struct Item {
    std::string tag;
    std::string value;
};

// Reads a record back by its data-specifier counts: every item must be
// "<TAG:n>" followed by exactly n bytes and one space, and "<EOR>" must end it.
std::vector<Item> parseRecord(const std::string& record)
{
    std::vector<Item> items;
    std::size_t at = 0;
    while (record.compare(at, 5, "<EOR>") != 0) {
        EXPECT_EQ(record[at], '<') << record.substr(at);
        const auto colon = record.find(':', at);
        const auto close = record.find('>', at);
        if (colon == std::string::npos || close == std::string::npos || close < colon) {
            ADD_FAILURE() << "broken item at " << at;
            return items;
        }
        const std::size_t count = std::stoul(record.substr(colon + 1, close - colon - 1));
        items.push_back({record.substr(at + 1, colon - at - 1), record.substr(close + 1, count)});
        at = close + 1 + count;
        EXPECT_EQ(record[at], ' ') << "after " << items.back().tag;
        ++at;
    }
    EXPECT_EQ(at + 5, record.size());
    return items;
}

std::string valueOf(const std::vector<Item>& items, const std::string& tag)
{
    for (const auto& item : items)
        if (item.tag == tag)
            return item.value;
    return "(absent)";
}

TEST(AdifRecord, ExampleComesOutByteForByte)
{
    EXPECT_EQ(adif::recordLine(kExampleLine, "IARU-HF 2026"),
              "<QSO_DATE:8>20260711 <TIME_ON:6>123400 <BAND:3>20M <MODE:2>CW <CALL:5>QZ5KV <RST_RCVD:3>599 "
              "<SRX:3>KRU <RST_SENT:3>599 <STX:2>28 <COMMENT:12>IARU-HF 2026 <OPERATOR:6>QZ1ABC <EOR>");
}

TEST(AdifRecord, BandAndModeItemsFollowTheLogColumns)
{
    struct Case {
        std::string_view bandColumn;
        std::string_view modeColumn;
        std::string band;
        std::string mode;
    };
    const Case cases[] = {
        {"  1800", " PH ", "160M", "SSB"},     {"  3500", " CW ", "80M", "CW"},
        {"  7000", " PH ", "40M", "SSB"},      {" 14000", " CW ", "20M", "CW"},
        {" 21000", " FM ", "15M", "FM"},       {" 28000", " CW ", "10M", "CW"},
        {"144000", " FM ", "2M", "FM"},        {"  2000", " RT ", "(absent)", "(absent)"},
        {" 14000", " cw ", "20M", "(absent)"},
    };
    for (const auto& c : cases) {
        std::string line = lineWith(c.bandColumn, c.modeColumn);
        line.replace(22, 4, c.modeColumn);  // keep lower-case letters the composer would raise
        const auto items = parseRecord(adif::recordLine(line, ""));
        EXPECT_EQ(valueOf(items, "BAND"), c.band) << c.bandColumn;
        EXPECT_EQ(valueOf(items, "MODE"), c.mode) << c.modeColumn;
        EXPECT_EQ(valueOf(items, "CALL"), "QZ5KV") << "later items keep their place";
    }
}

TEST(AdifRecord, CountsAreTheBytesOfEachValue)
{
    struct Case {
        const char* name;
        std::string line;
        std::string comment;
        std::vector<Item> expected;
    };
    const Case cases[] = {
        {"empty received exchange",
         lineWith(" 14000", " CW ", "QZ5KV", "28", ""),
         "",
         {{"CALL", "QZ5KV"},
          {"RST_RCVD", "59"},
          {"SRX", ""},
          {"RST_SENT", "599"},
          {"STX", "28"},
          {"OPERATOR", "QZ1ABC"}}},
        {"long values are cut to what the log keeps",
         lineWith(" 14000", " CW ", "QZ1ABCDEFGHIJK", "1234567", "ABCDEFG"),
         "",
         {{"CALL", "QZ1ABCDEFGHIJ"}, {"SRX", "ABCDEF"}, {"STX", "123456"}}},
        {"comment of blanks kept", kExampleLine, "   ", {{"COMMENT", "   "}}},
        {"polish letters count one byte each",
         kExampleLine,
         "Zawody \xa3\xd3"
         "D\x8f 2026",
         {{"COMMENT", "Zawody \xa3\xd3"
                      "D\x8f 2026"}}},
        {"polish letters in the exchange",
         lineWith(" 14000", " CW ", "QZ5KV",
                  "\xb3\xf3"
                  "DZ",
                  "\xa3\xd3"),
         "",
         {{"STX", "\xb3\xf3"
                  "DZ"},
          {"SRX", "\xa3\xd3"}}},
    };
    for (const auto& c : cases) {
        const std::string record = adif::recordLine(c.line, c.comment);
        const auto items = parseRecord(record);
        for (const auto& want : c.expected)
            EXPECT_EQ(valueOf(items, want.tag), want.value) << c.name << ": " << want.tag;
        EXPECT_NE(record.find("<SRX:" + std::to_string(valueOf(items, "SRX").size()) + ">"), std::string::npos)
            << c.name;
    }
}

TEST(AdifRecord, DateAndTimeKeepTheirCountsOnAShortLine)
{
    // What the line lacks reads as blanks: the counts stay 8 and 6.
    for (const std::string line : {"   ", "2026-07", "2026-07-11 12", ""}) {
        SCOPED_TRACE(line);
        const std::string record = adif::recordLine(line, "");
        const auto items = parseRecord(record);
        EXPECT_EQ(record.rfind("<QSO_DATE:8>", 0), 0u);
        EXPECT_NE(record.find("<TIME_ON:6>"), std::string::npos);
        EXPECT_EQ(valueOf(items, "TIME_ON").substr(4), "00");
    }
    EXPECT_EQ(valueOf(parseRecord(adif::recordLine("2026-07-11 12", "")), "TIME_ON"), "12  00");
    EXPECT_EQ(valueOf(parseRecord(adif::recordLine("2026-07", "")), "QSO_DATE"), "202607  ");
}

TEST(AdifRecord, ItemsComeInTheirFixedOrder)
{
    const auto items = parseRecord(adif::recordLine(kExampleLine, "x"));
    std::vector<std::string> tags;
    tags.reserve(items.size());
    for (const auto& item : items)
        tags.push_back(item.tag);
    EXPECT_EQ(tags, (std::vector<std::string>{"QSO_DATE", "TIME_ON", "BAND", "MODE", "CALL", "RST_RCVD", "SRX",
                                              "RST_SENT", "STX", "COMMENT", "OPERATOR"}));
    EXPECT_EQ(valueOf(parseRecord(adif::recordLine(kExampleLine, "")), "COMMENT"), "(absent)");
}

TEST(AdifHeader, ThreeLinesEndedByTheHeaderMark)
{
    EXPECT_EQ(adif::headerLines(),
              (std::vector<std::string>{
                  "ADIF 2.0", "Generated for IARU HF Contest by QUILLDEN software - QZ5KV Stationbook 1.00", "<EOH>"}));
}

}  // namespace
}  // namespace qz
