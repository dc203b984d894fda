#pragma once
// Whether spots are taken from a DX cluster node, and which. The node comes
// from the command line (--cluster HOST:PORT, or --cluster off), else from
// the file QZ5KV_stationbook_cluster.txt in the station folder; without
// either no cluster is read. The file holds KEY=VALUE lines, blank lines and
// lines starting with '#' aside:
//
//   host=HOST:PORT   the node, or off
//   login=CALL       the callsign the node is logged in with (default QZ5KV)
//   lifetime=MIN     how long a spot stays on the band map (1-240, default 30)
//
// A --cluster address replaces only the file's host line. A file with any
// fault is passed over whole, with the reason kept to be shown.

#include "address_setting.h"
#include "setting_source.h"
#include "station_files.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kClusterOption = "--cluster";

struct ClusterSetting {
    NetworkAddress node;
    std::string login = "QZ5KV";
    std::chrono::minutes lifetime{30};
};

struct ClusterChoice {
    // Nothing: no cluster is read (the band map still shows shared spots).
    std::optional<ClusterSetting> setting;
    // Lifetime of the spots, also when no node is read here.
    std::chrono::minutes lifetime{30};
    std::string source;  // "--cluster", the file's name, or empty
    std::vector<IgnoredSetting> ignored;
};

ClusterChoice chooseCluster(const std::optional<std::string>& commandLine, const std::filesystem::path& folder);

}  // namespace qz
