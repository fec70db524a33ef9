#include <gtest/gtest.h>

#include <vector>

#include "draw_range.h"
#include "temp_dir.h"
#include "waveform_plot.h"

namespace talvik {
namespace {

using F = SampleFormat;

int CountWhite(const WaveImage& image) {
    int n = 0;
    for (int y = 0; y < WaveImage::kHeight; ++y) {
        for (int x = 0; x < WaveImage::kWidth; ++x) {
            n += image.pixel(x, y) == WaveImage::kWhite;
        }
    }
    return n;
}

// Rows lit in column x, top to bottom.
std::vector<int> LitRows(const WaveImage& image, int x) {
    std::vector<int> rows;
    for (int y = 0; y < WaveImage::kHeight; ++y) {
        if (image.pixel(x, y) == WaveImage::kWhite)
            rows.push_back(y);
    }
    return rows;
}

TEST(WaveformPlot, RowFormulas) {
    struct Case {
        F load;
        int working, row;
    } cases[] = {{F::Raw8, 0, 0},       {F::Raw8, 127, 32},    {F::Raw8, 128, 32},
                 {F::Raw8, 255, 64},    {F::Wav8, 4, 1},       {F::Wav8, 3, 0},
                 {F::Bit16, 0, 0},      {F::Bit16, 32767, 32}, {F::Bit16, 65534, 64},
                 {F::Bit16, 65535, 65}, {F::Bit16, 1008, 0},   {F::Bit16, 1009, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(WaveformPlot::Row(c.load, c.working), c.row) << c.working;
    }
}

TEST(WaveImage, LineLeavesItsEndPoint) {
    WaveImage image;
    image.moveTo(0, 10);
    image.lineTo(5, 10);
    EXPECT_EQ(LitRows(image, 4), std::vector<int>{10});
    EXPECT_TRUE(LitRows(image, 5).empty());
    image.lineTo(5, 0);
    EXPECT_EQ(LitRows(image, 5).size(), 10u);  // rows 10 down to 1
    image.clear();
    EXPECT_EQ(CountWhite(image), 0);
}

TEST(WaveformPlot, ColumnsPickSampleAtXTimesStep) {
    // 1026 samples: step 2, so column x shows sample 2x. Each sample's value is its
    // own row, so a flat run of two columns shows as one lit row.
    const std::int64_t n = 2 * WaveImage::kWidth;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        // 8-bit WAV working value 4k lands on row k; odd samples are never shown.
        bytes[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(i % 2 == 0 ? 4 * (i / 2 % 16) : 255);
    }
    WaveImage image;
    WaveformPlot plot(image, F::Wav8, n);
    plot.offer(0, bytes.data(), 700);  // offered in two pieces, as blocks come
    plot.offer(700, bytes.data() + 700, n - 700);
    plot.finish();
    // Column 3 shows sample 6 (row 3) and the line goes on to column 4 (row 4).
    EXPECT_EQ(LitRows(image, 3), std::vector<int>{3});
    EXPECT_EQ(LitRows(image, 10), std::vector<int>{10});
    // Column 0 also holds the line up from the middle row.
    EXPECT_EQ(LitRows(image, 0).size(), 33u);
}

TEST(WaveformPlot, StartsAtTheMiddleRow) {
    std::vector<std::uint8_t> zeros(100, 0);  // 8-bit WAV 0: row 0
    WaveImage image;
    WaveformPlot plot(image, F::Wav8, 100);
    plot.offer(0, zeros.data(), 100);
    plot.finish();
    // The first line runs from (0, 32) up to (0, 0).
    EXPECT_EQ(LitRows(image, 0).size(), 33u);
}

TEST(DrawTrackRange, SilentTrackIsTheMiddleLineAndEmptyIsBlack) {
    testing::TempDir dir;
    testing::WriteBytes(dir.file("t"), std::vector<std::uint8_t>(100000, 0));
    TrackFile track(dir.file("t"));
    std::vector<std::uint8_t> buffer(kAnalysisBlock8);
    WaveImage image;
    image.moveTo(0, 0);
    image.lineTo(100, 60);
    DrawTrackRange(track, F::Raw8, 0, 100000, image, buffer);
    for (int x = 0; x < WaveImage::kWidth; ++x) {
        ASSERT_EQ(LitRows(image, x), std::vector<int>{32}) << x;
    }
    DrawTrackRange(track, F::Raw8, 0, 0, image, buffer);
    EXPECT_EQ(CountWhite(image), 0);
}

TEST(DrawTrackRange, ReadsFromTheSoundStartAcrossBlocks) {
    // 16-bit: loud positive samples from 40000 on, silence before.
    testing::TempDir dir;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 90000; ++i) {
        const std::uint16_t u = i >= 40000 ? 30000 : 0;
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    testing::WriteBytes(dir.file("t"), bytes);
    TrackFile track(dir.file("t"));
    std::vector<std::uint8_t> buffer(kAnalysisBlock16);
    WaveImage image;
    // A "sound" of 40000 samples from 20000: its second half is loud.
    DrawTrackRange(track, F::Bit16, 20000, 40001, image, buffer);
    const int loudRow = WaveformPlot::Row(F::Bit16, 30000 + 32767);
    EXPECT_EQ(LitRows(image, 100), std::vector<int>{32});
    EXPECT_EQ(LitRows(image, 400), std::vector<int>{loudRow});
}

}  // namespace
}  // namespace talvik
