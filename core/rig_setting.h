#pragma once
// Where the radio is found: the address of a rigctld, from the command line
// (--rig HOST:PORT), else from the one-line file QZ5KV_stationbook_rig.txt in
// the station folder, else rigctld's own default, localhost:4532. "off" in
// either place stops the following. A malformed setting never stops the
// program: it is passed over, and the reason is kept to be shown.

#include "station_files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kRigOption = "--rig";
inline constexpr std::string_view kRigctldHost = "localhost";
inline constexpr std::uint16_t kRigctldPort = 4532;

struct RigAddress {
    std::string host;  // a name, an IPv4 address or an IPv6 address without brackets
    std::uint16_t port = kRigctldPort;

    // "localhost:4532", "[::1]:4532".
    std::string text() const;
};

enum class RigProblem { None, Empty, NoPort, BadPort, BadHost, Unreadable };

struct RigSetting {
    // Nothing when the setting is "off" or malformed.
    std::optional<RigAddress> address;
    RigProblem problem = RigProblem::None;
};

// "HOST:PORT" (an IPv6 address in brackets) or "off" in any letter case;
// blanks around it do not count.
RigSetting parseRigSetting(std::string_view text);

struct IgnoredRigSetting {
    std::string source;  // "--rig" or the file's name
    std::string text;    // as it was given (Windows-1250 bytes from the file)
    RigProblem problem;
    std::string detail;  // the file error's text when the file was unreadable
};

struct RigChoice {
    // Nothing: the radio is not followed.
    std::optional<RigAddress> address;
    // Where the choice came from: "--rig", the file's name, or empty for the default.
    std::string source;
    std::vector<IgnoredRigSetting> ignored;
};

// The setting in force: the command line's value (when given) wins over the
// file, the file over the default. The file is optional; only its first line
// counts.
RigChoice chooseRig(const std::optional<std::string>& commandLine, const std::filesystem::path& folder);

}  // namespace qz
