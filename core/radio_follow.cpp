#include "radio_follow.h"

#include <array>

namespace qz {
namespace {

struct BandEdges {
    long long lowKilohertz;
    long long highKilohertz;
    std::string_view entry;
};

constexpr std::array<BandEdges, 6> kBands{{
    {1800, 2000, "160M"},
    {3500, 4000, "80M"},
    {7000, 7300, "40M"},
    {14000, 14350, "20M"},
    {21000, 21450, "15M"},
    {28000, 29700, "10M"},
}};

struct ModeEntry {
    std::string_view radio;
    std::string_view entry;
};

constexpr std::array<ModeEntry, 6> kModes{{
    {"CW", "CW"},
    {"CWR", "CW"},
    {"USB", "SSB"},
    {"LSB", "SSB"},
    {"AM", "SSB"},
    {"FM", "SSB"},
}};

constexpr long long kHertzPerKilohertz = 1000;

}  // namespace

std::string_view bandEntryForFrequency(long long hertz)
{
    for (const BandEdges& band : kBands)
        if (hertz >= band.lowKilohertz * kHertzPerKilohertz && hertz <= band.highKilohertz * kHertzPerKilohertz)
            return band.entry;
    return {};
}

std::string_view modeEntryForRadioMode(std::string_view mode)
{
    for (const ModeEntry& known : kModes)
        if (known.radio == mode)
            return known.entry;
    return {};
}

std::string megahertzText(long long hertz)
{
    const long long kilohertz = hertz / kHertzPerKilohertz;
    std::string fraction = std::to_string(kilohertz % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(kilohertz / 1000) + "," + fraction;
}

void ListFollow::observe(std::string_view entry)
{
    radio_ = entry;
    if (radio_.empty())
        settled_ = radio_;
}

std::optional<std::string> ListFollow::pending() const
{
    if (radio_.empty() || radio_ == settled_)
        return std::nullopt;
    return radio_;
}

void ListFollow::settle() { settled_ = radio_; }

}  // namespace qz
