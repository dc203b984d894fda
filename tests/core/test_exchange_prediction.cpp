#include "contest_fixtures.h"
#include "exchange_prediction.h"
#include "files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

TEST(CallHistory, FindsTheExchangeColumnByItsNameAndPassesOverWhatItCannotRead)
{
    const struct {
        const char* text;
        const char* column;
        const char* call;
        const char* exchange;  // nullptr: not known
        std::size_t passedOver;
    } rows[] = {
        {"!!Order!!,Call,Name,ITUZone\n# a comment\nDL1ABC,HANS,28\n", "ITUZone", "DL1ABC", "28", 0},
        {"!!Order!!,Call,Exch1,Name\r\nsp9kr,kru1 ,Jan\r\n", "Exch1", "SP9KR", "KRU1", 0},
        {"!!order!!,CALL,sect\nK1AR,EMA\n", "sect", "k1ar", "EMA", 0},
        // ITUZone wins over Exch1 wherever it stands.
        {"!!Order!!,Call,Exch1,ITUZone\nOH2BH,x,18\n", "ITUZone", "OH2BH", "18", 0},
        // Lines before the columns are named, or after a line naming no exchange, count for nothing.
        {"DL1ABC,28\n!!Order!!,Call,Name\nDL1ABC,HANS\n", "", "DL1ABC", nullptr, 2},
        // A later line of the same call counts; a call without its exchange is no fault.
        {"!!Order!!,Call,ITUZone\nW1AW,8\nW1AW,7\nK0ACP,\n", "ITUZone", "W1AW", "7", 0},
        // A short line is a call without its exchange; blanks inside a call do not count.
        {"!!Order!!,Call,ITUZone\nW1AW\nW 1AW,8\n", "ITUZone", "W1AW", "8", 0},
        // Damage: a control byte, a call that is none, an exchange longer than the log keeps, a huge line.
        {"!!Order!!,Call,ITUZone\nDL1\x01X,28\nDL<1>,28\nDL1ABC,1234567\n", "ITUZone", "DL1ABC", nullptr, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const CallHistory history = CallHistory::parse(row.text);
        EXPECT_EQ(history.exchangeColumn(), row.column);
        EXPECT_EQ(history.passedOver(), row.passedOver);
        const auto exchange = history.exchangeOf(row.call);
        EXPECT_EQ(exchange.has_value(), row.exchange != nullptr);
        if (exchange && row.exchange) {
            EXPECT_EQ(*exchange, row.exchange);
        }
    }
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7919 % 251);
    const CallHistory noise = CallHistory::parse("!!Order!!,Call,ITUZone\n" + binary + "\n" + std::string(5000, 'A'));
    EXPECT_EQ(noise.size(), 0u);
    EXPECT_GT(noise.passedOver(), 0u);
}

TEST(CallHistory, AMillionLinesKeepTheCapAndALargerFileIsCut)
{
    std::string text = "!!Order!!,Call,ITUZone\n";
    constexpr std::size_t kLines = 1'000'000;
    for (std::size_t i = 0; i < kLines; ++i)
        text += "Q" + std::to_string(i) + "A,28\n";
    const CallHistory history = CallHistory::parse(text);
    EXPECT_EQ(history.size(), kMaxHistoryCalls);
    EXPECT_EQ(history.passedOver(), kLines - kMaxHistoryCalls);
    EXPECT_FALSE(history.cut());

    text.append(kMaxHistoryBytes - text.size() + 10, '#');
    test::TempFolder folder;
    folder.write(std::string(kCallHistoryFileName), text);
    const CallHistoryRead read = readCallHistory(folder.path());
    EXPECT_TRUE(read.found);
    EXPECT_TRUE(read.history.cut());
    EXPECT_EQ(read.history.size(), kMaxHistoryCalls);
    EXPECT_FALSE(readCallHistory(folder.path() / "none").found);
}

TEST(ExchangePrediction, TrustsTheLogThenTheHistoryThenTheHeadquartersListThenTheCountryFile)
{
    const std::filesystem::path cty = "/usr/share/hamradio-files/cty.dat";
    ASSERT_TRUE(files::isFile(cty)) << "hamradio-files is not installed (scripts/install-deps.sh installs it)";
    const CountryFile countries = CountryFile::parse(files::readAll(cty));
    const CallHistory history = CallHistory::parse("!!Order!!,Call,ITUZone\nSP9KR,29\nOH2BH,18\nQZ5KV,28\n");
    const ReceivedExchanges log(std::vector<std::string_view>{
        contestQso("QZ1ABC", "SP9KR", "20M", "CW", "27", "12:00"),
        contestQso("QZ2XYZ", "SP9KR", "40M", "CW", "28", "12:10"),  // another operator's, later
        contestQso("QZ1ABC", "DA0HQ", "20M", "CW", "DARC"),
        contestQso("QZ1ABC", "K1AR", "20M", "CW", ""),  // nothing received: no prediction
    });
    const PredictionSources all{&log, &history, &HeadquartersList::builtIn(), &countries};
    const struct {
        const char* call;
        const char* exchange;
        PredictionSource source;
    } rows[] = {
        {"SP9KR", "28", PredictionSource::Log},      {"sp9 kr", "28", PredictionSource::Log},
        {"DA0HQ", "DARC", PredictionSource::Log},    {"OH2BH", "18", PredictionSource::History},
        {"QZ5KV", "28", PredictionSource::History},  {"NU1AW", "IARU", PredictionSource::Headquarters},
        {"K1AR", "8", PredictionSource::Country},    {"K0ACP", "7", PredictionSource::Country},  // [7] of K0
        {"AA2IL", "6", PredictionSource::Country},                                               // the exact call's [6]
        {"UA9CDC", "30", PredictionSource::Country}, {"DL/SP9KR", "28", PredictionSource::Country},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call);
        const auto prediction = predictExchange(row.call, all);
        ASSERT_TRUE(prediction.has_value());
        EXPECT_EQ(*prediction, (Prediction{row.exchange, row.source}));
        EXPECT_EQ(prediction->strong(), row.source == PredictionSource::Log || row.source == PredictionSource::History);
    }
    EXPECT_EQ(predictExchange("QZ5KV", {nullptr, nullptr, &HeadquartersList::builtIn(), &countries}),
              (Prediction{"KRU", PredictionSource::Headquarters}));
    EXPECT_FALSE(predictExchange("QZ9ZZZ", all));  // in no country
    EXPECT_FALSE(predictExchange(" ", all));
}

TEST(ExchangePrediction, FollowsStoredAndDeletedQsos)
{
    const std::string first = contestQso("QZ1ABC", "SP9KR", "20M", "CW", "27", "12:00");
    const std::string second = contestQso("QZ1ABC", "SP9KR", "40M", "CW", "28", "12:10");
    ReceivedExchanges log;
    log.add(first);
    log.add(second);
    log.add(first);  // stored twice
    EXPECT_EQ(log.latest("SP9KR"), "27");
    log.removeOne(first);
    EXPECT_EQ(log.latest("SP9KR"), "28");
    log.removeOne(second);
    EXPECT_EQ(log.latest("SP9KR"), "27");
    log.removeOne(first);
    EXPECT_FALSE(log.latest("SP9KR"));
    log.removeOne(first);  // nothing left to forget
}

}  // namespace
}  // namespace qz
