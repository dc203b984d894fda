#pragma once
// The exchange a station is expected to send, and where that expectation
// comes from, in this order of trust: what the station sent in this log (any
// operator's QSO: the shared log is the station's memory), the call history
// file, the headquarters list for a society's headquarters station, and the
// ITU zone of the station's country in the country file.

#include "call_history.h"
#include "country_file.h"
#include "headquarters_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

enum class PredictionSource { Log, History, Headquarters, Country };

struct Prediction {
    std::string exchange;
    PredictionSource source = PredictionSource::Country;

    // The station itself was heard sending it: a stored exchange that differs
    // is worth a second look.
    bool strong() const { return source == PredictionSource::Log || source == PredictionSource::History; }
    bool operator==(const Prediction&) const = default;
};

// The latest exchange received from each callsign in the whole log. Built
// once and kept up to date line by line, so a prediction is one lookup.
class ReceivedExchanges {
public:
    ReceivedExchanges() = default;
    explicit ReceivedExchanges(const std::vector<std::string_view>& logLines);

    void add(std::string_view line);
    // Forgets one QSO whose line equals `line`.
    void removeOne(std::string_view line);
    // The exchange of the call's last QSO in the log's order that has one.
    std::optional<std::string_view> latest(std::string_view call) const;
    // The same for the call of `line`, leaving out that QSO and its copies.
    std::optional<std::string_view> latestBesides(std::string_view line) const;

private:
    struct Received {
        std::size_t lineHash = 0;
        std::string exchange;
    };
    std::unordered_map<std::string, std::vector<Received>> byCall_;
};

// Where predictions are looked up; a source left out is passed over.
struct PredictionSources {
    const ReceivedExchanges* log = nullptr;
    const CallHistory* history = nullptr;
    const HeadquartersList* headquarters = nullptr;
    const CountryFile* countries = nullptr;
};

std::optional<Prediction> predictExchange(std::string_view call, const PredictionSources& sources);

// The strong prediction that a stored QSO's received exchange differs from:
// the latest exchange of its call in the rest of the log, else the call
// history's.
std::optional<Prediction> strongDisagreement(std::string_view line, const ReceivedExchanges* log,
                                             const CallHistory* history);

}  // namespace qz
