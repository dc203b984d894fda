#include "rig_setting.h"

#include "errors.h"
#include "files.h"
#include "text.h"

#include <algorithm>

namespace qz {
namespace {

// Longer than any host name may be; the file is read only this far.
constexpr std::size_t kMaxHostLength = 253;
constexpr std::size_t kFileReadLimit = 1024;
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

RigSetting problem(RigProblem kind) { return {std::nullopt, kind}; }

}  // namespace

std::string RigAddress::text() const
{
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

RigSetting parseRigSetting(std::string_view text)
{
    const std::string setting = trimmed(text);
    if (setting.empty())
        return problem(RigProblem::Empty);
    if (asciiLower(setting) == "off")
        return {};
    const auto colon = setting.rfind(':');
    if (colon == std::string::npos)
        return problem(RigProblem::NoPort);
    std::string_view host = std::string_view(setting).substr(0, colon);
    const bool bracketed = host.starts_with('[') && host.ends_with(']');
    if (bracketed)
        host = host.substr(1, host.size() - 2);
    if (bracketed ? !isIpv6Address(host) : !isHostName(host))
        return problem(RigProblem::BadHost);
    const auto port = portNumber(std::string_view(setting).substr(colon + 1));
    if (!port)
        return problem(RigProblem::BadPort);
    return {RigAddress{std::string(host), *port}, RigProblem::None};
}

RigChoice chooseRig(const std::optional<std::string>& commandLine, const std::filesystem::path& folder)
{
    RigChoice choice;
    // Each source in turn; the first usable one decides.
    const auto tryText = [&choice](std::string_view source, const std::string& text) {
        const RigSetting setting = parseRigSetting(text);
        if (setting.problem != RigProblem::None) {
            choice.ignored.push_back({std::string(source), text, setting.problem, {}});
            return false;
        }
        choice.address = setting.address;
        choice.source = source;
        return true;
    };
    if (commandLine && tryText(kRigOption, *commandLine))
        return choice;

    const auto file = folder / kRigSettingFile;
    if (files::isFile(file)) {
        try {
            const std::string first = files::splitLines(files::readPrefix(file, kFileReadLimit)).front();
            // An empty file sets nothing.
            if (!trimmed(first).empty() && tryText(kRigSettingFile, first))
                return choice;
        } catch (const IoError& error) {
            choice.ignored.push_back({std::string(kRigSettingFile), {}, RigProblem::Unreadable, error.what()});
        }
    }
    choice.address = RigAddress{std::string(kRigctldHost), kRigctldPort};
    return choice;
}

}  // namespace qz
