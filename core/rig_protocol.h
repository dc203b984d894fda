#pragma once
// The answers of Hamlib's rigctld in its extended response form: each answer
// names the command it answers, gives its values as "Key: value" records and
// ends with "RPRT n" (0 for success). The program only ever asks, so only the
// two questions it polls with are understood here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qz::rig {

// Asked on every poll: the frequency, then the mode.
inline constexpr std::string_view kPollRequest = "+f\n+m\n";
inline constexpr std::string_view kFrequencyCommand = "get_freq";
inline constexpr std::string_view kModeCommand = "get_mode";

struct Reply {
    std::string command;  // empty when the answer has no header line
    std::vector<std::pair<std::string, std::string>> records;
    int result = 0;

    // The value of the first record with this key.
    std::optional<std::string_view> value(std::string_view key) const;
};

// Cuts the byte stream into answers. What it holds is bounded (one line, one
// answer, a few finished answers), so a server that sends a line without end,
// records without end or answers nobody asked for is refused instead of
// making the program grow.
class ReplyReader {
public:
    static constexpr std::size_t kMaxLine = 256;
    static constexpr std::size_t kMaxRecords = 16;
    static constexpr std::size_t kMaxReplies = 8;

    // Takes the next bytes; false once the stream cannot be rigctld's, and
    // from then on.
    bool feed(std::string_view bytes);
    // The answers finished so far, oldest first; they are handed out once.
    std::vector<Reply> takeReplies();
    // Forgets everything, for a new connection.
    void reset();

private:
    bool endLine();

    std::string line_;
    Reply current_;
    std::size_t lines_ = 0;
    std::vector<Reply> finished_;
    bool broken_ = false;
};

// The frequency in Hz of a successful get_freq answer ("Frequency: 14025000",
// a fraction of a hertz dropped); nothing for anything else.
std::optional<long long> frequencyOf(const Reply& reply);
// The mode of a successful get_mode answer ("Mode: CW"); nothing for anything
// else, or for a mode that is not a short word of capitals and digits.
std::optional<std::string> modeOf(const Reply& reply);

}  // namespace qz::rig
