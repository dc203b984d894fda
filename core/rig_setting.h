#pragma once
// Where the radio is found: the address of a rigctld, from the command line
// (--rig HOST:PORT), else from the one-line file QZ5KV_stationbook_rig.txt in
// the station folder, else rigctld's own default, localhost:4532. "off" in
// either place stops the following. A malformed setting never stops the
// program: it is passed over, and the reason is kept to be shown.

#include "address_setting.h"
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

using RigAddress = NetworkAddress;
using RigProblem = SettingProblem;
using RigSetting = AddressSetting;
using IgnoredRigSetting = IgnoredSetting;

inline RigSetting parseRigSetting(std::string_view text) { return parseAddressSetting(text); }

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
