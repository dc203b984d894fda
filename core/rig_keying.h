#pragma once
// The commands that key the radio through rigctld: CW with the radio's own
// keyer and PTT for voice, in the extended form so that each is answered
// with its header and "RPRT n" (read with ReplyReader). As Hamlib 4.5.4's
// rigctld answered with the dummy radio (`rigctld -m 1 -P RIG -vvvvv`):
//
//   "+bCQ TEST\n"               "send_morse: CQ TEST\nRPRT 0\n"; the long form
//                               "+\send_morse CQ TEST" works too, but hands the
//                               radio " CQ TEST", blank first.
//   "+\set_level KEYSPD 28\n"   "set_level: KEYSPD 28\nRPRT 0\n"
//   "+\stop_morse\n"            "stop_morse:\nRPRT -11\n" (not available)
//   "+\set_ptt 1\n"             "set_ptt: 1\nRPRT 0\n" (without -P RIG: RPRT -1)
//   "+\get_ptt\n"               "get_ptt:\nPTT: 1\nRPRT 0\n"
//
// send_morse takes the rest of its line as the text, up to 510 bytes; what
// follows is read as a command of its own, and a send_morse without a text
// takes the next line as its text. So a text is only ever sent whole, on one
// line, and never empty. The dummy radio takes any length; Hamlib cuts texts
// for the radios whose keyer takes less.

#include "rig_protocol.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::rig {

inline constexpr std::string_view kSendMorseCommand = "send_morse";
inline constexpr std::string_view kStopMorseCommand = "stop_morse";
inline constexpr std::string_view kSetLevelCommand = "set_level";
inline constexpr std::string_view kSetPttCommand = "set_ptt";
inline constexpr std::string_view kGetPttCommand = "get_ptt";

inline constexpr std::string_view kStopMorseRequest = "+\\stop_morse\n";
inline constexpr std::string_view kGetPttRequest = "+\\get_ptt\n";

// Hamlib's answers that the operator is told apart: the radio (or Hamlib's
// driver for it) has no such function; the radio refused, as in the wrong
// mode.
inline constexpr int kNotAvailable = -11;
inline constexpr int kRejected = -9;

// rigctld repeats the text in its answer's header line, which must fit
// ReplyReader's line.
inline constexpr std::size_t kMaxMorsePiece = ReplyReader::kMaxLine - kSendMorseCommand.size() - 2;

// One send_morse per piece of `text`, cut at blanks; only its printable
// ASCII is sent (see oneLineAscii), so that it stays on its line. Nothing for a text of blanks.
std::vector<std::string> sendMorseRequests(std::string_view text);
// The keyer's speed, clamped to 4 to 60 WPM.
std::string keySpeedRequest(int wpm);
std::string setPttRequest(bool on);

// True for an answer of `command` with RPRT 0.
bool succeeded(const Reply& reply, std::string_view command);
// Whether the transmitter is on (in any of Hamlib's PTT kinds), from a
// successful get_ptt answer; nothing for anything else.
std::optional<bool> pttOf(const Reply& reply);

}  // namespace qz::rig
