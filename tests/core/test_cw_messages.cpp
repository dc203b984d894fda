#include "cw_messages.h"
#include "errors.h"
#include "file_faults.h"
#include "files.h"
#include "temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace qz {
namespace {

struct ExpansionCase {
    const char* name;
    std::string_view pattern;
    MessageFields fields;
    MessageMode mode;
    bool cut;
    std::string sent;
};
void PrintTo(const ExpansionCase& row, std::ostream* out) { *out << row.name; }

class Expansion : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(Expansion, GivesWhatIsSent)
{
    const ExpansionCase& row = GetParam();
    EXPECT_EQ(expandMessage(row.pattern, row.fields, row.mode, row.cut), row.sent);
}

const MessageFields kQso{"sp5zz", "dl1abc", "10", "599"};
constexpr auto kCw = MessageMode::Cw;
constexpr auto kSsb = MessageMode::Ssb;

INSTANTIATE_TEST_SUITE_P(
    Messages, Expansion,
    ::testing::Values(
        ExpansionCase{"CqInCapitals", "cq test {MYCALL} {mycall} test", kQso, kCw, false, "CQ TEST SP5ZZ SP5ZZ TEST"},
        ExpansionCase{"ReportAs5NN", "{CALL} {RST} {EXCH}", kQso, kCw, false, "DL1ABC 5NN 10"},
        ExpansionCase{"CutNumbersOnlyInExchangeAndReport",
                      "{CALL} {RST} {EXCH} 599 de {MYCALL}",
                      {"SP9ZZ", "OH0X", "09", "579"},
                      kCw,
                      true,
                      "OH0X 57N TN 599 DE SP9ZZ"},
        ExpansionCase{"ExchangeOfLettersIsNotCut", "{EXCH}", {"", "", "PZK", "599"}, kCw, true, "PZK"},
        ExpansionCase{"BlanksCollapsedAndUnsendableDropped", "  tu\t{CALL}   \xb9\xea ~  {EXCH}! ", kQso, kCw, false,
                      "TU DL1ABC 10"},
        ExpansionCase{"KeptSigns", "{CALL}/P ? . , = + -", kQso, kCw, false, "DL1ABC/P ? . , = + -"},
        ExpansionCase{"UnknownFieldStaysAsTyped", "{NR} {CALL", kQso, kSsb, false, "{NR} {CALL"},
        ExpansionCase{"UnknownFieldLosesItsBracesOnCw", "{NR} {{CALL}", kQso, kCw, false, "NR DL1ABC"},
        ExpansionCase{
            "FieldValuesAreNotExpandedAgain", "{CALL}", {"SP5ZZ", "{MYCALL}", "", ""}, kSsb, false, "{MYCALL}"},
        ExpansionCase{"SsbIsOnlyExpanded", "Dzi\xeaki {CALL}, 599 {rst}", kQso, kSsb, true,
                      "Dzi\xeaki dl1abc, 599 599"},
        ExpansionCase{"EmptyCallSendsNothing", " {CALL} ", {}, kCw, false, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct FileLine {
    std::string text;
    SettingProblem problem = SettingProblem::None;  // of a line passed over
};

TEST(MessagesFile, ADamagedLineIsNamedAndTheRestStillCounts)
{
    const std::vector<FileLine> lines{
        {"# komunikaty"},
        {"F1=before any section", SettingProblem::UnknownSection},
        {"[cw]"},
        {" f1 = CQ {MYCALL} \r"},
        {"F2 5NN", SettingProblem::NotKeyValue},
        {"F9=TU", SettingProblem::UnknownKey},
        {"F1=again", SettingProblem::RepeatedKey},
        {"F3=" + std::string(101, 'E'), SettingProblem::TooLong},
        {"F4=a\tb", SettingProblem::ControlCharacter},
        {"F5=" + std::string(100, 'E')},
        {"[QSO]", SettingProblem::UnknownSection},
        {"F6=under a wrong heading"},
        {"[SSB]"},
        {"F7=Prosz\xea powt\xf3rzy\xe6"},
        {"[Options]"},
        {"esm=ON"},
        {"Predict = off"},
        {"CUT=yes", SettingProblem::BadValue},
        {"WPM=61", SettingProblem::BadValue},
        {"PTT=vox"},
        {"WPM=04"},
        {"SPEED=30", SettingProblem::UnknownKey},
    };
    std::string file;
    for (const FileLine& line : lines)
        file += line.text + "\n";
    const MessagesRead read = parseMessages(file, kMessagesFileName);

    MessageBook expected = defaultMessages();
    expected.cw[0] = "CQ {MYCALL}";
    expected.cw[4] = std::string(100, 'E');
    expected.ssb[6] = "Prosz\xea powt\xf3rzy\xe6";
    expected.enterSends = true;
    expected.ptt = PttMode::Vox;
    expected.wpm = 4;
    expected.predictExchange = false;
    EXPECT_EQ(read.book, expected);

    auto ignored = read.ignored.begin();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].problem == SettingProblem::None)
            continue;
        ASSERT_NE(ignored, read.ignored.end()) << lines[i].text;
        EXPECT_EQ(ignored->line, i + 1);
        EXPECT_EQ(ignored->problem, lines[i].problem) << lines[i].text;
        EXPECT_EQ(ignored->text, lines[i].text);
        EXPECT_EQ(ignored->source, kMessagesFileName);
        ++ignored;
    }
    EXPECT_EQ(ignored, read.ignored.end());
}

TEST(MessagesFile, WhatIsSavedIsReadBackAsCrLfWindows1250)
{
    test::TempFolder folder;
    EXPECT_EQ(readMessages(folder.path()).book, defaultMessages());
    EXPECT_TRUE(readMessages(folder.path()).ignored.empty());

    MessageBook book = defaultMessages();
    book.cw[1] = "{CALL} {RST} {EXCH} # = [x]";
    book.ssb[0] = "Wo\xb3"
                  "a SP5ZZ";
    book.ssb[7] = "two\r\nlines";
    book.cw[6] = "";
    book.enterSends = true;
    book.cutNumbers = true;
    book.ptt = PttMode::Vox;
    book.wpm = 60;
    book.predictExchange = false;
    saveMessages(folder.path(), book);

    const std::string bytes = folder.read(std::string(kMessagesFileName));
    EXPECT_EQ(bytes, files::withCrLfLines(bytes));
    EXPECT_TRUE(bytes.starts_with("# "));
    const MessagesRead read = readMessages(folder.path());
    EXPECT_TRUE(read.ignored.empty());
    book.ssb[7] = "two lines";
    EXPECT_EQ(read.book, book);
}

TEST(MessagesFile, AFailedSaveThrowsAndKeepsTheOldFile)
{
    test::TempFolder folder;
    saveMessages(folder.path(), defaultMessages());
    MessageBook changed = defaultMessages();
    changed.wpm = 30;
    {
        const test::FileFault full(files::Op::Write, ENOSPC);
        EXPECT_THROW(saveMessages(folder.path(), changed), IoError);
    }
    EXPECT_EQ(readMessages(folder.path()).book, defaultMessages());
}

}  // namespace
}  // namespace qz
