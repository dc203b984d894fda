// The logbook without any window: what it holds after each change, what it
// tells its observers, and that a failed write changes nothing it holds.

#include "call_list.h"
#include "contest_fixtures.h"
#include "failure_box.h"
#include "file_faults.h"
#include "logbook.h"
#include "temp_folder.h"

#include <QSignalSpy>
#include <cerrno>
#include <gtest/gtest.h>

namespace qz::ui {
namespace {

using test::contestQso;

constexpr const char* kOperators = "QZ1ABC,A\r\nQZ2XYZ,B\r\n";

std::vector<std::string> viewOf(const Logbook& logbook)
{
    const auto& lines = logbook.view().lines();
    return {lines.begin(), lines.end()};
}

TEST(Logbook, StoreCorrectAndDeleteKeepEverythingItHoldsInStepWithTheFile)
{
    test::TempFolder folder;
    const std::string mine = contestQso("QZ1ABC", "SP1A", "20M", "CW", "15");
    const std::string hq = contestQso("QZ1ABC", "QZ5KV", "20M", "CW", "KRU", "12:05");
    const std::string theirs = contestQso("QZ2XYZ", "SP1A", "20M", "CW", "15");
    folder.write("QZ5KV_stationbook.ini", kOperators);
    folder.write("IARU_log.zrv", mine + "\r\n" + theirs + "\r\n");
    Logbook logbook(folder.path());
    logbook.load();
    EXPECT_EQ(logbook.currentOperator(), "QZ1ABC");
    EXPECT_EQ(viewOf(logbook), std::vector<std::string>{mine});

    QSignalSpy stored(&logbook, &Logbook::stored);
    EXPECT_EQ(logbook.store(hq), 1);
    EXPECT_EQ(stored.count(), 1);
    EXPECT_EQ(folder.read("IARU_log.zrv"), mine + "\r\n" + theirs + "\r\n" + hq + "\r\n");
    EXPECT_EQ(logbook.headquartersSlots().keys().size(), 1u);
    EXPECT_EQ(logbook.workedBefore().verdict("QZ5KV", " 1", "CW"), WorkedVerdict::OtherSlot);

    // A correction reloads the view; the other operator's line is left alone.
    const auto changed =
        logbook.correct(mine, [](const std::string& line) { return withField(line, Field::Call, "SP9Z"); });
    ASSERT_TRUE(changed);
    EXPECT_EQ(viewOf(logbook), (std::vector<std::string>{*changed, hq}));
    EXPECT_TRUE(logbook.workedBefore().qsos("SP1A").empty());

    QSignalSpy deleted(&logbook, &Logbook::deleted);
    logbook.remove(hq, 1);
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(viewOf(logbook), std::vector<std::string>{*changed});
    EXPECT_EQ(folder.read("IARU_log.zrv"), *changed + "\r\n" + theirs + "\r\n");
    EXPECT_TRUE(logbook.workedBefore().qsos("QZ5KV").empty());
}

TEST(Logbook, AFailedStoreLeavesTheViewAndTheIndexAsTheFileIs)
{
    test::TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", kOperators);
    Logbook logbook(folder.path());
    logbook.load();
    std::filesystem::remove(folder / "IARU_log.zrv");
    std::filesystem::create_directory(folder / "IARU_log.zrv");
    EXPECT_THROW(logbook.store(contestQso("QZ1ABC", "SP1A", "20M", "CW", "15")), std::exception);
    EXPECT_EQ(logbook.view().count(), 0);
    EXPECT_TRUE(logbook.workedBefore().qsos("SP1A").empty());
}

TEST(Logbook, WhileTheContestIsCountedItFollowsEveryChangeOfTheWholeLog)
{
    test::TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", kOperators);
    folder.write("IARU_log.zrv", contestQso("QZ2XYZ", "DL1A", "20M", "CW", "28") + "\r\n");
    Logbook logbook(folder.path());
    logbook.load();
    EXPECT_EQ(logbook.contestCount(), nullptr);
    logbook.countContest(nullptr);
    const ContestCount* count = logbook.contestCount();
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->tally.stationRate().inLast(60), 1);
    EXPECT_TRUE(count->loggedCalls.contains("DL1A"));
    EXPECT_FALSE(count->operatorCalls.contains("DL1A"));

    logbook.store(contestQso("QZ1ABC", "OK1A", "20M", "CW", "28", "12:01"));
    EXPECT_EQ(count->tally.stationRate().inLast(60), 2);
    EXPECT_EQ(count->tally.score().summary().total.qsos, 1);
    EXPECT_TRUE(count->loggedCalls.contains("OK1A"));
    EXPECT_TRUE(count->operatorCalls.contains("OK1A"));

