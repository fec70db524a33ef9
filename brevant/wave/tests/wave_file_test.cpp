#include <gtest/gtest.h>

#include "little_endian.h"
#include "wave_file_reader.h"
#include "wave_file_writer.h"
#include "wave_output.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::Chunk;
using testing::pcmFormatBytes;
using testing::riffBytes;
using testing::sampleBytes;
using testing::TempDir;

struct OpenCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    WaveOpenError open;
    WaveOpenError data;
};

std::vector<OpenCase> openCases() {
    const auto fmt = pcmFormatBytes(2, 44100, 16);
    const auto data = sampleBytes({1, 2, 3, 4});
    std::vector<std::uint8_t> truncatedFmt = riffBytes("WAVE", {{"fmt ", fmt}});
    truncatedFmt.resize(truncatedFmt.size() - 6);
    return {
        {"plain", riffBytes("WAVE", {{"fmt ", fmt}, {"data", data}}), WaveOpenError::None, WaveOpenError::None},
        {"empty_file", {}, WaveOpenError::NotWave, WaveOpenError::None},
        {"form_avi", riffBytes("AVI ", {{"fmt ", fmt}, {"data", data}}), WaveOpenError::NotWave,
         WaveOpenError::None},
        {"no_fmt", riffBytes("WAVE", {{"data", data}}), WaveOpenError::NoFmtChunk, WaveOpenError::None},
        {"fmt_cut_short", truncatedFmt, WaveOpenError::FormatUnread, WaveOpenError::None},
        {"fmt_too_small", riffBytes("WAVE", {{"fmt ", {1, 0, 1, 0}}, {"data", data}}),
         WaveOpenError::FormatUnread, WaveOpenError::None},
        {"no_data", riffBytes("WAVE", {{"fmt ", fmt}}), WaveOpenError::None, WaveOpenError::NoDataChunk},
        {"odd_chunk_before_fmt", riffBytes("WAVE", {{"LIST", {1, 2, 3}}, {"fmt ", fmt}, {"data", data}}),
         WaveOpenError::None, WaveOpenError::None},
    };
}

TEST(WaveFileReader, OpenAndFindDataReportTheFirstFault) {
    TempDir dir;
    for (const OpenCase& c : openCases()) {
        const std::string path = dir.file(std::string(c.name) + ".wav");
        testing::writeBytes(path, c.bytes);
        WaveFileReader reader;
        EXPECT_EQ(reader.open(path), c.open) << c.name;
        if (c.open == WaveOpenError::None) {
            EXPECT_EQ(reader.findData(), c.data) << c.name;
        }
    }
    WaveFileReader reader;
    EXPECT_EQ(reader.open(dir.file("missing.wav")), WaveOpenError::CannotOpen);
}

TEST(WaveFileReader, ReadsAFormatChunkOfAnySizeWhole) {
    TempDir dir;
    auto fmt = pcmFormatBytes(1, 22050, 16);
    fmt.insert(fmt.end(), {4, 0, 0xAA, 0xBB, 0xCC, 0xDD});
    testing::writeBytes(dir.file("a.wav"), riffBytes("WAVE", {{"fmt ", fmt}, {"data", sampleBytes({7})}}));
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("a.wav")), WaveOpenError::None);
    EXPECT_EQ(reader.format().samplesPerSec, 22050u);
    EXPECT_EQ(reader.format().channels, 1u);
    EXPECT_EQ(reader.format().extra, (std::vector<std::uint8_t>{4, 0, 0xAA, 0xBB, 0xCC, 0xDD}));
    EXPECT_EQ(reader.format().toBytes(), fmt);
}

TEST(WaveFileReader, ReadsAndSkipsDataSequentially) {
    TempDir dir;
    testing::writeWave(dir.file("a.wav"), 1, 44100, {10, -20, 30, -40});
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("a.wav")), WaveOpenError::None);
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    EXPECT_EQ(reader.dataSize(), 8u);
    ASSERT_TRUE(reader.skip(2));
    std::uint8_t buf[16] = {};
    EXPECT_EQ(reader.read(buf, 16), 6);
    LittleEndianReader in(buf, 6);
    EXPECT_EQ(in.i16(), -20);
    EXPECT_EQ(in.i16(), 30);
    EXPECT_EQ(in.i16(), -40);
}

TEST(WaveFileReader, DataClaimingMoreThanTheFileHoldsIsBoundedByTheFile) {
    TempDir dir;
    auto bytes = riffBytes("WAVE", {{"fmt ", pcmFormatBytes(1, 44100, 16)}, {"data", sampleBytes({1, 2, 3})}},
                           0x7FFFFFF0);
    // Claim a huge data chunk, as an interrupted recording may leave behind.
    bytes[bytes.size() - 6 - 4] = 0xF0;
    bytes[bytes.size() - 6 - 3] = 0xFF;
    testing::writeBytes(dir.file("a.wav"), bytes);
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("a.wav")), WaveOpenError::None);
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    EXPECT_EQ(reader.dataSize(), 6u);
}

TEST(WaveFileWriter, AscendFillsSizesAndPadsOddChunks) {
    TempDir dir;
    WaveFileWriter w;
    ASSERT_TRUE(w.create(dir.file("o.wav")));
    ASSERT_TRUE(w.createRiff("WAVE"));
    ASSERT_TRUE(w.createChunk("abcd"));
    const std::uint8_t three[3] = {1, 2, 3};
    ASSERT_TRUE(w.write(three, 3));
    ASSERT_TRUE(w.ascend());
    ASSERT_TRUE(w.ascend());
    ASSERT_TRUE(w.close());
    EXPECT_EQ(testing::readBytes(dir.file("o.wav")), riffBytes("WAVE", {{"abcd", {1, 2, 3}}}));
}

TEST(WaveOutput, WritesAnEighteenByteFormatAndAValidDataChunk) {
    TempDir dir;
    WaveFileWriter w;
    const WaveFormat format = WaveFormat::pcm(2, 48000, 16);
    ASSERT_TRUE(startWaveOutput(w, dir.file("o.wav"), format));
    const auto samples = sampleBytes({1, -1, 300, -300});
    ASSERT_TRUE(w.write(samples.data(), samples.size()));
    ASSERT_TRUE(finishWaveOutput(w));
    EXPECT_EQ(testing::readBytes(dir.file("o.wav")),
              riffBytes("WAVE", {{"fmt ", pcmFormatBytes(2, 48000, 16, true)}, {"data", samples}}));

    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("o.wav")), WaveOpenError::None);
    EXPECT_EQ(reader.format(), format);
}

TEST(WaveOutput, UncreatableFileNamesThePath) {
    TempDir dir;
    WaveFileWriter w;
    const std::string path = dir.file("no-such-folder/o.wav");
    const Status s = startWaveOutput(w, path, WaveFormat::pcm(2, 44100, 16));
    ASSERT_TRUE(s.failed());
    EXPECT_EQ(s.message(), "Unable to open the file \"" + path + "\"");
}

}  // namespace
}  // namespace brevant
