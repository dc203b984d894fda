#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "line_columns.h"
#include "log_corrections.h"
#include "log_file.h"
#include "log_line.h"
#include "temp_folder.h"
#include "text.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <stdexcept>

namespace qz {
namespace {

using test::TempFolder;

std::string qso(const std::string& call, const std::string& mode = "CW", const std::string& rst = "599",
                const std::string& rstReceived = "599")
{
    return composeLine({"2026-07-11", "12:34", std::string(*bandColumnFor("20M")), std::string(*modeColumnFor(mode)),
                        "QZ1ABC", rst, "28", call, rstReceived, "KRU"});
}

// 86 distinct printable bytes, so that any misplaced write shows.
std::string ruler()
{
    std::string line;
    for (int i = 0; i < static_cast<int>(kLineLength); ++i)
        line += static_cast<char>('!' + i);
    return line;
}

std::string expectedWith(std::string line, std::size_t first, const std::string& text)
{
    return line.replace(first - 1, text.size(), text);
}

// ---- the pure line changes ----

struct FieldCase {
    const char* name;
    TypedField field;
    std::size_t first;
    std::string text;
};
void PrintTo(const FieldCase& c, std::ostream* out) { *out << c.name; }

class TypedFieldColumns : public ::testing::TestWithParam<FieldCase> {};

TEST_P(TypedFieldColumns, OverwriteExactlyTheCorrectionColumns)
{
    const FieldCase& c = GetParam();
    const std::string line = ruler();
    const std::string changed = withTypedField(line, c.field, c.text);
    EXPECT_EQ(changed, expectedWith(line, c.first, c.text));
    EXPECT_EQ(currentValue(c.field, changed),
              c.field == TypedField::Date || c.field == TypedField::Time ? c.text : std::string(trimmed(c.text)));
}

INSTANTIATE_TEST_SUITE_P(LogCorrections, TypedFieldColumns,
                         ::testing::Values(FieldCase{"Date", TypedField::Date, 1, "2026-07-12"},
                                           FieldCase{"Time", TypedField::Time, 12, "0959"},
                                           FieldCase{"Call", TypedField::Call, 56, "QZ1ABC       "},
                                           FieldCase{"SentExchange", TypedField::SentExchange, 49, "JO91  "},
                                           FieldCase{"ReceivedExchange", TypedField::ReceivedExchange, 74, "1 2   "}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LogCorrections, CurrentValuesAreTheFieldsOfTheStoredLine)
{
    const std::string line = qso("SP9XYZ");
    EXPECT_EQ(currentValue(TypedField::Date, line), "2026-07-11");
    EXPECT_EQ(currentValue(TypedField::Time, line), "1234");
    EXPECT_EQ(currentValue(TypedField::Call, line), "SP9XYZ");
    EXPECT_EQ(currentValue(TypedField::SentExchange, line), "28");
    EXPECT_EQ(currentValue(TypedField::ReceivedExchange, line), "KRU");
    EXPECT_EQ(currentValue(TypedField::Call, "2026-07-11 1234"), "");
}

struct EntryCase {
    const char* name;
    TypedField field;
    std::string current;
    std::string entry;
    EntryVerdict verdict;
    std::string columns;
};
void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

class Entries : public ::testing::TestWithParam<EntryCase> {};

TEST_P(Entries, AreJudgedAndFitted)
{
    const EntryCase& c = GetParam();
    const EntryJudgement judged = judgeEntry(c.field, c.current, c.entry);
    EXPECT_EQ(judged.verdict, c.verdict);
    EXPECT_EQ(judged.columns, c.columns);
}

INSTANTIATE_TEST_SUITE_P(
    LogCorrections, Entries,
    ::testing::Values(
        EntryCase{"CallUpperCasedAndPadded", TypedField::Call, "SP9XYZ", "qz1abc", EntryVerdict::Change,
                  "QZ1ABC       "},
        EntryCase{"CallOfThirteenFits", TypedField::Call, "SP9XYZ", "VP2V/DL1ABC/M", EntryVerdict::Change,
                  "VP2V/DL1ABC/M"},
        EntryCase{"CallOfFourteenIsNeverCut", TypedField::Call, "SP9XYZ", "VP2V/DL1ABC/MM", EntryVerdict::TooLong, ""},
        EntryCase{"CallTrailingBlanksArePadding", TypedField::Call, "SP9XYZ", "VP2V/DL1ABC/M  ", EntryVerdict::Change,
                  "VP2V/DL1ABC/M"},
        EntryCase{"CallPastedLineBreakDropped", TypedField::Call, "SP9XYZ", "dl2xyz\r\n", EntryVerdict::Change,
                  "DL2XYZ       "},
        EntryCase{"CallSameButCase", TypedField::Call, "SP9XYZ", "sp9xyz", EntryVerdict::Unchanged, ""},
        EntryCase{"CallEmptyBlanksTheField", TypedField::Call, "SP9XYZ", "", EntryVerdict::Change,
                  std::string(13, ' ')},
        // "łódź" in Windows-1250: only the d is raised.
        EntryCase{"PolishLettersKeepTheirCase", TypedField::SentExchange, "28", "\xB3\xF3\x64\x9F",
                  EntryVerdict::Change, "\xB3\xF3\x44\x9F  "},
        EntryCase{"SentExchangeSpacesInsideKept", TypedField::SentExchange, "28", "1 2", EntryVerdict::Change,
                  "1 2   "},
        // As when a new QSO is stored: "p z k" is PZK, and "k r u" is the KRU already there.
        EntryCase{"ReceivedExchangeLosesItsSpaces", TypedField::ReceivedExchange, "KRU", "p z k", EntryVerdict::Change,
                  "PZK   "},
        EntryCase{"ReceivedExchangeSameButSpaces", TypedField::ReceivedExchange, "KRU", "k r u",
                  EntryVerdict::Unchanged, ""},
        EntryCase{"ExchangeOfSevenIsNeverCut", TypedField::SentExchange, "28", "1234567", EntryVerdict::TooLong, ""},
        EntryCase{"ReceivedExchangeOfSixWithSpacesFits", TypedField::ReceivedExchange, "KRU", "a b c d e f",
                  EntryVerdict::Change, "ABCDEF"},
        EntryCase{"DateNew", TypedField::Date, "2026-07-11", "2026-07-12", EntryVerdict::Change, "2026-07-12"},
        EntryCase{"DateSame", TypedField::Date, "2026-07-11", "2026-07-11", EntryVerdict::Unchanged, ""},
        EntryCase{"DateBlanksAroundDropped", TypedField::Date, "2026-07-11", " 2026-07-12 ", EntryVerdict::Change,
                  "2026-07-12"},
        EntryCase{"DateTooShort", TypedField::Date, "2026-07-11", "2026-7-12", EntryVerdict::WrongDate, ""},
        EntryCase{"DateTooLong", TypedField::Date, "2026-07-11", "2026-07-123", EntryVerdict::WrongDate, ""},
        EntryCase{"DateLetters", TypedField::Date, "2026-07-11", "2026-O7-12", EntryVerdict::WrongDate, ""},
        EntryCase{"DateEmpty", TypedField::Date, "2026-07-11", "", EntryVerdict::WrongDate, ""},
        EntryCase{"DateNotInTheCalendar", TypedField::Date, "2026-07-11", "2026-02-30", EntryVerdict::WrongDate, ""},
        EntryCase{"TimeNew", TypedField::Time, "1234", "0959", EntryVerdict::Change, "0959"},
        EntryCase{"TimeSame", TypedField::Time, "1234", "1234", EntryVerdict::Unchanged, ""},
        EntryCase{"TimeWithColon", TypedField::Time, "1234", "09:59", EntryVerdict::WrongTime, ""},
        EntryCase{"TimeThreeDigits", TypedField::Time, "1234", "959", EntryVerdict::WrongTime, ""},
        EntryCase{"TimeLetter", TypedField::Time, "1234", "12a4", EntryVerdict::WrongTime, ""},
        EntryCase{"TimeMinuteAbove59", TypedField::Time, "1234", "2599", EntryVerdict::WrongTime, ""},
        EntryCase{"TimeHourAbove23", TypedField::Time, "1234", "2400", EntryVerdict::WrongTime, ""},
        EntryCase{"TimeLastMinuteOfTheDay", TypedField::Time, "1234", "2359", EntryVerdict::Change, "2359"},
        // A stored value that is itself malformed can still be left alone (Cancel).
        EntryCase{"MalformedStoredTimeKept", TypedField::Time, "12", "12", EntryVerdict::Unchanged, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct ModeCase {
    const char* name;
    std::string mode;
    std::string sent;
    std::string received;
    std::size_t picked;
    std::string letters;
    std::string sentAfter;      // columns 45-48
    std::string receivedAfter;  // columns 70-73
};
void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

class ModeChange : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeChange, SetsLettersAndThirdReportCharacters)
{
    const ModeCase& c = GetParam();
    const std::string before = qso("SP9XYZ", c.mode, c.sent, c.received);
    const std::string after = withMode(before, c.picked);
    EXPECT_EQ(modeLettersOf(after), c.letters);
    EXPECT_EQ(test::storedField(after, Field::SentReport), c.sentAfter);
    EXPECT_EQ(test::storedField(after, Field::ReceivedReport), c.receivedAfter);
    // Put back what the change may touch: the rest must be as it was.
    std::string rest = replacedColumns(after, kModeLetters.first, modeLettersOf(before));
    for (const Field report : {Field::SentReport, Field::ReceivedReport})
        rest = withField(rest, report, fieldOf(before, report));
    EXPECT_EQ(rest, before) << "only the mode letters and the third report characters change";
}

INSTANTIATE_TEST_SUITE_P(LogCorrections, ModeChange,
                         ::testing::Values(ModeCase{"SsbToCw", "SSB", "59", "59", 1, "CW", "599 ", "599 "},
                                           ModeCase{"CwToSsb", "CW", "599", "579", 0, "PH", "59  ", "57  "},
                                           ModeCase{"CwAgainSetsNine", "CW", "578", "579", 1, "CW", "579 ", "579 "}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LogCorrections, BandAndOperatorByTheirColumns)
{
    const std::string line = ruler();
    EXPECT_EQ(withBand(line, 4), expectedWith(line, 17, " 21000"));
    EXPECT_EQ(withBand(line, 0), expectedWith(line, 17, "  1800"));
    EXPECT_EQ(withOperator(line, "QZ2XYZ"), expectedWith(line, 31, "QZ2XYZ       "));
    EXPECT_EQ(withOperator(line, "QZ2ABCDEFGHIJK"), expectedWith(line, 31, "QZ2ABCDEFGHIJ"));
    EXPECT_THROW(withBand(line, 7), std::out_of_range);
}

TEST(LogCorrections, AShortLineIsPaddedSoTheFieldLandsInItsColumns)
{
    const std::string changed = withTypedField("2026-07-11 1234", TypedField::Call, "QZ1ABC       ");
    EXPECT_EQ(changed.size(), 68u);
    EXPECT_EQ(callOf(changed), "QZ1ABC");
}

// ---- the rewrite of the log ----

LogFile::LineChange toCall(const std::string& call)
{
    return [call](const std::string& line) {
        return std::optional<std::string>(
            withTypedField(line, TypedField::Call, judgeEntry(TypedField::Call, "", call).columns));
    };
}

std::optional<std::string> dropped(const std::string&) { return std::nullopt; }

TEST(LogRewrite, ChangesEveryIdenticalLineAndReturnsTheChangedText)
{
    TempFolder folder;
    const std::string a = qso("SP1A");
    const std::string b = qso("SP2B");
    folder.write("IARU_log.zrv", a + "\r\n" + b + "\r\n" + a + "\r\n");
    const auto changed = LogFile(folder.path()).rewrite(a, toCall("SP3C"));
    const std::string c = qso("SP3C");
    ASSERT_TRUE(changed);
    EXPECT_EQ(*changed, c);
    EXPECT_EQ(folder.read("IARU_log.zrv"), c + "\r\n" + b + "\r\n" + c + "\r\n");
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

TEST(LogRewrite, DeletionDropsEveryIdenticalLine)
{
    TempFolder folder;
    const std::string a = qso("SP1A");
    const std::string b = qso("SP2B");
    folder.write("IARU_log.zrv", a + "\r\n" + b + "\r\n" + a + "\r\n");
    EXPECT_FALSE(LogFile(folder.path()).rewrite(a, dropped));
    EXPECT_EQ(folder.read("IARU_log.zrv"), b + "\r\n");
    EXPECT_FALSE(LogFile(folder.path()).rewrite(b, dropped));
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
}

// An editor that trims trailing blanks on saving left lines that no
// correction found again.
TEST(LogRewrite, MatchesTheLinesColumnsATrimmedCopyIncludedButNotAnotherCase)
{
    TempFolder folder;
    const std::string a = qso("SP1A");
    const std::string trimmedByAnEditor = test::trimmedByAnEditor(a);
    const std::string lower = asciiLower(a);
    folder.write("IARU_log.zrv", trimmedByAnEditor + "\r\n" + lower + "\r\n");
    EXPECT_EQ(LogFile(folder.path()).rewrite(trimmedByAnEditor, toCall("SP3C")), qso("SP3C"));
    EXPECT_EQ(folder.read("IARU_log.zrv"), qso("SP3C") + "\r\n" + lower + "\r\n");
}

TEST(LogRewrite, WithoutAMatchTheFileIsLeftAsItIs)
{
    TempFolder folder;
    const std::string content = qso("SP1A") + "\n" + qso("SP2B");  // bare LF, no last line end
    folder.write("IARU_log.zrv", content);
    EXPECT_FALSE(LogFile(folder.path()).rewrite(qso("SP9Z"), toCall("SP3C")));
    EXPECT_EQ(folder.read("IARU_log.zrv"), content);
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

TEST(LogRewrite, KeepsCrLfAndWindowsBytes)
{
    TempFolder folder;
    // "ŁÓDŹ" as the sent exchange, in Windows-1250.
    const std::string polish =
        "2026-07-11 1234  14000 CW     QZ1ABC        599 \xA3\xD3\x44\x8F   SP1A          599 KRU";
    const std::string other = qso("SP2B");
    folder.write("IARU_log.zrv", polish + "\r\n" + other + "\r\n\r\n");
    LogFile(folder.path()).rewrite(other, toCall("SP3C"));
    EXPECT_EQ(folder.read("IARU_log.zrv"), polish + "\r\n" + qso("SP3C") + "\r\n\r\n");
}

TEST(LogRewrite, AMissingLogIsAnErrorAndIsNotCreated)
{
    TempFolder folder;
    EXPECT_THROW(LogFile(folder.path()).rewrite(qso("SP1A"), dropped), IoError);
    EXPECT_FALSE(folder.exists("IARU_log.zrv"));
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

struct FaultCase {
    const char* name;
    files::Op op;
    const char* file;  // the file the failure hits
    int error;
};
void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class RewriteFailure : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RewriteFailure, LeavesTheLogIntactAndNoTemporaryFile)
{
    const FaultCase& c = GetParam();
    TempFolder folder;
    const std::string content = qso("SP1A") + "\r\n" + qso("SP2B") + "\r\n";
    folder.write("IARU_log.zrv", content);
    const test::FileFault fault(c.op, c.error, c.file);
    try {
        LogFile(folder.path()).rewrite(qso("SP1A"), toCall("SP3C"));
        FAIL() << "the failure was not reported";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), c.error);
    }
    EXPECT_EQ(folder.read("IARU_log.zrv"), content);
    EXPECT_FALSE(folder.exists("temporary.zrv"));
}

INSTANTIATE_TEST_SUITE_P(LogRewrite, RewriteFailure,
                         ::testing::Values(FaultCase{"ReadingTheLog", files::Op::Read, "IARU_log.zrv", EIO},
                                           FaultCase{"CreatingTheTemporaryFile", files::Op::Open, "temporary.zrv",
                                                     EACCES},
                                           FaultCase{"DiskFull", files::Op::Write, "temporary.zrv", ENOSPC},
                                           FaultCase{"Sync", files::Op::Sync, "temporary.zrv", EIO},
                                           FaultCase{"Rename", files::Op::Rename, "IARU_log.zrv", EACCES}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LogRewrite, ATemporaryNameTakenByAFolderFailsWithoutTouchingEither)
{
    TempFolder folder;
    const std::string content = qso("SP1A") + "\r\n";
    folder.write("IARU_log.zrv", content);
    std::filesystem::create_directories(folder / "temporary.zrv" / "inside");
    EXPECT_THROW(LogFile(folder.path()).rewrite(qso("SP1A"), dropped), IoError);
    EXPECT_EQ(folder.read("IARU_log.zrv"), content);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "temporary.zrv" / "inside"));
}

TEST(LogRewrite, AReadOnlyFolderFailsWithoutTouchingTheLog)
{
    if (!test::readOnlyFoldersExist())
        GTEST_SKIP() << "a read-only folder does not stop new files here";
#ifndef _WIN32
    TempFolder folder;
    const std::string content = qso("SP1A") + "\r\n";
    folder.write("IARU_log.zrv", content);
    test::makeReadOnly(folder.path());
    EXPECT_TRUE(test::whereFilePermissionsBind([&] {
        try {
            LogFile(folder.path()).rewrite(qso("SP1A"), dropped);
        } catch (const IoError&) {
            return true;
        }
        return false;
    }));
    EXPECT_EQ(folder.read("IARU_log.zrv"), content);
    EXPECT_FALSE(folder.exists("temporary.zrv"));
#endif
}

}  // namespace
}  // namespace qz
