// The log and the settings file are plain text that people edit by hand and
// that disks damage: any bytes, any line ends, lines of any length. Whatever
// was read must come out unchanged unless the user changed it.

#include "adif.h"
#include "cabrillo.h"
#include "contest_export.h"
#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "headquarters.h"
#include "log_corrections.h"
#include "log_file.h"
#include "log_line.h"
#include "operator_book.h"
#include "temp_folder.h"
#include "text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace qz {
namespace {

using test::TempFolder;

const std::string kNul(1, '\0');
// Bytes that Windows-1250 leaves undefined.
const std::string kUndefined = "\x81\x83\x88\x90\x98";
const std::string kControls = "\x01\x07\x1b\x7f\t";

std::string qso(const std::string& op, const std::string& call)
{
    return composeLine({"2026-07-11", "12:34", std::string(*bandColumnFor("20M")), std::string(*modeColumnFor("CW")),
                        op, "599", "28", call, "599", "KRU"});
}

// A log that has been through a hex editor: a call with a NUL and undefined
// bytes, a QSO with a 2 MB tail, lines too short for any column, an empty
// line and one of control characters only.
std::vector<std::string> damagedLog()
{
    std::string tail(2'000'000, 'x');
    for (std::size_t i = 0; i < tail.size(); i += 4099)
        tail[i] = static_cast<char>(i % 32 == 13 || i % 32 == 10 ? 0 : i % 32);
    return {
        qso("QZ1ABC", "SP1AAA"),
        replacedColumns(qso("QZ1ABC", "SP2BBB"), 56, "SP" + kNul + "2" + kUndefined),
        qso("QZ2XYZ", "QZ5KV"),
        qso("QZ1ABC", "QZ5KV") + tail,
        "short",
        "",
        kControls + kUndefined + kNul,
    };
}

struct LineEnds {
    const char* name;
    std::string end;
    bool lastEnded;
};
const LineEnds kLineEnds[] = {
    {"CR LF", "\r\n", true},
    {"LF only", "\n", true},
    {"CR only", "\r", true},
    {"CR LF, last line open", "\r\n", false},
    {"LF only, last line open", "\n", false},
};

std::string joined(const std::vector<std::string>& lines, const LineEnds& ends)
{
    std::string content;
    for (const auto& line : lines)
        content += line + ends.end;
    if (!ends.lastEnded)
        content.resize(content.size() - ends.end.size());
    return content;
}

TEST(HostileLog, EveryLineIsReadWithAllItsBytesWhateverTheLineEnds)
{
    const std::vector<std::string> lines = damagedLog();
    for (const auto& ends : kLineEnds) {
        SCOPED_TRACE(ends.name);
        TempFolder folder;
        folder.write("IARU_log.zrv", joined(lines, ends));
        EXPECT_TRUE(LogFile(folder.path()).readLines() == lines);
    }
}

TEST(HostileLog, OperatorViewListsOnlyTheOperatorsOwnLinesUnchanged)
{
    const std::vector<std::string> lines = damagedLog();
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    std::vector<std::string_view> own{lines[0], lines[1], lines[3]};
    sortNoCase(own);
    EXPECT_TRUE(operatorLines(views, "QZ1ABC") == own);
    EXPECT_EQ(HeadquartersSlots(views, "QZ1ABC").keys(), std::vector<std::string>{slotKeyOf(lines[3])});
    EXPECT_EQ(operatorLines(views, "QZ2XYZ"), std::vector<std::string_view>{lines[2]});
    // Lines with no operator column belong to nobody but the empty operator.
    EXPECT_EQ(operatorLines(views, "").size(), 3u);
}

TEST(HostileLog, AppendKeepsEveryOldByteAndStartsTheQsoOnALineOfItsOwn)
{
    const std::vector<std::string> lines = damagedLog();
    const std::string fresh = qso("QZ1ABC", "SP9NEW");
    for (const auto& ends : kLineEnds) {
        SCOPED_TRACE(ends.name);
        TempFolder folder;
        const std::string before = joined(lines, ends);
        folder.write("IARU_log.zrv", before);
        LogFile(folder.path()).append(fresh);
        std::string expected = before;
        expected += ends.lastEnded ? "" : "\r\n";
        expected += fresh + "\r\n";
        EXPECT_TRUE(folder.read("IARU_log.zrv") == expected);
        EXPECT_TRUE(folder.read("IARU_log.zr~") == before);
    }
}

TEST(HostileLog, AppendToASingleLineOfFiveMegabytesWithoutALineEnd)
{
    TempFolder folder;
    const std::string giant = qso("QZ1ABC", "SP1AAA") + std::string(std::size_t{5} * 1024 * 1024, 'y');
    folder.write("IARU_log.zrv", giant);
    const std::string fresh = qso("QZ1ABC", "SP9NEW");
    LogFile(folder.path()).append(fresh);
    EXPECT_TRUE(folder.read("IARU_log.zrv") == giant + "\r\n" + fresh + "\r\n");
    EXPECT_TRUE(folder.read("IARU_log.zr~") == giant);
}

TEST(HostileLog, RewriteChangesOnlyTheSelectedLine)
{
    const std::vector<std::string> lines = damagedLog();
    const auto call = [](const std::string& line) {
        return withTypedField(line, TypedField::Call, fitted("SP7FIX", 13));
    };
    const auto drop = [](const std::string&) { return std::optional<std::string>(); };
    const struct {
        const char* name;
        std::size_t selected;
        LogFile::LineChange change;
    } rows[] = {
        {"plain line corrected", 0, call},
        {"line with NUL and undefined bytes deleted", 1, drop},
        {"2 MB line corrected in its columns only", 3, call},
        {"line of control characters deleted", 6, drop},
    };
    for (const auto& ends : kLineEnds)
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(ends.name) + ": " + row.name);
            TempFolder folder;
            folder.write("IARU_log.zrv", joined(lines, ends));
            std::vector<std::string> expected = lines;
            const auto changed = row.change(lines[row.selected]);
            if (changed)
                expected[row.selected] = *changed;
            else
                expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(row.selected));
            EXPECT_EQ(LogFile(folder.path()).rewrite(lines[row.selected], row.change), changed);
            EXPECT_TRUE(folder.read("IARU_log.zrv") == files::joinLines(expected));
            EXPECT_FALSE(folder.exists("temporary.zrv"));
        }
}

