#include "command_line.h"
#include "cw_setting.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct CwCase {
    const char* name;
    std::string_view text;
    CwTransport transport;
    std::string cwdaemon;  // NetworkAddress::text() when one results
    SettingProblem problem;
};
void PrintTo(const CwCase& row, std::ostream* out) { *out << row.name; }

class CwSettingText : public ::testing::TestWithParam<CwCase> {};

TEST_P(CwSettingText, IsReadOrRefusedWithItsReason)
{
    const CwSetting setting = parseCwSetting(GetParam().text);
    EXPECT_EQ(setting.transport, GetParam().transport);
    EXPECT_EQ(setting.cwdaemon ? setting.cwdaemon->text() : std::string(), GetParam().cwdaemon);
    EXPECT_EQ(setting.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CwSettingText,
    ::testing::Values(CwCase{"DaemonAtAnAddress", "cwdaemon:rigpc:6790", CwTransport::Cwdaemon, "rigpc:6790",
                             SettingProblem::None},
                      CwCase{"DaemonInCapitalsAtIpv6", " CWDaemon:[::1]:6789\r", CwTransport::Cwdaemon, "[::1]:6789",
                             SettingProblem::None},
                      CwCase{"DaemonAloneIsOnThisComputerOverIpv4", "cwdaemon", CwTransport::Cwdaemon, "127.0.0.1:6789",
                             SettingProblem::None},
                      CwCase{"Rig", "RIG", CwTransport::Rig, "", SettingProblem::None},
                      CwCase{"Off", "off", CwTransport::Off, "", SettingProblem::None},
                      CwCase{"Empty", " ", CwTransport::Off, "", SettingProblem::Empty},
                      CwCase{"UnknownWord", "winkeyer", CwTransport::Off, "", SettingProblem::BadValue},
                      CwCase{"WordRunOn", "cwdaemonpc:6789", CwTransport::Off, "", SettingProblem::BadValue},
                      CwCase{"DaemonWithoutPort", "cwdaemon:rigpc", CwTransport::Off, "", SettingProblem::NoPort},
                      CwCase{"DaemonOff", "cwdaemon:off", CwTransport::Off, "", SettingProblem::BadHost},
                      CwCase{"DaemonBadPort", "cwdaemon:rigpc:0", CwTransport::Off, "", SettingProblem::BadPort}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CwChoice, CommandLineWinsOverTheFileWhichWinsOverOffAndBadOnesAreNamed)
{
    test::TempFolder folder;
    const auto choose = [&folder](std::optional<std::string> commandLine) {
        return chooseCw(
            parseCommandLine(commandLine ? std::vector<std::string>{"--cw", *commandLine} : std::vector<std::string>{})
                .cw,
            folder.path());
    };
    EXPECT_EQ(choose(std::nullopt).transport, CwTransport::Off);
    EXPECT_EQ(choose(std::nullopt).source, "");

    folder.write(std::string(kCwSettingFile), "cwdaemon:shack:6789\r\nrig\r\n");  // only the first line counts
    CwChoice choice = choose(std::nullopt);
    EXPECT_EQ(choice.transport, CwTransport::Cwdaemon);
    EXPECT_EQ(choice.cwdaemon->text(), "shack:6789");
    EXPECT_EQ(choice.source, kCwSettingFile);

    choice = choose("rig");
    EXPECT_EQ(choice.transport, CwTransport::Rig);
    EXPECT_FALSE(choice.cwdaemon);
    EXPECT_EQ(choice.source, "--cw");
    EXPECT_EQ(chooseCw(parseCommandLine({"--cw=off"}).cw, folder.path()).transport, CwTransport::Off);

    // A bad command line lets the file decide; a bad file leaves CW off.
    folder.write(std::string(kCwSettingFile), "paddle\r\n");
    choice = choose("cwdaemon:shack");
    EXPECT_EQ(choice.transport, CwTransport::Off);
    EXPECT_EQ(choice.source, "");
    ASSERT_EQ(choice.ignored.size(), 2u);
    EXPECT_EQ(choice.ignored[0].source, "--cw");
    EXPECT_EQ(choice.ignored[0].text, "cwdaemon:shack");
    EXPECT_EQ(choice.ignored[0].problem, SettingProblem::NoPort);
    EXPECT_EQ(choice.ignored[1].source, kCwSettingFile);
    EXPECT_EQ(choice.ignored[1].text, "paddle");
    EXPECT_EQ(choice.ignored[1].problem, SettingProblem::BadValue);

    // --cw at the end of the line, without its value.
    EXPECT_EQ(chooseCw(parseCommandLine({"--cw"}).cw, folder.path()).ignored.at(0).problem, SettingProblem::Empty);
}

}  // namespace
}  // namespace qz
