#include "cabrillo.h"
#include "line_columns.h"
#include "log_line.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

const std::string kExampleLine =
    "2026-07-11 1234  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU          ";

std::string lineWith(const std::string& band, const std::string& mode, const std::string& exchangeReceived)
{
    return composeLine({"2026-07-11", "12:34", std::string(*bandColumnFor(band)), std::string(*modeColumnFor(mode)),
                        "QZ1ABC", "599", "28", "QZ5KV", "599", exchangeReceived});
}

struct QsoCase {
    const char* name;
    std::string logLine;
    std::string qso;
};

TEST(CabrilloQsoLine, CarriesTheColumnsInTheirPlaces)
{
    std::string twoMetreFm = kExampleLine;
    twoMetreFm.replace(16, 10, "144000 FM ");
    const QsoCase cases[] = {
        {"example", kExampleLine,
         "QSO: 14000 CW 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 KRU        "},
        {"160m ssb", lineWith("160M", "SSB", "KRU"),
         "QSO:  1800 PH 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 KRU        "},
        {"2m fm", twoMetreFm, "QSO:144000 FM 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 KRU        "},
        {"13-character exchange loses two", lineWith("20M", "CW", "ABCDEFGHIJKLM"),
         "QSO: 14000 CW 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 ABCDEFGHIJK"},
        {"12-character exchange loses one", lineWith("20M", "CW", "ABCDEFGHIJKL"),
         "QSO: 14000 CW 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 ABCDEFGHIJK"},
        {"empty exchange", lineWith("20M", "CW", ""),
         "QSO: 14000 CW 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599            "},
        // An editor that trims trailing blanks on saving cut the exchange short.
        {"line trimmed by an editor", test::trimmedByAnEditor(kExampleLine),
         "QSO: 14000 CW 2026-07-11 1234 QZ1ABC        599 28     QZ5KV         599 KRU        "},
        {"line ending at the operator", kExampleLine.substr(0, 33),
         "QSO: 14000 CW 2026-07-11 1234 QZ1" + std::string(51, ' ')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cabrillo::qsoLine(c.logLine), c.qso) << c.name;
}

TEST(CabrilloQsoLine, FullLineGivesEightyFourColumnsWithoutTheGap)
{
    const std::string qso = cabrillo::qsoLine(kExampleLine);
    ASSERT_EQ(qso.size(), 84u);
    EXPECT_EQ(qso.substr(4, 10), slotKeyOf(kExampleLine));
    EXPECT_EQ(qso.substr(14, 16), dateOf(kExampleLine) + ' ' + timeOf(kExampleLine) + ' ');
    EXPECT_EQ(qso.substr(30), kExampleLine.substr(layoutOf(Field::Operator).first - 1, 54));  // operator to exchange
}

TEST(CabrilloHeader, WritesEveryFieldAsStoredUnderItsTag)
{
    OperatorFields fields;
    const char* values[] = {"qz1abc",       " Jan Kowalski ", "jan@example.org", "ul. \xa3\xb9kowa 1", "00-001",
                            "Warszawa",     "1234",           "SINGLE-OP",       "QZ1ABC QZ2ABC",      "IARU-HF",
                            "first contest"};
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = values[i];
    const std::vector<std::string> expected{
        "START-OF-LOG: 2.0",
        "CONTEST: IARU-HF",
        "ARRL-SECTION: DX",
        "CALLSIGN: QZ1ABC/P",
        "CATEGORY: SINGLE-OP",
        "CLAIMED-SCORE: 1234",
        "NAME:  Jan Kowalski ",
        "ADDRESS: E-MAIL: jan@example.org",
        "ADDRESS: ul. \xa3\xb9kowa 1",
        "ADDRESS: 00-001",
        "ADDRESS: Warszawa",
        "OPERATORS: QZ1ABC QZ2ABC",
        "SOAPBOX: first contest",
        "SOAPBOX: Generated for IARU HF Contest by QUILLDEN software - QZ5KV Stationbook 1.00",
    };
    EXPECT_EQ(cabrillo::headerLines(fields, "QZ1ABC/P"), expected);
}

TEST(CabrilloHeader, EmptyFieldsKeepTheBlankAfterTheColon)
{
    const auto header = cabrillo::headerLines(OperatorFields{}, "");
    ASSERT_EQ(header.size(), 14u);
    for (const std::size_t row : std::initializer_list<std::size_t>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(header[row].back(), ' ') << header[row];
    EXPECT_EQ(header[7], "ADDRESS: E-MAIL: ");
    EXPECT_EQ(header[10], "ADDRESS: ");
}

TEST(CabrilloFile, HeaderThenQsosInTheGivenOrderThenTheEnd)
{
    const std::string later = lineWith("40M", "SSB", "KRU");
    const std::vector<std::string_view> logLines{kExampleLine, later};
    const auto lines = cabrillo::fileLines(newRecordFields(), "QZ1ABC", logLines);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[1], "CONTEST: IARU-HF");
    EXPECT_EQ(lines[14], cabrillo::qsoLine(kExampleLine));
    EXPECT_EQ(lines[15], cabrillo::qsoLine(later));
    EXPECT_EQ(lines[16], "END-OF-LOG:");
}

}  // namespace
}  // namespace qz
