#include "log_corrections.h"

#include "log_line.h"
#include "text.h"
#include "time_entry.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

// The line's field that each typed correction changes.
constexpr Field lineFieldOf(TypedField field)
{
    switch (field) {
    case TypedField::Date: return Field::Date;
    case TypedField::Time: return Field::Time;
    case TypedField::Call: return Field::Call;
    case TypedField::SentExchange: return Field::SentExchange;
    case TypedField::ReceivedExchange: return Field::ReceivedExchange;
    }
    return Field::Date;
}

// The call and the exchanges are trimmed when read, upper-cased and fitted
// when written; the date and the time must fill their columns exactly.
constexpr bool isTypedText(TypedField field) { return field != TypedField::Date && field != TypedField::Time; }

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The date and the time must fill their columns exactly; blanks around are forgiven.
std::optional<std::string> wellFormed(TypedField field, std::string_view entry)
{
    if (field == TypedField::Date) {
        CheckedEntry checked = checkDate(entry);
        if (checked.result != EntryCheck::Ok)
            return std::nullopt;
        return std::move(checked.text);
    }
    std::string time = withoutSpaces(entry);
    if (time.size() != layoutOf(Field::Time).width || !allDigits(time))
        return std::nullopt;
    // The hours and minutes as the main window's time check takes them.
    if (checkTime(time.substr(0, 2) + ':' + time.substr(2)).result != EntryCheck::Ok)
        return std::nullopt;
    return time;
}

}  // namespace

std::string currentValue(TypedField field, std::string_view line)
{
    std::string value = fieldOf(line, lineFieldOf(field));
    return isTypedText(field) ? trimmed(value) : value;
}

EntryJudgement judgeEntry(TypedField field, std::string_view current, std::string_view entry)
{
    if (isTypedText(field)) {
        // The received exchange loses its blanks as when it is typed for a new QSO.
        const std::string line = oneLine(entry);
        const std::string upper = asciiUpper(field == TypedField::ReceivedExchange ? withoutSpaces(line) : line);
        if (upper == current)
            return {EntryVerdict::Unchanged, {}};
        const Field lineField = lineFieldOf(field);
        const std::size_t length = storedLength(lineField, upper);
        const std::size_t limit = layoutOf(lineField).readWidth;
        if (length > limit)
            return {EntryVerdict::TooLong, {}, length, limit};
        return {EntryVerdict::Change, fitted(upper, limit)};
    }
    if (entry == current)
        return {EntryVerdict::Unchanged, {}};
    std::optional<std::string> text = wellFormed(field, entry);
    if (!text)
        return {field == TypedField::Date ? EntryVerdict::WrongDate : EntryVerdict::WrongTime, {}};
    if (*text == current)
        return {EntryVerdict::Unchanged, {}};
    return {EntryVerdict::Change, std::move(*text)};
}

std::string withTypedField(std::string line, TypedField field, std::string_view text)
{
    return withField(std::move(line), lineFieldOf(field), text);
}

std::string withBand(std::string line, std::size_t bandPosition)
{
    return withField(std::move(line), Field::Band, bandTable().at(bandPosition).column);
}

std::string withMode(std::string line, std::size_t modePosition)
{
    const std::string_view letters = modeTable().at(modePosition).letters;
    const std::string_view third = letters == "CW" ? "9" : " ";
    line = replacedColumns(std::move(line), kModeLetters.first, letters);
    line = replacedColumns(std::move(line), layoutOf(Field::SentReport).readLast(), third);
    return replacedColumns(std::move(line), layoutOf(Field::ReceivedReport).readLast(), third);
}

std::string withOperator(std::string line, std::string_view op)
{
    return withField(std::move(line), Field::Operator, op);
}

}  // namespace qz
