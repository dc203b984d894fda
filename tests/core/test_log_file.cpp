#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "headquarters.h"
#include "log_file.h"
#include "log_line.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

std::string qso(const std::string& op, const std::string& call, const std::string& band, const std::string& mode,
                const std::string& time = "12:34")
{
    return composeLine({"2026-07-11", time, std::string(*bandColumnFor(band)), std::string(*modeColumnFor(mode)), op,
                        "599", "28", call, "599", "KRU"});
}

// The lines as the log's readers take them: views of the strings in `lines`.
std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines) { return {lines.begin(), lines.end()}; }

TEST(LogFile, CreatesAnEmptyLogOnlyWhenMissing)
{
    TempFolder folder;
    const LogFile log(folder.path());
    EXPECT_TRUE(log.createIfMissing());
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
    folder.write("IARU_log.zrv", "x\r\n");
    EXPECT_FALSE(log.createIfMissing());
    EXPECT_EQ(folder.read("IARU_log.zrv"), "x\r\n");
}

// The backup of an empty log was one empty line.
TEST(LogFile, BackupIsTheLogByteForByteAsItWasBeforeEachAppend)
{
    TempFolder folder;
    const LogFile log(folder.path());
    log.createIfMissing();
    log.append("FIRST");
    EXPECT_EQ(folder.read("IARU_log.zr~"), "");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "FIRST\r\n");
    log.append("SECOND");
    EXPECT_EQ(folder.read("IARU_log.zr~"), "FIRST\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "FIRST\r\nSECOND\r\n");
}

TEST(LogFile, AppendNeverGluesOntoALastLineWithoutItsEnd)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "EDITED BY HAND");
    LogFile(folder.path()).append("NEW");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "EDITED BY HAND\r\nNEW\r\n");
    EXPECT_EQ(folder.read("IARU_log.zr~"), "EDITED BY HAND");
}

// A disk that filled up in the middle of the line left its first bytes in the
// log, and the next append closed them into a broken line.
TEST(LogFile, AFailedAppendLeavesTheLogByteForByte)
{
    const struct {
        const char* name;
        files::Op op;
        int error;
    } faults[] = {{"short write", files::Op::PartialWrite, ENOSPC},
                  {"failed write", files::Op::Write, ENOSPC},
                  {"failed sync", files::Op::Sync, EIO}};
    for (const auto& fault : faults) {
        for (const std::string before : {"EDITED BY HAND", "A\r\nB\r\n"}) {
            SCOPED_TRACE(std::string(fault.name) + " after [" + before + "]");
            TempFolder folder;
            folder.write("IARU_log.zrv", before);
            const LogFile log(folder.path());
            files::setFaultHook([&](files::Op op, const files::Path& path) {
                return op == fault.op && path.filename() == "IARU_log.zrv" ? fault.error : 0;
            });
            try {
                log.append(qso("QZ1ABC", "SP1AAA", "20M", "CW"));
                ADD_FAILURE() << "the append did not fail";
            } catch (const IoError& error) {
                EXPECT_EQ(error.code(), fault.error);
            }
            files::setFaultHook({});
            EXPECT_EQ(folder.read("IARU_log.zrv"), before);
            log.append(qso("QZ1ABC", "SP1AAA", "20M", "CW"));
            EXPECT_EQ(folder.read("IARU_log.zrv"),
                      files::withCrLfLines(before) + qso("QZ1ABC", "SP1AAA", "20M", "CW") + "\r\n");
        }
    }
}

TEST(LogFile, AppendToAMissingLogFailsWithoutCreatingIt)
{
    TempFolder folder;
    EXPECT_THROW(LogFile(folder.path()).append("NEW"), IoError);
    EXPECT_FALSE(folder.exists("IARU_log.zrv"));
}

TEST(LogFile, WindowsBytesAndCrLfSurviveARoundTrip)
{
    TempFolder folder;
    const std::string polish = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    folder.write("IARU_log.zrv", polish + "\r\n");
    const LogFile log(folder.path());
    EXPECT_EQ(log.readLines(), std::vector<std::string>{polish});
    log.append(polish);
    EXPECT_EQ(folder.read("IARU_log.zrv"), polish + "\r\n" + polish + "\r\n");
}

TEST(OperatorViewTest, ShowsOnlyTheOperatorsLinesSorted)
{
    const std::vector<std::string> log{qso("QZ1ABC", "SP1A", "20M", "CW", "13:00"), qso("QZ2XYZ", "SP2B", "20M", "CW"),
                                       qso("QZ1ABC", "SP3C", "40M", "SSB", "12:00"), "", "short"};
    const std::vector<std::string_view> view = operatorLines(viewsOf(log), "QZ1ABC");
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view[0], log[2]);
    EXPECT_EQ(view[1], log[0]);
    EXPECT_EQ(view[0].data(), log[2].data()) << "the view shows the log's own bytes, not a copy";
    EXPECT_EQ(operatorLines(viewsOf(log), "QZ2XYZ"), std::vector<std::string_view>{log[1]});
    EXPECT_EQ(operatorLines(viewsOf(log), ""), (std::vector<std::string_view>{"", "short"}));
}

