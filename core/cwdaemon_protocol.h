#pragma once
// The datagrams of cwdaemon, the keying daemon on the station's network
// (UDP, port 6789 by default). Each request is one datagram; the escape
// requests start with ESC. As Debian's cwdaemon 0.10.2 answered (run as
// `cwdaemon -n -d null -x n -p PORT -iii`):
//
//   "\x1b" "228"       speed 28 WPM; no reply. Out of 4..60 it is refused
//                      ("invalid requested morse speed") and the old speed stays.
//   "\x1b" "h17"       the next text is tagged 17; no reply yet.
//   "CQ TEST"          the text, queued at once; after a tag, "h17\r\n" comes
//                      back when its last element has been keyed.
//   "\x1b" "4"         abort: keying stops at once and "break\r\n" comes back,
//                      instead of the tag's reply.
//
// In a text, '+' and '-' do not send AR and a hyphen: each raises or lowers
// the speed by 2 WPM for the rest of it, and '~' adds half a space. Only the
// first 256 bytes of a datagram are taken; the rest is dropped.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz::cwdaemon {

inline constexpr char kEscape = '\x1b';
inline constexpr std::size_t kMaxRequest = 256;

// The speed clamped to what cwdaemon takes (4 to 60 WPM).
std::string speedRequest(int wpm);
std::string abortRequest();
std::string tagRequest(std::uint32_t tag);

// What sends `text` and has `tag` come back when all of it has been keyed:
// the text in pieces that cwdaemon takes whole, cut at blanks, the tag just
// before the last. Only its printable ASCII goes (see oneLineAscii), so that
// no piece becomes an escape request. Nothing for a text of blanks, which would never be answered.
std::vector<std::string> messageRequests(std::uint32_t tag, std::string_view text);

enum class ReplyKind { Sent, Aborted, Unknown };

struct Reply {
    ReplyKind kind = ReplyKind::Unknown;
    std::uint32_t tag = 0;  // of a text that was sent
};

Reply parseReply(std::string_view datagram);

}  // namespace qz::cwdaemon
