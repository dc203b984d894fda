#include "command_line.h"
#include "errors.h"
#include "files.h"
#include "rig_setting.h"
#include "temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace qz {
namespace {

struct SettingCase {
    const char* name;
    std::string_view text;
    RigProblem problem;
    std::string address;  // RigAddress::text() when one results
};
void PrintTo(const SettingCase& row, std::ostream* out) { *out << row.name; }

class RigSettingText : public ::testing::TestWithParam<SettingCase> {};

TEST_P(RigSettingText, IsReadOrRefusedWithItsReason)
{
    const RigSetting setting = parseRigSetting(GetParam().text);
    EXPECT_EQ(setting.problem, GetParam().problem);
    EXPECT_EQ(setting.address ? setting.address->text() : std::string(), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RigSettingText,
    ::testing::Values(
        SettingCase{"NameAndPort", "localhost:4532", RigProblem::None, "localhost:4532"},
        SettingCase{"Ipv4WithBlanksAndCr", "  192.168.1.20:4533\r", RigProblem::None, "192.168.1.20:4533"},
        SettingCase{"Ipv6InBrackets", "[::1]:4532", RigProblem::None, "[::1]:4532"},
        SettingCase{"HighestPort", "rig-pc.local:65535", RigProblem::None, "rig-pc.local:65535"},
        SettingCase{"Off", "off", RigProblem::None, ""}, SettingCase{"OffInCapitals", " OFF ", RigProblem::None, ""},
        SettingCase{"Empty", "", RigProblem::Empty, ""}, SettingCase{"Blank", " \t ", RigProblem::Empty, ""},
        SettingCase{"HostAlone", "localhost", RigProblem::NoPort, ""},
        SettingCase{"NoHost", ":4532", RigProblem::BadHost, ""},
        SettingCase{"SpaceInHost", "rig pc:4532", RigProblem::BadHost, ""},
        SettingCase{"Ipv6WithoutBrackets", "::1:4532", RigProblem::BadHost, ""},
        SettingCase{"BracketsAroundAName", "[rigpc]:4532", RigProblem::BadHost, ""},
        SettingCase{"HostTooLong",
                    std::string_view("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                     "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                     "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                     "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa:1"),
                    RigProblem::BadHost, ""},
        SettingCase{"PortZero", "localhost:0", RigProblem::BadPort, ""},
        SettingCase{"PortTooHigh", "localhost:65536", RigProblem::BadPort, ""},
        SettingCase{"PortWithLetters", "localhost:45x2", RigProblem::BadPort, ""},
        SettingCase{"PortWithSign", "localhost:+4532", RigProblem::BadPort, ""},
        SettingCase{"PortMissing", "localhost:", RigProblem::BadPort, ""},
        SettingCase{"OffWithMore", "off please", RigProblem::NoPort, ""}),
    [](const auto& row) { return std::string(row.param.name); });

class RigChoiceTest : public ::testing::Test {
protected:
    RigChoice choose(std::optional<std::string> commandLine) { return chooseRig(commandLine, folder.path()); }
    test::TempFolder folder;
};

TEST_F(RigChoiceTest, CommandLineWinsOverTheFileWhichWinsOverTheDefault)
{
    EXPECT_EQ(choose(std::nullopt).address->text(), "localhost:4532");
    EXPECT_EQ(choose(std::nullopt).source, "");

    folder.write(std::string(kRigSettingFile), "rigpc:4540\r\n");
    RigChoice choice = choose(std::nullopt);
    EXPECT_EQ(choice.address->text(), "rigpc:4540");
    EXPECT_EQ(choice.source, kRigSettingFile);

    choice = choose("127.0.0.1:4600");
    EXPECT_EQ(choice.address->text(), "127.0.0.1:4600");
    EXPECT_EQ(choice.source, "--rig");
    EXPECT_TRUE(choice.ignored.empty());

    choice = choose("off");
    EXPECT_FALSE(choice.address);
    EXPECT_EQ(choice.source, "--rig");
}

TEST_F(RigChoiceTest, OffInTheFileStopsFollowing)
{
    folder.write(std::string(kRigSettingFile), "Off\n");
    const RigChoice choice = choose(std::nullopt);
    EXPECT_FALSE(choice.address);
    EXPECT_EQ(choice.source, kRigSettingFile);
}

TEST_F(RigChoiceTest, MalformedSettingsArePassedOverWithTheirReasons)
{
    folder.write(std::string(kRigSettingFile), "rigpc\r\nlocalhost:4532\r\n");  // only the first line counts
    const RigChoice choice = choose("localhost:99999");
    EXPECT_EQ(choice.address->text(), "localhost:4532");
    EXPECT_EQ(choice.source, "");
    ASSERT_EQ(choice.ignored.size(), 2u);
    EXPECT_EQ(choice.ignored[0].source, "--rig");
    EXPECT_EQ(choice.ignored[0].text, "localhost:99999");
    EXPECT_EQ(choice.ignored[0].problem, RigProblem::BadPort);
    EXPECT_EQ(choice.ignored[1].source, kRigSettingFile);
    EXPECT_EQ(choice.ignored[1].text, "rigpc");
    EXPECT_EQ(choice.ignored[1].problem, RigProblem::NoPort);

    // A malformed command line still lets a good file decide.
    folder.write(std::string(kRigSettingFile), "rigpc:4540");
    EXPECT_EQ(choose("").address->text(), "rigpc:4540");
    EXPECT_EQ(choose("").ignored.at(0).problem, RigProblem::Empty);
}

TEST_F(RigChoiceTest, AnEmptyFileOrAFolderOfThatNameSetsNothing)
{
    folder.write(std::string(kRigSettingFile), "");
    EXPECT_EQ(choose(std::nullopt).address->text(), "localhost:4532");
    EXPECT_TRUE(choose(std::nullopt).ignored.empty());
    std::filesystem::remove(folder / std::string(kRigSettingFile));
    std::filesystem::create_directory(folder / std::string(kRigSettingFile));
    EXPECT_EQ(choose(std::nullopt).address->text(), "localhost:4532");
    EXPECT_TRUE(choose(std::nullopt).ignored.empty());
}

TEST_F(RigChoiceTest, AnUnreadableOrHugeFileNeverStopsTheStart)
{
    folder.write(std::string(kRigSettingFile), "rigpc:4540\n");
    files::setFaultHook([](files::Op op, const files::Path&) { return op == files::Op::Open ? EACCES : 0; });
    const RigChoice choice = choose(std::nullopt);
    files::setFaultHook({});
    EXPECT_EQ(choice.address->text(), "localhost:4532");
    ASSERT_EQ(choice.ignored.size(), 1u);
    EXPECT_EQ(choice.ignored[0].problem, RigProblem::Unreadable);
    EXPECT_EQ(choice.ignored[0].detail, "File access denied");

    // Megabytes on one line: read only as far as a setting can reach, and refused.
    folder.write(std::string(kRigSettingFile), std::string(5'000'000, 'a') + ":4532\n");
    const RigChoice huge = choose(std::nullopt);
    EXPECT_EQ(huge.address->text(), "localhost:4532");
    ASSERT_EQ(huge.ignored.size(), 1u);
    EXPECT_LE(huge.ignored[0].text.size(), 4096u);
}

TEST(CommandLine, RigOptionHelpAndStrays)
{
    CommandLine line = parseCommandLine({"--rig", "rigpc:4540"});
    EXPECT_EQ(line.rig, "rigpc:4540");
    EXPECT_TRUE(line.unknown.empty());
    EXPECT_EQ(parseCommandLine({"--rig=off"}).rig, "off");
    EXPECT_EQ(parseCommandLine({"--rig", "a:1", "--rig", "b:2"}).rig, "b:2");
    // A --rig without its value is a malformed setting, not a reason to stop.
    EXPECT_EQ(parseCommandLine({"--rig"}).rig, "");
    EXPECT_FALSE(parseCommandLine({}).rig);

    line = parseCommandLine({"-rig", "x:1", "--help"});
    EXPECT_TRUE(line.help);
    EXPECT_FALSE(line.rig);
    EXPECT_EQ(line.unknown, (std::vector<std::string>{"-rig", "x:1"}));
}

}  // namespace
}  // namespace qz
