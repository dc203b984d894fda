#include "rig_protocol.h"

#include <gtest/gtest.h>

namespace qz::rig {
namespace {

struct Fed {
    bool accepted;
    std::vector<Reply> replies;
};

// Feeds the stream in pieces of `piece` bytes, as the socket may deliver it.
Fed feedAll(std::string_view stream, std::size_t piece)
{
    ReplyReader reader;
    Fed fed{true, {}};
    for (std::size_t at = 0; at < stream.size() && fed.accepted; at += piece) {
        fed.accepted = reader.feed(stream.substr(at, piece));
        for (Reply& reply : reader.takeReplies())
            fed.replies.push_back(std::move(reply));
    }
    return fed;
}

constexpr std::string_view kPollAnswer = "get_freq:\nFrequency: 14025000\nRPRT 0\n"
                                         "get_mode:\nMode: CW\nPassband: 500\nRPRT 0\n";

TEST(RigProtocol, ReadsThePollAnswerWhateverTheSocketsPieces)
{
    for (const std::size_t piece : {std::size_t{1}, std::size_t{5}, kPollAnswer.size()}) {
        SCOPED_TRACE(piece);
        const Fed fed = feedAll(kPollAnswer, piece);
        ASSERT_TRUE(fed.accepted);
        ASSERT_EQ(fed.replies.size(), 2u);
        EXPECT_EQ(frequencyOf(fed.replies[0]), 14025000);
        EXPECT_EQ(modeOf(fed.replies[1]), "CW");
        EXPECT_EQ(fed.replies[1].value("Passband"), "500");
        // Each answer is read for its own question only.
        EXPECT_EQ(frequencyOf(fed.replies[1]), std::nullopt);
        EXPECT_EQ(modeOf(fed.replies[0]), std::nullopt);
    }
}

struct AnswerCase {
    const char* name;
    std::string_view stream;
    std::optional<long long> frequency;  // of the first answer
    std::optional<std::string> mode;     // of the first answer
    int result;
};
void PrintTo(const AnswerCase& row, std::ostream* out) { *out << row.name; }

class RigAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(RigAnswer, GivesOnlyWhatItReallySays)
{
    const AnswerCase& row = GetParam();
    const Fed fed = feedAll(row.stream, 3);
    ASSERT_TRUE(fed.accepted);
    ASSERT_EQ(fed.replies.size(), 1u);
    EXPECT_EQ(frequencyOf(fed.replies[0]), row.frequency);
    EXPECT_EQ(modeOf(fed.replies[0]), row.mode);
    EXPECT_EQ(fed.replies[0].result, row.result);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RigAnswer,
    ::testing::Values(
        AnswerCase{"CrLfLineEnds", "get_freq:\r\nFrequency: 7010000\r\nRPRT 0\r\n", 7010000, std::nullopt, 0},
        AnswerCase{"FractionOfAHertzDropped", "get_freq:\nFrequency: 3550000.750000\nRPRT 0\n", 3550000, std::nullopt,
                   0},
        AnswerCase{"EmptyLinesBetweenRecords", "get_mode:\n\nMode: USB\n\nRPRT 0\n", std::nullopt, "USB", 0},
        AnswerCase{"FailedCommand", "get_freq:\nFrequency: 14025000\nRPRT -11\n", std::nullopt, std::nullopt, -11},
        AnswerCase{"FailureWithoutHeader", "RPRT -1\n", std::nullopt, std::nullopt, -1},
        AnswerCase{"FrequencyNotANumber", "get_freq:\nFrequency: 14.0xx\nRPRT 0\n", std::nullopt, std::nullopt, 0},
        AnswerCase{"FrequencyTooLongToBeReal", "get_freq:\nFrequency: 99999999999999999999999\nRPRT 0\n", std::nullopt,
                   std::nullopt, 0},
        AnswerCase{"FrequencyUnderAnotherHeader", "get_vfo:\nFrequency: 14025000\nRPRT 0\n", std::nullopt, std::nullopt,
                   0},
        AnswerCase{"ModeWithMarkup", "get_mode:\nMode: <b>CW</b>\nRPRT 0\n", std::nullopt, std::nullopt, 0},
        AnswerCase{"AnswerToAnotherQuestion", "get_level: STRENGTH\n2\nRPRT 0\n", std::nullopt, std::nullopt, 0}),
    [](const auto& row) { return std::string(row.param.name); });

struct GarbageCase {
    const char* name;
    std::string stream;
};
void PrintTo(const GarbageCase& row, std::ostream* out) { *out << row.name; }

class RigGarbage : public ::testing::TestWithParam<GarbageCase> {};

TEST_P(RigGarbage, IsRefusedAndStaysRefused)
{
    ReplyReader reader;
    EXPECT_FALSE(reader.feed(GetParam().stream));
    // Nothing half-read comes out, and a good answer after it does not count.
    EXPECT_FALSE(reader.feed(kPollAnswer));
    EXPECT_LE(reader.takeReplies().size(), ReplyReader::kMaxReplies);
    reader.reset();
    EXPECT_TRUE(reader.feed(kPollAnswer));
    EXPECT_EQ(reader.takeReplies().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Garbage, RigGarbage,
                         ::testing::Values(GarbageCase{"LineWithoutEnd", std::string(ReplyReader::kMaxLine + 1, 'x')},
                                           GarbageCase{"BinaryWithoutNewline", std::string(100'000, '\xff')},
                                           GarbageCase{"RecordsWithoutEnd",
                                                       [] {
                                                           std::string lines;
                                                           for (std::size_t i = 0; i <= ReplyReader::kMaxRecords; ++i)
                                                               lines += "Frequency: 1\n";
                                                           return lines;
                                                       }()},
                                           GarbageCase{"AnswersNobodyAskedFor",
                                                       [] {
                                                           std::string answers;
                                                           for (std::size_t i = 0; i <= ReplyReader::kMaxReplies; ++i)
                                                               answers += "RPRT 0\n";
                                                           return answers;
                                                       }()},
                                           GarbageCase{"ReportThatIsNoNumber", "get_freq:\nRPRT zero\n"},
                                           GarbageCase{"ReportNumberTooLong", "RPRT -12345678901\n"}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qz::rig
