#pragma once
// What the band and mode lists take from the radio, and when.

#include <optional>
#include <string>
#include <string_view>

namespace qz {

// The band list's entry for a frequency in Hz, edges included ("20M" for
// 14,000 to 14,350 MHz); empty outside the six contest bands.
std::string_view bandEntryForFrequency(long long hertz);

// The mode list's entry for a mode as Hamlib names it: "CW" for CW and CWR,
// "SSB" for USB, LSB, AM and FM; empty for any other mode.
std::string_view modeEntryForRadioMode(std::string_view mode);

// The frequency (0 Hz or more) in MHz to whole kHz, cut rather than rounded
// as a radio's dial shows it, with the Polish decimal comma: "14,025".
std::string megahertzText(long long hertz);

// Decides when one list follows the radio. Every poll reports the radio's
// entry again; only an entry that differs from the one the list last took
// (or the operator overruled) is to be applied, so a band or mode picked by
// hand stands until the radio itself moves. A radio outside everything the
// list offers counts as a position of its own: coming back from it is a move.
class ListFollow {
public:
    // The radio's entry at the latest poll; empty when the list has none for it.
    void observe(std::string_view entry);
    // The entry the list should take now, if any.
    std::optional<std::string> pending() const;
    // The list took the pending entry, or the operator picked another one:
    // the radio's present entry is not to be applied again.
    void settle();

private:
    std::string radio_;
    std::optional<std::string> settled_;
};

}  // namespace qz
