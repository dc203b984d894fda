#pragma once
// The log of a long contest weekend: 100,000 lines of five operators, 20,000
// each, with a few hundred QSOs with the headquarters station, and a settings
// file for the five.

#include <filesystem>
#include <string>
#include <vector>

namespace qz::bench {

inline constexpr int kOperatorCount = 5;
inline constexpr int kLinesPerOperator = 20'000;

// The operators' callsigns, QZ1AAA to QZ5AAA.
std::vector<std::string> largeLogOperators();

// Log lines in order of entry (times interleaved across operators).
std::vector<std::string> largeLogLines();

// The operator records of the five.
std::vector<std::string> largeLogRecords();

// Writes "IARU_log.zrv" and "QZ5KV_stationbook.ini" into `folder`.
void writeLargeStation(const std::filesystem::path& folder);

// A fresh temporary folder, removed with the object.
class BenchFolder {
public:
    BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    ~BenchFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace qz::bench
