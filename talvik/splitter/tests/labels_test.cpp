#include "labels.h"

#include <gtest/gtest.h>

namespace talvik {
namespace {

using F = SampleFormat;

TEST(Labels, TrackAndFound) {
    EXPECT_EQ(TrackLabel(3, 512 * 1024 + 1023, 240 * 1024 + 5), "3,  512 Kb (240 Kb)");
    EXPECT_EQ(TrackLabel(12, 1023, 0), "12,  0 Kb (0 Kb)");
    EXPECT_EQ(FoundLabel(7, 9), "7 (9)");
    EXPECT_EQ(FoundLabel(0, 0), "0 (0)");
}

TEST(Labels, SoundLabelEveryForm) {
    struct Case {
        const char* name;
        std::int64_t length;
        F load, save;
        const char* text;
    } cases[] = {
        {"8-bit, 1024 samples in bytes", 1024, F::Raw8, F::Raw8, "4,  1024 bytes"},
        {"8-bit, 1025 samples in Kb", 1025, F::Wav8, F::Raw8, "4,  1 Kb"},
        {"8-bit, 5000 in Kb of 1024", 5000, F::Raw8, F::Wav8, "4,  4 Kb"},
        {"16 saved as 8 counts samples", 1024, F::Bit16, F::Raw8, "4,  1024 bytes"},
        {"16 saved as 8, Kb of 1024", 5000, F::Bit16, F::Wav8, "4,  4 Kb"},
        {"16 saved as 16: bytes are twice the samples", 1024, F::Bit16, F::Bit16, "4,  2048 bytes"},
        {"16 saved as 16: Kb of 500", 1025, F::Bit16, F::Bit16, "4,  2 Kb"},
        {"16 saved as 16: 5000 samples", 5000, F::Bit16, F::Bit16, "4,  10 Kb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundLabel(4, c.length, c.load, c.save), c.text) << c.name;
    }
}

TEST(Labels, AfterViewPreviousAlwaysSamplesAndLowerCaseKb) {
    EXPECT_EQ(SoundLabelAfterPrevious(1, 1024), "1,  1024 bytes");
    EXPECT_EQ(SoundLabelAfterPrevious(1, 1025), "1,  1 kb");
    EXPECT_EQ(SoundLabelAfterPrevious(2, 5000), "2,  4 kb");
}

}  // namespace
}  // namespace talvik
