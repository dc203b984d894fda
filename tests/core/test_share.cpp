// Sharing the log: the messages taken whole or not at all, computers that
// agree whatever order and how often events arrive, and a journal that
// brings the log back in line after a crash at any step.

#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "line_columns.h"
#include "log_line.h"
#include "share_peers.h"
#include "shared_log.h"
#include "station_files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace qz {
namespace {

using test::TempFolder;

std::string qsoLine(const std::string& call, const std::string& exchange = "28")
{
    return composeLine({.date = "2026-07-11",
                        .time = "12:34",
                        .bandColumn = " 14000",
                        .modeColumn = " CW ",
                        .op = "QZ1ABC",
                        .rstSent = "599",
                        .exchangeSent = "28",
                        .call = call,
                        .rstReceived = "599",
                        .exchangeReceived = exchange});
}

std::map<std::string, int> linesIn(const TempFolder& folder)
{
    std::map<std::string, int> count;
    const std::string content = folder.read(std::string(kLogFileName));
    if (!content.empty())
        for (const auto& line : files::splitLines(content))
            if (!line.empty())
                ++count[line];
    return count;
}

TEST(ShareMessages, AnEventTravelsWholeAndAnythingElseIsDropped)
{
    const ShareEvent event{.computer = "PC-2",
                           .sequence = 7,
                           .stamp = 12,
                           .kind = ShareKind::Correct,
                           .qso = {"PC-1", 3},
                           .line = qsoLine("DL1ABC")};
    const auto received = decodeEvent("QZ5KV", eventTopic("QZ5KV", event), encodeEvent(event, 1783770000123));
    ASSERT_TRUE(received);
    EXPECT_EQ(received->event, event);
    EXPECT_EQ(received->sentAt, 1783770000123);

    const std::string topic = eventTopic("QZ5KV", event);
    const std::string good = encodeEvent(event, 1);
    std::string withControlByte = good;
    withControlByte[withControlByte.size() - 5] = '\0';
    const std::vector<std::pair<std::string, std::string>> refused{
        {eventTopic("OTHER", event), good},                       // another station
        {"qz5kv/QZ5KV/qso/PC-2/07", good},                        // a number written two ways
        {"qz5kv/QZ5KV/qso/PC-2/99999999999999999999", good},      // out of range
        {"qz5kv/QZ5KV/qso/P+C/7", good},                          // a wildcard in a name
        {"qz5kv/QZ5KV/qso/PC-2/7/x", good},                       // deeper
        {topic, good.substr(0, good.size() - 1)},                 // a short line
        {topic, withControlByte},                                 // a byte out of place
        {topic, good + std::string(kMaxShareMessage, ' ')},       // too long
        {topic, "QZ5KV1 E X 12 PC-1 3 1\n" + qsoLine("DL1ABC")},  // an unknown kind
        {topic, "QZ5KV1 E D 12 PC-1 3 1\n" + qsoLine("DL1ABC")},  // a deletion with a line
        {topic, "QZ5KV1 E A 12 PC-1 3 1\n" + qsoLine("DL1ABC")},  // an addition named otherwise
        {topic, "QZ5KV1 E C 12 PC-1 3\n" + qsoLine("DL1ABC")},    // a word missing
        {topic, ""},
    };
    for (const auto& [badTopic, message] : refused)
        EXPECT_FALSE(decodeEvent("QZ5KV", badTopic, message)) << badTopic << " | " << message;
}

TEST(SharePeers, OnlyAClockHeardJustNowAndFarOffIsSaidToDiffer)
{
    SharePeers peers("HERE");
    const std::int64_t now = 1783770000000;
    const auto online = [](const char* computer, std::int64_t clock) {
        return Presence{.computer = computer, .utcMilliseconds = clock, .online = true, .qsos = 0, .lastLine = {}};
    };
    // Kept by the broker for an hour: it tells nothing of the clock now.
    peers.heard(online("OLD", now - 3600000), now, false);
    peers.heard(online("NEAR", now + 1900), now, true);
    peers.heardEvent("FAR", now - 2500, now, true);
    peers.heard(online("FAR", now - 2600), now, true);
    peers.heard(online("HERE", now - 9000), now, true);
    EXPECT_EQ(peers.online(), 3);  // the kept one waits for its heartbeat
    EXPECT_EQ(peers.clockDifferences(), (std::map<std::string, std::int64_t>{{"FAR", -2600}}));
    peers.lostBroker();
    EXPECT_EQ(peers.online(), 0);
    EXPECT_TRUE(peers.clockDifferences().empty());

    // Names made from any host name are names a topic can carry.
    for (const std::string& host :
         std::vector<std::string>{"station-1.club.example", "", "ąę+#/ x", std::string(80, 'A')})
        EXPECT_TRUE(isShareName(newComputerName(host, 0xDEADBEEF))) << host;
    EXPECT_EQ(newComputerName("shack.local", 0xDEADBEEF), "shack-deadbeef");
}

// Computers that make changes while their messages are lost, repeated and
// reordered, and then receive everything: every log holds the same QSOs,
// each once, none lost that was not deleted.
TEST(ShareState, TwelveComputersAgreeWhateverTheNetworkDoes)
{
    constexpr int kComputers = 12;
    std::mt19937 random(20260711);
    std::vector<std::unique_ptr<TempFolder>> folders;
    std::vector<std::unique_ptr<LogFile>> logs;
    std::vector<std::unique_ptr<SharedLog>> shared;
    for (int i = 0; i < kComputers; ++i) {
        folders.push_back(std::make_unique<TempFolder>());
        logs.push_back(std::make_unique<LogFile>(folders.back()->path()));
        logs.back()->createIfMissing();
        shared.push_back(std::make_unique<SharedLog>(*logs.back(), "PC" + std::to_string(i), "HERE"));
    }
    std::vector<ShareEvent> sent;
    std::set<std::string> deletedCalls;
    int calls = 0;
    for (int round = 0; round < 400; ++round) {
        const auto at = static_cast<std::size_t>(random() % kComputers);
        std::vector<ShareEvent> made;
        const auto lines = linesIn(*folders[at]);
        const auto choice = random() % 10;
        if (choice < 6 || lines.empty()) {
            const std::string line = qsoLine("CALL" + std::to_string(++calls));
            made = shared[at]->stored(line, logs[at]->append(line));
        } else {
            auto pick = lines.begin();
            std::advance(pick, random() % lines.size());
            const std::string line = pick->first;
            if (choice < 9) {
                const std::string exchange = std::to_string(1 + random() % 90);
                made = shared[at]
                           ->rewrite(line,
                                     [&](const std::string& old) {
                                         return withField(old, Field::ReceivedExchange, exchange);
                                     })
                           .events;
            } else {
                made = shared[at]->rewrite(line, [](const std::string&) { return std::nullopt; }).events;
                deletedCalls.insert(callOf(line));
            }
        }
        sent.insert(sent.end(), made.begin(), made.end());
        // The network: each message reaches each other computer with some
        // luck, sometimes twice, in batches of any order.
        for (int to = 0; to < kComputers; ++to) {
            std::vector<ShareEvent> delivered;
            for (const ShareEvent& event : made)
                for (auto copies = random() % 3; copies > 0; --copies)
                    delivered.push_back(event);
            std::shuffle(delivered.begin(), delivered.end(), random);
            shared[static_cast<std::size_t>(to)]->receive(delivered);
        }
    }
    // Everyone connects again and receives what the broker keeps, twice over.
    for (int pass = 0; pass < 2; ++pass)
        for (auto& computer : shared) {
            std::shuffle(sent.begin(), sent.end(), random);
            computer->receive(sent);
        }
    const auto first = linesIn(*folders[0]);
    std::map<std::string, int> callsSeen;
    for (const auto& [line, count] : first)
        callsSeen[callOf(line)] += count;
    for (int i = 1; i <= calls; ++i) {
        const std::string call = "CALL" + std::to_string(i);
        EXPECT_EQ(callsSeen[call], deletedCalls.contains(call) ? 0 : 1) << call;
    }
    for (std::size_t i = 1; i < folders.size(); ++i)
        EXPECT_EQ(linesIn(*folders[i]), first) << "computer " << i;
}

// A line whose trailing blanks an editor trimmed was taken as one that cannot
// travel: adopted, it stayed here; corrected, it was deleted elsewhere; and
// another computer's change never found it.
TEST(SharedLog, LinesTrimmedByAnEditorTravelWholeAndAreFoundAgain)
{
    TempFolder folder;
    const LogFile log(folder.path());
    log.createIfMissing();
    SharedLog(log, "PC1", "MACHINE");
    // Stored beyond the journal's end, then trimmed by an editor.
    folder.write(std::string(kLogFileName), test::trimmedByAnEditor(qsoLine("SP1AAA")) + "\r\n" +
                                                test::trimmedByAnEditor(qsoLine("SP2BBB")) + "\r\n");
    SharedLog shared(log, "PC1", "MACHINE");
    EXPECT_EQ(shared.recovery().adopted, 2U);
    EXPECT_EQ(shared.state().events().front().line, qsoLine("SP1AAA"));

    const SharedLog::Change corrected =
        shared.rewrite(test::trimmedByAnEditor(qsoLine("SP1AAA")),
                       [](const std::string& line) { return withField(line, Field::Call, "SP1XXX"); });
    ASSERT_EQ(corrected.events.size(), 1U);
    EXPECT_EQ(corrected.events[0].kind, ShareKind::Correct);
    EXPECT_EQ(corrected.events[0].line, qsoLine("SP1XXX"));

    shared.receive(
        {{.computer = "PC2", .sequence = 1, .stamp = 9, .kind = ShareKind::Delete, .qso = {"PC1", 2}, .line = {}}});
    EXPECT_EQ(folder.read(std::string(kLogFileName)), qsoLine("SP1XXX") + "\r\n");
}

TEST(SharedLogRecovery, ACrashBetweenTheFilesNeitherLosesNorDoubles)
{
    TempFolder folder;
    const LogFile log(folder.path());
    log.createIfMissing();
    const ShareEvent fromOther{.computer = "PC2",
                               .sequence = 1,
                               .stamp = 1,
                               .kind = ShareKind::Add,
                               .qso = {"PC2", 1},
                               .line = qsoLine("SP1AAA")};
    {
        SharedLog shared(log, "PC1", "HERE");
        // The journal holds the other computer's QSO, the log does not yet.
        const test::FileFault full(files::Op::Write, ENOSPC, std::string(kLogFileName));
        EXPECT_THROW(shared.receive({fromOther}), IoError);
    }
    {
        SharedLog shared(log, "ignored-the-journal-names-it", "HERE");
        EXPECT_EQ(shared.computer(), "PC1");
        EXPECT_EQ(shared.recovery().redone, 1U);
        EXPECT_TRUE(shared.receive({fromOther}).empty());
    }
    // A QSO stored here reached the log, the journal never heard of it; and
    // a batch of the journal was cut short in the middle of a record.
    log.append(qsoLine("SP2BBB"));
    folder.write(std::string(kShareJournalName),
                 folder.read(std::string(kShareJournalName)) + "E PC2 2 2 A PC2 2 " + qsoLine("SP3"));
    {
        SharedLog shared(log, "PC1", "HERE");
        EXPECT_EQ(shared.recovery().adopted, 1U);
        ASSERT_EQ(shared.state().events().size(), 2U);
        EXPECT_EQ(shared.state().events().back().line, qsoLine("SP2BBB"));
        EXPECT_EQ(shared.state().events().back().computer, "PC1");
    }
    EXPECT_EQ(linesIn(folder), (std::map<std::string, int>{{qsoLine("SP1AAA"), 1}, {qsoLine("SP2BBB"), 1}}));
    // Opened again, nothing more happens; a log changed by a copy that does
    // not share is said to be so and taken as it is.
    EXPECT_EQ(SharedLog(log, "PC1", "HERE").recovery().adopted, 0U);
    log.rewrite(qsoLine("SP1AAA"), [](const std::string&) { return std::nullopt; });
    EXPECT_TRUE(SharedLog(log, "PC1", "HERE").recovery().changedOutside);
    EXPECT_FALSE(SharedLog(log, "PC1", "HERE").recovery().changedOutside);
}

// The journal keeps the machine beside the name: a restart keeps the name, a
// folder copied whole to another machine shares under a new one.
TEST(SharedLogOwner, AnOlderJournalKeepsItsNameAndItsCopyElsewhereTakesANewOne)
{
    TempFolder folder;
    const LogFile log(folder.path());
    log.createIfMissing();
    const LogPrint empty = printOf("");
    const std::string print = std::to_string(empty.size) + " " + std::to_string(empty.hash);
    folder.write(std::string(kShareJournalName), "N OLD\nB " + print + " " + print + "\n");
    EXPECT_EQ(SharedLog(log, "NEW", "HERE").computer(), "OLD");
    EXPECT_EQ(SharedLog(log, "NEW", "HERE").computer(), "OLD");
    const SharedLog copy(log, "NEW", "ELSEWHERE");
    EXPECT_EQ(copy.computer(), "NEW");
    EXPECT_EQ(copy.recovery().formerName, "OLD");
    EXPECT_EQ(SharedLog(log, "OTHER", "ELSEWHERE").computer(), "NEW");
}

}  // namespace
}  // namespace qz
