#include "contest_score.h"

#include "log_line.h"

#include <algorithm>

namespace qz {
namespace {

constexpr int kHighestZone = 90;
constexpr int kOwnZoneOrHeadquartersPoints = 1;
constexpr int kOwnContinentPoints = 3;
constexpr int kOtherContinentPoints = 5;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Applies a change to the band's row and to the total alike.
template <typename Change>
void countIn(ScoreSummary& summary, std::size_t band, Change change)
{
    change(summary.bands[band]);
    change(summary.total);
}

}  // namespace

std::optional<std::size_t> contestBandOf(std::string_view bandKey)
{
    const auto& bands = bandTable();
    for (std::size_t i = 0; i < kContestBands && i < bands.size(); ++i)
        if (bands[i].key == bandKey)
            return i;
    return std::nullopt;
}

Exchange readExchange(std::string_view text)
{
    if (!text.empty() && std::all_of(text.begin(), text.end(), isDigit)) {
        // Leading zeros are allowed ("08"); a long run of digits is no zone.
        const auto significant = text.substr(std::min(text.find_first_not_of('0'), text.size()));
        if (significant.empty() || significant.size() > 2)
            return {};
        const int zone = std::stoi(std::string(significant));
        return zone <= kHighestZone ? Exchange{ExchangeKind::Zone, zone, {}} : Exchange{};
    }
    if (std::any_of(text.begin(), text.end(), isLetter))
        return {ExchangeKind::Headquarters, 0, std::string(text)};
    return {};
}

std::string storedReceivedExchangeOf(std::string_view typed)
{
    QsoEntry entry;
    entry.exchangeReceived = typed;
    return receivedExchangeOf(composeLine(entry));
}

const ContestScore::Whereabouts& ContestScore::operatorWhereabouts(const std::string& op)
{
    if (!cachedWhereabouts_ || cachedOperator_ != op) {
        Whereabouts found;
        if (const auto location = countries_ ? countries_->locate(op) : std::nullopt) {
            found.ituZone = location->ituZone;
            found.continent = location->continent;
        }
        cachedOperator_ = op;
        cachedWhereabouts_ = found;
    }
    return *cachedWhereabouts_;
}

int ContestScore::pointsFor(const Exchange& received, std::string_view sent, const std::string& op,
                            std::string_view call)
{
    if (received.kind == ExchangeKind::Headquarters)
        return kOwnZoneOrHeadquartersPoints;
    const Whereabouts& own = operatorWhereabouts(op);
    const Exchange sentExchange = readExchange(sent);
    const std::optional<int> ownZone =
        sentExchange.kind == ExchangeKind::Zone ? std::optional(sentExchange.zone) : own.ituZone;
    if (ownZone && *ownZone == received.zone)
        return kOwnZoneOrHeadquartersPoints;
    if (!ownZone || !own.continent)
        return 0;
    const auto worked = countries_->locate(call);  // a known continent implies a country file
    if (!worked)
        return 0;
    return worked->continent == *own.continent ? kOwnContinentPoints : kOtherContinentPoints;
}

void ContestScore::add(std::string_view line)
{
    const auto band = contestBandOf(bandKeyOf(line));
    const std::string mode = modeLettersOf(line);
    if (!band || (mode != "PH" && mode != "CW"))
        return;
    const std::string call = callOf(line);
    // Band and mode in two characters keep the key short enough for no allocation.
    if (!worked_.insert(call + static_cast<char>('0' + *band) + mode[0]).second) {
        countIn(summary_, *band, [](BandScore& s) { ++s.dupes; });
        return;
    }
    countIn(summary_, *band, [](BandScore& s) { ++s.qsos; });

    const Exchange received = readExchange(receivedExchangeOf(line));
    if (received.kind == ExchangeKind::Unreadable) {
        ++summary_.unreadableExchanges;
        return;
    }
    const int points = pointsFor(received, sentExchangeOf(line), operatorOf(line), call);
    if (points == 0)
        ++summary_.unscored;
    countIn(summary_, *band, [&](BandScore& s) { s.points += points; });

    if (isNewMultiplier(*band, received)) {
        ++summary_.multipliers;
        if (received.kind == ExchangeKind::Zone) {
            zones_[*band].set(static_cast<std::size_t>(received.zone));
            countIn(summary_, *band, [](BandScore& s) { ++s.zones; });
        } else {
            headquarters_[*band].insert(received.abbreviation);
            countIn(summary_, *band, [](BandScore& s) { ++s.headquarters; });
        }
    }
    summary_.score = summary_.total.points * summary_.multipliers;
}

bool ContestScore::isNewMultiplier(std::size_t band, const Exchange& exchange) const
{
    if (band >= kContestBands)
        return false;
    switch (exchange.kind) {
    case ExchangeKind::Zone: return !zones_[band].test(static_cast<std::size_t>(exchange.zone));
    case ExchangeKind::Headquarters: return !headquarters_[band].contains(exchange.abbreviation);
    case ExchangeKind::Unreadable: return false;
    }
    return false;
}

}  // namespace qz
