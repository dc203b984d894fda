#include "line_columns.h"
#include "log_file.h"
#include "log_join.h"
#include "log_line.h"
#include "temp_folder.h"
#include "text.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

std::string qso(const std::string& call, const std::string& time = "12:34")
{
    return composeLine({"2026-07-11", time, std::string(*bandColumnFor("20M")), std::string(*modeColumnFor("CW")),
                        "QZ1ABC", "599", "28", call, "599", "KRU"});
}

const std::string kA = qso("SP1AAA");
const std::string kB = qso("SP2BBB");
const std::string kC = qso("SP3CCC");

// A log an editor trimmed on either side would join the same QSOs again.
TEST(LogJoin, ALineTrimmedByAnEditorIsItsEightySixColumns)
{
    const std::string trimmed = test::trimmedByAnEditor(kA);
    EXPECT_TRUE(linesToJoin({trimmed}, kA + "\r\n").empty());
    EXPECT_EQ(linesToJoin({kA}, trimmed + "\r\n" + trimmed), std::vector<std::string>{kA});
}

TEST(LogJoin, AddsALineAsManyTimesAsTheOtherLogHasItMore)
{
    const std::vector<std::string_view> own{kA, kB, kB, "short line"};
    // C: 2 there, none here; B: 3 there, 2 here; A: 2 there, 1 here.
    const std::string other = kC + "\r\n" + kB + "\r\n" + kA + "\n" + kB + "\r" + kB + "\r\n" + kA + "\r\n" + kC;
    EXPECT_EQ(linesToJoin(own, other), (std::vector<std::string>{kC, kB, kA, kC}));
    EXPECT_TRUE(linesToJoin(own, kA + "\r\n" + kB + "\r\n" + kB + "\r\n").empty());
}

TEST(LogJoin, TakesOnlyThePlausibleLinesOfDamagedBytes)
{
    const std::string undefined = replacedColumns(qso("SP4DDD"), 56, "SP4\x81\x98");
    const std::string damaged[] = {
        replacedColumns(kB, 60, std::string(1, '\0')),  // a NUL in the call
        kB + " ",                                       // 87 columns
        kB + std::string(std::size_t{2} * 1024 * 1024, 'x'),
        replacedColumns(kB, 9, "x1"),  // no date
        replacedColumns(kB, 13, "\t"),
        "\x01\x7f\x1b",
        "",
    };
    std::string other = kA + "\n";
    for (const std::string& line : damaged)
        other += line + "\r\n";
    other += undefined;  // bytes Windows-1250 leaves undefined are bytes like any
    EXPECT_EQ(linesToJoin({}, other), (std::vector<std::string>{kA, undefined}));
    EXPECT_TRUE(linesToJoin({}, std::string(100'000, '\x01') + kA).empty());  // junk without a line end
}

// The log is rewritten whole, the backup (the log byte for byte) first; an
// empty log gains no empty line before the joined ones, and a join that adds
// nothing writes nothing.
TEST(LogJoin, WritesTheBackupAndTheLogOnlyWhenItAddsLines)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "");
    folder.write("other.zrv", kC + "\r\n" + kA + "\n" + kC);
    const LogFile log(folder.path());
    EXPECT_EQ(log.join(folder / "other.zrv"), 3u);
    EXPECT_EQ(folder.read("IARU_log.zrv"), kC + "\r\n" + kA + "\r\n" + kC + "\r\n");
    EXPECT_EQ(folder.read("IARU_log.zr~"), "");
    EXPECT_FALSE(folder.exists("temporary.zrv"));

    folder.write("IARU_log.zr~", "untouched");
    EXPECT_EQ(log.join(folder / "other.zrv"), 0u);
    EXPECT_EQ(folder.read("IARU_log.zr~"), "untouched");
}

}  // namespace
}  // namespace qz
