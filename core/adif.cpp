#include "adif.h"

#include "cabrillo.h"
#include "log_line.h"
#include "text.h"

#include <array>
#include <utility>

namespace qz::adif {
namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Band key (log columns 18-19) to the ADIF band.
constexpr std::array<Pair, 7> kBands{{
    {" 1", "160M"},
    {" 3", "80M"},
    {" 7", "40M"},
    {"14", "20M"},
    {"21", "15M"},
    {"28", "10M"},
    {"44", "2M"},
}};

// Mode letters (log columns 24-25) to the ADIF mode.
constexpr std::array<Pair, 3> kModes{{{"PH", "SSB"}, {"CW", "CW"}, {"FM", "FM"}}};

template <std::size_t N>
std::string_view lookup(const std::array<Pair, N>& table, std::string_view key)
{
    for (const auto& [from, to] : table)
        if (from == key)
            return to;
    return {};
}

void addItem(std::string& record, std::string_view tag, std::string_view value)
{
    record += '<';
    record += tag;
    record += ':';
    record += std::to_string(value.size());
    record += '>';
    record += value;
    record += ' ';
}

}  // namespace

std::vector<std::string> headerLines() { return {"ADIF 2.0", std::string(cabrillo::kGeneratedBy), "<EOH>"}; }

std::string recordLine(std::string_view logLine, std::string_view comment)
{
    std::string record;
    record.reserve(200 + comment.size());
    addItem(record, "QSO_DATE", columns(logLine, 1, 4) + columns(logLine, 6, 7) + columns(logLine, 9, 10));
    addItem(record, "TIME_ON", columns(logLine, 12, 15) + "00");
    if (const auto band = lookup(kBands, columns(logLine, 18, 19)); !band.empty())
        addItem(record, "BAND", band);
    if (const auto mode = lookup(kModes, columns(logLine, 24, 25)); !mode.empty())
        addItem(record, "MODE", mode);
    addItem(record, "CALL", callOf(logLine));
    addItem(record, "RST_RCVD", trimmed(columns(logLine, 70, 72)));
    addItem(record, "SRX", trimmed(columns(logLine, 74, 79)));
    addItem(record, "RST_SENT", trimmed(columns(logLine, 45, 47)));
    addItem(record, "STX", trimmed(columns(logLine, 49, 54)));
    if (!comment.empty())
        addItem(record, "COMMENT", comment);
    addItem(record, "OPERATOR", operatorOf(logLine));
    record += "<EOR>";
    return record;
}

}  // namespace qz::adif