TEST(HostileLog, RewriteThatMatchesNothingLeavesTheFileAsItWas)
{
    const std::string before = joined(damagedLog(), kLineEnds[1]);
    TempFolder folder;
    folder.write("IARU_log.zrv", before);
    LogFile(folder.path()).rewrite(qso("QZ1ABC", "SP1AAA") + kNul, [](const std::string& l) { return l; });
    EXPECT_TRUE(folder.read("IARU_log.zrv") == before);
}

// ---- operator settings file ------------------------------------------

std::vector<std::string> damagedRecords()
{
    std::vector<std::string> records{
        "QZ1ABC,Jan" + kNul + "Kowalski,jan@example.org,ul. " + kUndefined + ",,,0,CHECKLOG,,IARU-HF,",
        "QZ2NOCOMMA",
        ",,,,,,,,,,,,,,,,,,,,",
        "   ",
        "qz3low," + std::string(std::size_t{1024} * 1024, 'n') + ",,,,,1,SOAP,OPS,IARU-HF," + kControls,
    };
    for (int i = 0; i < 5000; ++i)
        records.push_back("QZ" + std::to_string(i) + ",Name " + std::to_string(i) + ",,,,,0,CHECKLOG,,IARU-HF,");
    return records;
}

TEST(HostileSettings, EveryNonEmptyLineIsARecordKeptByteForByte)
{
    std::vector<std::string> records = damagedRecords();
    std::vector<std::string> withEmptyLines = records;
    withEmptyLines.insert(withEmptyLines.begin() + 2, "");
    withEmptyLines.emplace_back();
    records = OperatorList(std::move(records)).records();  // in the order of the lists
    for (const auto& ends : kLineEnds) {
        SCOPED_TRACE(ends.name);
        TempFolder folder;
        folder.write("QZ5KV_stationbook.ini", joined(withEmptyLines, ends));
        const auto read = readOperatorRecords(folder.path());
        ASSERT_TRUE(read);
        EXPECT_TRUE(*read == records);
        EXPECT_EQ(readOperatorCallsigns(folder.path()).size(), records.size());
        // Saving what was read writes back exactly those records.
        writeOperatorRecords(folder.path(), *read);
        EXPECT_TRUE(folder.read("QZ5KV_stationbook.ini") == files::joinLines(records));
    }
}

