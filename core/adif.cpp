#include "adif.h"

#include "cabrillo.h"
#include "log_line.h"
#include "text.h"

namespace qz::adif {
namespace {

// The ADIF name of the table row whose part of the line matches; nothing for
// a band or mode the tables do not know.
template <typename Row>
std::string_view adifNameOf(const std::vector<Row>& table, std::string_view Row::*part, std::string_view value)
{
    for (const Row& row : table)
        if (row.*part == value)
            return row.adif;
    return {};
}

void addItem(std::string& record, std::string_view tag, std::string_view value)
{
    record += '<';
    record += tag;
    record += ':';
    record += std::to_string(value.size());
    record += '>';
    record += value;
    record += ' ';
}

}  // namespace

std::vector<std::string> headerLines() { return {"ADIF 2.0", std::string(cabrillo::kGeneratedBy), "<EOH>"}; }

std::string recordLine(std::string_view logLine, std::string_view comment)
{
    std::string record;
    record.reserve(200 + comment.size());
    // rrrr-mm-dd without its dashes, and hhmm with the seconds. A short line
    // reads as padded with blanks, as everywhere else, so both items keep
    // their fixed counts.
    const std::string date = fitted(dateOf(logLine), layoutOf(Field::Date).width);
    addItem(record, "QSO_DATE", columns(date, 1, 4) + columns(date, 6, 7) + columns(date, 9, 10));
    addItem(record, "TIME_ON", fitted(timeOf(logLine), layoutOf(Field::Time).width) + "00");
    if (const auto band = adifNameOf(bandTable(), &Band::key, bandKeyOf(logLine)); !band.empty())
        addItem(record, "BAND", band);
    if (const auto mode = adifNameOf(modeTable(), &Mode::letters, modeLettersOf(logLine)); !mode.empty())
        addItem(record, "MODE", mode);
    addItem(record, "CALL", callOf(logLine));
    addItem(record, "RST_RCVD", receivedReportOf(logLine));
    addItem(record, "SRX", receivedExchangeOf(logLine));
    addItem(record, "RST_SENT", sentReportOf(logLine));
    addItem(record, "STX", sentExchangeOf(logLine));
    if (const std::string single = oneLine(comment); !single.empty())  // a record is one line
        addItem(record, "COMMENT", single);
    addItem(record, "OPERATOR", operatorOf(logLine));
    record += "<EOR>";
    return record;
}

}  // namespace qz::adif
