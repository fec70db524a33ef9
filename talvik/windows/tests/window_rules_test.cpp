#include "window_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(DirectoryListEntries, NetworkShareIsTheRoot) {
    const auto entries = DirectoryListEntries("\\\\server\\share\\rec", {});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path, "\\\\server\\share");
    EXPECT_EQ(entries[0].label, "\\\\server\\share");
    EXPECT_EQ(entries[1].path, "\\\\server\\share" + std::string(1, kDirSeparator) + "rec");
    EXPECT_TRUE(entries[1].chosen);
}

// Shift-JIS (code page 932): a lead byte takes the next byte with it.
std::size_t NextShiftJis(const std::string& text, std::size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return std::min(at + (lead ? 2 : 1), text.size());
}

// "\x95\x5C" is one character whose second byte is "\".
TEST(DoubleByteNames, SecondByteIsNeverASeparator) {
    const std::string sep(1, kDirSeparator);
    const std::string hyou = "\x95\x5C";
    EXPECT_EQ(DirectoryText("C:\\" + hyou, NextShiftJis), "C:\\" + hyou + sep);
    EXPECT_EQ(DirectoryText("C:\\" + hyou + "\\", NextShiftJis), "C:\\" + hyou + "\\");
    const auto entries = DirectoryListEntries("C:\\" + hyou + "\\rec", {}, NextShiftJis);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].label, hyou);
    EXPECT_EQ(entries[2].path, "C:" + sep + hyou + sep + "rec");
    EXPECT_EQ(CutBetweenChars(std::string(39, 'a') + hyou, 40, NextShiftJis), std::string(39, 'a'));
    EXPECT_EQ(CutBetweenChars(std::string(38, 'a') + hyou, 40, NextShiftJis),
              std::string(38, 'a') + hyou);
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
