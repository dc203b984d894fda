#include "command_line.h"

#include "cluster_setting.h"
#include "cw_setting.h"
#include "rig_setting.h"
#include "share_setting.h"

namespace qz {
namespace {

// Takes `option VALUE` or `option=VALUE` at `i` into `value`; false when the
// argument at `i` is another.
bool takeOption(std::string_view option, const std::vector<std::string>& arguments, std::size_t& i,
                std::optional<std::string>& value)
{
    const std::string& argument = arguments[i];
    if (argument == option) {
        value = i + 1 < arguments.size() ? arguments[++i] : std::string();
        return true;
    }
    if (argument.size() > option.size() && argument.starts_with(option) && argument[option.size()] == '=') {
        value = argument.substr(option.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (takeOption(kRigOption, arguments, i, line.rig) || takeOption(kShareOption, arguments, i, line.share) ||
            takeOption(kCwOption, arguments, i, line.cw) || takeOption(kClusterOption, arguments, i, line.cluster))
            continue;
        if (argument == "--help" || argument == "-h")
            line.help = true;
        else
            line.unknown.push_back(argument);
    }
    return line;
}

std::string commandLineUsage(const std::string& program)
{
    return "Usage: " + program +
           " [--rig HOST:PORT | --rig off] [--share HOST:PORT | --share off]\n"
           "       [--cw cwdaemon:HOST:PORT | --cw cwdaemon | --cw rig | --cw off]\n"
           "       [--cluster HOST:PORT | --cluster off]\n"
           "  --rig HOST:PORT    follow the radio served by rigctld at HOST:PORT (default localhost:4532,\n"
           "                     or the first line of " +
           std::string(kRigSettingFile) +
           " in the station folder)\n"
           "  --rig off          do not follow a radio\n"
           "  --share HOST:PORT  share the log through the MQTT broker at HOST:PORT (default: the broker=\n"
           "                     line of " +
           std::string(kShareSettingFile) +
           " in the station folder, which also\n"
           "                     gives the station's name, user and password; without it, no sharing)\n"
           "  --share off        do not share the log\n"
           "  --cw cwdaemon:HOST:PORT\n"
           "                     send CW from the function keys through the cwdaemon at HOST:PORT\n"
           "                     (default: the first line of " +
           std::string(kCwSettingFile) +
           " in the station folder;\n"
           "                     without it, no CW is sent)\n"
           "  --cw cwdaemon      the same through the cwdaemon on this computer (" +
           NetworkAddress{std::string(kCwdaemonHost), kCwdaemonPort}.text() +
           ")\n"
           "  --cw rig           send CW with the radio's own keyer through rigctld (see --rig)\n"
           "  --cw off           do not send CW\n"
           "  --cluster HOST:PORT\n"
           "                     take spots for the band map from the DX cluster node at HOST:PORT (default:\n"
           "                     the host= line of " +
           std::string(kClusterSettingFile) +
           ", which also gives the login;\n"
           "                     without it, no cluster is read)\n"
           "  --cluster off      do not read a cluster\n";
}

}  // namespace qz
