#include "large_log.h"

#include "files.h"
#include "headquarters.h"
#include "log_line.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace qz::bench {

std::vector<std::string> largeLogOperators()
{
    std::vector<std::string> operators;
    for (int i = 1; i <= kOperatorCount; ++i)
        operators.push_back("QZ" + std::to_string(i) + "AAA");
    return operators;
}

std::vector<std::string> largeLogLines()
{
    const auto operators = largeLogOperators();
    const auto& bands = bandTable();
    std::vector<std::string> lines;
    lines.reserve(kOperatorCount * kLinesPerOperator);
    for (int n = 0; n < kLinesPerOperator; ++n) {
        for (int op = 0; op < kOperatorCount; ++op) {
            const int minute = n / 14;  // 24 hours of contest, roughly 14 QSOs a minute per operator
            char date[16];
            char time[8];
            std::snprintf(date, sizeof date, "2026-07-%02d", 11 + (minute / 1440) % 2);
            std::snprintf(time, sizeof time, "%02d:%02d", (minute / 60) % 24, minute % 60);
            const bool headquarters = n % 200 == 0;
            const std::string call =
                headquarters ? std::string(kHeadquartersCall) : "SP" + std::to_string(n % 10) + "X" + std::to_string(n);
            lines.push_back(composeLine({date, time, std::string(bands[static_cast<std::size_t>(n % 6)].column),
                                         n % 3 ? " CW " : " PH ", operators[static_cast<std::size_t>(op)], "599",
                                         std::to_string(n + 1), call, "599", headquarters ? "KRU" : "28"}));
        }
    }
    return lines;
}

std::vector<std::string> largeLogRecords()
{
    std::vector<std::string> records;
    for (const auto& op : largeLogOperators())
        records.push_back(op + ",Name " + op + ",,Street 1,,,0,CHECKLOG,,IARU-HF,");
    return records;
}

void writeLargeStation(const std::filesystem::path& folder)
{
    files::replaceAtomically(folder / "IARU_log.zrv", files::joinLines(largeLogLines()));
    files::replaceAtomically(folder / "QZ5KV_stationbook.ini", files::joinLines(largeLogRecords()));
}

BenchFolder::BenchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qz5kv-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

BenchFolder::~BenchFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace qz::bench
