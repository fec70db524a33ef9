#include <gtest/gtest.h>

#include "mix_gains.h"

namespace brevant {
namespace {

struct GainCase {
    const char* name;
    int boost, volume, pan;
    int mono, left, right;
};

TEST(MixGains, PanBoostAndVolumeTable) {
    const GainCase cases[] = {
        {"centre", 0, 100, 100, 100, 100, 100},
        {"pan_full_left", 0, 100, 0, 100, 100, 0},
        {"pan_full_right", 0, 100, 200, 100, 0, 100},
        {"pan_150", 0, 100, 150, 100, 50, 100},
        {"pan_63", 0, 80, 63, 80, 80, 51},
        {"boost_100_times_6", 100, 100, 100, 600, 600, 600},
        {"boost_100_half_left", 100, 50, 50, 300, 300, 150},
        {"boost_20_doubles", 20, 77, 100, 154, 154, 154},
        // 1.05f x 60 is just below 63 in single precision (double would give 63).
        {"single_precision_boost_1", 1, 60, 150, 62, 31, 62},
        {"silent", 40, 0, 10, 0, 0, 0},
        {"damaged_volume_held_at_100", 0, 30000, 100, 100, 100, 100},
        {"damaged_pan_held_at_0", 0, 100, -40, 100, 100, 0},
        {"damaged_boost_held_at_100", 500, 100, 100, 600, 600, 600},
    };
    for (const GainCase& c : cases) {
        Song song;
        song.trackCount = 1;
        song.boost = c.boost;
        song.track(0).volume = static_cast<std::int16_t>(c.volume);
        song.track(0).pan = static_cast<std::int16_t>(c.pan);
        const MixGains g = recomputeGains(song);
        EXPECT_EQ(g.gainMono[0], c.mono) << c.name;
        EXPECT_EQ(g.gainLeft[0], c.left) << c.name;
        EXPECT_EQ(g.gainRight[0], c.right) << c.name;
    }
}

TEST(MixGains, DivisorCountsMutedTracks) {
    Song song;
    song.trackCount = 3;
    song.track(1).muted = 1;
    EXPECT_EQ(recomputeGains(song).mixDivisor, 300);
    song.trackCount = 0;
    EXPECT_EQ(recomputeGains(song).mixDivisor, 0);
}

}  // namespace
}  // namespace brevant
