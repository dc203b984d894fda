#include "command_line.h"
#include "files.h"
#include "share_setting.h"
#include "temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace qz {
namespace {

using namespace std::string_view_literals;

class ShareChoiceTest : public ::testing::Test {
protected:
    ShareChoice choose(const std::optional<std::string>& commandLine)
    {
        return chooseShare(commandLine, folder.path());
    }
    void writeFile(const std::string& content) { folder.write(std::string(kShareSettingFile), content); }
    test::TempFolder folder;
};

TEST_F(ShareChoiceTest, NothingIsSharedUnlessTheCommandLineOrTheFileSaysWhere)
{
    EXPECT_FALSE(choose(std::nullopt).setting);
    EXPECT_EQ(choose(std::nullopt).source, "");

    writeFile("\r\n# nothing yet\r\n");
    EXPECT_FALSE(choose(std::nullopt).setting);
    EXPECT_TRUE(choose(std::nullopt).ignored.empty());

    writeFile("Broker=off\r\nstation=QZ5KV-2\r\n");
    EXPECT_FALSE(choose(std::nullopt).setting);
    EXPECT_EQ(choose(std::nullopt).source, kShareSettingFile);

    // --share off does not even read the file, so its faults are not told.
    writeFile("broker=pc\r\n");
    const ShareChoice off = choose("OFF");
    EXPECT_FALSE(off.setting);
    EXPECT_EQ(off.source, "--share");
    EXPECT_TRUE(off.ignored.empty());
}

TEST_F(ShareChoiceTest, TheFileGivesBrokerNameAndLoginAndTheCommandLineOnlyTheBroker)
{
    writeFile("# the club's broker\r\n BROKER = 192.168.1.10:1883 \r\nstation=SP-HQ_2\r\nuser=klub\r\n"
              "password= tajne = haslo z spacjami \r\n");
    ShareChoice choice = choose(std::nullopt);
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.source, kShareSettingFile);
    EXPECT_EQ(choice.setting->broker.text(), "192.168.1.10:1883");
    EXPECT_EQ(choice.setting->station, "SP-HQ_2");
    EXPECT_EQ(choice.setting->user, "klub");
    EXPECT_EQ(choice.setting->password, "tajne = haslo z spacjami");

    choice = choose("[::1]:1884");
    EXPECT_EQ(choice.source, "--share");
    EXPECT_EQ(choice.setting->broker.text(), "[::1]:1884");
    EXPECT_EQ(choice.setting->station, "SP-HQ_2");

    // A file of the login alone wants the address from the command line.
    writeFile("user=klub\r\npassword=x\r\n");
    EXPECT_EQ(choose("pc:1883").setting->user, "klub");
    EXPECT_FALSE(choose(std::nullopt).setting);
    EXPECT_EQ(choose(std::nullopt).ignored.at(0).problem, SettingProblem::NoAddress);
}

struct BadFile {
    const char* name;
    std::string content;
    SettingProblem problem;
    std::size_t line;
    std::string shown;  // the reason's quote; a password never
};
void PrintTo(const BadFile& row, std::ostream* out) { *out << row.name; }

class ShareFileFault : public ShareChoiceTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ShareFileFault, PassesTheWholeFileOverWithItsReason)
{
    writeFile(GetParam().content);
    ShareChoice choice = choose(std::nullopt);
    EXPECT_FALSE(choice.setting);
    ASSERT_EQ(choice.ignored.size(), 1u);
    EXPECT_EQ(choice.ignored[0].source, kShareSettingFile);
    EXPECT_EQ(choice.ignored[0].problem, GetParam().problem);
    EXPECT_EQ(choice.ignored[0].line, GetParam().line);
    EXPECT_EQ(choice.ignored[0].text, GetParam().shown);

    // With an address on the command line nothing of the file counts: the
    // station is QZ5KV, and anonymous.
    choice = choose("pc:1883");
    ASSERT_TRUE(choice.setting);
    EXPECT_EQ(choice.setting->station, "QZ5KV");
    EXPECT_EQ(choice.setting->user, "");
    EXPECT_EQ(choice.setting->password, "");
    EXPECT_EQ(choice.ignored.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShareFileFault,
    ::testing::Values(
        BadFile{"BadPort", "user=klub\r\nbroker=pc:99999\r\n", SettingProblem::BadPort, 2, "broker=pc:99999"},
        BadFile{"SlashInStation", "user=klub\r\nbroker=pc:1883\r\nstation=QZ5KV/#\r\n", SettingProblem::BadName, 3,
                "station=QZ5KV/#"},
        BadFile{"MisspeltPasswordShowsOnlyItsKey", "user=klub\r\nbroker=pc:1883\r\npasword=sekret\r\n",
                SettingProblem::UnknownKey, 3, "pasword"},
        BadFile{"RepeatedPasswordIsNotShown", "user=klub\r\npassword=sekret\r\npassword=inne\r\n",
                SettingProblem::RepeatedKey, 3, "password=***"},
        BadFile{"PasswordWithoutUser", "broker=pc:1883\r\npassword=sekret\r\n", SettingProblem::PasswordWithoutUser, 0,
                ""},
        BadFile{"LineWithoutEquals", "user=klub\r\nbroker pc:1883\r\n", SettingProblem::NotKeyValue, 2, ""},
        BadFile{"PolishLetter", "user=kl\xb9\x62\r\nbroker=pc:1883\r\n", SettingProblem::BadCharacter, 1,
                "user=kl\xb9\x62"},
        BadFile{"BinaryJunk",
                std::string("\x7f"
                            "ELF\x02\x01\x01\0\0\0\r\nuser=klub\r\n"sv),
                SettingProblem::NotKeyValue, 1, ""},
        BadFile{"ValueTooLong", "user=" + std::string(300, 'a'), SettingProblem::TooLong, 1,
                "user=" + std::string(300, 'a')},
        BadFile{"FileTooLong", "user=klub\r\nbroker=pc:1883\r\n" + std::string(5000, '#'), SettingProblem::TooLong, 0,
                ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ShareChoiceTest, ABadCommandLineLetsTheFileDecideAndAnUnreadableFileIsTold)
{
    writeFile("broker=pc:1883\r\n");
    ShareChoice choice = choose("pc");
    EXPECT_EQ(choice.setting->broker.text(), "pc:1883");
    EXPECT_EQ(choice.source, kShareSettingFile);
    ASSERT_EQ(choice.ignored.size(), 1u);
    EXPECT_EQ(choice.ignored[0].source, "--share");
    EXPECT_EQ(choice.ignored[0].problem, SettingProblem::NoPort);

    files::setFaultHook([](files::Op op, const files::Path&) { return op == files::Op::Open ? EACCES : 0; });
    choice = choose(std::nullopt);
    files::setFaultHook({});
    EXPECT_FALSE(choice.setting);
    ASSERT_EQ(choice.ignored.size(), 1u);
    EXPECT_EQ(choice.ignored[0].problem, SettingProblem::Unreadable);
    EXPECT_EQ(choice.ignored[0].detail, "File access denied");
}

TEST(CommandLine, ShareOptionBesideRig)
{
    const CommandLine line = parseCommandLine({"--share", "pc:1883", "--rig=off", "--share=off", "--shared"});
    EXPECT_EQ(line.share, "off");
    EXPECT_EQ(line.rig, "off");
    EXPECT_EQ(line.unknown, (std::vector<std::string>{"--shared"}));
    EXPECT_EQ(parseCommandLine({"--share"}).share, "");
    EXPECT_FALSE(parseCommandLine({"--rig", "pc:4532"}).share);
}

}  // namespace
}  // namespace qz
