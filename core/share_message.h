#pragma once
// The messages by which the computers of one station share their log through
// an MQTT broker. A change of the log is an event, named by the computer that
// made it and that computer's own count of its changes; each event is kept on
// the broker as a retained message under its own topic, so a computer that
// connects late finds every event there, and one delivered twice is known by
// its name. Everything read from the network passes decodeEvent, which takes
// a message whole or not at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace qz {

// No message of ours is longer; anything longer is refused unread.
inline constexpr std::size_t kMaxShareMessage = 512;
// The largest sequence number or stamp a reader takes; a computer must never
// send a larger one.
inline constexpr std::uint64_t kLargestShareNumber = std::uint64_t{1} << 53U;

enum class ShareKind : char { Add = 'A', Correct = 'C', Delete = 'D' };

// A shared QSO is known by the event that added it.
struct QsoId {
    std::string computer;
    std::uint64_t number = 0;
    bool operator==(const QsoId&) const = default;
    bool operator<(const QsoId& other) const
    {
        return std::tie(computer, number) < std::tie(other.computer, other.number);
    }
};

// An event's name: the computer that made it and its number there.
using EventKey = std::pair<std::string, std::uint64_t>;

struct ShareEvent {
    std::string computer;        // the computer that made the change
    std::uint64_t sequence = 0;  // its own count of changes, from 1
    // A Lamport clock: of two corrections of one QSO the later stamp wins on
    // every computer, whatever order they arrive in.
    std::uint64_t stamp = 0;
    ShareKind kind = ShareKind::Add;
    QsoId qso;         // for Add: {computer, sequence}
    std::string line;  // Add and Correct: the QSO's line as the log stores it
    bool operator==(const ShareEvent&) const = default;
};

// 1 to 40 of A-Z a-z 0-9 - _: names become parts of topics, so no '/', '+',
// '#', blank or control byte may stand in them.
bool isShareName(std::string_view name);
// A new computer's name: its host name cut to the characters a name may
// hold, and a random part, so that two computers of one name never mix.
std::string newComputerName(std::string_view host, std::uint32_t random);
// A line that may travel: a log line of 86 columns without control bytes,
// with a date and a time where they stand.
bool isShareableLine(std::string_view line);

// "qz5kv/STATION/": everything of one station lies under it.
std::string stationTopic(std::string_view station);
// Where an event is kept: "qz5kv/STATION/qso/COMPUTER/SEQUENCE".
std::string eventTopic(std::string_view station, const ShareEvent& event);
// Where a computer tells that it is there, its clock and its last QSO.
std::string presenceTopic(std::string_view station, std::string_view computer);
// Where a computer sends itself a mark to learn that the broker has given it
// everything it kept.
std::string markTopic(std::string_view station, std::string_view computer);
// Where a computer passes on the spots its cluster node sends, not kept by
// the broker: "qz5kv/STATION/spot/COMPUTER".
std::string spotTopic(std::string_view station, std::string_view computer);
// The computer named by a spot topic of `station`, or nothing.
std::optional<std::string> spotSender(std::string_view station, std::string_view topic);

// The event whose topic this is, whatever its message holds (an empty one
// clears what the broker keeps there), or nothing for any other topic.
std::optional<EventKey> eventOnTopic(std::string_view station, std::string_view topic);

// The message text of an event, with the sender's clock (UTC, milliseconds).
std::string encodeEvent(const ShareEvent& event, std::int64_t utcMilliseconds);

struct ReceivedEvent {
    ShareEvent event;
    std::int64_t sentAt = 0;  // the sender's clock
};
// An event of `station` taken whole from its topic and message text, or
// nothing: another station's topic, a wrong form, a line that cannot be a
// log line, numbers out of range, any byte out of place.
std::optional<ReceivedEvent> decodeEvent(std::string_view station, std::string_view topic, std::string_view message);

struct Presence {
    std::string computer;
    std::int64_t utcMilliseconds = 0;
    bool online = false;
    std::uint64_t qsos = 0;  // QSOs this computer stored itself
    std::string lastLine;    // its last, or empty
};
std::string encodePresence(const Presence& presence);
std::optional<Presence> decodePresence(std::string_view station, std::string_view topic, std::string_view message);

// The computer named by a mark topic of `station`, or nothing.
std::optional<std::string> markSender(std::string_view station, std::string_view topic);

}  // namespace qz
