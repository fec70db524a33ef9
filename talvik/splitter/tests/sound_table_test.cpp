#include "sound_table.h"

#include <gtest/gtest.h>

namespace talvik {
namespace {

using F = SampleFormat;

SoundTable Table(std::vector<Sound> sounds) {
    SoundTable t;
    t.replace(sounds);
    return t;
}

TEST(SoundTable, ReplaceMarksEverySound) {
    SoundTable t = Table({{0, 10}, {20, 25}});
    t.setSaveFlag(0, false);
    std::vector<Sound> next = {{1, 2}, {3, 9}, {10, 12}};
    t.replace(next);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.markedCount(), 3);
    EXPECT_EQ(t.totalLength(), 1 + 6 + 2);
}

TEST(SoundTable, MinSizeIsBytesOfTheSavedFile) {
    struct Case {
        const char* name;
        std::int64_t minSize;
        F save;
        int marked;
    } cases[] = {
        {"below every sound", 400, F::Raw8, 3},
        {"length equal to Min. size stays", 499, F::Raw8, 3},
        {"unmarks the shorter", 500, F::Raw8, 2},
        {"16-bit saving halves: 1000 bytes is 500 samples", 1000, F::Bit16, 2},
        {"16-bit saving, 999 bytes is 499 samples", 999, F::Bit16, 3},
        {"65536 is not taken as 0", 65536, F::Raw8, 0},
        {"0 unmarks nothing", 0, F::Raw8, 3},
    };
    for (const Case& c : cases) {
        SoundTable t = Table({{0, 499}, {1000, 1500}, {2000, 3000}});
        t.applyMinSize(c.minSize, c.save);
        EXPECT_EQ(t.markedCount(), c.marked) << c.name;
    }
}

TEST(SoundTable, MinSizeNeverMarksAgain) {
    SoundTable t = Table({{0, 100}, {200, 1000}});
    t.applyMinSize(500, F::Raw8);
    t.applyMinSize(0, F::Raw8);
    EXPECT_FALSE(t.saveFlag(0));
    EXPECT_TRUE(t.saveFlag(1));
}

}  // namespace
}  // namespace talvik
