#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "sample_converter.h"
#include "track_conversion.h"
#include "wave_file_reader.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::TempDir;

// A "fmt " chunk: plain, or extensible with the given sub-format tag.
std::vector<std::uint8_t> formatBytes(std::uint16_t tag, std::uint16_t channels,
                                      std::uint32_t frequency, std::uint16_t bits,
                                      bool extensible = false) {
    LittleEndianWriter out;
    out.u16(extensible ? 0xFFFE : tag);
    out.u16(channels);
    out.u32(frequency);
    out.u32(frequency * channels * (bits / 8u));
    out.u16(static_cast<std::uint16_t>(channels * (bits / 8)));
    out.u16(bits);
    if (extensible) {
        out.u16(22);
        out.u16(bits);
        out.u32(channels == 2 ? 3 : 4);
        out.u16(tag);
        for (int b :
             {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            out.u8(static_cast<std::uint8_t>(b));
    }
    return out.take();
}

std::vector<std::uint8_t> floatBytes(const std::vector<float>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 4);
    std::memcpy(bytes.data(), values.data(), bytes.size());  // little-endian hosts only
    return bytes;
}

std::vector<std::uint8_t> int24Bytes(const std::vector<std::int32_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t v : values)
        for (int k = 0; k < 3; ++k)
            bytes.push_back(static_cast<std::uint8_t>((v >> (8 * k)) & 0xFF));
    return bytes;
}

std::vector<std::int16_t> converted(SampleLayout layout, const std::vector<std::uint8_t>& bytes,
                                    bool dither, std::uint64_t* clipped = nullptr) {
    SampleConverter converter(layout, dither);
    std::vector<std::int16_t> out(bytes.size() / layout.sampleBytes());
    converter.convert(bytes.data(), out.size(), out.data());
    if (clipped)
        *clipped = converter.clipped();
    return out;
}

constexpr auto kInt = SampleLayout::Kind::Integer;
constexpr auto kFloat = SampleLayout::Kind::Float;

TEST(SampleConverter, EachFormatRoundsToTheNearest16BitStepWithoutDither) {
    EXPECT_EQ(converted({kInt, 8, 1}, {0x00, 0x80, 0xFF}, false),
              (std::vector<std::int16_t>{-32768, 0, 32512}));
    EXPECT_EQ(converted({kInt, 24, 1}, int24Bytes({0x7FFFFF, 0x80, 0x7F, -0x800000, -0x81}), false),
              (std::vector<std::int16_t>{32767, 1, 0, -32768, -1}));
    const std::vector<std::uint8_t> int32 = {0x78, 0x56, 0x34, 0x12, 0x00, 0x80, 0x00, 0x00};
    EXPECT_EQ(converted({kInt, 32, 1}, int32, false), (std::vector<std::int16_t>{0x1234, 1}));
    std::uint64_t clipped = 0;
    EXPECT_EQ(converted({kFloat, 32, 1}, floatBytes({0.5f, -0.25f, 1.5f, -2.0f, NAN, 1.0f}), false,
                        &clipped),
              (std::vector<std::int16_t>{16384, -8192, 32767, -32768, 0, 32767}));
    EXPECT_EQ(clipped, 3u) << "1.5, -2.0 and 1.0 lie beyond what 16 bits hold";
    const double d = -0.75;
    std::vector<std::uint8_t> f64(8);
    std::memcpy(f64.data(), &d, 8);
    EXPECT_EQ(converted({kFloat, 64, 1}, f64, false), (std::vector<std::int16_t>{-24576}));
}

// Half a step: undithered always rounds up, dithered lands on both neighbours about equally,
// and the same every time.
TEST(SampleConverter, DitherIsTriangularAroundTheValueAndRepeatable) {
    const std::vector<std::uint8_t> half = int24Bytes(std::vector<std::int32_t>(20000, 0x80));
    const auto plain = converted({kInt, 24, 2}, half, false);
    EXPECT_EQ(plain, std::vector<std::int16_t>(20000, 1));
    const auto dithered = converted({kInt, 24, 2}, half, true);
    double sum = 0;
    for (std::int16_t s : dithered) {
        ASSERT_TRUE(s == 0 || s == 1) << s;
        sum += s;
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.02);
    EXPECT_EQ(dithered, converted({kInt, 24, 2}, half, true));
    EXPECT_EQ(converted({kInt, 8, 1}, {0x81}, true), (std::vector<std::int16_t>{256}))
        << "8-bit is never dithered";
}

