#include "window_rules.h"

#include <gtest/gtest.h>

#include "file_names.h"
#include "wave_bitmap.h"

namespace talvik {
namespace {

TEST(SpinValue, BringsTypedTextsIntoRange) {
    const struct {
        const char* name;
        const char* text;
        SpinRange range;
        int expected;
    } cases[] = {
        {"inside", "20", kNoiseRange, 20},
        {"noise above 100", "250", kNoiseRange, 100},
        {"negative silence", "-5", kSilenceRange, 0},
        {"past 32 bits", "99999999999999", kMinSizeRange, 1000000},
        {"no number", "abc", kTrackRange, 1},
        {"empty", "", kSilenceRange, 0},
        {"track zero", "0", kTrackRange, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpinValue(c.text, c.range), c.expected) << c.name;
    }
}

TEST(DirectoryText, AddsOneClosingSeparator) {
    EXPECT_EQ(DirectoryText("C:\\REC"), std::string("C:\\REC") + kDirSeparator);
    EXPECT_EQ(DirectoryText("C:\\"), "C:\\");  // a root keeps its one separator
    EXPECT_EQ(DirectoryText("/"), "/");
}

TEST(DirectoryListEntries, RootDownToTheChosenThenItsSubdirectories) {
    const std::string sep(1, kDirSeparator);
    const auto entries = DirectoryListEntries("C:\\rec\\day1", {"b", ".", "a", ".."});
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].path, "C:" + sep);
    EXPECT_EQ(entries[1].path, "C:" + sep + "rec");
    EXPECT_EQ(entries[2].path, "C:" + sep + "rec" + sep + "day1");
    EXPECT_TRUE(entries[2].chosen);
    EXPECT_EQ(entries[2].indent, 2);
    EXPECT_EQ(entries[3].label, "a");
    EXPECT_EQ(entries[3].indent, 3);
    EXPECT_EQ(entries[4].path, "C:" + sep + "rec" + sep + "day1" + sep + "b");
    EXPECT_FALSE(entries[4].chosen);
}

TEST(DirectoryListEntries, RootAloneIsChosen) {
    const auto entries = DirectoryListEntries("/", {"tmp"});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].chosen);
    EXPECT_EQ(entries[1].path, std::string(1, kDirSeparator) + "tmp");
}

TEST(GrabWindow, RangeAndOptionWord) {
    EXPECT_EQ(CorrectedEndTrack(5, 3), 5);
    EXPECT_EQ(CorrectedEndTrack(5, 9), 9);
    EXPECT_EQ(GrabOptionWord(GrabRate::Khz22, false, false), "-22-m-8");
    EXPECT_EQ(GrabOptionWord(GrabRate::Khz44, true, true), "-44-s-16");
    EXPECT_EQ(GrabOptionWord(GrabRate::Khz11, true, false), "-11-s-8");
}

TEST(WaveBitmapRows, PadsEachRowToFourBytes) {
    WaveImage image;
    image.moveTo(0, 1);
    image.lineTo(WaveImage::kWidth, 1);
    const auto rows = WaveBitmapRows(image);
    ASSERT_EQ(kWaveBitmapStride, 516);
    ASSERT_EQ(rows.size(), 516u * WaveImage::kHeight);
    EXPECT_EQ(rows[0], WaveImage::kBlack);
    EXPECT_EQ(rows[516], WaveImage::kWhite);        // row 1 starts at the padded stride
    EXPECT_EQ(rows[516 + 512], WaveImage::kWhite);  // its last pixel
    EXPECT_EQ(rows[516 + 513], 0);                  // then padding
}

}  // namespace
}  // namespace talvik
