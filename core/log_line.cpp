#include "log_line.h"

#include "text.h"

#include <algorithm>

namespace qz {
namespace {

// The fields follow each other without overlapping and end at the line's end.
constexpr bool fieldsInOrder()
{
    for (std::size_t i = 1; i < kFieldCount; ++i)
        if (kFieldColumns.at(i).first <= kFieldColumns.at(i - 1).last())
            return false;
    return std::all_of(kFieldColumns.begin(), kFieldColumns.end(),
                       [](const FieldColumns& f) { return f.first >= 1 && f.readWidth <= f.width; });
}
static_assert(fieldsInOrder());
static_assert(kFieldColumns.back().last() == kLineLength);
static_assert(static_cast<std::size_t>(Field::ReceivedExchange) + 1 == kFieldCount, "a row for every field");

std::string partOf(std::string_view line, PartColumns part)
{
    return columns(line, part.first, part.first + part.width - 1);
}

// The key within a band column, the letters within a mode column.
constexpr std::string_view partOfColumn(std::string_view column, Field field, PartColumns part)
{
    return column.substr(part.first - layoutOf(field).first, part.width);
}

Band band(std::string_view entry, std::string_view column, std::string_view adif)
{
    return {entry, column, partOfColumn(column, Field::Band, kBandKey), adif};
}

Mode mode(std::string_view entry, std::string_view column, std::string_view adif)
{
    return {entry, column, partOfColumn(column, Field::Mode, kModeLetters), adif};
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// hh:mm gives hhmm (characters 1-2 and 4-5).
std::string timeText(std::string_view time) { return columns(time, 1, 2) + columns(time, 4, 5); }

// A report keeps the blank after it: it is cut to the columns readers take.
std::string reportText(std::string_view report)
{
    return std::string(report.substr(0, layoutOf(Field::SentReport).readWidth));
}

template <typename Row>
std::optional<std::string_view> columnForEntry(const std::vector<Row>& table, std::string_view entry)
{
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const Row& row) { return !entry.empty() && row.entry == entry; });
    if (it == table.end())
        return std::nullopt;
    return it->column;
}

}  // namespace

const std::vector<Band>& bandTable()
{
    static const std::vector<Band> table{
        band("160M", "  1800", "160M"), band("80M", "  3500", "80M"), band("40M", "  7000", "40M"),
        band("20M", " 14000", "20M"),   band("15M", " 21000", "15M"), band("10M", " 28000", "10M"),
        band("", "144000", "2M"),
    };
    return table;
}

const std::vector<Mode>& modeTable()
{
    static const std::vector<Mode> table{mode("SSB", " PH ", "SSB"), mode("CW", " CW ", "CW"), mode("", " FM ", "FM")};
    return table;
}

std::optional<std::string_view> bandColumnFor(std::string_view entry) { return columnForEntry(bandTable(), entry); }
std::optional<std::string_view> modeColumnFor(std::string_view entry) { return columnForEntry(modeTable(), entry); }

std::string composeLine(const QsoEntry& e)
{
    std::string line;
    line.reserve(kLineLength);
    // A line break or tab in a field would split the line or move every
    // column after it, whoever passed it in.
    const auto place = [&line](Field field, std::string_view text) {
        const FieldColumns& f = layoutOf(field);
        line.resize(f.first - 1, ' ');  // the blanks before the field
        line += fitted(oneLine(text), f.width);
    };
    place(Field::Date, e.date);
    place(Field::Time, timeText(e.time));
    place(Field::Band, e.bandColumn);
    place(Field::Mode, e.modeColumn);
    place(Field::Operator, e.op);
    place(Field::SentReport, reportText(e.rstSent));
    place(Field::SentExchange, e.exchangeSent);
    place(Field::Call, e.call);
    place(Field::ReceivedReport, reportText(e.rstReceived));
    place(Field::ReceivedExchange, withoutSpaces(oneLine(e.exchangeReceived)));
    return asciiUpper(std::move(line));
}

