#pragma once
// Runs a contest export in the station folder: one Cabrillo or ADIF file per
// operator who has QSOs in the shared log. The export reads the log into its
// own sorted working list, so no window's list is ever touched; the windows
// only start it and tell the user what the result says.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

enum class ExportStatus {
    Done,              // every file written; none when the log holds no QSO
    LogMissing,        // no log: nothing read or written
    OperatorsMissing,  // no operator settings file: nothing written
    FilesFailed,       // the files of some operators could not be written
};

// An operator's file that could not be replaced; the earlier one, if any, is
// still there as it was.
struct FailedFile {
    std::filesystem::path path;
    std::string callsign;  // the operator column of the file's first QSO
    int errorCode = 0;     // the system's error number
};

struct ExportResult {
    ExportStatus status = ExportStatus::Done;
    // Files written, in the order in which their first QSO comes in the log.
    std::vector<std::filesystem::path> files;
    // Operator column of the file written last; empty when none was written.
    std::string lastOperator;
    // The missing log or operator settings file.
    std::filesystem::path problemPath;
    std::vector<FailedFile> failed;
};

// Cabrillo files "<stem>.cbr", each header filled from the operator's record
// (found by callsign, letters compared without regard to case, first match)
// or, for an operator without one, from the values of a new record.
ExportResult exportCabrillo(const std::filesystem::path& folder);

// ADIF files "<stem>.adi"; `comment` (Windows-1250) goes into every record.
ExportResult exportAdif(const std::filesystem::path& folder, std::string_view comment);

}  // namespace qz
