#pragma once
// Whether and how the station's computers share their log through an MQTT
// broker. The broker's address comes from the command line (--share
// HOST:PORT, or --share off), else from the file QZ5KV_stationbook_share.txt
// in the station folder; without either nothing is shared. The file holds
// KEY=VALUE lines, blank lines and lines starting with '#' aside:
//
//   broker=HOST:PORT     the broker, or off
//   station=QZ5KV        the station's name in its messages' topics
//   user=NAME            the broker's user; none: anonymous
//   password=SECRET      that user's password
//
// Keys in any letter case, blanks around keys and values do not count, a
// value runs to the line's end (so a password may hold '=' and blanks).
// Values are printable ASCII. A --share address replaces only the file's
// broker line: station, user and password still come from the file. A file
// with any fault is passed over whole, with the reason kept to be shown.

#include "address_setting.h"
#include "setting_source.h"
#include "station_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kShareOption = "--share";
inline constexpr std::string_view kDefaultShareStation = "QZ5KV";

struct ShareSetting {
    NetworkAddress broker;
    std::string station = std::string(kDefaultShareStation);
    // Both empty: the broker is asked for anonymous access.
    std::string user;
    std::string password;
};

struct ShareChoice {
    // Nothing: the log is not shared.
    std::optional<ShareSetting> setting;
    // Where the broker's address (or off) came from: "--share", the file's
    // name, or empty when neither gave one.
    std::string source;
    std::vector<IgnoredSetting> ignored;
};

ShareChoice chooseShare(const std::optional<std::string>& commandLine, const std::filesystem::path& folder);

}  // namespace qz
