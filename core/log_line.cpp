#include "log_line.h"

#include "text.h"

#include <algorithm>

namespace qz {
namespace {

// Field widths of the line; the columns follow from their order.
constexpr std::size_t kDateWidth = 10;
constexpr std::size_t kTimeWidth = 4;
constexpr std::size_t kBandWidth = 6;
constexpr std::size_t kModeWidth = 4;
constexpr std::size_t kGapWidth = 4;
constexpr std::size_t kOperatorWidth = 14;
constexpr std::size_t kReportWidth = 4;
constexpr std::size_t kSentExchangeWidth = 7;
constexpr std::size_t kCallWidth = 14;
constexpr std::size_t kReceivedExchangeWidth = 13;

// A report keeps at least one blank after it: "59  ", "599 ".
std::string reportField(std::string_view report) { return fitted(report.substr(0, kReportWidth - 1), kReportWidth); }

// hh:mm gives hhmm (characters 1-2 and 4-5).
std::string timeField(std::string_view time) { return fitted(columns(time, 1, 2) + columns(time, 4, 5), kTimeWidth); }

}  // namespace

const std::vector<Band>& bandTable()
{
    static const std::vector<Band> table{
        {"160M", "  1800", " 1"}, {"80M", "  3500", " 3"}, {"40M", "  7000", " 7"}, {"20M", " 14000", "14"},
        {"15M", " 21000", "21"},  {"10M", " 28000", "28"}, {"", "144000", "44"},
    };
    return table;
}

const std::vector<Mode>& modeTable()
{
    static const std::vector<Mode> table{{"SSB", " PH ", "PH"}, {"CW", " CW ", "CW"}, {"", " FM ", "FM"}};
    return table;
}

std::optional<std::string_view> bandColumnFor(std::string_view entry)
{
    const auto& table = bandTable();
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const Band& b) { return !entry.empty() && b.entry == entry; });
    if (it == table.end())
        return std::nullopt;
    return it->column;
}

std::optional<std::string_view> modeColumnFor(std::string_view entry)
{
    const auto& table = modeTable();
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const Mode& m) { return !entry.empty() && m.entry == entry; });
    if (it == table.end())
        return std::nullopt;
    return it->column;
}

std::string composeLine(const QsoEntry& e)
{
    std::string line;
    line.reserve(kLineLength);
    line += fitted(e.date, kDateWidth);
    line += ' ';
    line += timeField(e.time);
    line += ' ';
    line += fitted(e.bandColumn, kBandWidth);
    line += fitted(e.modeColumn, kModeWidth);
    line += std::string(kGapWidth, ' ');
    line += fitted(e.op, kOperatorWidth);
    line += reportField(e.rstSent);
    line += fitted(e.exchangeSent, kSentExchangeWidth);
    line += fitted(e.call, kCallWidth);
    line += reportField(e.rstReceived);
    line += fitted(withoutSpaces(e.exchangeReceived), kReceivedExchangeWidth);
    return asciiUpper(std::move(line));
}

std::string operatorOf(std::string_view line) { return trimmed(columns(line, 31, 43)); }
std::string callOf(std::string_view line) { return trimmed(columns(line, 56, 68)); }
std::string slotKeyOf(std::string_view line) { return columns(line, 17, 26); }
std::string dateOf(std::string_view line) { return columns(line, 1, 10); }
std::string timeOf(std::string_view line) { return columns(line, 12, 15); }
std::string bandKeyOf(std::string_view line) { return columns(line, 18, 19); }
std::string modeLettersOf(std::string_view line) { return columns(line, 24, 25); }
std::string sentExchangeOf(std::string_view line) { return trimmed(columns(line, 49, 54)); }
std::string receivedExchangeOf(std::string_view line) { return trimmed(columns(line, 74, 79)); }
bool belongsTo(std::string_view line, std::string_view op) { return operatorOf(line) == op; }

std::string fileStemOf(std::string_view line)
{
    std::string stem = asciiLower(operatorOf(line));
    std::replace(stem.begin(), stem.end(), '/', '_');
    std::replace(stem.begin(), stem.end(), '\\', '_');
    return stem;
}

}  // namespace qz
