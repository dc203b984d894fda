// The Cabrillo builders on arbitrary operator fields and log lines. The first
// line of the input is taken as an operator record, the second as the callsign
// and the rest as log lines.

#include "cabrillo.h"
#include "files.h"
#include "fuzz_check.h"
#include "log_line.h"
#include "operator_book.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qz::fuzz::require;

bool hasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// "QSO:", columns 17-26, columns 1-16, then column 31 up to character n-2,
// of the line padded to its 86 columns as an editor may have trimmed it.
void checkQsoLine(std::string_view logLine)
{
    const std::string qso = qz::cabrillo::qsoLine(logLine);
    const std::string padded = qz::paddedLine(logLine);
    const std::string_view full = padded;
    const std::size_t n = full.size();
    const std::size_t bandMode = n <= 16 ? 0 : std::min<std::size_t>(10, n - 16);
    const std::size_t rest = n <= 32 ? 0 : n - 32;
    require(qso.size() == 4 + bandMode + std::min<std::size_t>(16, n) + rest, "QSO line length follows the log line");
    if (n >= 32)
        require(qso.size() == n - 2, "a full QSO line is two shorter than its log line");
    require(qso.starts_with("QSO:"), "QSO line starts with its tag");
    require(std::string_view(qso).substr(4, bandMode) == full.substr(std::min<std::size_t>(16, n), bandMode),
            "band and mode columns come first");
    require(std::string_view(qso).substr(4 + bandMode, std::min<std::size_t>(16, n)) == full.substr(0, 16),
            "date and time follow");
    require(std::string_view(qso).substr(qso.size() - rest) == full.substr(std::min<std::size_t>(30, n), rest),
            "the line from the operator column on closes it");
    require(!hasLineEnd(qso) || hasLineEnd(logLine), "no line end is made up");
}

void checkFile(const qz::OperatorFields& fields, std::string_view callsign,
               const std::vector<std::string_view>& logLines)
{
    static constexpr std::array<std::string_view, 14> kTags{
        "START-OF-LOG: 2.0", "CONTEST: ",   "ARRL-SECTION: DX",  "CALLSIGN: ", "CATEGORY: ",
        "CLAIMED-SCORE: ",   "NAME: ",      "ADDRESS: E-MAIL: ", "ADDRESS: ",  "ADDRESS: ",
        "ADDRESS: ",         "OPERATORS: ", "SOAPBOX: ",         "SOAPBOX: "};
    static constexpr std::array<std::size_t, 14> kFieldOf{0,
                                                          qz::kContest,
                                                          0,
                                                          0,
                                                          qz::kCategory,
                                                          qz::kPoints,
                                                          qz::kName,
                                                          qz::kEmail,
                                                          qz::kAddress1,
                                                          qz::kAddress2,
                                                          qz::kAddress3,
                                                          qz::kOperators,
                                                          qz::kRemarks,
                                                          0};
    static constexpr std::array<bool, 14> kFromField{false, true, false, false, true, true, true,
                                                     true,  true, true,  true,  true, true, false};

    const std::vector<std::string> lines = qz::cabrillo::fileLines(fields, callsign, logLines);
    require(lines.size() == kTags.size() + logLines.size() + 1, "fourteen header lines, the QSOs and the end");
    for (std::size_t i = 0; i < kTags.size(); ++i) {
        require(lines[i].starts_with(kTags[i]), "every header line starts with its tag");
        if (kFromField[i])
            require(lines[i] == std::string(kTags[i]) + fields[kFieldOf[i]], "header text is the field as stored");
    }
    require(lines[3] == "CALLSIGN: " + std::string(callsign), "the callsign line carries the operator column");
    for (std::size_t i = 0; i < logLines.size(); ++i)
        require(lines[kTags.size() + i] == qz::cabrillo::qsoLine(logLines[i]), "QSO lines keep the log's order");
    require(lines.back() == "END-OF-LOG:", "the file ends with its closing line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = qz::files::splitLines(content);
    const qz::OperatorFields fields = qz::splitRecord(lines.front());
    const std::string callsign = lines.size() > 1 ? lines[1] : std::string();
    std::vector<std::string_view> logLines;
    for (std::size_t i = 2; i < lines.size(); ++i)
        logLines.emplace_back(lines[i]);

    // Every line alone as well, so that a log file given as the whole input is
    // checked line by line too.
    for (const auto& line : lines)
        checkQsoLine(line);
    checkQsoLine(content);
    checkFile(fields, callsign, logLines);
    return 0;
}