TEST(HostileSettings, OddRecordsSplitIntoElevenFields)
{
    const std::string huge(std::size_t{1024} * 1024, 'n');
    const struct {
        const char* name;
        std::string record;
        std::string callsign;
        std::size_t field;
        std::string value;
    } rows[] = {
        {"NUL inside the name", "QZ1ABC,Jan" + kNul + "K,e,a1,a2,a3,0,C,O,T,R", "QZ1ABC", kName, "Jan" + kNul + "K"},
        {"undefined bytes in the callsign", "qz" + kUndefined + ",n", "QZ" + kUndefined, kRemarks, "n"},
        {"no comma at all", "QZ2NOCOMMA", "", kRemarks, "QZ2NOCOMMA"},
        {"twenty commas", std::string(20, ','), "", kRemarks, ""},
        {"a field of a megabyte", "QZ3,N,E,1,2,3,4,C,O," + huge + ",R", "QZ3", kContest, huge},
        {"control characters in the remarks", "QZ4,,,,,,,,,," + kControls, "QZ4", kRemarks, kControls},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(callsignOf(row.record) == row.callsign);
        EXPECT_TRUE(splitRecord(row.record)[row.field] == row.value);
    }
}

// ---- exports ----------------------------------------------------------

TEST(HostileExport, DamagedLinesGoIntoTheFilesAsTheyStand)
{
    const std::vector<std::string> lines = damagedLog();
    TempFolder folder;
    folder.write("IARU_log.zrv", joined(lines, kLineEnds[2]));
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan" + kNul + ",,,,,0,CHECKLOG,,IARU-HF," + kUndefined + "\n");

    const ExportResult adif = exportAdif(folder.path(), "IARU " + kUndefined);
    ASSERT_EQ(adif.status, ExportStatus::Done);
    const std::string adiFile = folder.read("qz1abc.adi");
    EXPECT_NE(adiFile.find(adif::recordLine(lines[1], "IARU " + kUndefined) + "\r\n"), std::string::npos);
    // The 2 MB tail is beyond every column a record reads.
    EXPECT_LT(adiFile.size(), 2000u);

    const ExportResult cabrillo = exportCabrillo(folder.path());
    ASSERT_EQ(cabrillo.status, ExportStatus::Done);
    const std::string cbrFile = folder.read("qz1abc.cbr");
    EXPECT_NE(cbrFile.find("NAME: Jan" + kNul + "\r\n"), std::string::npos);
    EXPECT_NE(cbrFile.find("SOAPBOX: " + kUndefined + "\r\n"), std::string::npos);
    EXPECT_NE(cbrFile.find(cabrillo::qsoLine(lines[1]) + "\r\n"), std::string::npos);
    EXPECT_NE(cbrFile.find(cabrillo::qsoLine(lines[3]) + "\r\n"), std::string::npos);
    EXPECT_TRUE(cbrFile.ends_with("END-OF-LOG:\r\n"));
    // The log itself is only read.
    EXPECT_TRUE(folder.read("IARU_log.zrv") == joined(lines, kLineEnds[2]));
}

// ---- what the program writes ------------------------------------------

