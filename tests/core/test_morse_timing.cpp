#include "morse_timing.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using std::chrono::milliseconds;

// "PARIS " is the standard word: 50 units, 60 ms each at 20 WPM.
TEST(MorseTiming, KeyingTimeFollowsTheParisStandard)
{
    EXPECT_EQ(morse::duration("PARIS ", 20), milliseconds(3000));
    EXPECT_EQ(morse::duration("PARIS PARIS ", 40), milliseconds(3000));
    EXPECT_EQ(morse::duration("paris ", 20), milliseconds(3000));
    // E is one dot and the gap after it; T a dash; 5NN: 9 + 5 + 5 units and the gaps.
    EXPECT_EQ(morse::duration("E", 60), milliseconds(4 * 20));
    EXPECT_EQ(morse::duration("T", 60), milliseconds(6 * 20));
    EXPECT_EQ(morse::duration("5NN", 60), milliseconds((9 + 3 + 5 + 3 + 5 + 3) * 20));
    // Beyond what the keyers take, the speed they would use.
    EXPECT_EQ(morse::duration("PARIS ", 100), morse::duration("PARIS ", 60));
    EXPECT_EQ(morse::duration("PARIS ", 0), morse::duration("PARIS ", 4));
    EXPECT_EQ(morse::duration("", 20), milliseconds(0));
}

}  // namespace
}  // namespace qz
