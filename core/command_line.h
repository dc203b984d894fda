#pragma once
// The program's few arguments: --rig HOST:PORT (or --rig=HOST:PORT, or
// --rig off), --share and --cluster in the same forms, --cw VALUE (or --cw=VALUE), and
// --help. Everything else is
// collected as unknown, so that the caller can name it and start anyway.

#include <optional>
#include <string>
#include <vector>

namespace qz {

struct CommandLine {
    // The value of the last --rig; empty when --rig ends the line without one.
    std::optional<std::string> rig;
    // The same for --share.
    std::optional<std::string> share;
    // The same for --cw.
    std::optional<std::string> cw;
    // The same for --cluster.
    std::optional<std::string> cluster;
    bool help = false;
    std::vector<std::string> unknown;
};

// `arguments` without the program's own name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string commandLineUsage(const std::string& program);

}  // namespace qz
