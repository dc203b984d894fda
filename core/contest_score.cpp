#include "contest_score.h"

#include "log_line.h"
#include "text.h"

#include <algorithm>

namespace qz {
namespace {

constexpr int kOwnZoneOrHeadquartersPoints = 1;
constexpr int kOwnContinentPoints = 3;
constexpr int kOtherContinentPoints = 5;
constexpr std::size_t kLongestSentZone = 2;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool allDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), isDigit); }

// Applies a change to the band's row and to the total alike.
template <typename Change>
void countIn(ScoreSummary& summary, std::size_t band, Change change)
{
    change(summary.bands[band]);
    change(summary.total);
}

// Digits only, leading zeros allowed ("08"), a value from 1 to 90.
std::optional<int> zoneOf(std::string_view digits)
{
    if (digits.empty() || !allDigits(digits))
        return std::nullopt;
    const auto significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    if (significant.empty() || significant.size() > 2)
        return std::nullopt;
    const int zone = std::stoi(std::string(significant));
    return zone <= kHighestZone ? std::optional(zone) : std::nullopt;
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

bool isContestMode(std::string_view modeLetters) { return modeLetters == "PH" || modeLetters == "CW"; }

Exchange readExchange(std::string_view text, const HeadquartersList& headquarters)
{
    std::string compared = comparableText(text);
    if (allDigits(compared)) {
        const auto zone = zoneOf(compared);
        return zone ? Exchange{ExchangeKind::Zone, *zone, {}} : Exchange{};
    }
    if (headquarters.contains(compared))
        return {ExchangeKind::Headquarters, 0, std::move(compared)};
    return {};
}

std::string storedReceivedExchangeOf(std::string_view typed)
{
    QsoEntry entry;
    entry.exchangeReceived = typed;
    return receivedExchangeOf(composeLine(entry));
}

std::optional<int> sentZoneOf(std::string_view sent)
{
    // Called for every line: the digits are gathered without a copy of the text.
    std::array<char, kLongestSentZone> digits{};
    std::size_t count = 0;
    for (const char c : trimmedView(sent)) {
        if (c == ' ')
            continue;
        if (!isDigit(c) || count == kLongestSentZone)
            return std::nullopt;
        digits[count++] = c;
    }
    return zoneOf(std::string_view(digits.data(), count));
}

void ContestScore::countSentExchange(std::string_view sent)
{
    ++sentTotal_;
    if (const auto zone = sentZoneOf(sent)) {
        const int count = ++sentZones_[static_cast<std::size_t>(*zone)];
        if (count > sentZones_[static_cast<std::size_t>(mostSentZone_)])
            mostSentZone_ = *zone;
    }
}

void ContestScore::followOwnZone(std::string_view line)
{
    if (!located_) {
        located_ = true;
        operatorLocation_ = countries_ ? countries_->locate(operatorOf(line)) : std::nullopt;
    }
    OwnZone now;
    if (mostSentZone_ > 0 && sentZones_[static_cast<std::size_t>(mostSentZone_)] * 2 > sentTotal_)
        now = {mostSentZone_, OwnZoneSource::SentExchange};
    else if (operatorLocation_)
        now = {operatorLocation_->ituZone, OwnZoneSource::CountryFile};
    if (now == ownZone_)
        return;
    ownZone_ = now;
    recountPoints();
}

int ContestScore::pointsFor(int zone, Relation relation) const
{
    if (!ownZone_.zone)
        return 0;
    if (*ownZone_.zone == zone)
        return kOwnZoneOrHeadquartersPoints;
    switch (relation) {
    case kSameContinent: return kOwnContinentPoints;
    case kOtherContinent: return kOtherContinentPoints;
    default: return 0;
    }
}

void ContestScore::recountPoints()
{
    summary_.total.points = 0;
    summary_.unscored = 0;
    for (std::size_t band = 0; band < kContestBands; ++band) {
        std::int64_t points = std::int64_t{headquartersQsos_[band]} * kOwnZoneOrHeadquartersPoints;
        for (int zone = 1; zone <= kHighestZone; ++zone)
            for (std::size_t relation = 0; relation < kRelations; ++relation) {
                const int qsos = zoneQsos_[band][static_cast<std::size_t>(zone)][relation];
                const int each = pointsFor(zone, static_cast<Relation>(relation));
                points += std::int64_t{qsos} * each;
                if (each == 0)
                    summary_.unscored += qsos;
            }
        summary_.bands[band].points = points;
        summary_.total.points += points;
    }
    summary_.score = summary_.total.points * summary_.multipliers;
}

ContestScore::Relation ContestScore::relationOf(std::string_view call) const
{
    if (!operatorLocation_)
        return kContinentUnknown;
    const auto worked = countries_->locate(call);  // a located operator implies a country file
    if (!worked)
        return kContinentUnknown;
    return worked->continent == operatorLocation_->continent ? kSameContinent : kOtherContinent;
}

QsoVerdict ContestScore::add(std::string_view line)
{
    const auto band = contestBandOf(bandKeyOf(line));
    const std::string mode = modeLettersOf(line);
    if (!band || !isContestMode(mode))
        return QsoVerdict::NotScored;
    countSentExchange(fieldView(line, Field::SentExchange));
    followOwnZone(line);

    const Exchange received = readExchange(trimmedView(fieldView(line, Field::ReceivedExchange)), *headquarters_);
    if (received.kind == ExchangeKind::Unreadable) {
        ++summary_.unreadableExchanges;
        return QsoVerdict::Incomplete;
    }
    const std::string_view call = trimmedView(fieldView(line, Field::Call));
    // Band and mode in two characters keep the key short enough for no allocation.
    if (!worked_.insert(comparableText(call) + static_cast<char>('0' + *band) + mode[0]).second) {
        countIn(summary_, *band, [](BandScore& s) { ++s.dupes; });
        return QsoVerdict::Repeat;
    }
    countIn(summary_, *band, [](BandScore& s) { ++s.qsos; });

    int points = kOwnZoneOrHeadquartersPoints;
    if (received.kind == ExchangeKind::Headquarters) {
        ++headquartersQsos_[*band];
    } else {
        const Relation relation = relationOf(call);
        ++zoneQsos_[*band][static_cast<std::size_t>(received.zone)][relation];
        points = pointsFor(received.zone, relation);
        if (points == 0)
            ++summary_.unscored;
    }
    countIn(summary_, *band, [&](BandScore& s) { s.points += points; });

    if (isNewMultiplier(*band, received)) {
        ++summary_.multipliers;
        if (received.kind == ExchangeKind::Zone) {
            zones_[*band].set(static_cast<std::size_t>(received.zone));
            countIn(summary_, *band, [](BandScore& s) { ++s.zones; });
        } else {
            headquartersWorked_[*band].insert(received.abbreviation);
            countIn(summary_, *band, [](BandScore& s) { ++s.headquarters; });
        }
    }
    summary_.score = summary_.total.points * summary_.multipliers;
    return QsoVerdict::Counted;
}

bool ContestScore::isNewMultiplier(std::size_t band, const Exchange& exchange) const
{
    if (band >= kContestBands)
        return false;
    switch (exchange.kind) {
    case ExchangeKind::Zone: return !zones_[band].test(static_cast<std::size_t>(exchange.zone));
    case ExchangeKind::Headquarters: return !headquartersWorked_[band].contains(exchange.abbreviation);
    case ExchangeKind::Unreadable: return false;
    }
    return false;
}

}  // namespace qz
