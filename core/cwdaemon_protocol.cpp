#include "cwdaemon_protocol.h"

#include "keying_text.h"

#include <algorithm>
#include <charconv>

namespace qz::cwdaemon {

std::string speedRequest(int wpm) { return std::string{kEscape, '2'} + std::to_string(std::clamp(wpm, 4, 60)); }

std::string abortRequest() { return {kEscape, '4'}; }

std::string tagRequest(std::uint32_t tag) { return std::string{kEscape, 'h'} + std::to_string(tag); }

std::vector<std::string> messageRequests(std::uint32_t tag, std::string_view text)
{
    std::vector<std::string> requests = keying::pieces(text, kMaxRequest);
    if (!requests.empty())
        requests.insert(requests.end() - 1, tagRequest(tag));
    return requests;
}

Reply parseReply(std::string_view datagram)
{
    while (datagram.ends_with('\n') || datagram.ends_with('\r'))
        datagram.remove_suffix(1);
    if (datagram == "break")
        return {ReplyKind::Aborted, 0};
    std::uint32_t tag = 0;
    if (datagram.starts_with('h')) {
        const char* end = datagram.data() + datagram.size();
        const auto [stop, error] = std::from_chars(datagram.data() + 1, end, tag);
        if (error == std::errc() && stop == end && datagram.size() > 1)
            return {ReplyKind::Sent, tag};
    }
    return {};
}

}  // namespace qz::cwdaemon
