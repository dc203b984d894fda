#pragma once
// The 86-column log line: one QSO of one operator. The table of fields below
// is the one description of the layout: the composer, the readers, the
// corrections and both exports take their columns from it.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::size_t kLineLength = 86;

// The fields in the order in which they stand in the line. Columns are
// counted from 1; the blanks between fields belong to no field.
//
//          1         2         3         4         5         6         7         8
// 12345678901234567890123456789012345678901234567890123456789012345678901234567890123456
// 2026-07-11 1234  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU
// Date       Time Band  Mode    Operator      SRpt SExch Call          RRpt RExch
enum class Field : std::size_t {
    Date,              // rrrr-mm-dd
    Time,              // hhmm
    Band,              // lower band edge in kHz, right-aligned (band table)
    Mode,              // a blank, two mode letters, a blank (mode table)
    Operator,          // who made the QSO
    SentReport,        // "59  " or "599 "
    SentExchange,      // zone, serial number, region or locator
    Call,              // the station worked
    ReceivedReport,    // laid out like the sent report
    ReceivedExchange,  // without any spaces
};
inline constexpr std::size_t kFieldCount = 10;

struct FieldColumns {
    std::size_t first;  // counted from 1
    std::size_t width;  // the columns the composer fills
    // The columns that the readers take back and the corrections write: the
    // operator and the call lose their 14th column, the exchanges their 7th,
    // so what a longer entry left there is never read; a report loses the
    // blank that always follows it.
    std::size_t readWidth;

    constexpr std::size_t last() const { return first + width - 1; }
    constexpr std::size_t readLast() const { return first + readWidth - 1; }
};

inline constexpr std::array<FieldColumns, kFieldCount> kFieldColumns{{
    {1, 10, 10},   // Date
    {12, 4, 4},    // Time
    {17, 6, 6},    // Band
    {23, 4, 4},    // Mode
    {31, 14, 13},  // Operator
    {45, 4, 3},    // SentReport
    {49, 7, 6},    // SentExchange
    {56, 14, 13},  // Call
    {70, 4, 3},    // ReceivedReport
    {74, 13, 6},   // ReceivedExchange
}};

constexpr const FieldColumns& layoutOf(Field field) { return kFieldColumns.at(static_cast<std::size_t>(field)); }

// Two columns inside a field that some readers and writers take alone: the
// band key (columns 18-19, " 1" for 160 m) and the mode letters (24-25).
struct PartColumns {
    std::size_t first;
    std::size_t width;
};
inline constexpr PartColumns kBandKey{layoutOf(Field::Band).first + 1, 2};
inline constexpr PartColumns kModeLetters{layoutOf(Field::Mode).first + 1, 2};

// One row of the band table: entry of the band list, band column, band key
// and the band's ADIF name.
struct Band {
    std::string_view entry;
    std::string_view column;
    std::string_view key;
    std::string_view adif;
};
// The six bands the band list offers, in its order, then 2 m (format only).
const std::vector<Band>& bandTable();

struct Mode {
    std::string_view entry;
    std::string_view column;
    std::string_view letters;
    std::string_view adif;
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

// Builds the line field by field, each at its own columns, so that a short or
// empty entry never moves the fields after it. Control characters in an
// entry are taken as oneLine takes them, so the line stays one line.
std::string composeLine(const QsoEntry& entry);

// Readers. Each copies the read columns of its field; a copy that runs past
// the end of a short line simply gives fewer characters.
std::string fieldOf(std::string_view line, Field field);  // as they stand
std::string dateOf(std::string_view line);                // as they stand
std::string timeOf(std::string_view line);                // as they stand
std::string bandKeyOf(std::string_view line);             // as they stand
std::string modeLettersOf(std::string_view line);         // as they stand
std::string operatorOf(std::string_view line);            // trimmed
std::string callOf(std::string_view line);                // trimmed
std::string sentReportOf(std::string_view line);          // trimmed
std::string receivedReportOf(std::string_view line);      // trimmed
std::string sentExchangeOf(std::string_view line);        // trimmed
std::string receivedExchangeOf(std::string_view line);    // trimmed
// The band column followed by the mode column, as they stand.
std::string slotKeyOf(std::string_view line);
bool belongsTo(std::string_view line, std::string_view op);
// The line as its 86 columns: trailing blanks that an editor trimmed on saving
// are put back. A line of 86 columns or more is returned as it is.
std::string paddedLine(std::string_view line);
// True when both lines hold the same columns once padded: a trimmed line is
// the same QSO as the full one.
bool sameColumns(std::string_view a, std::string_view b);
// A line that can be a QSO of some log: 86 columns without control bytes,
// with digits for the date (rrrr-mm-dd) and the time where they stand.
bool isPlausibleQso(std::string_view line);
// A field's read columns without a copy, for passes over the whole log: a
// view into the line (shorter or empty on a short line).
std::string_view fieldView(std::string_view line, Field field);

// The line with the field's read columns overwritten by `text` (on one line,
// as oneLine makes it), cut or padded to them; a short line is padded first
// so that every field keeps its place.
std::string withField(std::string line, Field field, std::string_view text);

// The columns an entry takes in its field as the composer places it: its
// trailing blanks are padding, the received exchange loses every blank.
std::size_t storedLength(Field field, std::string_view text);
// Whether the readers take the entry back whole from the field's read
// columns; one that runs past them would be read back cut.
bool fitsReadColumns(Field field, std::string_view text);

// Base name of an operator's export files: operator column, lower case,
// "/" and "\" turned into "_".
std::string fileStemOf(std::string_view line);

}  // namespace qz
