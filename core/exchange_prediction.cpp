#include "exchange_prediction.h"

#include "log_line.h"
#include "text.h"

#include <algorithm>
#include <functional>

namespace qz {
namespace {

std::size_t hashOf(std::string_view line) { return std::hash<std::string_view>{}(line); }

}  // namespace

ReceivedExchanges::ReceivedExchanges(const std::vector<std::string_view>& logLines)
{
    for (const std::string_view line : logLines)
        add(line);
}

void ReceivedExchanges::add(std::string_view line)
{
    std::string call = comparableText(fieldView(line, Field::Call));
    std::string exchange = comparableText(fieldView(line, Field::ReceivedExchange));
    if (call.empty() || exchange.empty())
        return;
    byCall_[std::move(call)].push_back({hashOf(line), std::move(exchange)});
}

void ReceivedExchanges::removeOne(std::string_view line)
{
    const auto found = byCall_.find(comparableText(fieldView(line, Field::Call)));
    if (found == byCall_.end())
        return;
    std::vector<Received>& received = found->second;
    const std::size_t hash = hashOf(line);
    // Identical lines are one QSO stored twice: which copy goes changes nothing.
    const auto copy =
        std::find_if(received.rbegin(), received.rend(), [&](const Received& r) { return r.lineHash == hash; });
    if (copy == received.rend())
        return;
    received.erase(std::next(copy).base());
    if (received.empty())
        byCall_.erase(found);
}

std::optional<std::string_view> ReceivedExchanges::latest(std::string_view call) const
{
    const auto found = byCall_.find(comparableText(call));
    return found == byCall_.end() ? std::nullopt : std::optional<std::string_view>(found->second.back().exchange);
}

std::optional<std::string_view> ReceivedExchanges::latestBesides(std::string_view line) const
{
    const auto found = byCall_.find(comparableText(fieldView(line, Field::Call)));
    if (found == byCall_.end())
        return std::nullopt;
    const std::size_t hash = hashOf(line);
    const auto& received = found->second;
    const auto other =
        std::find_if(received.rbegin(), received.rend(), [&](const Received& r) { return r.lineHash != hash; });
    return other == received.rend() ? std::nullopt : std::optional<std::string_view>(other->exchange);
}

std::optional<Prediction> predictExchange(std::string_view call, const PredictionSources& sources)
{
    if (trimmedView(call).empty())
        return std::nullopt;
    if (sources.log)
        if (const auto sent = sources.log->latest(call))
            return Prediction{std::string(*sent), PredictionSource::Log};
    if (sources.history)
        if (const auto known = sources.history->exchangeOf(call))
            return Prediction{std::string(*known), PredictionSource::History};
    if (sources.headquarters)
        if (const auto society = sources.headquarters->societyOf(call))
            return Prediction{std::string(*society), PredictionSource::Headquarters};
    if (sources.countries)
        if (const auto location = sources.countries->locate(comparableText(call)); location && location->ituZone > 0)
            return Prediction{std::to_string(location->ituZone), PredictionSource::Country};
    return std::nullopt;
}

std::optional<Prediction> strongDisagreement(std::string_view line, const ReceivedExchanges* log,
                                             const CallHistory* history)
{
    std::optional<Prediction> expected;
    if (const auto other = log ? log->latestBesides(line) : std::nullopt)
        expected = Prediction{std::string(*other), PredictionSource::Log};
    else if (const auto known = history ? history->exchangeOf(fieldView(line, Field::Call)) : std::nullopt)
        expected = Prediction{std::string(*known), PredictionSource::History};
    if (!expected || expected->exchange == comparableText(fieldView(line, Field::ReceivedExchange)))
        return std::nullopt;
    return expected;
}

}  // namespace qz
