#include "header_texts.h"
#include "mpeg_info.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::FrameHeaderBytes;
using test::TFrameSpec;

std::optional<TMpegInfo> Decode(const TFrameSpec& shape)
{
    const auto bytes = FrameHeaderBytes(shape);
    return DecodeFrameHeader(std::span<const std::uint8_t, 4>(bytes));
}

struct THeaderCase {
    const char* name;
    TFrameSpec shape;
    int bitRate;
    int frequency;
    int frameLength;
    const char* version;
    const char* layer;
    const char* frequencyText;
};

class HeaderDecoding : public ::testing::TestWithParam<THeaderCase> {};

TEST_P(HeaderDecoding, GivesRatesLengthAndTexts)
{
    const THeaderCase& c = GetParam();
    const auto info = Decode(c.shape);
    ASSERT_TRUE(info) << c.name;
    EXPECT_EQ(info->BitRate, c.bitRate) << c.name;
    EXPECT_EQ(info->Frequency, c.frequency) << c.name;
    EXPECT_EQ(FrameLength(*info), c.frameLength) << c.name;
    const THeaderTexts texts = HeaderTexts(*info);
    EXPECT_EQ(texts.version, c.version) << c.name;
    EXPECT_EQ(texts.layer.value_or("?"), c.layer) << c.name;
    EXPECT_EQ(texts.bitRate, std::to_string(c.bitRate)) << c.name;
    EXPECT_EQ(texts.frequency, c.frequencyText) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, HeaderDecoding, ::testing::Values(
    THeaderCase{"mpeg1_layer3_128k_44k", {3, 1, 9, 0, false, false}, 128, 44100, 417, "1.0", "III", "44.1 kHz"},
    THeaderCase{"padding_adds_a_byte", {3, 1, 9, 0, true, false}, 128, 44100, 418, "1.0", "III", "44.1 kHz"},
    THeaderCase{"mpeg1_layer3_320k_48k", {3, 1, 14, 1, false, false}, 320, 48000, 960, "1.0", "III", "48 kHz"},
    THeaderCase{"mpeg1_layer2_row", {3, 2, 9, 2, false, false}, 160, 32000, 720, "1.0", "II", "32 kHz"},
    THeaderCase{"mpeg1_layer1_row", {3, 3, 9, 0, false, false}, 288, 44100, 312, "1.0", "I", "44.1 kHz"},
    THeaderCase{"mpeg2_layer3_table", {2, 1, 8, 0, false, false}, 64, 22050, 208, "2.0", "III", "22.05 kHz"},
    THeaderCase{"mpeg2_24k", {2, 1, 8, 1, false, false}, 64, 24000, 192, "2.0", "III", "24 kHz"},
    THeaderCase{"mpeg2_16k", {2, 1, 8, 2, false, false}, 64, 16000, 288, "2.0", "III", "16 kHz"},
    THeaderCase{"mpeg2_layer1_table", {2, 3, 9, 0, false, false}, 144, 22050, 312, "2.0", "I", "22.05 kHz"},
    THeaderCase{"mpeg2_layer2_max", {2, 2, 14, 2, false, false}, 160, 16000, 1440, "2.0", "II", "16 kHz"},
    THeaderCase{"mpeg25_11k", {0, 1, 5, 0, false, false}, 40, 11025, 261, "2.5", "III", "11.025 kHz"},
    THeaderCase{"mpeg25_12k", {0, 1, 5, 1, false, false}, 40, 12000, 240, "2.5", "III", "12 kHz"},
    THeaderCase{"mpeg25_8k", {0, 1, 1, 2, false, false}, 8, 8000, 72, "2.5", "III", "8 kHz"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(HeaderDecoding, KeepsTheRawFieldsOfBytesOneAndTwo)
{
    const auto info = Decode({3, 1, 9, 0, false, false});
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->IsVersion1);
    EXPECT_EQ(info->Layer, 3);
    EXPECT_EQ(info->BitRateIndex, 9);
    EXPECT_TRUE(info->NoCrc);
    EXPECT_EQ(info->FrequencyIndex, 0);
    EXPECT_FALSE(Decode({2, 1, 9, 0, false, false})->IsVersion1);
}

TEST(HeaderDecoding, RefusesHeadersThatCannotStartAudio)
{
    struct { const char* name; std::array<std::uint8_t, 4> bytes; } cases[] = {
        {"no_sync", {0xFE, 0xFB, 0x90, 0x00}},
        {"short_sync", {0xFF, 0xDB, 0x90, 0x00}},
        {"reserved_version", {0xFF, 0xEB, 0x90, 0x00}},
        {"reserved_layer", {0xFF, 0xF9, 0x90, 0x00}},
        {"free_format_rate", {0xFF, 0xFB, 0x00, 0x00}},
        {"forbidden_rate", {0xFF, 0xFB, 0xF0, 0x00}},
        {"reserved_frequency", {0xFF, 0xFB, 0x9C, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodeFrameHeader(std::span<const std::uint8_t, 4>(c.bytes))) << c.name;
    }
}

TEST(HeaderTexts, ReservedLayerLeavesTheLayerTextAlone)
{
    TMpegInfo info;
    info.Layer = 4;
    info.BitRateIndex = 9;
    const THeaderTexts texts = HeaderTexts(info);
    EXPECT_FALSE(texts.layer.has_value());
    EXPECT_EQ(texts.bitRate, "");
}

TEST(HeaderTexts, SameIndexGivesDifferentRatesPerVersionAndLayer)
{
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg1, 3, 9), 128);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg1, 2, 9), 160);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg1, 1, 9), 288);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg2, 3, 9), 80);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg25, 1, 9), 144);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg1, 4, 9), 0);
    EXPECT_EQ(TableBitRate(TMpegVersion::Mpeg1, 3, 16), 0);
}

TEST(FrameSizes, SamplesPerFrameAndXingOffset)
{
    EXPECT_EQ(SamplesPerFrame(*Decode({3, 1, 9, 0, false, false})), 1152);
    EXPECT_EQ(SamplesPerFrame(*Decode({2, 1, 9, 0, false, false})), 576);
    EXPECT_EQ(SamplesPerFrame(*Decode({2, 2, 9, 0, false, false})), 1152);
    EXPECT_EQ(SamplesPerFrame(*Decode({3, 3, 9, 0, false, false})), 384);
    EXPECT_EQ(XingOffset(*Decode({3, 1, 9, 0, false, false})), 36);
    EXPECT_EQ(XingOffset(*Decode({3, 1, 9, 0, false, true})), 21);
    EXPECT_EQ(XingOffset(*Decode({2, 1, 9, 0, false, false})), 21);
    EXPECT_EQ(XingOffset(*Decode({2, 1, 9, 0, false, true})), 13);
}

}  // namespace
}  // namespace orvane
