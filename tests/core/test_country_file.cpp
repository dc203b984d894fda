#include "contest_fixtures.h"
#include "country_file.h"
#include "files.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Where {
    const char* call;
    const char* country;  // nullptr: in no country
    int cqZone;
    int ituZone;
    const char* continent;
};

void expectLocations(const CountryFile& file, std::initializer_list<Where> rows)
{
    for (const Where& row : rows) {
        SCOPED_TRACE(row.call);
        const auto found = file.locate(row.call);
        if (!row.country) {
            EXPECT_FALSE(found.has_value());
            continue;
        }
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->country, row.country);
        EXPECT_EQ(found->cqZone, row.cqZone);
        EXPECT_EQ(found->ituZone, row.ituZone);
        EXPECT_EQ(found->continent, row.continent);
    }
}

TEST(CountryFile, ExactCallsThenTheLongestPrefixWithTheirOverrides)
{
    const CountryFile file = CountryFile::parse(test::kSmallCountryFile);
    EXPECT_EQ(file.countryCount(), 6u);
    EXPECT_EQ(file.skippedRecords(), 0u);
    EXPECT_EQ(file.skippedEntries(), 0u);
    expectLocations(file, {
                              {"DL1ABC", "Germany", 14, 28, "EU"},
                              {"dl1abc", "Germany", 14, 28, "EU"},
                              {"QZ1ABC", "Testland", 15, 28, "EU"},
                              {"QZ9MM", "Testland", 5, 8, "NA"},     // exact call with all three overrides
                              {"QZ9MMA", "Testland", 15, 28, "EU"},  // not that call: its prefix
                              {"KH6ABC", "United States", 31, 61, "OC"},
                              {"K1ABC", "United States", 5, 8, "NA"},
                              {"JA1ABC", "Japan", 25, 45, "AS"},
                              {"SP9XYZ", nullptr, 0, 0, nullptr},
                              {"", nullptr, 0, 0, nullptr},
                          });
}

TEST(CountryFile, SlashCallsAreInTheCountryOfTheirShorterPart)
{
    const CountryFile file = CountryFile::parse(test::kSmallCountryFile);
    expectLocations(file, {
                              {"DL/K1ABC", "Germany", 14, 28, "EU"},
                              {"K1ABC/DL", "Germany", 14, 28, "EU"},
                              {"JA/DL1ABC/P", "Japan", 25, 45, "AS"},
                              {"DL1ABC/P", "Germany", 14, 28, "EU"},
                              {"DL1ABC/QRP", "Germany", 14, 28, "EU"},
                              {"K1ABC/4", "United States", 5, 8, "NA"},
                              {"DL0XX/LH", "Germany", 14, 28, "EU"},
                              {"QZ9MM/P", "Testland", 5, 8, "NA"},  // an exact call keeps its overrides when portable
                              {"DL1ABC/MM", nullptr, 0, 0, nullptr},
                              {"K1ABC/AM", nullptr, 0, 0, nullptr},
                              {"/P", nullptr, 0, 0, nullptr},
                              // Parts as long: the one the file has as a prefix names the country.
                              {"OH2A/VK9X", "Christmas Island", 29, 54, "OC"},
                              {"N1UR/VK9X", "Christmas Island", 29, 54, "OC"},
                              {"VK9X/OH2A", "Christmas Island", 29, 54, "OC"},
                              {"OH2A/K1AB", "Finland", 15, 18, "EU"},  // neither is: the first
                          });
}

TEST(CountryFile, DamagedRecordsAndEntriesAreSkippedAndTheRestIsRead)
{
    const std::string damaged = "Badzone:  14:  99:  EU:  1.0:  1.0:  0.0:  BZ:\n    BZ;\n"  // ITU zone 99
                                "Nocontinent:  14:  28:  XX:  1.0:  1.0:  0.0:  NC:\n    NC;\n"
                                "Shortheader:  14:  28:  EU:\n    SH;\n"
                                "Noname   :  14:  28:  EU:  1.0:  1.0:  0.0:  NN:  extra\n    NN;\n" +
                                test::kSmallCountryFile +
                                "Badentries:  14:  28:  EU:  1.0:  1.0:  0.0:  BE:\n"
                                "    BE(5,BF[abc],BG{XX},BH%,BI[28];\n"
                                "Cutoff:  14:  28:  EU:  1.0:  1.0:  0.0:  CO:\n    CO,CP";
    const CountryFile file = CountryFile::parse(damaged);
    EXPECT_EQ(file.countryCount(), 7u);
    EXPECT_EQ(file.skippedRecords(), 5u);
    EXPECT_EQ(file.skippedEntries(), 4u);
    expectLocations(file, {
                              {"DL1ABC", "Germany", 14, 28, "EU"},
                              {"BI1A", "Badentries", 14, 28, "EU"},
                              {"BF1A", nullptr, 0, 0, nullptr},
                              {"BZ1A", nullptr, 0, 0, nullptr},
                              {"CO1A", nullptr, 0, 0, nullptr},
                          });
    for (const std::string& garbage : {std::string(""), std::string("\0\xff:;:;,,=[(", 11), std::string(5000, ':')}) {
        const CountryFile nothing = CountryFile::parse(garbage);
        EXPECT_EQ(nothing.countryCount(), 0u);
    }
}

TEST(CountryFile, ReadsTheCountryFileOfTheHamradioFilesPackage)
{
    const std::filesystem::path path = "/usr/share/hamradio-files/cty.dat";
    ASSERT_TRUE(files::isFile(path)) << "hamradio-files is not installed (scripts/install-deps.sh installs it)";
    const CountryFile file = CountryFile::parse(files::readAll(path));
    EXPECT_GT(file.countryCount(), 300u);
    EXPECT_EQ(file.skippedRecords(), 0u);
    EXPECT_EQ(file.skippedEntries(), 0u);
    const std::pair<const char*, const char*> continents[] = {
        {"SP9ABC", "EU"}, {"DL/SP9ABC", "EU"}, {"K1ABC", "NA"},  {"JA1ABC", "AS"},
        {"VK2ABC", "OC"}, {"PY1ABC", "SA"},    {"ZS6ABC", "AF"}, {"KH6ABC", "OC"},
    };
    for (const auto& [call, continent] : continents) {
        SCOPED_TRACE(call);
        const auto found = file.locate(call);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->continent, continent);
    }
    EXPECT_EQ(file.locate("SP9ABC")->ituZone, 28);
    EXPECT_EQ(file.locate("K1ABC")->ituZone, 8);
}

}  // namespace
}  // namespace qz
