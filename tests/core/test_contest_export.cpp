#include "adif.h"
#include "cabrillo.h"
#include "contest_export.h"
#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "line_columns.h"
#include "log_line.h"
#include "temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

namespace qz {
namespace {

using test::TempFolder;

std::string golden(const std::string& name) { return files::readAll(std::filesystem::path(QZ_TEST_DATA) / name); }

std::string qso(const std::string& op, const std::string& time, const std::string& call = "SP1XYZ",
                const std::string& band = "20M")
{
    return composeLine(
        {"2026-07-11", time, std::string(*bandColumnFor(band)), " CW ", op, "599", "28", call, "599", "KRU"});
}

std::string crlf(const std::vector<std::string>& lines) { return files::joinLines(lines); }

const std::string kRecordA = "QZ1ABC,Anna Nowak,anna@example.org,Street 1,,,100,SINGLE-OP,,IARU-HF,first";
const std::string kRecordB = "QZ2XYZ,Bolek Lis,,Street 2,,,0,CHECKLOG,,IARU-HF,";

class ContestExport : public ::testing::Test {
protected:
    void writeLog(const std::vector<std::string>& lines) const { folder.write("IARU_log.zrv", crlf(lines)); }
    void writeBook(const std::vector<std::string>& records) const
    {
        folder.write("QZ5KV_stationbook.ini", crlf(records));
    }
    std::vector<std::string> linesOf(const std::string& name) const { return files::splitLines(folder.read(name)); }
    std::vector<std::string> qsoLinesOf(const std::string& name) const
    {
        std::vector<std::string> qsos;
        for (const auto& line : linesOf(name))
            if (line.rfind("QSO:", 0) == 0 || line.rfind("<QSO_DATE", 0) == 0)
                qsos.push_back(line);
        return qsos;
    }

