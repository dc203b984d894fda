#pragma once
// The check of an operator's log before it is sent: what a contest's log
// checker would question, QSO by QSO, and what the Cabrillo header lacks.
// Pure: the log's lines, the operator records and the contest data in, the
// findings out.

#include "call_history.h"
#include "contest_score.h"
#include "country_file.h"
#include "headquarters_list.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

enum class FindingKind {
    // The operator's record (no line).
    NoRecord,
    NoName,
    NoEmail,
    NoCategory,
    NoClaimedScore,        // detail: the score computed now
    OutdatedClaimedScore,  // detail: the claimed score; the computed one is in the check
    // One QSO each.
    OutsideContestPeriod,
    Repeat,
    UnknownExchange,  // detail: the received exchange
    NotACallsign,     // detail: the callsign
    NotAContestBandOrMode,
    SentExchangeChanged,  // detail: the exchange sent in the QSO before
    // The received exchange differs from what the station sent in its latest
    // QSO of the log, or from the call history (detail: that exchange).
    ExchangeDiffersFromLog,
    ExchangeDiffersFromHistory,
};

struct Finding {
    FindingKind kind;
    std::optional<std::size_t> line;  // position in the log's lines; none for the record
    std::string detail;
    // A kind cut short ends with an entry without a line: how many more there are.
    std::size_t leftOut = 0;
};

struct OperatorCheck {
    std::string op;
    std::int64_t score = 0;
    OwnZone ownZone;
    std::vector<Finding> findings;  // the record's first, then the QSOs' in the log's order
};

// Of each kind of QSO finding at most this many are listed per operator; a
// log of serial numbers would otherwise list every QSO as a change.
inline constexpr std::size_t kMostFindingsOfAKind = 100;

// The contest period of the year: the second full weekend of July, Saturday
// 12:00 to Sunday 12:00 UTC, as minutes since 1970 [first, end).
struct ContestPeriod {
    std::int64_t first = 0;
    std::int64_t end = 0;
};
ContestPeriod contestPeriodOf(int year);
// The year of most of the lines' dates; nothing when no line has a date.
std::optional<int> logYearOf(const std::vector<std::string_view>& lines);

// Whether the text is shaped like a callsign: a prefix, a call area and
// letters (DL1ABC, 9A1A, 3DA0RU), optionally with a country prefix before it
// (DL/OH2ABC) and a portable part after it (DL1ABC/P, VP2V/DL1ABC/MM). Two
// calls run together (QZ5KVOK1AAA) are not one.
bool canBeCallsign(std::string_view call);

// Checks every operator who has QSOs in the log, in the order of the callsign
// lists, or only `onlyOperator` when given. `records` are the operator file's
// records; an operator's is the first with their callsign. The received
// exchanges are compared with the whole log's and with `history`.
std::vector<OperatorCheck> checkLog(const std::vector<std::string_view>& lines, const std::vector<std::string>& records,
                                    const CountryFile* countries, const HeadquartersList& headquarters,
                                    const std::optional<std::string>& onlyOperator = std::nullopt,
                                    const CallHistory* history = nullptr);

}  // namespace qz
