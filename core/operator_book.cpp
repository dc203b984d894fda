#include "operator_book.h"

#include "files.h"
#include "station_files.h"
#include "text.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace qz {
namespace {

// The order of both lists: by callsign, then by the whole record. Ordering by
// the whole record alone would put "QZ1A+,..." before "QZ1A,..." (a plus sorts
// before the comma) while the callsign list has QZ1A first.
std::string_view callsignPart(std::string_view record)
{
    const auto comma = record.find(',');
    return comma == std::string_view::npos ? std::string_view() : record.substr(0, comma);
}

bool recordBefore(std::string_view a, std::string_view b)
{
    const int byCallsign = compareNoCase(callsignPart(a), callsignPart(b));
    return byCallsign != 0 ? byCallsign < 0 : compareNoCase(a, b) < 0;
}

void sortRecords(std::vector<std::string>& records) { std::stable_sort(records.begin(), records.end(), recordBefore); }

}  // namespace

std::filesystem::path operatorFilePath(const std::filesystem::path& folder) { return folder / kOperatorFileName; }

std::string callsignOf(std::string_view record)
{
    const auto comma = record.find(',');
    if (comma == std::string_view::npos)
        return {};
    return asciiUpper(std::string(record.substr(0, comma)));
}

OperatorFields splitRecord(std::string_view record)
{
    OperatorFields fields;
    std::string_view rest = record;
    for (auto& field : fields) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) {
            field = rest;
            continue;
        }
        field = rest.substr(0, comma);
        rest.remove_prefix(comma + 1);
    }
    return fields;
}

std::string joinRecord(const OperatorFields& fields)
{
    // A comma inside a field would move every later field on the next
    // reading; the editor refuses it, and a blank takes its place here.
    const auto field = [](const std::string& text) {
        std::string single = oneLine(text);
        std::replace(single.begin(), single.end(), ',', ' ');
        return single;
    };
    std::string record = field(fields[0]);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        record += ',';
        record += field(fields[i]);
    }
    return record;
}

OperatorFields newRecordFields()
{
    OperatorFields fields;
    fields[kPoints] = "0";
    fields[kCategory] = "CHECKLOG";
    fields[kContest] = "IARU-HF";
    return fields;
}

std::optional<OperatorField> fieldWithComma(const OperatorFields& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].find(',') != std::string::npos)
            return static_cast<OperatorField>(i);
    return std::nullopt;
}

OperatorList::OperatorList(std::vector<std::string> records) : records_(std::move(records)) { sortRecords(records_); }

std::optional<std::size_t> OperatorList::find(std::string_view callsign) const
{
    for (std::size_t row = 0; row < records_.size(); ++row)
        if (equalNoCase(callsignOf(records_[row]), callsign))
            return row;
    return std::nullopt;
}

std::size_t OperatorList::placeOf(const std::string& record) const
{
    return static_cast<std::size_t>(std::upper_bound(records_.begin(), records_.end(), record, recordBefore) -
                                    records_.begin());
}

std::size_t OperatorList::insert(std::string record)
{
    const std::size_t row = placeOf(record);
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(row), std::move(record));
    return row;
}

void OperatorList::erase(std::size_t row) { records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(row)); }

std::optional<std::vector<std::string>> readOperatorRecords(const std::filesystem::path& folder)
{
    const auto path = operatorFilePath(folder);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::nullopt;
    std::vector<std::string> records = files::readLines(path);
    records.erase(std::remove_if(records.begin(), records.end(), [](const std::string& r) { return r.empty(); }),
                  records.end());
    sortRecords(records);
    return records;
}

std::vector<std::string> readOperatorCallsigns(const std::filesystem::path& folder)
{
    std::vector<std::string> callsigns;
    if (const auto records = readOperatorRecords(folder))
        for (const auto& record : *records)
            callsigns.push_back(callsignOf(record));
    sortNoCase(callsigns);
    return callsigns;
}

void writeOperatorRecords(const std::filesystem::path& folder, const std::vector<std::string>& records)
{
    // A line break would make two records of one. Records read from the file
    // cannot hold one, so they are written back byte for byte.
    for (const std::string& record : records)
        if (record.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("An operator record holds a line break");
    files::replaceAtomically(operatorFilePath(folder), files::joinLines(records));
}

std::optional<std::string> withPoints(std::string_view record, std::string_view points)
{
    std::size_t start = 0;
    for (std::size_t field = 0; field < kPoints; ++field) {
        start = record.find(',', start);
        if (start == std::string_view::npos)
            return std::nullopt;
        ++start;
    }
    const std::size_t end = record.find(',', start);
    if (end == std::string_view::npos)
        return std::nullopt;
    std::string changed(record.substr(0, start));
    changed += points;
    changed += record.substr(end);
    return changed;
}

ClaimedScoreResult writeClaimedScore(const std::filesystem::path& folder, std::string_view callsign,
                                     std::string_view points)
{
    auto records = readOperatorRecords(folder);
    if (!records)
        return ClaimedScoreResult::NoFile;
    OperatorList list(std::move(*records));
    const auto row = list.find(callsign);
    if (!row)
        return ClaimedScoreResult::NoRecord;
    const auto changed = withPoints(list.records()[*row], points);
    if (!changed)
        return ClaimedScoreResult::RecordTooShort;
    std::vector<std::string> written = list.records();
    written[*row] = *changed;
    writeOperatorRecords(folder, written);
    return ClaimedScoreResult::Written;
}

}  // namespace qz
