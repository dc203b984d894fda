#pragma once
// The commands that key the radio through rigctld, in the extended form so
// that each is answered with its header and "RPRT n" (read with ReplyReader):
// "+bCQ TEST" (send_morse; the text is the rest of the line), set_level
// KEYSPD, stop_morse, set_ptt and get_ptt. Hamlib 4.5.4 answers stop_morse
// with -11 (not available) for most radios.

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

inline constexpr int kNotAvailable = -11;
inline constexpr int kRejected = -9;

// rigctld repeats the text in its answer's header line, which must fit
// ReplyReader's line.
inline constexpr std::size_t kMaxMorsePiece = ReplyReader::kMaxLine - kSendMorseCommand.size() - 2;

// One send_morse per piece of `text`, cut at blanks; only its printable
// ASCII is sent. Nothing for a text of blanks.
std::vector<std::string> sendMorseRequests(std::string_view text);
// The keyer's speed, within 4 to 60 WPM.
std::string keySpeedRequest(int wpm);
std::string setPttRequest(bool on);

// True for an answer of `command` with RPRT 0.
bool succeeded(const Reply& reply, std::string_view command);
// Whether the transmitter is on (in any of Hamlib's PTT kinds), from a
// successful get_ptt answer; nothing for anything else.
std::optional<bool> pttOf(const Reply& reply);

}  // namespace qz::rig
