#include "operator_book.h"

#include "files.h"
#include "text.h"

#include <algorithm>

namespace qz {

std::filesystem::path operatorFilePath(const std::filesystem::path& folder)
{
    return folder / "QZ5KV_stationbook.ini";
}

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
    std::string record = fields[0];
    for (std::size_t i = 1; i < fields.size(); ++i) {
        record += ',';
        record += fields[i];
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

std::optional<std::vector<std::string>> readOperatorRecords(const std::filesystem::path& folder)
{
    const auto path = operatorFilePath(folder);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::nullopt;
    std::vector<std::string> records = files::readLines(path);
    records.erase(std::remove_if(records.begin(), records.end(), [](const std::string& r) { return r.empty(); }),
                  records.end());
    sortNoCase(records);
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
    files::replaceAtomically(operatorFilePath(folder), files::joinLines(records));
}

}  // namespace qz
