#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

TEST(Files, SplitLinesHandlesEveryLineEnd)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(files::splitLines(""), V{""});
    EXPECT_EQ(files::splitLines("\r\n"), V{""});
    EXPECT_EQ(files::splitLines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(files::splitLines("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(files::splitLines("a\rb\r"), (V{"a", "b"}));
    EXPECT_EQ(files::splitLines("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(files::splitLines(std::string("a\0b\r\n", 5)), V{std::string("a\0b", 3)});
}

TEST(Files, JoinWritesCrLfAfterEveryLine)
{
    EXPECT_EQ(files::joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(files::joinLines({}), "");
}

TEST(Files, FailuresCarryTheStandardTextAndTheFile)
{
    TempFolder folder;
    try {
        files::readAll(folder / "missing.zrv");
        FAIL() << "a missing file was read";
    } catch (const IoError& error) {
        EXPECT_STREQ(error.what(), "File not found");
        EXPECT_EQ(error.path(), folder / "missing.zrv");
    }
    std::filesystem::create_directory(folder / "IARU_log.zrv");
    EXPECT_THROW(files::readAll(folder / "IARU_log.zrv"), IoError);
    EXPECT_THROW(files::appendDurably(folder / "IARU_log.zrv", "x"), IoError);
    EXPECT_THROW(files::removeFile(folder / "IARU_log.zrv"), IoError);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "IARU_log.zrv"));
}

TEST(Files, StandardTexts)
{
    EXPECT_EQ(IoError::standardText(ENOENT), "File not found");
    EXPECT_EQ(IoError::standardText(EACCES), "File access denied");
    EXPECT_EQ(IoError::standardText(ENOSPC), "Disk full");
    EXPECT_EQ(IoError::standardText(EIO), "I/O error 5");
}

TEST(Files, AtomicReplaceLeavesTheOldFileOnEveryFailure)
{
    TempFolder folder;
    folder.write("target", "old\r\n");
    for (const files::Op failing : {files::Op::Open, files::Op::Write, files::Op::Sync, files::Op::Rename}) {
        {
            const test::FileFault full(failing, ENOSPC);
            EXPECT_THROW(files::replaceAtomically(folder / "target", "new\r\n", folder / "scratch"), IoError);
        }
        EXPECT_EQ(folder.read("target"), "old\r\n");
        EXPECT_FALSE(folder.exists("scratch"));
    }
    files::replaceAtomically(folder / "target", "new\r\n", folder / "scratch");
    EXPECT_EQ(folder.read("target"), "new\r\n");
    EXPECT_FALSE(folder.exists("scratch"));
}

TEST(Files, ReadOnlyFolderRefusesNewFiles)
{
    if (!test::readOnlyFoldersExist())
        GTEST_SKIP() << "a read-only folder does not stop new files here";
#ifndef _WIN32
    TempFolder folder;
    test::makeReadOnly(folder.path());
    EXPECT_TRUE(test::whereFilePermissionsBind([&] {
        try {
            files::replaceAtomically(folder / "target", "x");
        } catch (const IoError& error) {
            return std::string(error.what()) == "File access denied";
        }
        return false;
    }));
    EXPECT_FALSE(folder.exists("target"));
#endif
}

TEST(Files, ToIntAcceptsOnlyWholeNumbers)
{
    EXPECT_EQ(toInt("009"), 9);
    EXPECT_EQ(toInt("-1"), -1);
    EXPECT_EQ(toInt(" 12"), 12);
    for (const char* bad : {"", "1a", "12 ", "JO91", "99999999999", "-"}) {
        try {
            toInt(bad);
            ADD_FAILURE() << bad;
        } catch (const ConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(Files, NextNumberNeverWrapsRound)
{
    EXPECT_EQ(nextNumber("009"), "10");
    EXPECT_EQ(nextNumber("2147483646"), "2147483647");
    EXPECT_EQ(nextNumber("-2147483648"), "-2147483647");
    for (const char* bad : {"2147483647", "+2147483647", "99999999999", "", "1a"}) {
        try {
            nextNumber(bad);
            ADD_FAILURE() << bad;
        } catch (const ConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace qz

namespace qz {
namespace {

TEST(Files, CrLfLinesMatchesSplitAndJoin)
{
    for (const std::string& content :
         std::vector<std::string>{"", "\r\n", "a\r\nb\r\n", "a\r\nb", "a\nb\r\n", "a\rb\r\n", "a\r\n\r", "\r\r\n",
                                  std::string("a\0\r\n", 4)}) {
        SCOPED_TRACE(content);
        EXPECT_EQ(files::withCrLfLines(content), files::joinLines(files::splitLines(content)));
    }
}

// The names go to the system as they are (wide on Windows) and the bytes as
// they are (no text mode adding or dropping CRs).
TEST(Files, WorkInAFolderNamedWithLettersOfAnyAlphabet)
{
    test::TempFolder folder;
    const auto station = folder.path() / std::filesystem::path(u8"Stacja Łódź ✓");
    std::filesystem::create_directory(station);
    const auto log = station / "IARU_log.zrv";
    files::appendDurably(log, "a\r\n");
    files::replaceAtomically(log, files::readAll(log) + "b\n", station / "temporary.zrv");
    files::appendDurably(log, "c\r\n");
    EXPECT_EQ(files::readAll(log), "a\r\nb\nc\r\n");
    EXPECT_FALSE(files::isFile(station / "temporary.zrv"));
    files::removeFile(log);
    EXPECT_FALSE(files::isFile(log));
}

TEST(Files, ReadsAFileThatIsLargerThanOneBuffer)
{
    test::TempFolder folder;
    std::string big(300'000, 'x');
    big[123'456] = '\0';
    folder.write("big", big);
    EXPECT_EQ(files::readAll(folder / "big"), big);
    // A prefix stops at its limit, also past the first buffer, and a limit
    // beyond the end gives the whole file.
    for (const std::size_t limit : {std::size_t{0}, std::size_t{10}, std::size_t{200'000}, std::size_t{400'000}}) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(files::readPrefix(folder / "big", limit), big.substr(0, limit));
    }
}

}  // namespace
}  // namespace qz