struct LayoutCase {
    const char* name;
    std::vector<std::uint8_t> format;
    bool convertible;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class ConvertibleLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ConvertibleLayoutTest, TakesTheFormatsItCanConvert) {
    const auto format = WaveFormat::fromBytes(GetParam().format);
    ASSERT_TRUE(format);
    EXPECT_EQ(convertibleLayout(*format).has_value(), GetParam().convertible);
}

std::vector<std::uint8_t> badGuid() {
    auto bytes = formatBytes(1, 2, 44100, 24, true);
    bytes.back() ^= 1;
    return bytes;
}

std::vector<std::uint8_t> cutShort() {
    auto bytes = formatBytes(1, 1, 8000, 24, true);
    bytes.resize(30);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConvertibleLayoutTest,
    ::testing::Values(LayoutCase{"pcm8", formatBytes(1, 1, 8000, 8), true},
                      LayoutCase{"pcm16", formatBytes(1, 2, 8000, 16), true},
                      LayoutCase{"pcm24", formatBytes(1, 2, 8000, 24), true},
                      LayoutCase{"pcm32", formatBytes(1, 1, 8000, 32), true},
                      LayoutCase{"float32", formatBytes(3, 2, 8000, 32), true},
                      LayoutCase{"float64", formatBytes(3, 1, 8000, 64), true},
                      LayoutCase{"extensible_pcm24", formatBytes(1, 2, 8000, 24, true), true},
                      LayoutCase{"extensible_float32", formatBytes(3, 1, 8000, 32, true), true},
                      LayoutCase{"pcm12", formatBytes(1, 1, 8000, 12), false},
                      LayoutCase{"float16", formatBytes(3, 1, 8000, 16), false},
                      LayoutCase{"three_channels", formatBytes(1, 3, 8000, 24), false},
                      LayoutCase{"adpcm", formatBytes(2, 1, 8000, 4), false},
                      LayoutCase{"extensible_foreign_guid", badGuid(), false},
                      LayoutCase{"extensible_cut_short", cutShort(), false}),
    [](const auto& param) { return std::string(param.param.name); });

class TrackConversionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<float> values;
        for (int i = 0; i < 3000; ++i)
            values.push_back(static_cast<float>(std::sin(i * 0.01) * 1.2));
        samples = floatBytes(values);
        testing::writeBytes(track,
                            testing::riffBytes("WAVE", {{"fmt ", formatBytes(3, 2, 8000, 32, true)},
                                                        {"LIST", {1, 2, 3}},
                                                        {"data", samples}}));
    }
    TempDir dir;
    const std::string track = dir.file("take.wav");
    std::vector<std::uint8_t> samples;
};

TEST_F(TrackConversionTest, WritesA16BitCopyBesideAndLeavesTheOriginal) {
    const auto before = testing::readBytes(track);
    const TrackConversion c = convertTrackTo16Bit(track, 8000, {}, false);
    ASSERT_TRUE(c.status) << c.status.message();
    EXPECT_EQ(c.convertedPath, dir.file("take (16-bit).wav"));
    EXPECT_EQ(testing::readBytes(track), before);
    const auto copy = testing::readBytes(c.convertedPath);
    std::uint64_t clipped = 0;
    EXPECT_EQ(testing::dataSamples(copy), converted({kFloat, 32, 2}, samples, false, &clipped));
    EXPECT_GT(clipped, 0u);
    EXPECT_EQ(c.clipped, clipped);
    WaveFileReader reader;
    ASSERT_EQ(reader.open(c.convertedPath), WaveOpenError::None);
    EXPECT_EQ(reader.format(), WaveFormat::pcm(2, 8000, 16));
    // A second conversion never replaces the first.
    EXPECT_EQ(convertTrackTo16Bit(track, 8000).convertedPath, dir.file("take (16-bit 2).wav"));
}

