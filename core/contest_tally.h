#pragma once
// What the contest overview counts in the log: the current operator's score,
// rate and headquarters slots, and the whole station's rate. Rebuilt from the
// whole log when it is read, then kept up to date by each stored line.

#include "contest_score.h"
#include "headquarters.h"
#include "qso_rate.h"

#include <string>
#include <string_view>
#include <vector>

namespace qz {

class ContestTally {
public:
    ContestTally() = default;
    // The log's lines in their order; `countries` may be null (no country file).
    ContestTally(const std::vector<std::string_view>& logLines, const CountryFile* countries,
                 const HeadquartersList& headquarters, std::string op);

    void add(std::string_view line);

    const std::string& op() const { return op_; }
    const ContestScore& score() const { return score_; }
    const QsoRate& operatorRate() const { return operatorRate_; }
    const QsoRate& stationRate() const { return stationRate_; }
    // The operator's band/mode slots with the headquarters station in the
    // whole log, by the rule of the banner, which counts only from the view
    // reloads on.
    const std::vector<std::string>& headquartersSlots() const { return headquartersSlots_.keys(); }

private:
    std::string op_;
    ContestScore score_;
    QsoRate operatorRate_;
    QsoRate stationRate_;
    HeadquartersSlots headquartersSlots_;
};

}  // namespace qz
