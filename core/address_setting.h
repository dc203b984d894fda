#pragma once
// An address on the station's network given as a setting: "HOST:PORT" (an
// IPv6 address in brackets) or "off" in any letter case; blanks around it do
// not count.

#include "setting_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

struct NetworkAddress {
    std::string host;  // a name, an IPv4 address or an IPv6 address without brackets
    std::uint16_t port = 0;

    // "localhost:4532", "[::1]:4532".
    std::string text() const;
};

struct AddressSetting {
    // Nothing when the setting is "off" or malformed.
    std::optional<NetworkAddress> address;
    SettingProblem problem = SettingProblem::None;
};

AddressSetting parseAddressSetting(std::string_view text);

}  // namespace qz
