#include "cwdaemon_protocol.h"
#include "rig_keying.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using namespace std::string_literals;

TEST(CwdaemonProtocol, RequestsAndRepliesAreTheDaemonsOwnBytes)
{
    EXPECT_EQ(cwdaemon::speedRequest(28), "\x1b"
                                          "228");
    EXPECT_EQ(cwdaemon::speedRequest(99), "\x1b"
                                          "260");
    EXPECT_EQ(cwdaemon::abortRequest(), "\x1b"
                                        "4");
    EXPECT_EQ(cwdaemon::messageRequests(17, "CQ TEST SP5ZZ"), (std::vector<std::string>{"\x1bh17", "CQ TEST SP5ZZ"}));
    // An escape inside a text would make it a request of its own.
    EXPECT_EQ(cwdaemon::messageRequests(3, "\x1b"
                                           "5 TU\r\n"),
              (std::vector<std::string>{"\x1bh3", "5 TU"}));
    EXPECT_TRUE(cwdaemon::messageRequests(4, "   ").empty());

    // Beyond the 256 bytes a datagram carries: cut at a blank, tagged at the last piece.
    const std::string word(200, 'E');
    const auto pieces = cwdaemon::messageRequests(5, word + " " + word + " TU");
    EXPECT_EQ(pieces, (std::vector<std::string>{word, "\x1bh5", word + " TU"}));

    EXPECT_EQ(cwdaemon::parseReply("h17\r\n").kind, cwdaemon::ReplyKind::Sent);
    EXPECT_EQ(cwdaemon::parseReply("h17\r\n").tag, 17u);
    EXPECT_EQ(cwdaemon::parseReply("h4294967295\r\n").tag, 4294967295u);
    EXPECT_EQ(cwdaemon::parseReply("break\r\n").kind, cwdaemon::ReplyKind::Aborted);
    for (const std::string_view other : {"h\r\n", "h4294967296\r\n", "h-1\r\n", "h12x\r\n", "breaks\r\n", ""})
        EXPECT_EQ(cwdaemon::parseReply(other).kind, cwdaemon::ReplyKind::Unknown) << other;
}

TEST(RigKeying, CommandsAreAnsweredAsRigctldAnswersThem)
{
    EXPECT_EQ(rig::sendMorseRequests(" CQ  TEST\nT 1 "), (std::vector<std::string>{"+bCQ TEST T 1\n"}));
    EXPECT_TRUE(rig::sendMorseRequests("\r\n").empty());
    EXPECT_EQ(rig::keySpeedRequest(2), "+\\set_level KEYSPD 4\n");
    EXPECT_EQ(rig::setPttRequest(true), "+\\set_ptt 1\n");

    // A text whose echo would not fit the reader's line goes in pieces, each answered.
    const std::string word(rig::kMaxMorsePiece, 'E');
    const std::vector<std::string> pieces = rig::sendMorseRequests(word + " TU");
    ASSERT_EQ(pieces.size(), 2u);
    rig::ReplyReader reader;
    EXPECT_TRUE(reader.feed("send_morse: " + word + "\nRPRT 0\nsend_morse: TU\nRPRT 0\n"));

    // rigctld 4.5.4 with the dummy radio, word for word.
    EXPECT_TRUE(reader.feed("set_level: KEYSPD 28\nRPRT 0\nstop_morse:\nRPRT -11\nset_ptt: 1\nRPRT 0\n"
                            "get_ptt:\nPTT: 1\nRPRT 0\nget_ptt:\nPTT: 0\nRPRT 0\nget_ptt:\nRPRT -11\n"));
    const std::vector<rig::Reply> replies = reader.takeReplies();
    ASSERT_EQ(replies.size(), 8u);
    EXPECT_TRUE(rig::succeeded(replies[0], rig::kSendMorseCommand));
    EXPECT_TRUE(rig::succeeded(replies[1], rig::kSendMorseCommand));
    EXPECT_TRUE(rig::succeeded(replies[2], rig::kSetLevelCommand));
    EXPECT_EQ(replies[3].command, rig::kStopMorseCommand);
    EXPECT_EQ(replies[3].result, rig::kNotAvailable);
    EXPECT_TRUE(rig::succeeded(replies[4], rig::kSetPttCommand));
    EXPECT_EQ(rig::pttOf(replies[5]), true);
    EXPECT_EQ(rig::pttOf(replies[6]), false);
    EXPECT_EQ(rig::pttOf(replies[7]), std::nullopt);
    EXPECT_EQ(rig::pttOf(replies[4]), std::nullopt);
}

}  // namespace
}  // namespace qz
