#pragma once
// How CW is sent: through a cwdaemon on the station's network, through the
// radio's own keyer (rigctld at the radio's address, as chooseRig finds it),
// or not at all. From the command line (--cw VALUE), else from the first line
// of QZ5KV_stationbook_cw.txt in the station folder, else off. The values,
// in any letter case: "cwdaemon:HOST:PORT", "cwdaemon" (the daemon on this
// computer at its usual port), "rig", "off". A malformed setting never stops
// the program: it is passed over, and the reason is kept to be shown.

#include "address_setting.h"
#include "setting_source.h"
#include "station_files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kCwOption = "--cw";
inline constexpr std::uint16_t kCwdaemonPort = 6789;
// Not "localhost": cwdaemon 0.10.2 listens on IPv4 alone (0.0.0.0), and a
// datagram sent to ::1, where "localhost" may resolve first, is lost without
// a word.
inline constexpr std::string_view kCwdaemonHost = "127.0.0.1";

enum class CwTransport { Off, Cwdaemon, Rig };

struct CwSetting {
    CwTransport transport = CwTransport::Off;
    // Only for cwdaemon.
    std::optional<NetworkAddress> cwdaemon;
    SettingProblem problem = SettingProblem::None;
};

CwSetting parseCwSetting(std::string_view text);

struct CwChoice {
    CwTransport transport = CwTransport::Off;
    std::optional<NetworkAddress> cwdaemon;
    // Where the choice came from: "--cw", the file's name, or empty for the default.
    std::string source;
    std::vector<IgnoredSetting> ignored;
};

// The setting in force: the command line's value (when usable) wins over the
// file, the file over the default (off). Only the file's first line counts.
CwChoice chooseCw(const std::optional<std::string>& commandLine, const std::filesystem::path& folder);

}  // namespace qz
