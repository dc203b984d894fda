#pragma once
// How long a keyer takes to send a text, by the PARIS standard: a dot is one
// unit of 1200/WPM ms, a dash three, the gap inside a character one, after a
// character three and a blank four more (seven between words), so that
// "PARIS " is 50 units. A keyer that cannot say when it is done (the radio's,
// through rigctld) is taken to be done then; cwdaemon is waited for that long
// before it counts as not answering.

#include <chrono>
#include <string_view>

namespace qz::morse {

// Including the gap after the last character, so that texts sent one after
// another add up. A character without a Morse code counts as long as "?";
// the speed is taken within what the keyers accept (4 to 60 WPM).
std::chrono::milliseconds duration(std::string_view text, int wpm);

}  // namespace qz::morse
