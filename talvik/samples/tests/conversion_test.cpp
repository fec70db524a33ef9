#include <gtest/gtest.h>

#include <vector>

#include "sample_conversion.h"

namespace talvik {
namespace {

std::vector<std::uint8_t> Le16(std::initializer_list<int> samples) {
    std::vector<std::uint8_t> out;
    for (int s : samples) {
        auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(s));
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return out;
}

std::vector<std::uint8_t> Convert(SampleFormat load, SampleFormat save,
                                  std::vector<std::uint8_t> in) {
    std::vector<std::uint8_t> out(in.size());
    out.resize(ConvertBlock(load, save, in.data(), in.size(), out.data()));
    return out;
}

using F = SampleFormat;
using Bytes = std::vector<std::uint8_t>;

TEST(ConvertBlock, EveryPair) {
    const Bytes eight = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    const Bytes flipped = {0x80, 0x81, 0xFF, 0x00, 0x7F};
    const Bytes wide = Le16({-1, 32767, -32768, 255, 0});
    struct Case {
        const char* name;
        F load, save;
        Bytes in, out;
    } cases[] = {
        {"raw8 to raw8", F::Raw8, F::Raw8, eight, eight},
        {"raw8 to wav8", F::Raw8, F::Wav8, eight, flipped},
        {"wav8 to raw8", F::Wav8, F::Raw8, eight, flipped},
        {"wav8 to wav8", F::Wav8, F::Wav8, eight, eight},
        {"16 to 16", F::Bit16, F::Bit16, wide, wide},
        {"16 to raw8", F::Bit16, F::Raw8, wide, {255, 127, 128, 0, 0}},
        {"16 to wav8", F::Bit16, F::Wav8, wide, {127, 255, 0, 128, 128}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Convert(c.load, c.save, c.in), c.out) << c.name;
    }
}

TEST(ConvertBlock, InPlace) {
    Bytes data = Le16({-1, 32767});
    EXPECT_EQ(ConvertBlock(F::Bit16, F::Wav8, data.data(), data.size(), data.data()), 2u);
    EXPECT_EQ(data[0], 127);
    EXPECT_EQ(data[1], 255);
}

TEST(ConvertBlock, EightBitIsNeverWidened) {
    EXPECT_FALSE(CanConvert(F::Raw8, F::Bit16));
    EXPECT_FALSE(CanConvert(F::Wav8, F::Bit16));
    EXPECT_TRUE(CanConvert(F::Bit16, F::Raw8));
}

TEST(WorkingValue, SilenceSitsAtTheCentre) {
    EXPECT_EQ(WorkingValue8(F::Raw8, 0), 128);
    EXPECT_EQ(WorkingValue8(F::Wav8, 128), 128);
    EXPECT_EQ(WorkingValue8(F::Raw8, 0x80), 0);
    EXPECT_EQ(WorkingValue16(0), 32767);
    EXPECT_EQ(WorkingValue16(-1), 32766);
    EXPECT_EQ(WorkingValue16(-32768), 65535);
    EXPECT_EQ(WorkingValue16(32767), 65534);
}

TEST(Maximize, PeakReachesFullScaleOfEachFormat) {
    Bytes raw = {64, static_cast<std::uint8_t>(-64), 32, 0, 1};
    int peak = BlockPeak(F::Raw8, raw.data(), raw.size());
    EXPECT_EQ(peak, 64);
    MaximizeBlock(F::Raw8, raw.data(), raw.size(), peak);
    EXPECT_EQ(raw, (Bytes{127, static_cast<std::uint8_t>(-127), 64, 0, 2}));

    Bytes wav = {128 + 10, 128 - 5, 128};
    peak = BlockPeak(F::Wav8, wav.data(), wav.size());
    EXPECT_EQ(peak, 10);
    MaximizeBlock(F::Wav8, wav.data(), wav.size(), peak);
    EXPECT_EQ(wav, (Bytes{255, 128 - 64, 128}));

    Bytes wide = Le16({-1000, 500, 0});
    peak = BlockPeak(F::Bit16, wide.data(), wide.size());
    EXPECT_EQ(peak, 1000);
    MaximizeBlock(F::Bit16, wide.data(), wide.size(), peak);
    EXPECT_EQ(wide, Le16({-32767, 16384, 0}));
}

TEST(Maximize, SixteenBitScalingIsExactForEverySample) {
    // The fast path must give floor((2|s| * 32767 + peak) / (2 peak)) for every sample.
    for (int peak : {1, 2, 3, 7, 255, 1000, 16384, 32765, 32766}) {
        std::vector<int> samples;
        for (int s = -peak; s <= peak; ++s) samples.push_back(s);
        Bytes data;
        for (int s : samples) {
            const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(s));
            data.push_back(static_cast<std::uint8_t>(u & 0xFF));
            data.push_back(static_cast<std::uint8_t>(u >> 8));
        }
        MaximizeBlock(F::Bit16, data.data(), data.size(), peak);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const long long m = samples[i] < 0 ? -samples[i] : samples[i];
            const long long want = (2 * m * 32767 + peak) / (2 * peak);
            const int got = ReadSample16(data.data() + 2 * i);
            ASSERT_EQ(got, samples[i] < 0 ? -want : want)
                << "peak " << peak << " sample " << samples[i];
        }
    }
}

TEST(Maximize, SilenceAndFullScaleStayUnchanged) {
    Bytes silence = {0, 0, 0};
    MaximizeBlock(F::Raw8, silence.data(), silence.size(), 0);
    EXPECT_EQ(silence, (Bytes{0, 0, 0}));
    Bytes loud = {static_cast<std::uint8_t>(-128), 5};
    const int peak = BlockPeak(F::Raw8, loud.data(), loud.size());
    EXPECT_EQ(peak, 128);
    MaximizeBlock(F::Raw8, loud.data(), loud.size(), peak);
    EXPECT_EQ(loud, (Bytes{static_cast<std::uint8_t>(-128), 5}));
}

}  // namespace
}  // namespace talvik
