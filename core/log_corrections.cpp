#include "log_corrections.h"

#include "log_line.h"
#include "text.h"
#include "time_entry.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

struct FieldColumns {
    std::size_t first;
    std::size_t width;
    bool typedText;  // call or exchange: trimmed when read, upper-cased and fitted when written
};

FieldColumns columnsOf(TypedField field)
{
    switch (field) {
    case TypedField::Date: return {1, 10, false};
    case TypedField::Time: return {12, 4, false};
    case TypedField::Call: return {56, 13, true};
    case TypedField::SentExchange: return {49, 6, true};
    case TypedField::ReceivedExchange: return {74, 6, true};
    }
    return {1, 0, false};
}

constexpr std::size_t kBandColumn = 17;
constexpr std::size_t kModeLettersColumn = 24;
constexpr std::size_t kOperatorColumn = 31;
constexpr std::size_t kOperatorWidth = 13;
constexpr std::size_t kSentReportThirdColumn = 47;
constexpr std::size_t kReceivedReportThirdColumn = 72;
constexpr std::size_t kTimeLength = 4;

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
    if (time.size() != kTimeLength || !allDigits(time))
        return std::nullopt;
    return time;
}

}  // namespace

std::string currentValue(TypedField field, std::string_view line)
{
    const FieldColumns f = columnsOf(field);
    std::string value = columns(line, f.first, f.first + f.width - 1);
    return f.typedText ? trimmed(value) : value;
}

EntryJudgement judgeEntry(TypedField field, std::string_view current, std::string_view entry)
{
    const FieldColumns f = columnsOf(field);
    if (f.typedText) {
        std::string upper = asciiUpper(std::string(entry));
        if (upper == current)
            return {EntryVerdict::Unchanged, {}};
        return {EntryVerdict::Change, fitted(upper, f.width)};
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
    return replacedColumns(std::move(line), columnsOf(field).first, text);
}

std::string withBand(std::string line, std::size_t bandPosition)
{
    return replacedColumns(std::move(line), kBandColumn, bandTable().at(bandPosition).column);
}

std::string withMode(std::string line, std::size_t modePosition)
{
    const std::string_view letters = modeTable().at(modePosition).letters;
    const std::string_view third = letters == "CW" ? "9" : " ";
    line = replacedColumns(std::move(line), kModeLettersColumn, letters);
    line = replacedColumns(std::move(line), kSentReportThirdColumn, third);
    return replacedColumns(std::move(line), kReceivedReportThirdColumn, third);
}

std::string withOperator(std::string line, std::string_view op)
{
    return replacedColumns(std::move(line), kOperatorColumn, fitted(op, kOperatorWidth));
}

}  // namespace qz
