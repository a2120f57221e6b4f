// kw-test: label=locale
// Typed frequencies onto the channel grid through the band of the
// destination in force.
#include "model/FrequencySnap.h"

#include <gtest/gtest.h>

#include "model/indDestination.h"

namespace {

TEST(FrequencySnap, ChannelsByBandRepeatersOnTheFiveKilohertzGrid) {
  for (int code : {0, 5, 16}) {
    ScopedDestination dest{indDestination(code)};
    EXPECT_EQ(SnapFrequency(145003000), 145005000) << code;
    EXPECT_EQ(SnapFrequency(118005000), 118008333) << code;
    EXPECT_EQ(SnapFrequency(118004000), 118000000) << code;
    EXPECT_EQ(SnapFrequency(136999000), 137000000) << code;  // air band: 8.33 kHz grid
    EXPECT_EQ(SnapFrequency(137003000), 137005000) << code;
    EXPECT_EQ(SnapFrequency(-5), -5);
    EXPECT_EQ(SnapOffsetFrequency(145000000, 603000), 605000) << code;
    EXPECT_EQ(SnapOffsetFrequency(120000000, 5000), 8333) << code;
    EXPECT_EQ(SnapRepeaterFrequency(118006000), 118006250) << code;
    EXPECT_EQ(SnapRepeaterOffset(4000), 5000) << code;
  }
}

}  // namespace
