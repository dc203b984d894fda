#pragma once
// A spot as DX cluster nodes send it, one line:
//
//   DX de SP5ABC:    14025.0  QZ5KV        CW 599 tnx                     1234Z
//   DX de W3OA-#:    14025.1  DL1ABC       CW 22 dB 28 WPM CQ             1234Z
//   DX de DL8LAS-#:14025.1  OK1ABC       CW 18 dB 25 WPM CQ             1234Z JO60
//
// Read by its words, never by columns: a long spotter (a skimmer's "-#")
// pushes the frequency against the colon, and nodes differ in widths and in
// what follows the time (a locator, bells).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

struct Spot {
    std::string spotter;  // without the colon
    std::int64_t hertz = 0;
    std::string call;     // upper case
    std::string comment;  // its words, one blank between them
    int minuteOfDay = 0;  // the node's UTC time, hh * 60 + mm
};

// Nothing for a line that is not a whole spot: node chatter, prompts,
// announcements, a cut line.
std::optional<Spot> parseSpot(std::string_view line);

// The contest band (0 for 160M up to 5 for 10M, as the band table) holding
// the frequency; nothing outside the six bands.
std::optional<std::size_t> spotBandOf(std::int64_t hertz);

// The mode of the spot as an index of the mode table (0 SSB, 1 CW): a mode
// named in the comment, else the part of the band plan it is in.
std::size_t spotModeOf(const Spot& spot);

// The spot as one line that parseSpot reads back whole, as the station's
// computers pass spots on to each other.
std::string spotLineOf(const Spot& spot);

// The frequency as rigctld and the window show it: "14025.1" kHz.
std::string kilohertzText(std::int64_t hertz);

}  // namespace qz
