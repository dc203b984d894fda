#pragma once
// The changes that a correction makes to one stored QSO line. Each writes a
// fixed number of columns in place, so the line keeps its length and every
// other field its column; what stands beyond a field's read width (the 14th
// character of the call, the 7th of an exchange) is left as it was.

#include <cstddef>
#include <string>
#include <string_view>

namespace qz {

// The fields corrected by typing a new value.
enum class TypedField { Date, Time, Call, SentExchange, ReceivedExchange };

// What the entry box is prefilled with: the date and time as stored, the call
// and the exchanges trimmed.
std::string currentValue(TypedField field, std::string_view line);

enum class EntryVerdict {
    Unchanged,  // the current value again (also what Cancel gives): nothing to do
    WrongDate,  // not rrrr-mm-dd: writing it would shift the columns after it
    WrongTime,  // not hhmm, or no time of the day
    TooLong,    // more than the readers take back from the field's columns
    Change,
};
struct EntryJudgement {
    EntryVerdict verdict;
    std::string columns;  // for Change: the field's new text at its correction width
    // For TooLong: the columns the entry needs and the field's width.
    std::size_t length = 0;
    std::size_t limit = 0;
};

// Judges a typed entry against the field's current value. The call and the
// exchanges are raised to upper case (ASCII only), kept on one line and
// padded to 13 or 6 columns; one that needs more is TooLong, never cut.
// Spaces inside are kept, but for the received exchange, which loses them as
// a typed one does. A date must be a day of the calendar as rrrr-mm-dd
// (digits but the fifth and eighth character), and a time four digits of a
// time of the day, hhmm; blanks typed around them are dropped.
EntryJudgement judgeEntry(TypedField field, std::string_view current, std::string_view entry);

// The line with the field's correction columns overwritten by `text`, which
// judgeEntry has fitted to the field's width.
std::string withTypedField(std::string line, TypedField field, std::string_view text);

// The picked corrections, by position in the band and mode tables.
std::string withBand(std::string line, std::size_t bandPosition);
// Also sets the third character of both reports: "9" in CW, a blank otherwise.
std::string withMode(std::string line, std::size_t modePosition);
// The operator cut or padded to 13 columns.
std::string withOperator(std::string line, std::string_view op);

}  // namespace qz
