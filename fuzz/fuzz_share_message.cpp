// Arbitrary topics and message texts from the network through the readers of
// shared events and presence: nothing may crash, and whatever is taken must be
// exactly what a computer of ours could have sent.

#include "fuzz_check.h"
#include "share_message.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using qz::fuzz::require;

constexpr std::string_view kStation = "QZ5KV";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first line is the topic, the rest the message.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t end = input.find('\n');
    const std::string_view topic = input.substr(0, end);
    const std::string_view message = end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);

    if (const auto received = qz::decodeEvent(kStation, topic, message)) {
        const qz::ShareEvent& event = received->event;
        require(qz::isShareName(event.computer) && qz::isShareName(event.qso.computer), "names are topic-safe");
        require(event.kind == qz::ShareKind::Delete ? event.line.empty() : qz::isShareableLine(event.line),
                "a taken line is a log line");
        require(qz::eventTopic(kStation, event) == topic, "the topic names the event");
        require(qz::encodeEvent(event, received->sentAt) == message, "the event reads back to its own message");
    }
    if (const auto key = qz::eventOnTopic(kStation, topic)) {
        qz::ShareEvent named;
        named.computer = key->first;
        named.sequence = key->second;
        require(qz::isShareName(named.computer) && qz::eventTopic(kStation, named) == topic,
                "an event's topic names it");
    }
    if (const auto presence = qz::decodePresence(kStation, topic, message)) {
        require(qz::presenceTopic(kStation, presence->computer) == topic, "the topic names the computer");
        require(qz::encodePresence(*presence) == message, "the presence reads back to its own message");
    }
    if (const auto sender = qz::markSender(kStation, topic))
        require(qz::markTopic(kStation, *sender) == topic, "a mark names its sender");
    return 0;
}