TEST_F(TrackConversionTest, AnotherFrequencyIsRefusedNamingBoth) {
    const TrackConversion c = convertTrackTo16Bit(track, 44100);
    EXPECT_EQ(c.status.message(),
              "The track's sampling frequency is 8000 Hz; the song's is 44100 Hz.");
    EXPECT_EQ(checkConvertibleTrack(track, 44100).message(), c.status.message());
    EXPECT_TRUE(checkConvertibleTrack(track, 8000));
    EXPECT_FALSE(std::filesystem::exists(dir.file("take (16-bit).wav")));
}

TEST_F(TrackConversionTest, StoppedConversionLeavesNoFile) {
    const TrackConversion c =
        convertTrackTo16Bit(track, 8000, [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_EQ(c.status.message(), "Operation aborted.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 1);
}

// Read in odd sizes after an odd skip, the converted bytes are those of one whole read.
TEST_F(TrackConversionTest, ConvertingReaderGivesTheSameBytesInAnyPieces) {
    auto open = [&](WaveFileReader& r) {
        r.convertTo16Bit(false);
        ASSERT_EQ(r.open(track), WaveOpenError::None);
        ASSERT_EQ(r.findData(), WaveOpenError::None);
    };
    WaveFileReader whole, pieces;
    open(whole);
    open(pieces);
    ASSERT_EQ(whole.dataSize(), 3000u * 2);
    std::vector<std::uint8_t> all(whole.dataSize()), parts(whole.dataSize() - 7);
    ASSERT_EQ(whole.read(all.data(), all.size()), static_cast<std::int64_t>(all.size()));
    ASSERT_TRUE(pieces.skip(7));
    for (std::size_t at = 0; at < parts.size();) {
        const std::size_t n = std::min<std::size_t>(parts.size() - at, 1 + at % 37);
        ASSERT_EQ(pieces.read(parts.data() + at, n), static_cast<std::int64_t>(n));
        at += n;
    }
    EXPECT_TRUE(std::equal(parts.begin(), parts.end(), all.begin() + 7));
    EXPECT_EQ(pieces.read(parts.data(), 4), 0) << "nothing past the converted data";
}

// sox's undithered conversion of the same files: within one step everywhere.
TEST(TrackConversionAgainstSox, Within1StepOfSoxUndithered) {
#ifdef _WIN32
    GTEST_SKIP() << "sox runs natively only";
#else
    if (std::system("sox --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "sox is not installed";
    TempDir dir;
    std::vector<std::int32_t> wide;
    std::vector<float> values;
    for (int i = 0; i < 48000; ++i) {
        const double x = std::sin(i * 0.0123) * 0.9 + std::sin(i * 0.37) * 0.09;
        wide.push_back(static_cast<std::int32_t>(x * 8388607));
        values.push_back(static_cast<float>(x));
    }
    const struct {
        const char* name;
        std::vector<std::uint8_t> format, data;
    } files[] = {{"pcm24.wav", formatBytes(1, 2, 48000, 24, true), int24Bytes(wide)},
                 {"float32.wav", formatBytes(3, 1, 48000, 32), floatBytes(values)}};
    for (const auto& f : files) {
        const std::string path = dir.file(f.name);
        testing::writeBytes(path,
                            testing::riffBytes("WAVE", {{"fmt ", f.format}, {"data", f.data}}));
        const TrackConversion ours = convertTrackTo16Bit(path, 48000, {}, false);
        ASSERT_TRUE(ours.status) << ours.status.message();
        const std::string theirs = dir.file(std::string("sox-") + f.name);
        ASSERT_EQ(
            std::system(("sox -D '" + path + "' -b 16 -e signed-integer '" + theirs + "'").c_str()),
            0);
        const auto a = testing::dataSamples(testing::readBytes(ours.convertedPath));
        auto soxBytes = testing::readBytes(theirs);
        // sox writes a plain 16-byte "fmt " chunk; find its data chunk by name.
        const auto at =
            std::search(soxBytes.begin(), soxBytes.end(), std::begin("data"), std::end("data") - 1);
        ASSERT_NE(at, soxBytes.end());
        std::vector<std::int16_t> b;
        for (auto p = at + 8; p + 1 < soxBytes.end(); p += 2)
            b.push_back(static_cast<std::int16_t>(p[0] | p[1] << 8));
        ASSERT_EQ(a.size(), b.size()) << f.name;
        int worst = 0;
        for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
        EXPECT_LE(worst, 1) << f.name;
    }
#endif
}

}  // namespace
}  // namespace brevant
