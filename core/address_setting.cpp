#include "address_setting.h"

#include "text.h"

#include <algorithm>

namespace qz {
namespace {

// Longer than any host name may be.
constexpr std::size_t kMaxHostLength = 253;
constexpr unsigned kMaxPort = 65535;

bool isAsciiLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isHostName(std::string_view host)
{
    return !host.empty() && host.size() <= kMaxHostLength && std::all_of(host.begin(), host.end(), [](char c) {
        return isAsciiLetterOrDigit(c) || c == '.' || c == '-' || c == '_';
    });
}

bool isIpv6Address(std::string_view host)
{
    return host.find(':') != std::string_view::npos && host.size() <= kMaxHostLength &&
           std::all_of(host.begin(), host.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
                      c == '.';
           });
}

std::optional<std::uint16_t> portNumber(std::string_view text)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned port = 0;
    for (const char c : text)
        port = port * 10 + static_cast<unsigned>(c - '0');
    if (port == 0 || port > kMaxPort)
        return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

AddressSetting problem(SettingProblem kind) { return {std::nullopt, kind}; }

}  // namespace

std::string NetworkAddress::text() const
{
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

AddressSetting parseAddressSetting(std::string_view text)
{
    const std::string setting = trimmed(text);
    if (setting.empty())
        return problem(SettingProblem::Empty);
    if (asciiLower(setting) == "off")
        return {};
    const auto colon = setting.rfind(':');
    if (colon == std::string::npos)
        return problem(SettingProblem::NoPort);
    std::string_view host = std::string_view(setting).substr(0, colon);
    const bool bracketed = host.starts_with('[') && host.ends_with(']');
    if (bracketed)
        host = host.substr(1, host.size() - 2);
    if (bracketed ? !isIpv6Address(host) : !isHostName(host))
        return problem(SettingProblem::BadHost);
    const auto port = portNumber(std::string_view(setting).substr(colon + 1));
    if (!port)
        return problem(SettingProblem::BadPort);
    return {NetworkAddress{std::string(host), *port}, SettingProblem::None};
}

}  // namespace qz
