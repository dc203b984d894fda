#pragma once
// The headquarters station the whole team works with, its exchange, and the
// band/mode slots in which it has been worked: six bands times SSB and CW.

#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::string_view kHeadquartersCall = "QZ5KV";
inline constexpr std::string_view kHeadquartersExchange = "KRU";
inline constexpr std::size_t kHeadquartersSlotCount = 12;

// The distinct slots of one operator's QSOs with the headquarters station, in
// the order in which they were first worked.
class HeadquartersSlots {
public:
    HeadquartersSlots() = default;
    // The slots of operator `op` in the log's lines.
    HeadquartersSlots(const std::vector<std::string_view>& logLines, std::string_view op);

    // Counts the line's slot when it is a QSO with the headquarters station
    // not counted yet; true when it did.
    bool add(std::string_view line);
    // The band column followed by the mode column of each slot.
    const std::vector<std::string>& keys() const { return slots_; }
    // The banner shows for exactly the twelve HF slots.
    bool allWorked() const { return slots_.size() == kHeadquartersSlotCount; }

private:
    std::vector<std::string> slots_;
};

}  // namespace qz
