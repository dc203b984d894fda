#include "station_files.h"

#include "files.h"
#include "text.h"

#include <algorithm>
#include <array>

namespace qz {
namespace {

constexpr std::array kFixedNames{kLogFileName,      kLogBackupName,    kLogScratchName,
                                 kOperatorFileName, kLockFileName,     kShareJournalName,
                                 kCountryFileName,  kCallListFileName, kHeadquartersFileName};

// Windows compares names without regard to letter case; the program's names
// are ASCII.
bool sameName(std::string_view a, std::string_view b)
{
#ifdef _WIN32
    return equalNoCase(a, b);
#else
    return a == b;
#endif
}

bool isSettingFileName(const std::filesystem::path& file)
{
    // UTF-8 bytes: a name of any letters converts, and the program's are ASCII.
    const std::u8string utf8 = file.filename().u8string();
    const std::string_view name(reinterpret_cast<const char*>(utf8.data()), utf8.size());
    return name.size() > kSettingFilePrefix.size() + kSettingFileSuffix.size() &&
           sameName(name.substr(0, kSettingFilePrefix.size()), kSettingFilePrefix) &&
           sameName(name.substr(name.size() - kSettingFileSuffix.size()), kSettingFileSuffix);
}

}  // namespace

bool isStationFile(const std::filesystem::path& folder, const std::filesystem::path& candidate)
{
    if (std::any_of(kFixedNames.begin(), kFixedNames.end(),
                    [&](std::string_view name) { return files::sameFile(candidate, folder / name); }))
        return true;
    // A settings file, named so in the folder itself ...
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(candidate, ec);
    if (!ec && files::sameFile(resolved.parent_path(), folder) && isSettingFileName(resolved))
        return true;
    // ... or reached by a link of another name.
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (isSettingFileName(it->path()) && files::sameFile(candidate, it->path()))
            return true;
    return false;
}

}  // namespace qz