bool holdsControlBytes(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// A paste of several lines into a field, a tab from a spreadsheet, a NUL:
// whoever hands such text to the composers, the files keep one QSO or one
// operator a line and every field in its columns.
TEST(HostileEntry, NoControlByteOrFieldCommaReachesTheFilesWhoeverPassesIt)
{
    const std::string hostile = "\r\nK\tR" + kNul + "U,\x1b";
    const std::string line = composeLine(
        {"2026-07-11", "12:34", " 14000", " CW ", hostile, hostile, hostile, "DL2XYZ\r\n", hostile, hostile});
    EXPECT_TRUE(isPlausibleQso(line)) << line;
    EXPECT_EQ(callOf(line), "DL2XYZ");
    EXPECT_EQ(receivedExchangeOf(line), "KRU,");
    for (const Field field : {Field::Operator, Field::SentExchange, Field::Call, Field::ReceivedExchange})
        EXPECT_TRUE(isPlausibleQso(withField(line, field, hostile)));
    EXPECT_FALSE(holdsControlBytes(adif::recordLine(line, "IARU-HF\r\n2026\t")));

    OperatorFields fields;
    fields.fill(hostile);
    const std::string record = joinRecord(fields);
    EXPECT_FALSE(holdsControlBytes(record)) << record;
    EXPECT_EQ(std::count(record.begin(), record.end(), ','), 10);
    EXPECT_EQ(splitRecord(record)[kName], "K R U ");

    TempFolder folder;
    folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan\r\n");
    EXPECT_THROW(writeOperatorRecords(folder.path(), {"QZ1ABC,Jan\nKowalski"}), std::invalid_argument);
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ1ABC,Jan\r\n");
}

// ---- faults found with these files -------------------------------------

// An operator column with a NUL gave a file name that the system cut at the
// NUL: the export removed and overwrote a file of another name.
TEST(HostileExportRegression, ExportNeverTouchesAFileNamedByTheStemCutAtItsNul)
{
    TempFolder folder;
    // As a hand edit leaves it: the composer never writes a NUL.
    folder.write("IARU_log.zrv", replacedColumns(qso("QZ1ABC", "SP1AAA"), 31, "QZ1" + kNul + "AB") + "\r\n");
    folder.write("qz1", "precious");
    const ExportResult result = exportAdif(folder.path(), "");
    EXPECT_EQ(result.status, ExportStatus::FilesFailed);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].errorCode, EINVAL);
    EXPECT_EQ(folder.read("qz1"), "precious");
    EXPECT_TRUE(result.files.empty());
}

TEST(FilesRegression, APathWithANulIsRefusedInsteadOfCut)
{
    TempFolder folder;
    folder.write("a", "precious");
    const files::Path cut = folder.path() / ("a" + kNul + "b");
    EXPECT_THROW(files::readAll(cut), IoError);
    EXPECT_THROW(files::replaceAtomically(cut, "new"), IoError);
    EXPECT_THROW(files::appendDurably(cut, "new"), IoError);
    EXPECT_THROW(files::removeFile(cut), IoError);
    EXPECT_FALSE(files::isFile(cut));
    EXPECT_EQ(folder.read("a"), "precious");
}

// The backup was truncated in place before it was written, so a store that
// failed or was killed in between left no backup at all.
TEST(LogFileRegression, AStoreThatFailsWhileWritingTheBackupKeepsTheOldBackup)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "FIRST\r\nSECOND\r\n");
    folder.write("IARU_log.zr~", "FIRST\r\n");
    const test::FileFault full([](files::Op op, const files::Path& path) {
        return op == files::Op::Write && path.filename().string().starts_with("IARU_log.zr~") ? ENOSPC : 0;
    });
    EXPECT_THROW(LogFile(folder.path()).append("THIRD"), IoError);
    EXPECT_EQ(folder.read("IARU_log.zr~"), "FIRST\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "FIRST\r\nSECOND\r\n");
}

}  // namespace
}  // namespace qz
