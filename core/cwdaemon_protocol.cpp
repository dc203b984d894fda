#include "cwdaemon_protocol.h"

#include "cw_messages.h"
#include "text.h"

#include <algorithm>
#include <charconv>

namespace qz::cwdaemon {

std::string speedRequest(int wpm)
{
    return std::string{kEscape, '2'} + std::to_string(std::clamp(wpm, kMinWpm, kMaxWpm));
}

std::string abortRequest() { return {kEscape, '4'}; }

std::string tagRequest(std::uint32_t tag) { return std::string{kEscape, 'h'} + std::to_string(tag); }

std::vector<std::string> messageRequests(std::uint32_t tag, std::string_view text)
{
    std::vector<std::string> requests = piecesAtBlanks(oneLineAscii(text), kMaxRequest);
    if (!requests.empty())
        requests.insert(requests.end() - 1, tagRequest(tag));
    return requests;
}

Reply parseReply(std::string_view datagram)
{
    if (datagram.ends_with("\r\n"))
        datagram.remove_suffix(2);
    if (datagram == "break")
        return {ReplyKind::Aborted, 0};
    if (!datagram.starts_with('h'))
        return {};
    const std::string_view number = datagram.substr(1);
    std::uint32_t tag = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), tag);
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
        return {};
    return {ReplyKind::Sent, tag};
}

}  // namespace qz::cwdaemon
