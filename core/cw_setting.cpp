#include "cw_setting.h"

#include "files.h"
#include "text.h"

namespace qz {
namespace {

// Longer than any setting may be; the file is read only this far.
constexpr std::size_t kFileReadLimit = 1024;

constexpr std::string_view kCwdaemonWord = "cwdaemon";

CwSetting refused(SettingProblem problem) { return {CwTransport::Off, std::nullopt, problem}; }

}  // namespace

CwSetting parseCwSetting(std::string_view text)
{
    const std::string setting = trimmed(text);
    const std::string word = asciiLower(setting);
    if (word.empty())
        return refused(SettingProblem::Empty);
    if (word == "off")
        return {};
    if (word == "rig")
        return {CwTransport::Rig, std::nullopt, SettingProblem::None};
    if (word == kCwdaemonWord)
        return {CwTransport::Cwdaemon, NetworkAddress{std::string(kCwdaemonHost), kCwdaemonPort}, SettingProblem::None};
    if (!word.starts_with(kCwdaemonWord) || word[kCwdaemonWord.size()] != ':')
        return refused(SettingProblem::BadValue);
    const AddressSetting address = parseAddressSetting(std::string_view(setting).substr(kCwdaemonWord.size() + 1));
    if (address.problem != SettingProblem::None)
        return refused(address.problem);
    // "cwdaemon:off" names no daemon.
    if (!address.address)
        return refused(SettingProblem::BadHost);
    return {CwTransport::Cwdaemon, address.address, SettingProblem::None};
}

CwChoice chooseCw(const std::optional<std::string>& commandLine, const std::filesystem::path& folder)
{
    CwChoice choice;
    // Each source in turn; the first usable one decides.
    const auto tryText = [&choice](std::string_view source, const std::string& text) {
        const CwSetting setting = parseCwSetting(text);
        if (setting.problem != SettingProblem::None) {
            choice.ignored.push_back({std::string(source), text, setting.problem, {}});
            return false;
        }
        choice.transport = setting.transport;
        choice.cwdaemon = setting.cwdaemon;
        choice.source = source;
        return true;
    };
    if (commandLine && tryText(kCwOption, *commandLine))
        return choice;
    if (const auto content = readSettingFile(folder, kCwSettingFile, kFileReadLimit, choice.ignored)) {
        const std::string first = files::splitLines(*content).front();
        // An empty file sets nothing.
        if (!trimmed(first).empty())
            tryText(kCwSettingFile, first);
    }
    return choice;
}

}  // namespace qz