    TempFolder folder;
};

TEST_F(ContestExport, ExamplesComeOutByteForByte)
{
    folder.write("IARU_log.zrv", golden("example_log.zrv"));
    folder.write("QZ5KV_stationbook.ini", golden("example_stationbook.ini"));

    const ExportResult cabrillo = exportCabrillo(folder.path());
    EXPECT_EQ(cabrillo.status, ExportStatus::Done);
    EXPECT_EQ(cabrillo.files, std::vector<std::filesystem::path>{folder / "qz1abc.cbr"});
    EXPECT_EQ(cabrillo.lastOperator, "QZ1ABC");
    EXPECT_EQ(folder.read("qz1abc.cbr"), golden("qz1abc.cbr"));

    const ExportResult adif = exportAdif(folder.path(), "IARU-HF 2026");
    EXPECT_EQ(adif.status, ExportStatus::Done);
    EXPECT_EQ(folder.read("qz1abc.adi"), golden("qz1abc.adi"));
}

// An editor that trims trailing blanks on saving gave Cabrillo QSO lines
// without the received exchange, and the export said it was done.
TEST_F(ContestExport, ALogTrimmedByAnEditorExportsAsTheFullOneAndIsNotWritten)
{
    std::string trimmed;
    for (const std::string& line : files::splitLines(golden("example_log.zrv")))
        trimmed += test::trimmedByAnEditor(line) + "\r\n";
    ASSERT_NE(trimmed, golden("example_log.zrv"));
    folder.write("IARU_log.zrv", trimmed);
    folder.write("QZ5KV_stationbook.ini", golden("example_stationbook.ini"));
    EXPECT_EQ(exportCabrillo(folder.path()).status, ExportStatus::Done);
    EXPECT_EQ(folder.read("qz1abc.cbr"), golden("qz1abc.cbr"));
    EXPECT_EQ(exportAdif(folder.path(), "IARU-HF 2026").status, ExportStatus::Done);
    EXPECT_EQ(folder.read("qz1abc.adi"), golden("qz1abc.adi"));
    EXPECT_EQ(folder.read("IARU_log.zrv"), trimmed);
}

TEST_F(ContestExport, EachOperatorGetsOnlyOwnQsosInTimeOrder)
{
    // In order of entry the times are not sorted: a correction moved one back.
    const std::vector<std::string> log{qso("QZ2XYZ", "12:40"),          qso("QZ1ABC", "12:35"),
                                       qso("QZ1ABC", "12:31"),          "",
                                       qso("QZ2XYZ", "12:30", "QZ5KV"), qso("QZ1ABC", "12:50")};
    writeLog(log);
    writeBook({kRecordB, kRecordA});

    const ExportResult result = exportCabrillo(folder.path());
    EXPECT_EQ(result.files, (std::vector<std::filesystem::path>{folder / "qz2xyz.cbr", folder / "qz1abc.cbr"}));
    EXPECT_EQ(result.lastOperator, "QZ1ABC");
    const auto a = linesOf("qz1abc.cbr");
    EXPECT_EQ(a[3], "CALLSIGN: QZ1ABC");
    EXPECT_EQ(a[6], "NAME: Anna Nowak");
    EXPECT_EQ(a[12], "SOAPBOX: first");
    EXPECT_EQ(qsoLinesOf("qz1abc.cbr"), (std::vector<std::string>{cabrillo::qsoLine(log[2]), cabrillo::qsoLine(log[1]),
                                                                  cabrillo::qsoLine(log[5])}));
    EXPECT_TRUE(folder.read("qz1abc.cbr").ends_with("\r\nEND-OF-LOG:\r\n"));
    EXPECT_EQ(std::count(a.begin(), a.end(), "END-OF-LOG:"), 1);
    EXPECT_EQ(linesOf("qz2xyz.cbr")[6], "NAME: Bolek Lis");
    EXPECT_EQ(qsoLinesOf("qz2xyz.cbr"),
              (std::vector<std::string>{cabrillo::qsoLine(log[4]), cabrillo::qsoLine(log[0])}));

    exportAdif(folder.path(), "");
    EXPECT_EQ(qsoLinesOf("qz1abc.adi"),
              (std::vector<std::string>{adif::recordLine(log[2], ""), adif::recordLine(log[1], ""),
                                        adif::recordLine(log[5], "")}));
    EXPECT_EQ(linesOf("qz2xyz.adi").size(), 3u + 2u);
}

TEST_F(ContestExport, RunningTwiceGivesTheSameFiles)
{
    writeLog({qso("QZ1ABC", "12:31"), qso("QZ2XYZ", "12:32"), qso("QZ1ABC", "12:33")});
    writeBook({kRecordA, kRecordB});
    for (const char* name : {"qz1abc", "qz2xyz"}) {
        exportCabrillo(folder.path());
        exportAdif(folder.path(), "c");
        const std::string cbr = folder.read(std::string(name) + ".cbr");
        const std::string adi = folder.read(std::string(name) + ".adi");
        exportCabrillo(folder.path());
        exportAdif(folder.path(), "c");
        EXPECT_EQ(folder.read(std::string(name) + ".cbr"), cbr) << name;
        EXPECT_EQ(folder.read(std::string(name) + ".adi"), adi) << name;
    }
}

TEST_F(ContestExport, SlashesInCallsignsShareOneStem)
{
    writeLog({qso("QZ1ABC/P", "12:31"), qso("A\\B", "12:40"), qso("A/B", "12:32"), qso("A_B", "12:33"),
              qso("QZ1ABCDEFGHIJK", "12:34")});
    writeBook({kRecordA});

    const ExportResult result = exportCabrillo(folder.path());
    EXPECT_EQ(result.files, (std::vector<std::filesystem::path>{folder / "qz1abc_p.cbr", folder / "a_b.cbr",
                                                                folder / "qz1abcdefghij.cbr"}));
    EXPECT_EQ(linesOf("qz1abc_p.cbr")[3], "CALLSIGN: QZ1ABC/P");
    EXPECT_EQ(linesOf("qz1abcdefghij.cbr")[3], "CALLSIGN: QZ1ABCDEFGHIJ");
    const auto shared = linesOf("a_b.cbr");
    EXPECT_EQ(shared[3], "CALLSIGN: A/B");  // the operator whose QSO comes first
    EXPECT_EQ(qsoLinesOf("a_b.cbr").size(), 3u);

    exportAdif(folder.path(), "");
    const auto adi = linesOf("a_b.adi");
    EXPECT_EQ(std::count(adi.begin(), adi.end(), "ADIF 2.0"), 1);
    const auto records = qsoLinesOf("a_b.adi");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_NE(records[0].find("<OPERATOR:3>A/B "), std::string::npos);
    EXPECT_NE(records[1].find("<OPERATOR:3>A_B "), std::string::npos);
    EXPECT_NE(records[2].find("<OPERATOR:3>A\\B "), std::string::npos);
}

TEST_F(ContestExport, HeaderComesFromTheFirstMatchingRecordOrANewOne)
{
    // The unknown operator comes after one with a full record: nothing of that
    // record may leak into its header.
    writeLog({qso("QZ1ABC", "12:31"), qso("QZ9NEW", "12:32")});
    writeBook({"qz1abc,First Record,,Street 1,,,500,SINGLE-OP,QZ1ABC,MY-CONTEST,hello",
               "QZ1ABC,Second Record,,Street 9,,,1,CHECKLOG,,IARU-HF,"});

    const ExportResult result = exportCabrillo(folder.path());
    EXPECT_EQ(result.lastOperator, "QZ9NEW");
    const auto known = linesOf("qz1abc.cbr");
    EXPECT_EQ(known[1], "CONTEST: MY-CONTEST");
    EXPECT_EQ(known[6], "NAME: First Record");
    const auto unknown = linesOf("qz9new.cbr");
    const std::vector<std::string> header(unknown.begin(), unknown.begin() + 13);
    EXPECT_EQ(header,
              (std::vector<std::string>{"START-OF-LOG: 2.0", "CONTEST: IARU-HF", "ARRL-SECTION: DX", "CALLSIGN: QZ9NEW",
                                        "CATEGORY: CHECKLOG", "CLAIMED-SCORE: 0", "NAME: ", "ADDRESS: E-MAIL: ",
                                        "ADDRESS: ", "ADDRESS: ", "ADDRESS: ", "OPERATORS: ", "SOAPBOX: "}));
}

TEST_F(ContestExport, LogWithoutQsosWritesAndRemovesNothing)
{
    writeBook({kRecordA});
    folder.write("qz1abc.cbr", "old");
    folder.write("qz1abc.adi", "old");
    for (const std::string content : {"", "\r\n\r\n\r\n"}) {
        folder.write("IARU_log.zrv", content);
        const ExportResult cabrillo = exportCabrillo(folder.path());
        EXPECT_EQ(cabrillo.status, ExportStatus::Done);
        EXPECT_TRUE(cabrillo.files.empty());
        EXPECT_EQ(cabrillo.lastOperator, "");
        const ExportResult adif = exportAdif(folder.path(), "c");
        EXPECT_EQ(adif.status, ExportStatus::Done);
        EXPECT_TRUE(adif.files.empty());
        EXPECT_EQ(folder.read("qz1abc.cbr"), "old");
        EXPECT_EQ(folder.read("qz1abc.adi"), "old");
    }
}

TEST_F(ContestExport, OldFilesOfOperatorsWithoutQsosStay)
{
    writeLog({qso("QZ1ABC", "12:31")});
    writeBook({kRecordA});
    folder.write("qz2xyz.cbr", "earlier export");
    folder.write("qz1abc.cbr", std::string(5000, 'x'));
    exportCabrillo(folder.path());
    EXPECT_EQ(folder.read("qz2xyz.cbr"), "earlier export");
    EXPECT_EQ(linesOf("qz1abc.cbr")[0], "START-OF-LOG: 2.0");
    EXPECT_EQ(linesOf("qz1abc.cbr").size(), 16u);
}

TEST_F(ContestExport, MissingFilesStopBeforeAnythingIsWritten)
{
    writeBook({kRecordA});
    for (const bool cabrillo : {true, false}) {
        const ExportResult result = cabrillo ? exportCabrillo(folder.path()) : exportAdif(folder.path(), "");
        EXPECT_EQ(result.status, ExportStatus::LogMissing);
        EXPECT_EQ(result.problemPath, folder / "IARU_log.zrv");
    }

    writeLog({qso("QZ1ABC", "12:31")});
    std::filesystem::remove(folder / "QZ5KV_stationbook.ini");
    folder.write("qz1abc.cbr", "earlier export");
    const ExportResult result = exportCabrillo(folder.path());
    EXPECT_EQ(result.status, ExportStatus::OperatorsMissing);
    EXPECT_TRUE(result.files.empty());
    EXPECT_EQ(folder.read("qz1abc.cbr"), "earlier export");
    // The ADIF export does not need the settings file.
    EXPECT_EQ(exportAdif(folder.path(), "").status, ExportStatus::Done);
    EXPECT_TRUE(folder.exists("qz1abc.adi"));
}

TEST_F(ContestExport, AStuckFileCostsNoOtherOperatorTheirs)
{
    writeLog({qso("QZ1ABC", "12:31"), qso("QZ2XYZ", "12:32"), qso("QZ3DEF", "12:33")});
    writeBook({kRecordA, kRecordB});
    for (const std::string extension : {".cbr", ".adi"}) {
        SCOPED_TRACE(extension);
        // Good files of an earlier export on both sides of one that cannot be replaced.
        folder.write("qz1abc" + extension, "earlier export");
        folder.write("qz3def" + extension, "earlier export");
        std::filesystem::create_directory(folder / ("qz2xyz" + extension));
        const ExportResult result = extension == ".cbr" ? exportCabrillo(folder.path()) : exportAdif(folder.path(), "");
        EXPECT_EQ(result.status, ExportStatus::FilesFailed);
        ASSERT_EQ(result.failed.size(), 1u);
        EXPECT_EQ(result.failed[0].path, folder / ("qz2xyz" + extension));
        EXPECT_EQ(result.failed[0].callsign, "QZ2XYZ");
        // EISDIR here, EACCES on Windows: the same text for the user.
        EXPECT_EQ(IoError::standardText(result.failed[0].errorCode), "File access denied");
        EXPECT_EQ(result.files, (std::vector<std::filesystem::path>{folder / ("qz1abc" + extension),
                                                                    folder / ("qz3def" + extension)}));
        for (const char* written : {"qz1abc", "qz3def"})
            EXPECT_EQ(qsoLinesOf(written + extension).size(), 1u) << written;
        EXPECT_FALSE(folder.exists("qz2xyz" + extension + ".new"));
    }
}

TEST_F(ContestExport, AFileThatCannotBeReplacedKeepsItsEarlierContent)
{
    writeLog({qso("QZ1ABC", "12:31")});
    writeBook({kRecordA});
    for (const auto& [op, error] : {std::pair{files::Op::Rename, EACCES}, std::pair{files::Op::Write, ENOSPC},
                                    std::pair{files::Op::PartialWrite, ENOSPC}}) {
        SCOPED_TRACE(error);
        folder.write("qz1abc.cbr", "held open elsewhere");
        const ExportResult result = [&, op = op, error = error] {
            const test::FileFault fault(op, error);
            return exportCabrillo(folder.path());
        }();
        EXPECT_EQ(result.status, ExportStatus::FilesFailed);
        ASSERT_EQ(result.failed.size(), 1u);
        EXPECT_EQ(result.failed[0].path, folder / "qz1abc.cbr");
        EXPECT_EQ(result.failed[0].errorCode, error);
        EXPECT_TRUE(result.files.empty());
        EXPECT_EQ(folder.read("qz1abc.cbr"), "held open elsewhere");
        EXPECT_FALSE(folder.exists("qz1abc.cbr.new"));
    }
}

}  // namespace
}  // namespace qz
