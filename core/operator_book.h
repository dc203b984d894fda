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
    kCallsign,
    kName,
    kEmail,
    kAddress1,
    kAddress2,
    kAddress3,
    kPoints,
    kCategory,
    kOperators,
    kContest,
    kRemarks
};

std::filesystem::path operatorFilePath(const std::filesystem::path& folder);

// The text before the first comma, ASCII letters raised; empty without a comma.
std::string callsignOf(std::string_view record);

// A record with fewer than eleven fields gives its last part to every field
// that is left; what follows an eleventh comma is ignored.
OperatorFields splitRecord(std::string_view record);
// Every field on one line (oneLine) and without a comma, which becomes a blank.
std::string joinRecord(const OperatorFields& fields);

// Contest "IARU-HF", category "CHECKLOG", points "0", the rest empty.
OperatorFields newRecordFields();

// The first field holding a comma, which would shift every later field on the
// next reading; nothing when the fields can be joined safely.
std::optional<OperatorField> fieldWithComma(const OperatorFields& fields);

// The records as the editor and the Cabrillo export hold them: one list kept in
// the order of the callsigns, the one of the main window's operator list
// (letters compared without regard to case; records of one callsign by their
// whole text). The callsign of an
// entry is derived from its record, so callsigns and records never disagree.
// Records are kept exactly as read until they are replaced.
class OperatorList {
public:
    OperatorList() = default;
    explicit OperatorList(std::vector<std::string> records);

    const std::vector<std::string>& records() const { return records_; }
    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    std::string callsign(std::size_t row) const { return callsignOf(records_.at(row)); }

    // The first entry whose callsign equals `callsign` without regard to case.
    std::optional<std::size_t> find(std::string_view callsign) const;
    // The record's sorted place, after its equals.
    std::size_t placeOf(const std::string& record) const;
    // Puts the record at that place; returns it.
    std::size_t insert(std::string record);
    void erase(std::size_t row);

private:
    std::vector<std::string> records_;
};

// The records, in the order of the lists; empty lines are skipped. Nothing when there is no file.
std::optional<std::vector<std::string>> readOperatorRecords(const std::filesystem::path& folder);

// The callsigns of all records, sorted; empty when there is no file.
std::vector<std::string> readOperatorCallsigns(const std::filesystem::path& folder);

// Replaces the whole file by the records, one line each; a failure leaves
// the old file as it was. A record holding a line break is refused
// (std::invalid_argument) and nothing is written.
void writeOperatorRecords(const std::filesystem::path& folder, const std::vector<std::string>& records);

// The record with its Points field (the claimed score) replaced and every
// other byte kept; nothing when the record has too few commas for the field
// to stand on its own (the split would give its text to later fields too).
std::optional<std::string> withPoints(std::string_view record, std::string_view points);

enum class ClaimedScoreResult { Written, NoFile, NoRecord, RecordTooShort };
// Writes the points into the operator's record, the one that the editor and
// the Cabrillo export find (the first with that callsign), through the same
// whole-file replacement as the editor. Nothing is written unless Written.
ClaimedScoreResult writeClaimedScore(const std::filesystem::path& folder, std::string_view callsign,
                                     std::string_view points);

}  // namespace qz
