// Arbitrary operator settings lines through the record split and join and the
// sorted operator list: whatever a hand-edited file holds, a record must split
// into eleven fields that join and split back the same, and every callsign must
// be found again.

#include "files.h"
#include "fuzz_check.h"
#include "operator_book.h"
#include "text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qz::fuzz::require;

std::size_t commasIn(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
}

// Where the record stops being read: at the comma after the eleventh field.
std::string_view readPart(std::string_view record)
{
    std::size_t end = 0;
    for (std::size_t commas = 0; end < record.size(); ++end)
        if (record[end] == ',' && ++commas == qz::kOperatorFieldCount)
            break;
    return record.substr(0, end);
}

// A record of fewer than eleven fields, completed the way the split reads it.
std::string withLastPartRepeated(std::string_view record)
{
    const std::string_view last = record.substr(record.rfind(',') + 1);  // npos + 1 is 0: the whole record
    std::string full(record);
    for (std::size_t fields = commasIn(record) + 1; fields < qz::kOperatorFieldCount; ++fields) {
        full += ',';
        full += last;
    }
    return full;
}

qz::OperatorFields onOneLine(qz::OperatorFields fields)
{
    for (auto& field : fields)
        field = qz::oneLine(field);
    return fields;
}

void checkRecord(std::string_view record)
{
    const qz::OperatorFields fields = qz::splitRecord(record);
    require(!qz::fieldWithComma(fields), "no split field holds a comma");
    const std::string joined = qz::joinRecord(fields);
    require(commasIn(joined) == qz::kOperatorFieldCount - 1, "a joined record has exactly ten commas");
    // A hand-edited field with a tab or another control character is written
    // back on one line.
    const qz::OperatorFields single = onOneLine(fields);
    require(qz::splitRecord(joined) == single, "a joined record splits back to its fields on one line");
    require(qz::callsignOf(joined) == qz::asciiUpper(single[qz::kCallsign]), "a joined record keeps its callsign");
    if (single != fields)
        return;
    if (commasIn(record) >= qz::kOperatorFieldCount - 1)
        require(joined == readPart(record), "a full record joins back to the part that is read");
    else
        require(joined == withLastPartRepeated(record), "a short record gives its last part to the fields left");

    const std::string callsign = qz::callsignOf(record);
    if (record.find(',') == std::string_view::npos)
        require(callsign.empty(), "a record without a comma has no callsign");
    else
        require(callsign == qz::asciiUpper(fields[qz::kCallsign]), "the callsign is the first field raised");
}

// The same bytes taken as field texts, one per line: joining is safe exactly
// when no field holds a comma or a control character.
void checkFields(const std::vector<std::string>& lines)
{
    qz::OperatorFields fields;
    for (std::size_t i = 0; i < fields.size() && i < lines.size(); ++i)
        fields[i] = lines[i];
    const bool safe = !qz::fieldWithComma(fields) && onOneLine(fields) == fields;
    require(safe == (qz::splitRecord(qz::joinRecord(fields)) == fields),
            "fields survive a join unless they hold a comma");
}

void checkList(const std::vector<std::string>& records)
{
    const qz::OperatorList list(records);
    require(list.size() == records.size(), "the list keeps every record");
    std::vector<std::string> callsigns;
    for (std::size_t row = 0; row < list.size(); ++row)
        callsigns.push_back(list.callsign(row));
    require(std::is_sorted(callsigns.begin(), callsigns.end(), qz::LessNoCase{}),
            "the list is in the order of its callsigns, as the main window's list");
    for (std::size_t row = 0; row < list.size(); ++row) {
        const auto found = list.find(list.callsign(row));
        require(found && *found <= row, "every callsign is found at its first match");
        require(qz::equalNoCase(list.callsign(*found), list.callsign(row)), "the match has the callsign looked for");
    }
    qz::OperatorList grown;
    for (const auto& record : records)
        grown.insert(record);
    require(grown.records() == list.records(), "records inserted one by one stand in the same order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = qz::files::splitLines(content);
    for (const auto& line : lines)
        checkRecord(line);
    checkFields(lines);
    checkList(lines);
    return 0;
}
