#pragma once
// What the crash driver and its harness agree on: the names the driver gives
// its QSOs, archives and operator records, and the lines it reports on
// standard output. Before an operation the driver announces it in lower case
// ("a K12X3"); once the operation has returned, it confirms it in upper case
// ("A K12X3"), exactly when the program would tell the user it is done.
//
//   a/A call            a QSO that must stay (received exchange "KRU")
//   s/S call            a scratch QSO, deleted again later
//   c/C call exchange   a correction of the received exchange
//   d/D call            the deletion of a scratch QSO
//   o/O generation      the operator settings file rewritten
//   n/N archive         a new log: the log archived under that name, emptied
//   r                   the driver is up and holds the station lock

#include "log_line.h"
#include "operator_book.h"

#include <string>
#include <vector>

namespace qz::crash {

inline constexpr char kKeeperMark = 'K';
inline constexpr char kScratchMark = 'S';
inline const std::string kFirstExchange = "KRU";
inline const std::string kDate = "2026-07-11";

// Unique over all runs: run number and a counter within the run.
inline std::string qsoCall(char mark, int run, int number)
{
    return std::string(1, mark) + std::to_string(run) + "X" + std::to_string(number);
}

inline std::string archiveName(int run, int number)
{
    return "archive-" + std::to_string(run) + "-" + std::to_string(number) + ".zrv";
}

// The operators that generation `generation` of the settings file holds; the
// count varies so that a file cut short or mixed from two writes shows.
inline std::vector<std::string> operatorRecords(int generation)
{
    std::vector<std::string> records;
    const int count = 2 + generation % 5;
    for (int i = 0; i < count; ++i) {
        OperatorFields fields = newRecordFields();
        fields[kCallsign] = "QZ1A" + std::string(1, static_cast<char>('A' + i));
        fields[kName] = "Operator " + std::to_string(i);
        fields[kRemarks] = "generation " + std::to_string(generation);
        records.push_back(joinRecord(fields));
    }
    return records;
}

inline std::string qsoLine(const std::string& op, const std::string& call, int minute)
{
    const std::string time = (minute / 60 % 24 < 10 ? "0" : "") + std::to_string(minute / 60 % 24) + ":" +
                             (minute % 60 < 10 ? "0" : "") + std::to_string(minute % 60);
    return composeLine({kDate, time, std::string(*bandColumnFor("20M")), std::string(*modeColumnFor("CW")), op, "599",
                        "28", call, "599", kFirstExchange});
}

}  // namespace qz::crash
