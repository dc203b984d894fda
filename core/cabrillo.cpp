#include "cabrillo.h"

#include "log_line.h"
#include "text.h"

namespace qz::cabrillo {

std::string qsoLine(std::string_view logLine)
{
    // A line whose trailing blanks an editor trimmed is read as its 86
    // columns, so the received exchange is never what loses the last two.
    const std::string full = paddedLine(logLine);
    std::string line = "QSO:";
    line += slotKeyOf(full);
    // The date and the time, each with the blank after it.
    line += columns(full, layoutOf(Field::Date).first, layoutOf(Field::Band).first - 1);
    // The received exchange loses its last two columns.
    line += columns(full, layoutOf(Field::Operator).first, full.size() - 2);
    return line;
}

std::vector<std::string> headerLines(const OperatorFields& fields, std::string_view callsign)
{
    const auto tagged = [&](std::string_view tag, OperatorField field) { return std::string(tag) + fields[field]; };
    return {
        "START-OF-LOG: 2.0",
        tagged("CONTEST: ", kContest),
        "ARRL-SECTION: DX",
        "CALLSIGN: " + std::string(callsign),
        tagged("CATEGORY: ", kCategory),
        tagged("CLAIMED-SCORE: ", kPoints),
        tagged("NAME: ", kName),
        tagged("ADDRESS: E-MAIL: ", kEmail),
        tagged("ADDRESS: ", kAddress1),
        tagged("ADDRESS: ", kAddress2),
        tagged("ADDRESS: ", kAddress3),
        tagged("OPERATORS: ", kOperators),
        tagged("SOAPBOX: ", kRemarks),
        "SOAPBOX: " + std::string(kGeneratedBy),
    };
}

std::vector<std::string> fileLines(const OperatorFields& fields, std::string_view callsign,
                                   const std::vector<std::string_view>& logLines)
{
    std::vector<std::string> lines = headerLines(fields, callsign);
    lines.reserve(lines.size() + logLines.size() + 1);
    for (const std::string_view logLine : logLines)
        lines.push_back(qsoLine(logLine));
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

}  // namespace qz::cabrillo
