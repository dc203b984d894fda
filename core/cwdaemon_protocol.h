#pragma once
// The datagrams of cwdaemon (UDP, port 6789 by default), as Debian's 0.10.2
// takes them: ESC 2<wpm> sets the speed (4 to 60), ESC 4 aborts and answers
// "break" for a tagged text, ESC h<tag> makes the next text answer "h<tag>"
// once it has been keyed. Only the first 256 bytes of a datagram count.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz::cwdaemon {

inline constexpr char kEscape = '\x1b';
inline constexpr std::size_t kMaxRequest = 256;

std::string speedRequest(int wpm);
std::string abortRequest();
std::string tagRequest(std::uint32_t tag);

// The text in pieces cut at blanks that cwdaemon takes whole, with the tag
// just before the last, so that the tag comes back when all of it has been
// keyed. Only printable ASCII goes, so no piece becomes an escape request;
// nothing for a text of blanks, which would never be answered.
std::vector<std::string> messageRequests(std::uint32_t tag, std::string_view text);

enum class ReplyKind { Sent, Aborted, Unknown };

struct Reply {
    ReplyKind kind = ReplyKind::Unknown;
    std::uint32_t tag = 0;  // of a text that was sent
};

Reply parseReply(std::string_view datagram);

}  // namespace qz::cwdaemon
