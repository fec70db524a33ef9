#include "play_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace orvane {
namespace {

TEST(FormatPlayTime, PicksTheFormByLength)
{
    struct { std::int64_t seconds; const char* text; } cases[] = {
        {0, " 0 secs"},
        {9, " 9 secs"},
        {59, "59 secs"},
        {60, " 1 mins  0 secs"},
        {245, " 4 mins  5 secs"},
        {3599, "59 mins 59 secs"},
        {3600, " 1 hours  0 mins  0 secs"},
        {3725, " 1 hours  2 mins  5 secs"},
        {360000, "100 hours  0 mins  0 secs"},
        {-5, " 0 secs"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatPlayTime(c.seconds), c.text) << c.seconds;
}

TEST(RoundPlayTime, RoundsToWholeSeconds)
{
    EXPECT_EQ(RoundPlayTime(4.0), 240);
    EXPECT_EQ(RoundPlayTime(26.12 / 60), 26);
    EXPECT_EQ(RoundPlayTime(26.6 / 60), 27);
    EXPECT_EQ(RoundPlayTime(0), 0);
    EXPECT_EQ(RoundPlayTime(-3), 0);
    EXPECT_EQ(RoundPlayTime(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundPlayTime(1e12), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace orvane
