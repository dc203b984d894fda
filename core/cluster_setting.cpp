#include "cluster_setting.h"

#include "station_files.h"
#include "text.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::size_t kFileLimit = 4096;
constexpr std::size_t kMaxLogin = 15;
constexpr int kMaxLifetime = 240;

struct ClusterFile {
    std::optional<AddressSetting> host;
    ClusterSetting setting;
    std::vector<std::string> keys;
};

std::optional<int> minutesOf(const std::string& value)
{
    if (value.empty() || value.size() > 3 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int minutes = std::stoi(value);
    return minutes >= 1 && minutes <= kMaxLifetime ? std::optional(minutes) : std::nullopt;
}

bool isLogin(const std::string& value)
{
    return !value.empty() && value.size() <= kMaxLogin && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == '-';
    });
}

SettingProblem takeValue(const std::string& key, const std::string& value, ClusterFile& file)
{
    if (key != "host" && key != "login" && key != "lifetime")
        return SettingProblem::UnknownKey;
    if (std::find(file.keys.begin(), file.keys.end(), key) != file.keys.end())
        return SettingProblem::RepeatedKey;
    file.keys.push_back(key);
    if (key == "host") {
        file.host = parseAddressSetting(value);
        return file.host->problem;
    }
    if (key == "login") {
        file.setting.login = asciiUpper(value);
        return isLogin(value) ? SettingProblem::None : SettingProblem::BadValue;
    }
    const auto minutes = minutesOf(value);
    if (!minutes)
        return SettingProblem::BadValue;
    file.setting.lifetime = std::chrono::minutes(*minutes);
    return SettingProblem::None;
}

std::optional<ClusterFile> readClusterFile(const std::filesystem::path& folder, std::vector<IgnoredSetting>& ignored)
{
    const auto content = readSettingFile(folder, kClusterSettingFile, kFileLimit + 1, ignored);
    if (!content)
        return std::nullopt;
    const auto refuse = [&ignored](SettingProblem problem, std::string text, std::size_t line) {
        ignored.push_back({std::string(kClusterSettingFile), std::move(text), problem, {}, line});
        return std::nullopt;
    };
    ClusterFile file;
    if (auto fault = readKeyValues(*content, kFileLimit, [&file](const std::string& key, const std::string& value) {
            return takeValue(key, value, file);
        }))
        return refuse(fault->problem, fault->problem == SettingProblem::NotKeyValue ? std::string() : fault->text,
                      fault->line);
    return file;
}

}  // namespace

ClusterChoice chooseCluster(const std::optional<std::string>& commandLine, const std::filesystem::path& folder)
{
    ClusterChoice choice;
    std::optional<NetworkAddress> given;
    bool off = false;
    if (commandLine) {
        const AddressSetting setting = parseAddressSetting(*commandLine);
        if (setting.problem != SettingProblem::None)
            choice.ignored.push_back({std::string(kClusterOption), *commandLine, setting.problem, {}});
        else if (!setting.address)
            off = true;
        given = setting.address;
    }
    const std::optional<ClusterFile> file = readClusterFile(folder, choice.ignored);
    if (file)
        choice.lifetime = file->setting.lifetime;
    if (off) {
        choice.source = kClusterOption;
    } else if (given) {
        choice.setting = file ? file->setting : ClusterSetting{};
        choice.setting->node = *given;
        choice.source = kClusterOption;
    } else if (file && file->host) {
        choice.source = kClusterSettingFile;
        if (file->host->address) {
            choice.setting = file->setting;
            choice.setting->node = *file->host->address;
        }
    }
    return choice;
}

}  // namespace qz
