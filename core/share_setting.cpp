#include "share_setting.h"

#include "share_message.h"

#include <algorithm>
#include <array>

namespace qz {
namespace {

// Room for the four lines and a few comments; a longer file is refused
// without being read further.
constexpr std::size_t kFileLimit = 4096;
constexpr std::size_t kMaxValue = 256;

constexpr std::string_view kBrokerKey = "broker";
constexpr std::string_view kStationKey = "station";
constexpr std::string_view kUserKey = "user";
constexpr std::string_view kPasswordKey = "password";
constexpr std::array<std::string_view, 4> kKeys{kBrokerKey, kStationKey, kUserKey, kPasswordKey};

// What the file sets.
struct ShareFile {
    // Nothing without a broker line.
    std::optional<AddressSetting> broker;
    ShareSetting setting;
    std::vector<std::string> keys;  // those given
};

bool isPrintableAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// Takes one line's value into `file`.
SettingProblem takeValue(const std::string& key, const std::string& value, ShareFile& file)
{
    if (std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end())
        return SettingProblem::UnknownKey;
    if (std::find(file.keys.begin(), file.keys.end(), key) != file.keys.end())
        return SettingProblem::RepeatedKey;
    if (value.size() > kMaxValue)
        return SettingProblem::TooLong;
    if (!isPrintableAscii(value))
        return SettingProblem::BadCharacter;
    file.keys.push_back(key);
    if (key == kBrokerKey) {
        file.broker = parseAddressSetting(value);
        return file.broker->problem;
    }
    if (key == kStationKey) {
        file.setting.station = value;
        return isShareName(value) ? SettingProblem::None : SettingProblem::BadName;
    }
    (key == kUserKey ? file.setting.user : file.setting.password) = value;
    return SettingProblem::None;
}

// The line as the reason shows it: never a password, and of an unknown key
// only the key, as it may be a password's misspelt line.
std::string shownLine(const std::string& key, const std::string& value, SettingProblem problem)
{
    if (problem == SettingProblem::UnknownKey)
        return key;
    return key + "=" + (key == kPasswordKey ? std::string("***") : value);
}

std::optional<ShareFile> parseShareFile(std::string_view content, std::vector<IgnoredSetting>& ignored)
{
    const auto refuse = [&ignored](SettingProblem problem, std::string text, std::size_t line) {
        ignored.push_back({std::string(kShareSettingFile), std::move(text), problem, {}, line});
        return std::nullopt;
    };
    ShareFile file;
    if (const auto fault =
            readKeyValues(content, kFileLimit, [&file](const std::string& key, const std::string& value) {
                return takeValue(key, value, file);
            }))
        return refuse(fault->problem,
                      fault->line == 0 || fault->problem == SettingProblem::NotKeyValue
                          ? std::string()
                          : shownLine(fault->key, fault->value, fault->problem),
                      fault->line);
    if (file.setting.user.empty() && !file.setting.password.empty())
        return refuse(SettingProblem::PasswordWithoutUser, {}, 0);
    return file;
}

std::optional<ShareFile> readShareFile(const std::filesystem::path& folder, std::vector<IgnoredSetting>& ignored)
{
    const auto content = readSettingFile(folder, kShareSettingFile, kFileLimit + 1, ignored);
    return content ? parseShareFile(*content, ignored) : std::nullopt;
}

}  // namespace

ShareChoice chooseShare(const std::optional<std::string>& commandLine, const std::filesystem::path& folder)
{
    ShareChoice choice;
    std::optional<NetworkAddress> given;
    if (commandLine) {
        const AddressSetting setting = parseAddressSetting(*commandLine);
        if (setting.problem != SettingProblem::None) {
            choice.ignored.push_back({std::string(kShareOption), *commandLine, setting.problem, {}});
        } else if (!setting.address) {
            // --share off: the file is not even read.
            choice.source = kShareOption;
            return choice;
        }
        given = setting.address;
    }
    const std::optional<ShareFile> file = readShareFile(folder, choice.ignored);
    if (given) {
        choice.setting = file ? file->setting : ShareSetting{};
        choice.setting->broker = *given;
        choice.source = kShareOption;
    } else if (file && file->broker) {
        choice.source = kShareSettingFile;
        if (file->broker->address) {
            choice.setting = file->setting;
            choice.setting->broker = *file->broker->address;
        }
    } else if (file && !file->keys.empty()) {
        // Station, user or password, but nowhere to share them.
        choice.ignored.push_back({std::string(kShareSettingFile), {}, SettingProblem::NoAddress, {}});
    }
    return choice;
}

}  // namespace qz
