#pragma once
// Which callsigns each operator has worked, where and when: the answer to
// "have I worked this station before?" while its callsign is being typed.
// Built once from the log and then kept up to date line by line, so that a
// key press costs one lookup and never a pass over the log.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qz {

// One earlier QSO with a callsign, as the log has it.
struct WorkedQso {
    std::string date;         // rrrr-mm-dd
    std::string time;         // hhmm
    std::string bandKey;      // columns 18-19
    std::string modeLetters;  // columns 24-25
};

enum class WorkedVerdict {
    New,        // not in this operator's log
    OtherSlot,  // worked, but only on other bands or modes
    Dupe,       // already worked on this band and mode
};

// The call column that a typed callsign becomes once stored and read back:
// upper case, at most 13 characters, blanks around it dropped.
std::string storedCallOf(std::string_view typed);

// One operator's QSOs, by the callsign worked, compared blind to case and
// blanks as the score compares them.
class WorkedBefore {
public:
    WorkedBefore() = default;
    // The operator's QSOs in the whole log, in the log's order.
    WorkedBefore(const std::vector<std::string_view>& logLines, std::string op);

    const std::string& op() const { return op_; }
    // A stored line; lines of other operators are passed over.
    void add(std::string_view line);
    // Forgets one QSO whose line equals `line` (a deletion drops one copy).
    void removeOne(std::string_view line);

    // The QSOs with the callsign (as stored), in log order.
    std::vector<WorkedQso> qsos(std::string_view call) const;
    WorkedVerdict verdict(std::string_view call, std::string_view bandKey, std::string_view modeLetters) const;

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    struct Entry {
        std::uint32_t next = kNone;  // the next QSO with the same callsign
        std::size_t lineHash = 0;
        std::array<char, 10> date{};
        std::array<char, 4> time{};
        std::array<char, 2> bandKey{};
        std::array<char, 2> modeLetters{};
    };
    // The first and last QSO of each callsign; the rest follow through Entry::next.
    struct Chain {
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
    };
    static Entry entryOf(std::string_view line);
    // Adds one of the operator's lines.
    void index(std::string_view line);
    template <typename Visit>
    void forEachOf(std::string_view call, Visit visit) const;

    std::string op_;
    std::unordered_map<std::string, Chain> byCall_;
    std::vector<Entry> entries_;
};

}  // namespace qz
