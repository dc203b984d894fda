#include "rig_tuning.h"

namespace qz::rig {

std::string setFrequencyRequest(std::int64_t hertz) { return "+\\set_freq " + std::to_string(hertz) + "\n"; }

std::string setModeRequest(std::string_view modeEntry, std::int64_t hertz)
{
    constexpr std::int64_t kUpperSideFrom = 10'000'000;
    const std::string_view mode = modeEntry == "CW" ? "CW" : hertz < kUpperSideFrom ? "LSB" : "USB";
    return "+\\set_mode " + std::string(mode) + " 0\n";
}

}  // namespace qz::rig
