#pragma once
// The field's own data files that the contest overview reads: the country
// file "cty.dat", the contest call list "MASTER.SCP", and the station's
// additions to the headquarters list, "IARU_HQ.txt" (only in the station
// folder; the list itself is built into the program). A copy in the station
// folder comes first, so that the operators can put newer files there before
// a contest (on Windows that is the only place, beside the program); then the
// copies that Debian's hamradio-files package installs. A missing, unreadable
// or damaged file is reported, never fatal: the overview shows the rest.

#include "call_list.h"
#include "country_file.h"
#include "headquarters_list.h"
#include "station_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The folders searched, in order.
std::vector<std::filesystem::path> contestDataFolders(const std::filesystem::path& stationFolder);

enum class DataFault {
    Unreadable,     // the file could not be read (detail: the standard text)
    TooLarge,       // far beyond any real country file or call list
    NothingUsable,  // not one record or callsign could be read
};
struct DataFileFault {
    std::filesystem::path path;
    DataFault fault;
    std::string detail;
};

struct DataFileReport {
    std::string name;
    std::optional<std::filesystem::path> used;  // nothing when no usable file was found
    std::vector<DataFileFault> faults;          // files passed over, in the order tried
    std::size_t skipped = 0;                    // records or lines of the used file left out
};

struct ContestData {
    std::optional<CountryFile> countries;
    DataFileReport countryFile;
    std::optional<CallList> calls;
    DataFileReport callList;
    HeadquartersList headquarters = HeadquartersList::builtIn();  // with the station's additions
    DataFileReport headquartersFile;
};

// Reads the first usable copy of each file from the folders; the headquarters
// additions only from the first, the station folder.
ContestData loadContestData(const std::vector<std::filesystem::path>& folders);

// Changes whenever one of the files appears, disappears or is rewritten in
// one of the folders, so that unchanged files need not be read again.
std::string contestDataStamp(const std::vector<std::filesystem::path>& folders);
// The same for one file: its size and time of writing, or that it is not there.
std::string fileStamp(const std::filesystem::path& path);

}  // namespace qz
