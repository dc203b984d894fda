#pragma once
// What every window is given instead of reaching for globals: the station
// folder that holds all files, the boxes, and the clock.

#include "clock.h"
#include "platform.h"

#include <filesystem>

namespace qz::ui {

struct StationContext {
    std::filesystem::path folder;
    Platform& platform;
    Clock clock;
};

}  // namespace qz::ui