    // Another operator is counted from the lines already held.
    QSignalSpy counted(&logbook, &Logbook::counted);
    logbook.selectOperator(1);
    EXPECT_EQ(counted.count(), 1);
    EXPECT_EQ(count->tally.op(), "QZ2XYZ");
    EXPECT_EQ(count->tally.score().summary().total.qsos, 1);
    EXPECT_TRUE(count->operatorCalls.contains("DL1A"));
    EXPECT_FALSE(count->operatorCalls.contains("OK1A"));

    // Not counted, nothing of the count is there to be read.
    logbook.stopCountingContest();
    EXPECT_EQ(logbook.contestCount(), nullptr);
}

TEST(Logbook, DeletingOneOfTwoEqualCallsignsTakesThatEntryAndKeepsTheCurrentOne)
{
    test::TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,first\r\nQZ1ABC,second\r\nQZ2XYZ,B\r\n");
    Logbook logbook(folder.path());
    logbook.load();
    logbook.selectOperator(1);
    logbook.deleteOperator(0);
    EXPECT_EQ(logbook.currentIndex(), 0);
    EXPECT_EQ(logbook.operators().records(), (std::vector<std::string>{"QZ1ABC,second", "QZ2XYZ,B"}));

    QSignalSpy changed(&logbook, &Logbook::operatorChanged);
    logbook.deleteOperator(0);
    EXPECT_EQ(logbook.currentIndex(), -1);
    EXPECT_EQ(changed.count(), 1);

    // A new record sorts in before the current operator, which stays current.
    logbook.selectOperator(0);
    EXPECT_EQ(logbook.saveOperator("QZ0AA,new"), 0);
    EXPECT_EQ(logbook.currentOperator(), "QZ2XYZ");
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ0AA,new\r\nQZ2XYZ,B\r\n");
}

// A correction or deletion whose rewrite of the log failed was reported, yet
// stayed in the journal: it was made at the next start and sent to the
// other computers.
TEST(Logbook, AFailedCorrectionOrDeletionWhileSharingNeverHappensLater)
{
    test::TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", kOperators);
    const std::string mine = contestQso("QZ1ABC", "SP1A", "20M", "CW", "15");
    const auto toSp9z = [](const std::string& line) { return withField(line, Field::Call, "SP9Z"); };
    {
        Logbook logbook(folder.path());
        logbook.load();
        logbook.startSharing("PC1", "MACHINE");
        logbook.store(mine);
        const std::string journal = folder.read("QZ5KV_stationbook_share.jrn");
        QSignalSpy shared(&logbook, &Logbook::shared);
        {
            const test::FileFault renameFails(files::Op::Rename, EIO, "IARU_log.zrv");
            EXPECT_THROW(logbook.correct(mine, toSp9z), IoError);
            EXPECT_THROW(logbook.remove(mine, 0), IoError);
        }
        EXPECT_EQ(shared.count(), 0);
        EXPECT_EQ(folder.read("QZ5KV_stationbook_share.jrn"), journal);
        EXPECT_EQ(logbook.sharedLog()->state().events().size(), 1u);
        EXPECT_EQ(viewOf(logbook), std::vector<std::string>{mine});
    }
    Logbook again(folder.path());
    again.load();
    EXPECT_EQ(again.startSharing("PC1", "MACHINE").redone, 0u);
    EXPECT_EQ(folder.read("IARU_log.zrv"), mine + "\r\n");
    // What follows takes the number that the failed change never used.
    again.correct(mine, toSp9z);
    EXPECT_EQ(again.sharedLog()->state().events().back().sequence, 2u);
}

// Restored from its backup, a shared log gets the QSO that the backup lacks
// from the journal.
TEST(Logbook, AVanishedSharedLogIsRestoredWithItsLastQsoFromTheJournal)
{
    test::TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", kOperators);
    const std::string first = contestQso("QZ1ABC", "SP1A", "20M", "CW", "15");
    const std::string last = contestQso("QZ1ABC", "SP2B", "20M", "CW", "15", "12:01");
    Logbook logbook(folder.path());
    logbook.load();
    logbook.startSharing("PC1", "MACHINE");
    logbook.store(first);
    logbook.store(last);
    std::filesystem::remove(folder / "IARU_log.zrv");
    try {
        logbook.store(contestQso("QZ1ABC", "SP3C", "20M", "CW", "15", "12:02"));
        ADD_FAILURE() << "stored without a log";
    } catch (const MendableFailure& gone) {
        EXPECT_EQ(gone.code(), ENOENT);
        gone.mend()();
    }
    EXPECT_EQ(folder.read("IARU_log.zrv"), first + "\r\n" + last + "\r\n");
    EXPECT_EQ(viewOf(logbook), (std::vector<std::string>{first, last}));
}

}  // namespace
}  // namespace qz::ui
