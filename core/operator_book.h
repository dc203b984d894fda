#pragma once
// The operator settings file "QZ5KV_stationbook.ini": one record per line,
// eleven comma-separated fields (callsign, name, e-mail, three address lines,
// points, category, operators, contest, remarks), no quoting.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::size_t kOperatorFieldCount = 11;
using OperatorFields = std::array<std::string, kOperatorFieldCount>;

// Field positions, counted from 0.
enum OperatorField : std::size_t {
    kCallsign, kName, kEmail, kAddress1, kAddress2, kAddress3, kPoints, kCategory, kOperators, kContest, kRemarks
};

std::filesystem::path operatorFilePath(const std::filesystem::path& folder);

// The text before the first comma, ASCII letters raised; empty without a comma.
std::string callsignOf(std::string_view record);

// A record with fewer than eleven fields gives its last part to every field
// that is left; what follows an eleventh comma is ignored.
OperatorFields splitRecord(std::string_view record);
std::string joinRecord(const OperatorFields& fields);

// Contest "IARU-HF", category "CHECKLOG", points "0", the rest empty.
OperatorFields newRecordFields();

// The records, in the sorted order of the lists (letters compared without
// regard to case); empty lines are skipped. Nothing when there is no file.
std::optional<std::vector<std::string>> readOperatorRecords(const std::filesystem::path& folder);

// The callsigns of all records, sorted; empty when there is no file.
std::vector<std::string> readOperatorCallsigns(const std::filesystem::path& folder);

// Replaces the whole file by the records, one line each; a failure leaves
// the old file as it was.
void writeOperatorRecords(const std::filesystem::path& folder, const std::vector<std::string>& records);

}  // namespace qz
