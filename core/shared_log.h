#pragma once
// The log of a computer that shares it: the station's log file, and beside it
// a journal of every shared event this computer has taken. The journal is
// what makes sharing survive a crash at any moment without a QSO lost or
// doubled:
// - an event from another computer, and a correction or deletion made here,
//   is written to the journal and synced before the log is changed, so after
//   a crash between the two the change is made again at start-up; a change
//   made here whose log cannot be written is cut from the journal again, so
//   what failed never happens later;
// - a QSO stored here goes to the log first, exactly as without sharing, and
//   then to the journal; after a crash between the two, the lines found at
//   the end of the log beyond what the journal knows are taken as this
//   computer's own new QSOs.
// Each batch of events ends with the size and a hash of the log before and
// after it, which tells at start-up which of these cases happened.

#include "log_file.h"
#include "share_state.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qz {

struct LogPrint {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const LogPrint&) const = default;
};
LogPrint printOf(std::string_view content);
LogPrint extended(LogPrint print, std::string_view more);

class SharedLog {
public:
    // Reads the journal of the station folder (begins one, with the log as it
    // is as this computer's own unshared past, when there is none) and brings
    // the log in line with it. `machine` tells this computer and folder from
    // any other (1 to 40 characters of a share name), and the journal keeps
    // it beside the computer's name: a journal kept on this machine keeps its
    // name, one copied whole from another computer's folder, or a new
    // journal, shares from now on as `newName`, so that the original and the
    // copy never send under one name.
    SharedLog(const LogFile& log, std::string newName, std::string machine);

    const ShareState& state() const { return state_; }
    const std::string& computer() const { return state_.computer(); }

    struct Recovery {
        std::size_t redone = 0;   // events written to the log again after a crash
        std::size_t adopted = 0;  // QSOs found in the log and shared as new
        bool changedOutside = false;
        // The name of the computer whose folder this was copied from, when
        // this computer took a new one.
        std::string formerName;
    };
    const Recovery& recovery() const { return recovery_; }

    // A QSO stored here: `appended` are the bytes the log's append wrote.
    // Returns the event to send (none for a line that cannot travel).
    std::vector<ShareEvent> stored(const std::string& line, std::string_view appended);
    // Every line with the columns of `selected` changed (or dropped), shared
    // QSOs among them for every computer. Returns the last changed line and
    // the events.
    struct Change {
        bool matched = false;  // a line was changed or dropped
        std::optional<std::string> lastChanged;
        std::vector<ShareEvent> events;
    };
    Change rewrite(const std::string& selected, const LogFile::LineChange& change);
    // One copy of `line` removed (LogFile::removeLine); of the shared QSOs
    // with that line one is deleted for every computer.
    Change remove(const std::string& line, std::size_t occurrence);
    // The log was changed here in a way that is not shared: emptied for a new
    // log (the shared QSOs stay known, so they never come back into it), or
    // joined with another computer's log file (its lines stay in this log:
    // that computer may share the same QSOs itself). The journal takes the
    // log as it is now.
    void keepLocalChange();

    // Events from other computers; those not yet taken change the log.
    // Returns the edits made.
    std::vector<LogEdit> receive(const std::vector<ShareEvent>& events);

    // Takes the files as they are again, as at start-up: after a failure, or
    // after the log was put back from its backup, when the journal makes the
    // changes that the log lacks.
    void readAgain();

private:
    void readJournal();
    void beginJournal(const std::string& machine);
    // From now on the journal belongs to `computer` on `machine`.
    void takeOver(std::string computer, std::string machine);
    void bringLogInLine(const std::vector<LogEdit>& lastBatch, LogPrint before, LogPrint after);
    // The log after `edits`, worked out before the journal names it.
    struct Plan {
        bool onlyAppends = true;
        std::vector<std::string> lines;  // the lines to append, or the whole log
        std::string content;             // the whole log unless only appends
        LogPrint after;
    };
    Plan plan(const std::vector<LogEdit>& edits) const;
    void carryOut(const Plan& plan);
    // A change made here: the journal first, then the log. When the log cannot
    // be written, the journal and the state are taken back to `before`.
    Change commit(const LogFile::Rewritten& rewritten, std::vector<ShareEvent> events, ShareState before);
    enum class Sync { No, Yes };
    void writeBatch(const std::vector<ShareEvent>& events, LogPrint before, LogPrint after, Sync sync = Sync::Yes);

    const LogFile& log_;
    std::filesystem::path journal_;
    ShareState state_;
    std::string machine_;  // as the journal names it, empty in an older one
    LogPrint print_;
    Recovery recovery_;
};

}  // namespace qz