std::string fieldOf(std::string_view line, Field field)
{
    const FieldColumns& f = layoutOf(field);
    return columns(line, f.first, f.readLast());
}

std::string_view fieldView(std::string_view line, Field field)
{
    const FieldColumns& f = layoutOf(field);
    if (f.first > line.size())
        return {};
    return line.substr(f.first - 1, f.readWidth);
}

std::string dateOf(std::string_view line) { return fieldOf(line, Field::Date); }
std::string timeOf(std::string_view line) { return fieldOf(line, Field::Time); }
std::string bandKeyOf(std::string_view line) { return partOf(line, kBandKey); }
std::string modeLettersOf(std::string_view line) { return partOf(line, kModeLetters); }
std::string operatorOf(std::string_view line) { return trimmed(fieldOf(line, Field::Operator)); }
std::string callOf(std::string_view line) { return trimmed(fieldOf(line, Field::Call)); }
std::string sentReportOf(std::string_view line) { return trimmed(fieldOf(line, Field::SentReport)); }
std::string receivedReportOf(std::string_view line) { return trimmed(fieldOf(line, Field::ReceivedReport)); }
std::string sentExchangeOf(std::string_view line) { return trimmed(fieldOf(line, Field::SentExchange)); }
std::string receivedExchangeOf(std::string_view line) { return trimmed(fieldOf(line, Field::ReceivedExchange)); }

std::string slotKeyOf(std::string_view line)
{
    return columns(line, layoutOf(Field::Band).first, layoutOf(Field::Mode).last());
}

bool belongsTo(std::string_view line, std::string_view op) { return operatorOf(line) == op; }

std::string paddedLine(std::string_view line)
{
    std::string padded(line);
    if (padded.size() < kLineLength)
        padded.resize(kLineLength, ' ');
    return padded;
}

bool sameColumns(std::string_view a, std::string_view b)
{
    const std::string_view shorter = a.size() <= b.size() ? a : b;
    const std::string_view longer = a.size() <= b.size() ? b : a;
    // Padded, they are equal when the longer one is the shorter one followed
    // by blanks that padding gives the shorter one too.
    const std::string_view rest = longer.substr(shorter.size());
    return longer.starts_with(shorter) && longer.size() <= std::max(kLineLength, shorter.size()) &&
           rest.find_first_not_of(' ') == std::string_view::npos;
}

bool isPlausibleQso(std::string_view line)
{
    if (line.size() != kLineLength)
        return false;
    if (std::any_of(line.begin(), line.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7F;
        }))
        return false;
    const std::string_view date = fieldView(line, Field::Date);
    const std::string_view time = fieldView(line, Field::Time);
    return allDigits(date.substr(0, 4)) && date[4] == '-' && allDigits(date.substr(5, 2)) && date[7] == '-' &&
           allDigits(date.substr(8, 2)) && allDigits(time);
}

std::string withField(std::string line, Field field, std::string_view text)
{
    const FieldColumns& f = layoutOf(field);
    return replacedColumns(std::move(line), f.first, fitted(oneLine(text), f.readWidth));
}

std::size_t storedLength(Field field, std::string_view text)
{
    std::string stored = oneLine(text);
    if (field == Field::ReceivedExchange)
        stored = withoutSpaces(stored);
    const std::size_t last = stored.find_last_not_of(' ');
    return last == std::string::npos ? 0 : last + 1;
}

bool fitsReadColumns(Field field, std::string_view text)
{
    return storedLength(field, text) <= layoutOf(field).readWidth;
}

std::string fileStemOf(std::string_view line)
{
    std::string stem = asciiLower(operatorOf(line));
    std::replace(stem.begin(), stem.end(), '/', '_');
    std::replace(stem.begin(), stem.end(), '\\', '_');
    return stem;
}

}  // namespace qz
