// The ADIF record builder on arbitrary log lines and comments. The first line
// of the input is the comment, every other line a log line. Each record is read
// back by its counts alone, as an ADIF reader would, so a count that differs
// from its value's length cannot go unnoticed.

#include "adif.h"
#include "files.h"
#include "fuzz_check.h"
#include "log_line.h"
#include "text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qz::fuzz::require;

struct Item {
    std::string_view tag;
    std::string_view value;
};

// Splits "<TAG:n>value " items up to the closing "<EOR>"; nothing when the
// record cannot be read that way.
std::optional<std::vector<Item>> readRecord(std::string_view record)
{
    std::vector<Item> items;
    while (record != "<EOR>") {
        if (!record.starts_with('<'))
            return std::nullopt;
        const auto colon = record.find(':');
        const auto close = record.find('>');
        if (colon == std::string_view::npos || close == std::string_view::npos || close < colon)
            return std::nullopt;
        std::size_t count = 0;
        const char* digits = record.data() + colon + 1;
        const auto [end, error] = std::from_chars(digits, record.data() + close, count);
        if (error != std::errc() || end != record.data() + close || close == colon + 1 ||
            (*digits == '0' && count != 0))
            return std::nullopt;
        const std::size_t valueStart = close + 1;
        if (record.size() < valueStart + count + 1 || record[valueStart + count] != ' ')
            return std::nullopt;
        items.push_back({record.substr(1, colon - 1), record.substr(valueStart, count)});
        record.remove_prefix(valueStart + count + 1);
    }
    return items;
}

// The band and mode items as the log line's own tables name them.
std::optional<std::string> bandOf(std::string_view logLine)
{
    for (const auto& band : qz::bandTable())
        if (qz::bandKeyOf(logLine) == band.key)
            return band.entry.empty() ? std::string("2M") : std::string(band.entry);
    return std::nullopt;
}

std::optional<std::string> modeOf(std::string_view logLine)
{
    for (const auto& mode : qz::modeTable())
        if (qz::modeLettersOf(logLine) == mode.letters)
            return std::string(mode.letters == "PH" ? "SSB" : mode.letters);
    return std::nullopt;
}

void checkRecord(std::string_view logLine, std::string_view comment)
{
    const std::string record = qz::adif::recordLine(logLine, comment);
    const auto items = readRecord(record);
    require(items.has_value(), "every count equals its value's length and the record ends with <EOR>");

    std::vector<Item> expected{
        {"QSO_DATE", {}},
        {"TIME_ON", {}},
    };
    const auto band = bandOf(logLine);
    const auto mode = modeOf(logLine);
    if (band)
        expected.push_back({"BAND", *band});
    if (mode)
        expected.push_back({"MODE", *mode});
    const std::string call = qz::callOf(logLine);
    const std::string op = qz::operatorOf(logLine);
    expected.push_back({"CALL", call});
    for (const auto tag : {"RST_RCVD", "SRX", "RST_SENT", "STX"})
        expected.push_back({tag, {}});
    // The comment travels on one line, as the record does.
    const std::string singleComment = qz::oneLine(comment);
    if (!singleComment.empty())
        expected.push_back({"COMMENT", singleComment});
    expected.push_back({"OPERATOR", op});

    require(items->size() == expected.size(), "items present exactly as the line allows");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Item& item = (*items)[i];
        require(item.tag == expected[i].tag, "items in their fixed order");
        if (!expected[i].value.empty() || item.tag == "CALL" || item.tag == "OPERATOR")
            require(item.value == expected[i].value, "item carries its column or table value");
    }
    require((*items)[0].value.size() == 8, "the date has always eight characters");
    require((*items)[1].value.ends_with("00") && (*items)[1].value.size() == 6, "the time gets its seconds");
    for (std::size_t i = 0; i < items->size(); ++i)
        if (const auto tag = (*items)[i].tag; tag == "RST_RCVD" || tag == "RST_SENT")
            require((*items)[i].value.size() <= 3, "reports are at most three characters");
        else if (tag == "SRX" || tag == "STX")
            require((*items)[i].value.size() <= 6, "exchanges are at most six characters");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = qz::files::splitLines(content);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        checkRecord(lines[i], lines.front());
        checkRecord(lines[i], "");
    }
    // The whole input as one line, line ends and all, with the same comment.
    checkRecord(content, lines.front());
    for (const auto& header : qz::adif::headerLines())
        require(header.find_first_of("\r\n") == std::string::npos, "header lines hold no line end");
    return 0;
}
