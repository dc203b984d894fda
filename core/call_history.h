#pragma once
// A call history file (QZ5KV_stationbook_history.txt in the station folder):
// what other contesters found each station sending, as such files are
// published before contests. Comma-separated lines; a line starting with
// "!!Order!!" names the columns of the lines after it ("!!Order!!,Call,Name,
// ITUZone"), lines starting with "#" are comments. The exchange is taken from
// the column named ITUZone, else Exch1, else Sect, whichever the file has,
// names compared blind to case. Never written by the program.
//
// Files come from anywhere, so reading is bounded: at most kMaxHistoryBytes
// are read and kMaxHistoryCalls calls kept; a line that cannot be read (too
// long, control bytes, no callsign, an exchange longer than the log keeps)
// is passed over and counted.

#include "station_files.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qz {

inline constexpr std::size_t kMaxHistoryBytes = std::size_t{32} * 1024 * 1024;
inline constexpr std::size_t kMaxHistoryCalls = 300'000;

class CallHistory {
public:
    static CallHistory parse(std::string_view text);

    // The exchange the call sent, compared blind to case and blanks.
    std::optional<std::string_view> exchangeOf(std::string_view call) const;

    std::size_t size() const { return exchanges_.size(); }
    // Lines that are neither blank nor comments and gave nothing.
    std::size_t passedOver() const { return passedOver_; }
    // The column the exchanges came from, as the file names it; empty when
    // no "!!Order!!" line named a callsign and an exchange column.
    const std::string& exchangeColumn() const { return exchangeColumn_; }
    // The text ended after kMaxHistoryBytes, where a file was cut.
    bool cut() const { return cut_; }

private:
    struct Columns {
        std::size_t call = 0;
        std::size_t exchange = 0;
    };
    static std::optional<Columns> columnsOf(std::string_view orderLine, std::string& exchangeName);
    void take(std::string_view line, const Columns& columns);

    std::unordered_map<std::string, std::string> exchanges_;
    std::size_t passedOver_ = 0;
    std::string exchangeColumn_;
    bool cut_ = false;
};

struct CallHistoryRead {
    CallHistory history;
    bool found = false;  // the file is there
    std::string fault;   // the standard text of a file that could not be read
};

// The history file of the station folder; a missing or unreadable one gives
// an empty history.
CallHistoryRead readCallHistory(const std::filesystem::path& folder);

}  // namespace qz
