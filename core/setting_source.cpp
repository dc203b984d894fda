#include "setting_source.h"

#include "errors.h"
#include "files.h"
#include "text.h"

namespace qz {

std::optional<std::string> readSettingFile(const std::filesystem::path& folder, std::string_view name,
                                           std::size_t limit, std::vector<IgnoredSetting>& ignored)
{
    const auto file = folder / name;
    if (!files::isFile(file))
        return std::nullopt;
    try {
        return files::readPrefix(file, limit);
    } catch (const IoError& error) {
        ignored.push_back({std::string(name), {}, SettingProblem::Unreadable, error.what()});
        return std::nullopt;
    }
}

std::optional<KeyValueFault>
readKeyValues(std::string_view content, std::size_t limit,
              const std::function<SettingProblem(const std::string& key, const std::string& value)>& take)
{
    if (content.size() > limit)
        return KeyValueFault{.problem = SettingProblem::TooLong, .line = 0, .key = {}, .value = {}, .text = {}};
    const std::vector<std::string> lines = files::splitLines(content);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmedView(lines[i]);
        if (line.empty() || line.starts_with('#'))
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            return KeyValueFault{.problem = SettingProblem::NotKeyValue,
                                 .line = i + 1,
                                 .key = {},
                                 .value = {},
                                 .text = std::string(line)};
        std::string key = asciiLower(trimmed(line.substr(0, equals)));
        std::string value = trimmed(line.substr(equals + 1));
        if (const SettingProblem problem = take(key, value); problem != SettingProblem::None)
            return KeyValueFault{.problem = problem,
                                 .line = i + 1,
                                 .key = std::move(key),
                                 .value = std::move(value),
                                 .text = std::string(line)};
    }
    return std::nullopt;
}

}  // namespace qz
