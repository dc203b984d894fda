#pragma once
// The commands that tune the radio through rigctld, sent only when the
// operator picks a spot. In the extended form, answered with their header
// and "RPRT n" as rig_keying.h shows:
//
//   "+\set_freq 14025000\n"   "set_freq: 14025000\nRPRT 0\n"
//   "+\set_mode CW 0\n"       "set_mode: CW 0\nRPRT 0\n" (0: the radio's own passband)

#include <cstdint>
#include <string>
#include <string_view>

namespace qz::rig {

inline constexpr std::string_view kSetFrequencyCommand = "set_freq";
inline constexpr std::string_view kSetModeCommand = "set_mode";

std::string setFrequencyRequest(std::int64_t hertz);
// For the mode list's entry ("SSB", "CW"): SSB on the side band customary
// for the frequency, lower below 10 MHz.
std::string setModeRequest(std::string_view modeEntry, std::int64_t hertz);

}  // namespace qz::rig
