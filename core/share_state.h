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

// How far beyond the highest stamp, or a computer's highest sequence number,
// this computer has taken an event's numbers may lie. Each change a station
// makes raises its highest stamp and its computer's sequence by one, so the
// numbers of a real event lie beyond what this computer knows by no more than
// the changes it has not heard of yet: a few thousand in a contest, every
// change ever made for a computer set up anew. 2^24 (16.7 million changes)
// is more than any station makes under one name, yet a message beyond it
// cannot be one of theirs, and it takes 2^29 messages, each at the edge, to
// carry a counter to what a reader refuses.
inline constexpr std::uint64_t kShareReach = std::uint64_t{1} << 24U;

struct ComputerRecord {
    std::uint64_t events = 0;
    std::uint64_t qsos = 0;  // QSOs it added
    std::string lastLine;    // of its last added QSO
};

class ShareState {
public:
    explicit ShareState(std::string computer);

    const std::string& computer() const { return computer_; }
    // From now on this computer's own changes go under `computer`; what was
    // taken under the old name stays as that computer's.
    void rename(std::string computer);
    bool knows(const ShareEvent& event) const;
    const ShareEvent* find(const EventKey& key) const;
    // Whether an event's numbers lie within reach of what this computer
    // knows, and leave room for the next of its own: any other is not taken.
    bool withinReach(const ShareEvent& event) const;
    // Whether this computer's next change carries numbers that every reader
    // takes (not so only after a stamp out of reach was taken by an older
    // program and kept in the journal).
    bool canSend() const;
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
    std::uint64_t highestSequence(const std::string& computer) const;

    std::string computer_;
    std::uint64_t clock_ = 0;
    std::uint64_t ownSequence_ = 0;
    std::map<EventKey, std::size_t> taken_;  // where in events_
    std::vector<ShareEvent> events_;
    std::map<QsoId, SharedQso> qsos_;
    std::map<std::string, ComputerRecord> computers_;
};

}  // namespace qz