TEST(HeadquartersSlotsTest, CountDistinctBandModePairsOfTheOperator)
{
    const std::vector<std::string> log{qso("QZ1ABC", "QZ5KV", "20M", "CW"), qso("QZ2XYZ", "QZ5KV", "40M", "CW")};
    HeadquartersSlots slots(viewsOf(log), "QZ1ABC");
    EXPECT_FALSE(slots.add(qso("QZ1ABC", "QZ5KV", "20M", "CW", "13:00")));
    EXPECT_TRUE(slots.add(qso("QZ1ABC", "QZ5KV", "20M", "SSB")));
    EXPECT_FALSE(slots.add(qso("QZ1ABC", "SP1A", "40M", "SSB")));
    EXPECT_EQ(slots.keys(), (std::vector<std::string>{" 14000 CW ", " 14000 PH "}));
}

TEST(HeadquartersSlotsTest, BannerNeedsExactlyTwelve)
{
    std::vector<std::string> log;
    for (const char* band : {"160M", "80M", "40M", "20M", "15M", "10M"})
        for (const char* mode : {"SSB", "CW"})
            log.push_back(qso("QZ1ABC", "QZ5KV", band, mode));
    EXPECT_TRUE(HeadquartersSlots(viewsOf(log), "QZ1ABC").allWorked());
    log.pop_back();
    EXPECT_FALSE(HeadquartersSlots(viewsOf(log), "QZ1ABC").allWorked());
    log.push_back(qso("QZ1ABC", "QZ5KV", "10M", "CW"));
    std::string twoMetre = log.back();
    twoMetre.replace(16, 6, "144000");
    log.push_back(twoMetre);
    const HeadquartersSlots thirteen(viewsOf(log), "QZ1ABC");
    EXPECT_EQ(thirteen.keys().size(), 13u);
    EXPECT_FALSE(thirteen.allWorked());
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

TEST(LogArchive, CopiesTheLogLineByLineThenEmptiesIt)
{
    TempFolder folder;
    const LogFile log(folder.path());
    folder.write("IARU_log.zrv", "A\r\nB\nC");
    log.archiveTo(folder / "archive.zrv");
    EXPECT_EQ(folder.read("archive.zrv"), "A\r\nB\r\nC\r\n");
    log.startAfresh();
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
    log.archiveTo(folder / "empty.zrv");
    EXPECT_EQ(folder.read("empty.zrv"), "\r\n");
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

TEST(LogArchive, AFailedCopyLeavesTheLogAndAnyOldArchive)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "QSO\r\n");
    folder.write("archive.zrv", "OLD\r\n");
    {
        const test::FileFault full(files::Op::Sync, ENOSPC);
        EXPECT_THROW(LogFile(folder.path()).archiveTo(folder / "archive.zrv"), IoError);
    }
    EXPECT_EQ(folder.read("archive.zrv"), "OLD\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "QSO\r\n");
}

TEST(LogArchive, RecognisesItsOwnFilesUnderOtherSpellings)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "");
    std::filesystem::create_directory(folder / "sub");
    const LogFile log(folder.path());
    EXPECT_TRUE(log.isOwnFile(folder / "IARU_log.zrv"));
    EXPECT_TRUE(log.isOwnFile(folder / "sub" / ".." / "IARU_log.zrv"));
    EXPECT_TRUE(log.isOwnFile(folder / "." / "IARU_log.zr~"));
    EXPECT_TRUE(log.isOwnFile(folder / "sub" / ".." / "temporary.zrv"));
#ifdef _WIN32
    // Windows lets only privileged users make symbolic links, but every name
    // there is the same file in any letter case.
    EXPECT_TRUE(log.isOwnFile(folder / "iaru_LOG.ZRV"));
    EXPECT_TRUE(log.isOwnFile(folder / "TEMPORARY.ZRV"));
#else
    std::filesystem::create_symlink(folder / "IARU_log.zrv", folder / "link.zrv");
    EXPECT_TRUE(log.isOwnFile(folder / "link.zrv"));
#endif
    EXPECT_FALSE(log.isOwnFile(folder / "archive.zrv"));
    EXPECT_FALSE(log.isOwnFile(folder / "sub" / "IARU_log.zrv"));
}

TEST(LogArchive, ProposedNameCarriesTheLastQsoDate)
{
    EXPECT_EQ(proposedArchiveName({"2026-07-12 0001 x", "2026-07-11 2359 y", "", "garbage"}),
              "IARU_log_2026-07-12.zrv");
    EXPECT_EQ(proposedArchiveName({""}), "IARU_log_archiwum.zrv");
}

TEST(LogArchive, ALogThatCannotBeReadIsProposedWithoutADate)
{
    TempFolder folder;
    const LogFile log(folder.path());
    EXPECT_EQ(log.proposedArchiveName(), "IARU_log_archiwum.zrv");
    std::filesystem::create_directory(folder / "IARU_log.zrv");
    EXPECT_EQ(log.proposedArchiveName(), "IARU_log_archiwum.zrv");
}

}  // namespace
}  // namespace qz
