#include "band_map.h"

#include "contest_score.h"
#include "country_file.h"
#include "headquarters.h"
#include "log_line.h"
#include "text.h"
#include "worked_before.h"

#include <algorithm>

namespace qz {
namespace {

std::string keyOf(const std::string& call, std::size_t band) { return call + '/' + std::to_string(band); }

}  // namespace

bool BandMap::add(Spot spot, std::chrono::sys_seconds heard)
{
    const auto band = spotBandOf(spot.hertz);
    if (!band)
        return false;
    const std::string key = keyOf(spot.call, *band);
    if (const auto found = byKey_.find(key); found != byKey_.end()) {
        spots_.erase(found->second);
        byKey_.erase(found);
    }
    const std::size_t mode = spotModeOf(spot);
    spots_.push_back({std::move(spot), *band, mode, heard});
    byKey_.emplace(key, std::prev(spots_.end()));
    while (byKey_.size() > capacity_) {
        byKey_.erase(keyOf(spots_.front().spot.call, spots_.front().band));
        spots_.pop_front();
    }
    return true;
}

void BandMap::expire(std::chrono::sys_seconds now, std::chrono::minutes lifetime)
{
    // The clock may step back; a spot heard "later" than now stays.
    while (!spots_.empty() && spots_.front().heard + lifetime <= now) {
        byKey_.erase(keyOf(spots_.front().spot.call, spots_.front().band));
        spots_.pop_front();
    }
}

std::vector<const MappedSpot*> BandMap::onBand(std::size_t band) const
{
    std::vector<const MappedSpot*> found;
    for (const MappedSpot& s : spots_)
        if (s.band == band)
            found.push_back(&s);
    std::stable_sort(found.begin(), found.end(),
                     [](const MappedSpot* a, const MappedSpot* b) { return a->spot.hertz < b->spot.hertz; });
    return found;
}

SpotMarks marksOf(const MappedSpot& spot, const SpotNeeds& needs)
{
    SpotMarks marks;
    const Band& band = bandTable().at(spot.band);
    const Mode& mode = modeTable().at(spot.mode);
    if (spot.spot.call == kHeadquartersCall && needs.headquartersSlots) {
        const std::string key = std::string(band.column) + std::string(mode.column);
        const auto& worked = *needs.headquartersSlots;
        marks.headquartersNeeded =
            std::none_of(worked.begin(), worked.end(), [&key](const std::string& s) { return equalNoCase(s, key); });
        if (marks.headquartersNeeded)
            marks.slot = std::string(band.entry) + " " + std::string(mode.entry);
    }
    if (needs.worked)
        marks.dupe = needs.worked->verdict(spot.spot.call, band.key, mode.letters) == WorkedVerdict::Dupe;
    if (!marks.dupe && needs.score) {
        Exchange exchange;
        if (spot.spot.call == kHeadquartersCall) {
            exchange = {ExchangeKind::Headquarters, 0, std::string(kHeadquartersExchange)};
        } else if (needs.countries) {
            if (const auto location = needs.countries->locate(spot.spot.call); location && location->ituZone > 0)
                exchange = {ExchangeKind::Zone, location->ituZone, {}};
        }
        marks.newMultiplier = needs.score->isNewMultiplier(spot.band, exchange);
    }
    return marks;
}

bool spottingAllowed(std::string_view category)
{
    // "SINGLE-OP ALL HIGH", "SINGLE-OP-ASSISTED", "SO UNLIMITED": words at blanks and hyphens.
    std::vector<std::string> words;
    std::string word;
    for (const char c : asciiUpper(std::string(category)) + ' ') {
        if (c != ' ' && c != '-') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (words.empty() || (words.front() != "SINGLE" && words.front() != "SO" && words.front() != "SOAB"))
        return true;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool assisted = words[i] == "ASSISTED" && (i == 0 || words[i - 1] != "NON");
        if (assisted || words[i] == "UNLIMITED" || words[i] == "UNL")
            return true;
    }
    return false;
}

}  // namespace qz
