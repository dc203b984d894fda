#include "contest_data.h"

#include "errors.h"
#include "files.h"

namespace qz {
namespace {

// The real files are well under a megabyte; anything this large is not one.
constexpr std::uintmax_t kLargestDataFile = std::uintmax_t{32} * 1024 * 1024;

template <typename Data, typename Parse, typename Usable, typename Skipped>
std::optional<Data> loadFirstUsable(const std::vector<std::filesystem::path>& folders, DataFileReport& report,
                                    Parse parse, Usable usable, Skipped skipped)
{
    for (const auto& folder : folders) {
        const std::filesystem::path path = folder / report.name;
        if (!files::isFile(path))
            continue;
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (!ec && size > kLargestDataFile) {
            report.faults.push_back({path, DataFault::TooLarge, {}});
            continue;
        }
        try {
            Data data = parse(files::readAll(path));
            if (!usable(data)) {
                report.faults.push_back({path, DataFault::NothingUsable, {}});
                continue;
            }
            report.used = path;
            report.skipped = skipped(data);
            return data;
        } catch (const IoError& error) {
            report.faults.push_back({path, DataFault::Unreadable, IoError::standardText(error.code())});
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::filesystem::path> contestDataFolders(const std::filesystem::path& stationFolder)
{
#ifdef _WIN32
    return {stationFolder};
#else
    return {stationFolder, "/usr/share/hamradio-files"};
#endif
}

ContestData loadContestData(const std::vector<std::filesystem::path>& folders)
{
    ContestData data;
    data.countryFile.name = kCountryFileName;
    data.countries = loadFirstUsable<CountryFile>(
        folders, data.countryFile, [](const std::string& text) { return CountryFile::parse(text); },
        [](const CountryFile& file) { return file.countryCount() > 0; },
        [](const CountryFile& file) { return file.skippedRecords() + file.skippedEntries(); });
    data.callList.name = kCallListFileName;
    data.calls = loadFirstUsable<CallList>(
        folders, data.callList, [](const std::string& text) { return CallList::parse(text); },
        [](const CallList& list) { return list.size() > 0; }, [](const CallList& list) { return list.skippedLines(); });
    data.headquartersFile.name = kHeadquartersFileName;
    const std::vector<std::filesystem::path> stationFolder(folders.begin(),
                                                           folders.begin() + (folders.empty() ? 0 : 1));
    auto headquarters = loadFirstUsable<HeadquartersList>(
        stationFolder, data.headquartersFile,
        [](const std::string& text) {
            HeadquartersList list = HeadquartersList::builtIn();
            list.add(text);
            return list;
        },
        [](const HeadquartersList&) { return true; }, [](const HeadquartersList& list) { return list.skippedLines(); });
    if (headquarters)
        data.headquarters = std::move(*headquarters);
    return data;
}

std::string fileStamp(const std::filesystem::path& path)
{
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const auto written = std::filesystem::last_write_time(path, timeError);
    if (sizeError || timeError)
        return "-\n";
    return std::to_string(size) + ' ' + std::to_string(written.time_since_epoch().count()) + '\n';
}

std::string contestDataStamp(const std::vector<std::filesystem::path>& folders)
{
    std::string stamp;
    // The files are always taken in the same order, so their place names them.
    for (const auto& folder : folders)
        for (const std::string_view name : {kCountryFileName, kCallListFileName, kHeadquartersFileName})
            stamp += fileStamp(folder / name);
    return stamp;
}

}  // namespace qz
