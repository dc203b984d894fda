#include "log_check.h"

#include "exchange_prediction.h"
#include "log_line.h"
#include "operator_book.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <regex>
#include <unordered_map>

namespace qz {
namespace {

constexpr std::int64_t kMinutesPerHour = 60;
constexpr std::int64_t kMinutesPerDay = 24 * kMinutesPerHour;
constexpr std::int64_t kContestStart = 12 * kMinutesPerHour;  // Saturday 12:00 UTC
constexpr std::size_t kFindingKinds = static_cast<std::size_t>(FindingKind::ExchangeDiffersFromHistory) + 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at [first, first + count) of the text as a number, or -1.
int numberAt(std::string_view text, std::size_t first, std::size_t count)
{
    if (first + count > text.size())
        return -1;
    int value = 0;
    for (const char c : text.substr(first, count)) {
        if (!isDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::chrono::year_month_day> dayOf(std::string_view date)
{
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return std::nullopt;
    const int year = numberAt(date, 0, 4);
    const int month = numberAt(date, 5, 2);
    const int day = numberAt(date, 8, 2);
    if (year < 0 || month < 0 || day < 0)
        return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    return ymd.ok() ? std::optional(ymd) : std::nullopt;
}

std::int64_t minutesOf(std::chrono::sys_days day)
{
    return std::int64_t{day.time_since_epoch().count()} * kMinutesPerDay;
}

// The QSO's moment in minutes since 1970; nothing for a date or time that is no moment.
std::optional<std::int64_t> momentOf(std::string_view line)
{
    const auto day = dayOf(fieldView(line, Field::Date));
    const std::string_view time = fieldView(line, Field::Time);
    const int hours = numberAt(time, 0, 2);
    const int minutes = numberAt(time, 2, 2);
    if (!day || time.size() != 4 || hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return std::nullopt;
    return minutesOf(std::chrono::sys_days(*day)) + hours * kMinutesPerHour + minutes;
}

// The digits without their leading zeros; the text itself when it is not a number.
std::string numberText(std::string_view text)
{
    std::string trimmedText = trimmed(text);
    if (trimmedText.empty() || !std::all_of(trimmedText.begin(), trimmedText.end(), isDigit))
        return trimmedText;
    const std::size_t first = trimmedText.find_first_not_of('0');
    return first == std::string::npos ? "0" : trimmedText.substr(first);
}

std::vector<Finding> recordFindings(const std::string* record, std::int64_t score)
{
    if (!record)
        return {{FindingKind::NoRecord, std::nullopt, {}}};
    const OperatorFields fields = splitRecord(*record);
    std::vector<Finding> findings;
    const auto missing = [&](OperatorField field, FindingKind kind) {
        if (trimmedView(fields[field]).empty())
            findings.push_back({kind, std::nullopt, {}});
    };
    missing(kName, FindingKind::NoName);
    missing(kEmail, FindingKind::NoEmail);
    missing(kCategory, FindingKind::NoCategory);
    const std::string computed = std::to_string(score);
    if (trimmedView(fields[kPoints]).empty())
        findings.push_back({FindingKind::NoClaimedScore, std::nullopt, computed});
    else if (numberText(fields[kPoints]) != computed)
        findings.push_back({FindingKind::OutdatedClaimedScore, std::nullopt, trimmed(fields[kPoints])});
    return findings;
}

// The QSO findings of one operator, at most kMostFindingsOfAKind of a kind.
class QsoFindings {
public:
    void add(FindingKind kind, std::size_t line, std::string detail = {})
    {
        auto& count = counts_[static_cast<std::size_t>(kind)];
        if (++count <= kMostFindingsOfAKind)
            findings_.push_back({kind, line, std::move(detail)});
    }
    // The findings, and for each kind cut short an entry with the number left out.
    void appendTo(std::vector<Finding>& all)
    {
        all.insert(all.end(), std::make_move_iterator(findings_.begin()), std::make_move_iterator(findings_.end()));
        for (std::size_t kind = 0; kind < kFindingKinds; ++kind)
            if (counts_[kind] > kMostFindingsOfAKind)
                all.push_back({static_cast<FindingKind>(kind), std::nullopt, {}, counts_[kind] - kMostFindingsOfAKind});
    }

private:
    std::vector<Finding> findings_;
    std::array<std::size_t, kFindingKinds> counts_{};
};

struct Expected {
    const ReceivedExchanges& log;
    const CallHistory* history;
};

OperatorCheck checkOperator(const std::vector<std::string_view>& lines, const std::vector<std::size_t>& own,
                            const std::optional<ContestPeriod>& period, const CountryFile* countries,
                            const HeadquartersList& headquarters, const Expected& expected)
{
    ContestScore score(countries, headquarters);
    QsoFindings found;
    std::optional<std::string> previousSent;
    for (const std::size_t at : own) {
        const std::string_view line = lines[at];
        const auto moment = momentOf(line);
        if (!moment || !period || *moment < period->first || *moment >= period->end)
            found.add(FindingKind::OutsideContestPeriod, at);
        if (const std::string_view call = trimmedView(fieldView(line, Field::Call)); !canBeCallsign(call))
            found.add(FindingKind::NotACallsign, at, std::string(call));
        switch (score.add(line)) {
        case QsoVerdict::NotScored: found.add(FindingKind::NotAContestBandOrMode, at); break;
        case QsoVerdict::Incomplete: found.add(FindingKind::UnknownExchange, at, receivedExchangeOf(line)); break;
        case QsoVerdict::Repeat: found.add(FindingKind::Repeat, at); break;
        case QsoVerdict::Counted: break;
        }
        std::string sent = comparableText(trimmedView(fieldView(line, Field::SentExchange)));
        if (previousSent && *previousSent != sent)
            found.add(FindingKind::SentExchangeChanged, at, *previousSent);
        previousSent = std::move(sent);
        if (auto differs = strongDisagreement(line, &expected.log, expected.history))
            found.add(differs->source == PredictionSource::Log ? FindingKind::ExchangeDiffersFromLog
                                                               : FindingKind::ExchangeDiffersFromHistory,
                      at, std::move(differs->exchange));
    }
    OperatorCheck check;
    check.score = score.summary().score;
    check.ownZone = score.ownZone();
    found.appendTo(check.findings);
    return check;
}

}  // namespace

ContestPeriod contestPeriodOf(int year)
{
    using namespace std::chrono;
    // The first Saturday of July starts the first weekend that is all in July.
    const sys_days firstSaturday{std::chrono::year{year} / July / Saturday[1]};
    const std::int64_t first = minutesOf(firstSaturday + days{7}) + kContestStart;
    return {first, first + kMinutesPerDay};
}

std::optional<int> logYearOf(const std::vector<std::string_view>& lines)
{
    std::map<int, std::size_t> years;
    for (const std::string_view line : lines)
        if (const auto day = dayOf(dateOf(line)))
            ++years[static_cast<int>(day->year())];
    const auto most =
        std::max_element(years.begin(), years.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == years.end() ? std::nullopt : std::optional(most->first);
}

bool canBeCallsign(std::string_view call)
{
    // The call itself: a prefix (one or two letters, or a digit and one or
    // two letters: 9A, 3DA), the call area (digits), then letters. Before it
    // may stand a prefix of the country where the station works (DL/, VP2V/),
    // after it a portable part (/P, /MM, /QRP, /7, /VK9X).
    static const std::regex shape("([A-Z0-9]{1,4}/)?([A-Z]{1,2}|[0-9][A-Z]{1,2})[0-9]{1,4}[A-Z]{1,4}(/[A-Z0-9]{1,4})?");
    return std::regex_match(asciiUpper(std::string(call)), shape);
}

std::vector<OperatorCheck> checkLog(const std::vector<std::string_view>& lines, const std::vector<std::string>& records,
                                    const CountryFile* countries, const HeadquartersList& headquarters,
                                    const std::optional<std::string>& onlyOperator, const CallHistory* history)
{
    const ReceivedExchanges received(lines);
    std::unordered_map<std::string_view, std::vector<std::size_t>> byOperator;
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::string_view op = trimmedView(fieldView(lines[at], Field::Operator));
        if (!op.empty() && (!onlyOperator || op == *onlyOperator))
            byOperator[op].push_back(at);
    }
    std::unordered_map<std::string, const std::string*> recordOf;
    for (const std::string& record : records)
        recordOf.try_emplace(callsignOf(record), &record);

    std::vector<std::string_view> operators;
    operators.reserve(byOperator.size());
    for (const auto& entry : byOperator)
        operators.push_back(entry.first);
    sortNoCase(operators);
    const auto year = logYearOf(lines);
    const auto period = year ? std::optional(contestPeriodOf(*year)) : std::nullopt;

    std::vector<OperatorCheck> checks;
    for (const std::string_view op : operators) {
        OperatorCheck check =
            checkOperator(lines, byOperator[op], period, countries, headquarters, {received, history});
        check.op = op;
        const auto record = recordOf.find(asciiUpper(check.op));
        std::vector<Finding> findings =
            recordFindings(record == recordOf.end() ? nullptr : record->second, check.score);
        findings.insert(findings.end(), std::make_move_iterator(check.findings.begin()),
                        std::make_move_iterator(check.findings.end()));
        check.findings = std::move(findings);
        checks.push_back(std::move(check));
    }
    return checks;
}

}  // namespace qz
