#include "share_message.h"

#include "log_line.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace qz {
namespace {

constexpr std::string_view kRoot = "qz5kv/";
constexpr std::string_view kEventMark = "QZ5KV1 E ";
constexpr std::string_view kPresenceMark = "QZ5KV1 P ";

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::uint64_t> number(std::string_view text)
{
    if (text.empty() || text.size() > 16 || !allDigits(text) || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value > kLargestShareNumber)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The parts of `topic` below the station's own topic, or nothing for
// another station's.
std::optional<std::vector<std::string_view>> ownTopicParts(std::string_view station, std::string_view topic)
{
    const std::string prefix = stationTopic(station);
    if (!topic.starts_with(prefix))
        return std::nullopt;
    return split(topic.substr(prefix.size()), '/');
}

// The head line and the rest of a message of ours, or nothing.
std::optional<std::pair<std::string_view, std::string_view>> headAndBody(std::string_view message,
                                                                         std::string_view mark)
{
    if (message.size() > kMaxShareMessage || !message.starts_with(mark))
        return std::nullopt;
    const std::size_t end = message.find('\n');
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::pair{message.substr(mark.size(), end - mark.size()), message.substr(end + 1)};
}

}  // namespace

bool isShareName(std::string_view name)
{
    return !name.empty() && name.size() <= 40 && std::all_of(name.begin(), name.end(), isNameCharacter);
}

std::string newComputerName(std::string_view host, std::uint32_t random)
{
    std::string name;
    for (const char c : host.substr(0, host.find('.')))
        if (isNameCharacter(c) && name.size() < 30)
            name += c;
    static constexpr std::string_view kDigits = "0123456789abcdef";
    name += name.empty() ? "PC-" : "-";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += kDigits[(random >> static_cast<unsigned>(shift)) & 0xFU];
    return name;
}

bool isShareableLine(std::string_view line) { return isPlausibleQso(line); }

std::string stationTopic(std::string_view station) { return std::string(kRoot) + std::string(station) + "/"; }

std::string eventTopic(std::string_view station, const ShareEvent& event)
{
    return stationTopic(station) + "qso/" + event.computer + "/" + std::to_string(event.sequence);
}

std::string presenceTopic(std::string_view station, std::string_view computer)
{
    return stationTopic(station) + "pc/" + std::string(computer);
}

std::string markTopic(std::string_view station, std::string_view computer)
{
    return stationTopic(station) + "mark/" + std::string(computer);
}

std::string spotTopic(std::string_view station, std::string_view computer)
{
    return stationTopic(station) + "spot/" + std::string(computer);
}

std::string encodeEvent(const ShareEvent& event, std::int64_t utcMilliseconds)
{
    return std::string(kEventMark) + static_cast<char>(event.kind) + " " + std::to_string(event.stamp) + " " +
           event.qso.computer + " " + std::to_string(event.qso.number) + " " + std::to_string(utcMilliseconds) + "\n" +
           event.line;
}

std::optional<EventKey> eventOnTopic(std::string_view station, std::string_view topic)
{
    const auto parts = ownTopicParts(station, topic);
    if (!parts || parts->size() != 3 || (*parts)[0] != "qso" || !isShareName((*parts)[1]))
        return std::nullopt;
    const auto sequence = number((*parts)[2]);
    if (!sequence || *sequence == 0)
        return std::nullopt;
    return EventKey{std::string((*parts)[1]), *sequence};
}

std::optional<ReceivedEvent> decodeEvent(std::string_view station, std::string_view topic, std::string_view message)
{
    auto key = eventOnTopic(station, topic);
    const auto text = headAndBody(message, kEventMark);
    if (!key || !text)
        return std::nullopt;
    const auto head = split(text->first, ' ');
    if (head.size() != 5 || head[0].size() != 1 || !isShareName(head[2]))
        return std::nullopt;
    const auto stamp = number(head[1]);
    const auto qsoNumber = number(head[3]);
    const auto sentAt = number(head[4]);
    if (!stamp || !qsoNumber || *qsoNumber == 0 || !sentAt)
        return std::nullopt;

    ReceivedEvent received;
    ShareEvent& event = received.event;
    event.computer = std::move(key->first);
    event.sequence = key->second;
    event.stamp = *stamp;
    event.qso = {std::string(head[2]), *qsoNumber};
    event.line = std::string(text->second);
    received.sentAt = static_cast<std::int64_t>(*sentAt);
    switch (head[0][0]) {
    case 'A':
        event.kind = ShareKind::Add;
        // An added QSO is named by its own event.
        if (event.qso != QsoId{event.computer, event.sequence} || !isShareableLine(event.line))
            return std::nullopt;
        break;
    case 'C':
        event.kind = ShareKind::Correct;
        if (!isShareableLine(event.line))
            return std::nullopt;
        break;
    case 'D':
        event.kind = ShareKind::Delete;
        if (!event.line.empty())
            return std::nullopt;
        break;
    default: return std::nullopt;
    }
    return received;
}

std::string encodePresence(const Presence& presence)
{
    return std::string(kPresenceMark) + std::to_string(presence.utcMilliseconds) + " " + (presence.online ? "1" : "0") +
           " " + std::to_string(presence.qsos) + "\n" + presence.lastLine;
}

std::optional<Presence> decodePresence(std::string_view station, std::string_view topic, std::string_view message)
{
    const auto parts = ownTopicParts(station, topic);
    if (!parts || parts->size() != 2 || (*parts)[0] != "pc" || !isShareName((*parts)[1]))
        return std::nullopt;
    const auto text = headAndBody(message, kPresenceMark);
    if (!text)
        return std::nullopt;
    const auto head = split(text->first, ' ');
    if (head.size() != 3 || (head[1] != "0" && head[1] != "1"))
        return std::nullopt;
    const auto utc = number(head[0]);
    const auto qsos = number(head[2]);
    if (!utc || !qsos || (!text->second.empty() && !isShareableLine(text->second)))
        return std::nullopt;
    return Presence{.computer = std::string((*parts)[1]),
                    .utcMilliseconds = static_cast<std::int64_t>(*utc),
                    .online = head[1] == "1",
                    .qsos = *qsos,
                    .lastLine = std::string(text->second)};
}

std::optional<std::string> markSender(std::string_view station, std::string_view topic)
{
    const auto parts = ownTopicParts(station, topic);
    if (!parts || parts->size() != 2 || (*parts)[0] != "mark" || !isShareName((*parts)[1]))
        return std::nullopt;
    return std::string((*parts)[1]);
}

std::optional<std::string> spotSender(std::string_view station, std::string_view topic)
{
    const auto parts = ownTopicParts(station, topic);
    if (!parts || parts->size() != 2 || (*parts)[0] != "spot" || !isShareName((*parts)[1]))
        return std::nullopt;
    return std::string((*parts)[1]);
}

}  // namespace qz
