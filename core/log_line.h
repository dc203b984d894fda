#pragma once
// The 86-column log line: one QSO of one operator. This file is the only place
// that knows the column layout; everything else reads and writes through it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kHeadquartersCall = "QZ5KV";
inline constexpr std::size_t kLineLength = 86;

// One row of the band table: entry of the band list, band column (17-22)
// and the two-character key (18-19).
struct Band {
    std::string_view entry;
    std::string_view column;
    std::string_view key;
};
// The six bands the band list offers, in its order, then 2 m (format only).
const std::vector<Band>& bandTable();

struct Mode {
    std::string_view entry;
    std::string_view column;   // columns 23-26
    std::string_view letters;  // columns 24-25
};
// SSB and CW as the mode list offers them, then FM (format only).
const std::vector<Mode>& modeTable();

// Band and mode columns for an entry of the lists; nothing for typed text that
// is not one of the entries.
std::optional<std::string_view> bandColumnFor(std::string_view entry);
std::optional<std::string_view> modeColumnFor(std::string_view entry);

// What the entry fields hold when a QSO is stored.
struct QsoEntry {
    std::string date;        // rrrr-mm-dd
    std::string time;        // hh:mm
    std::string bandColumn;  // from bandColumnFor
    std::string modeColumn;  // from modeColumnFor
    std::string op;          // the current operator
    std::string rstSent;
    std::string exchangeSent;  // already trimmed by the caller
    std::string call;
    std::string rstReceived;
    std::string exchangeReceived;
};

// Builds the line field by field, each at its own width, so that a short or
// empty entry never moves the columns after it.
std::string composeLine(const QsoEntry& entry);

// Column readers. Short lines simply give shorter text.
std::string operatorOf(std::string_view line);          // 31-43, trimmed
std::string callOf(std::string_view line);              // 56-68, trimmed
std::string slotKeyOf(std::string_view line);           // 17-26 as they stand
std::string dateOf(std::string_view line);              // 1-10 as they stand
std::string timeOf(std::string_view line);              // 12-15 as they stand (hhmm)
std::string bandKeyOf(std::string_view line);           // 18-19 as they stand
std::string modeLettersOf(std::string_view line);       // 24-25 as they stand
std::string sentExchangeOf(std::string_view line);      // 49-54, trimmed
std::string receivedExchangeOf(std::string_view line);  // 74-79, trimmed
bool belongsTo(std::string_view line, std::string_view op);

// Base name of an operator's export files: operator column, lower case,
// "/" and "\" turned into "_".
std::string fileStemOf(std::string_view line);

}  // namespace qz
