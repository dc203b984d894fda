#include "log_line.h"
#include "radio_follow.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(RadioFollow, BandEdgesBelongToTheirBand)
{
    const struct {
        long long hertz;
        std::string_view entry;
    } rows[] = {
        {1'799'999, ""},      {1'800'000, "160M"},
        {2'000'000, "160M"},  {2'000'001, ""},
        {3'499'999, ""},      {3'500'000, "80M"},
        {4'000'000, "80M"},   {4'000'001, ""},
        {6'999'999, ""},      {7'000'000, "40M"},
        {7'300'000, "40M"},   {7'300'001, ""},
        {10'125'000, ""},     {13'999'999, ""},
        {14'000'000, "20M"},  {14'350'000, "20M"},
        {14'350'001, ""},     {20'999'999, ""},
        {21'000'000, "15M"},  {21'450'000, "15M"},
        {21'450'001, ""},     {27'999'999, ""},
        {28'000'000, "10M"},  {29'700'000, "10M"},
        {29'700'001, ""},     {0, ""},
        {-14'025'000, ""},    {145'000'000, ""},
        {14'025'000'000, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.hertz);
        EXPECT_EQ(bandEntryForFrequency(row.hertz), row.entry);
    }
}

TEST(RadioFollow, EveryBandAndModeIsAnEntryOfItsList)
{
    // The entries must be the lists' own, or the store would refuse them.
    for (const long long hertz : {1'900'000LL, 3'600'000LL, 7'100'000LL, 14'100'000LL, 21'100'000LL, 28'500'000LL})
        EXPECT_TRUE(bandColumnFor(bandEntryForFrequency(hertz))) << hertz;
    for (const std::string_view mode : {"CW", "USB"})
        EXPECT_TRUE(modeColumnFor(modeEntryForRadioMode(mode))) << mode;
}

TEST(RadioFollow, RadioModesGiveTheListsModes)
{
    const struct {
        std::string_view radio;
        std::string_view entry;
    } rows[] = {
        {"CW", "CW"}, {"CWR", "CW"},  {"USB", "SSB"}, {"LSB", "SSB"}, {"AM", "SSB"}, {"FM", "SSB"},
        {"RTTY", ""}, {"PKTUSB", ""}, {"WFM", ""},    {"cw", ""},     {"", ""},      {"CW ", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.radio);
        EXPECT_EQ(modeEntryForRadioMode(row.radio), row.entry);
    }
}

TEST(RadioFollow, MegahertzToWholeKilohertzWithDecimalComma)
{
    EXPECT_EQ(megahertzText(14'025'000), "14,025");
    EXPECT_EQ(megahertzText(14'025'999), "14,025");
    EXPECT_EQ(megahertzText(1'800'000), "1,800");
    EXPECT_EQ(megahertzText(3'505'000), "3,505");
    EXPECT_EQ(megahertzText(7'000'050), "7,000");
    EXPECT_EQ(megahertzText(145'000'000), "145,000");
    EXPECT_EQ(megahertzText(999), "0,000");
}

// One poll after another: the radio's entry, or the operator's pick ("!").
// The expected column is what the list takes at that step.
TEST(RadioFollow, OnlyAMoveOfTheRadioOverridesTheOperator)
{
    const struct {
        const char* step;
        std::optional<std::string> takes;
    } steps[] = {
        {"20M", "20M"},  // the first answer is taken
        {"20M", {}},     // the same again is no move
        {"!", {}},       // the operator picks a band by hand...
        {"20M", {}},     // ...which stands while the radio stays
        {"40M", "40M"},  // the radio moves: it wins
        {"", {}},        // off the contest bands: nothing to take
        {"40M", "40M"},  // back on a band is a move, even to the same one
        {"15M", "15M"},
    };
    ListFollow follow;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        if (std::string_view(step.step) == "!") {
            follow.settle();
            continue;
        }
        follow.observe(step.step);
        EXPECT_EQ(follow.pending(), step.takes);
        if (follow.pending())
            follow.settle();
    }
}

TEST(RadioFollow, AMoveWaitsUntilTakenAndAPickMeanwhileCancelsIt)
{
    ListFollow follow;
    follow.observe("20M");
    follow.settle();
    follow.observe("40M");
    // Not taken (the operator is busy with the list): it stays due poll after poll.
    follow.observe("40M");
    EXPECT_EQ(follow.pending(), "40M");
    follow.settle();  // the operator picked something while busy
    follow.observe("40M");
    EXPECT_EQ(follow.pending(), std::nullopt);
}

}  // namespace
}  // namespace qz
