#pragma once
// Cabrillo 2.0 text of one operator's contest log. Pure builders: they take
// log lines and operator fields and give back the lines of the file.

#include "operator_book.h"

#include <string>
#include <string_view>
#include <vector>

namespace qz::cabrillo {

// What the program says about itself in the header of both export formats.
inline constexpr std::string_view kGeneratedBy =
    "Generated for IARU HF Contest by QUILLDEN software - QZ5KV Stationbook 1.00";

// "QSO:", band and mode columns, date and time, then the line from the
// operator column on without its last two characters.
std::string qsoLine(std::string_view logLine);

// The fourteen header lines; every field is written exactly as stored, an
// empty one leaving its tag with the blank after the colon.
std::vector<std::string> headerLines(const OperatorFields& fields, std::string_view callsign);

// Header, one QSO line per log line in the given order, and the closing line.
std::vector<std::string> fileLines(const OperatorFields& fields, std::string_view callsign,
                                   const std::vector<std::string_view>& logLines);

}  // namespace qz::cabrillo
