#include "setting_source.h"

#include "errors.h"
#include "files.h"

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

}  // namespace qz
