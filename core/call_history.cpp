#include "call_history.h"

#include "errors.h"
#include "files.h"
#include "log_line.h"
#include "station_files.h"
#include "text.h"

#include <algorithm>
#include <array>

namespace qz {
namespace {

constexpr std::string_view kOrderMark = "!!Order!!";
// The exchange columns of the published files, the most trusted first.
constexpr std::array<std::string_view, 3> kExchangeNames{"ITUZone", "Exch1", "Sect"};
constexpr std::string_view kCallName = "Call";
// Far beyond a real line, which names a few columns.
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kLongestCall = 13;

bool isCallCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/'; }
bool isExchangeCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool hasControlByte(std::string_view line)
{
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

// Field `index` of a comma-separated line; nothing when the line is shorter.
std::optional<std::string_view> fieldAt(std::string_view line, std::size_t index)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return std::nullopt;
        start = comma + 1;
    }
    return trimmedView(line.substr(start, line.find(',', start) - start));
}

}  // namespace

CallHistory CallHistory::parse(std::string_view text)
{
    CallHistory history;
    if (text.size() > kMaxHistoryBytes) {
        history.cut_ = true;
        // The last line read is likely torn: it goes with the rest.
        text = text.substr(0, text.rfind('\n', kMaxHistoryBytes) + 1);
    }
    std::optional<Columns> columns;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = trimmedView(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.size() >= kOrderMark.size() && equalNoCase(line.substr(0, kOrderMark.size()), kOrderMark)) {
            columns = columnsOf(line, history.exchangeColumn_);
            continue;
        }
        if (columns)
            history.take(line, *columns);
        else
            ++history.passedOver_;
    }
    return history;
}

std::optional<CallHistory::Columns> CallHistory::columnsOf(std::string_view orderLine, std::string& exchangeName)
{
    // The names stand one field further right than their values: the mark
    // takes the first field of the line that names them.
    std::optional<std::size_t> call;
    std::optional<std::size_t> exchange;
    std::size_t rank = kExchangeNames.size();
    for (std::size_t index = 1; const auto name = fieldAt(orderLine, index); ++index) {
        if (equalNoCase(*name, kCallName) && !call)
            call = index - 1;
        for (std::size_t r = 0; r < rank; ++r)
            if (equalNoCase(*name, kExchangeNames[r])) {
                exchange = index - 1;
                rank = r;
                exchangeName = *name;
            }
    }
    if (!call || !exchange) {
        exchangeName.clear();
        return std::nullopt;
    }
    return Columns{*call, *exchange};
}

void CallHistory::take(std::string_view line, const Columns& columns)
{
    if (line.size() > kLongestLine || hasControlByte(line)) {
        ++passedOver_;
        return;
    }
    const auto callField = fieldAt(line, columns.call);
    const auto exchangeField = fieldAt(line, columns.exchange);
    const std::string call = callField ? comparableText(*callField) : std::string();
    const std::string exchange = exchangeField ? comparableText(*exchangeField) : std::string();
    if (call.empty() || call.size() > kLongestCall || !std::all_of(call.begin(), call.end(), isCallCharacter) ||
        !fitsReadColumns(Field::ReceivedExchange, exchange) ||
        !std::all_of(exchange.begin(), exchange.end(), isExchangeCharacter)) {
        ++passedOver_;
        return;
    }
    // A call known to the file without its exchange is no fault of the line.
    if (exchange.empty())
        return;
    if (const auto known = exchanges_.find(call); known != exchanges_.end())
        known->second = exchange;  // the file's last word counts
    else if (exchanges_.size() < kMaxHistoryCalls)
        exchanges_.emplace(call, exchange);
    else
        ++passedOver_;
}

std::optional<std::string_view> CallHistory::exchangeOf(std::string_view call) const
{
    const auto found = exchanges_.find(comparableText(call));
    return found == exchanges_.end() ? std::nullopt : std::optional<std::string_view>(found->second);
}

CallHistoryRead readCallHistory(const std::filesystem::path& folder)
{
    CallHistoryRead read;
    const std::filesystem::path path = folder / kCallHistoryFileName;
    if (!files::isFile(path))
        return read;
    read.found = true;
    try {
        read.history = CallHistory::parse(files::readPrefix(path, kMaxHistoryBytes + 1));
    } catch (const IoError& error) {
        read.fault = IoError::standardText(error.code());
    }
    return read;
}

}  // namespace qz
