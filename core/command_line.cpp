#include "command_line.h"

#include "rig_setting.h"

namespace qz {

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    const std::string rigWithValue = std::string(kRigOption) + "=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kRigOption)
            line.rig = i + 1 < arguments.size() ? arguments[++i] : std::string();
        else if (argument.starts_with(rigWithValue))
            line.rig = argument.substr(rigWithValue.size());
        else if (argument == "--help" || argument == "-h")
            line.help = true;
        else
            line.unknown.push_back(argument);
    }
    return line;
}

std::string commandLineUsage(const std::string& program)
{
    return "Usage: " + program +
           " [--rig HOST:PORT | --rig off]\n"
           "  --rig HOST:PORT  follow the radio served by rigctld at HOST:PORT (default localhost:4532,\n"
           "                   or the first line of " +
           std::string(kRigSettingFile) +
           " in the station folder)\n"
           "  --rig off        do not follow a radio\n";
}

}  // namespace qz
