#include "cabrillo.h"

#include "log_line.h"
#include "text.h"

namespace qz::cabrillo {

std::string qsoLine(std::string_view logLine)
{
    std::string line = "QSO:";
    line += slotKeyOf(logLine);
    // The date and the time, each with the blank after it.
    line += columns(logLine, layoutOf(Field::Date).first, layoutOf(Field::Band).first - 1);
    // The received exchange loses its last two columns; a line too short to
    // have them gives nothing from the operator column on.
    if (logLine.size() > 2)
        line += columns(logLine, layoutOf(Field::Operator).first, logLine.size() - 2);
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
