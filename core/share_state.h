#pragma once
// What a computer knows of its station's shared QSOs: every event taken, and
// for each shared QSO its line now. Taking events is idempotent and does not
// depend on their order, so every computer that has taken the same events
// holds the same QSOs: an event taken twice changes nothing; of two
// corrections of one QSO the one with the later stamp wins; a deletion wins
// over every correction; a correction or deletion that arrives before its QSO
// waits for it.

#include "share_message.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace qz {

// What an event does to the log file: one line added, or one copy of a line
// replaced or removed.
struct LogEdit {
    enum class Kind { Append, Replace, Remove };
    Kind kind = Kind::Append;
    std::string old;   // Replace, Remove
    std::string line;  // Append, Replace
    bool operator==(const LogEdit&) const = default;
};

struct ComputerRecord {
    std::uint64_t events = 0;
    std::uint64_t qsos = 0;  // QSOs it added
    std::string lastLine;    // of its last added QSO
};

class ShareState {
public:
    explicit ShareState(std::string computer);

    const std::string& computer() const { return computer_; }
    bool knows(const ShareEvent& event) const;
    // Takes an event; the edit it makes to the log, or nothing when it makes
    // none (known already, an older correction, a QSO deleted or not yet here).
    std::optional<LogEdit> take(const ShareEvent& event);

    // This computer's own changes, as events to be taken and sent. A line
    // matches the shared QSOs of its columns (sameColumns).
    ShareEvent ownAddition(std::string line);
    // One event for every shared QSO whose line is `line` now.
    std::vector<ShareEvent> ownCorrection(const std::string& line, const std::string& corrected);
    // A deletion of one copy of a line takes one shared QSO of that line, so
    // every computer loses one copy (their lines are alike: the one changed
    // last is taken). A correction into a line that cannot travel takes them
    // all.
    enum class Copies { One, Every };
    std::vector<ShareEvent> ownDeletion(const std::string& line, Copies copies);

    // Every event taken, in the order taken.
    const std::vector<ShareEvent>& events() const { return events_; }
    const std::map<std::string, ComputerRecord>& computers() const { return computers_; }

private:
    struct Version {
        std::uint64_t stamp = 0;
        std::string computer;
        // Of two versions the later stamp wins, and of equal stamps the
        // greater computer name, so every computer picks the same one.
        bool operator<(const Version& other) const
        {
            return std::tie(stamp, computer) < std::tie(other.stamp, other.computer);
        }
    };
    struct SharedQso {
        bool added = false;  // its addition has arrived
        bool deleted = false;
        std::string line;
        Version version;
    };
    ShareEvent nextOwnEvent(ShareKind kind);
    std::vector<QsoId> liveQsosWithLine(const std::string& line) const;

    std::string computer_;
    std::uint64_t clock_ = 0;
    std::uint64_t ownSequence_ = 0;
    std::set<std::pair<std::string, std::uint64_t>> taken_;
    std::vector<ShareEvent> events_;
    std::map<QsoId, SharedQso> qsos_;
    std::map<std::string, ComputerRecord> computers_;
};

}  // namespace qz
