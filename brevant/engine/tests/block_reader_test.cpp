#include <gtest/gtest.h>

#include <filesystem>

#include "block_reader.h"
#include "engine_test_songs.h"

namespace brevant {
namespace {

using testing::makeTrack;
using testing::ramp;
using testing::TempDir;

TEST(BlockReader, LaterTracksStartLaterByTheCompensation) {
    TempDir dir;
    Song song;
    song.compensation = 600;  // 300 samples
    makeTrack(dir, song, "a.wav", false, 8000, ramp(1000));
    makeTrack(dir, song, "b.wav", false, 8000, ramp(1000));
    makeTrack(dir, song, "c.wav", true, 8000, ramp(2000));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    EXPECT_EQ(reader.remainingBytes(0), 2000u);
    EXPECT_EQ(reader.remainingBytes(1), 2000u - 600u);
    EXPECT_EQ(reader.remainingBytes(2), 4000u - 1200u);
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(0)[0], 1);
    EXPECT_EQ(reader.samples(1)[0], 301) << "300 samples into a mono track";
    EXPECT_EQ(reader.samples(2)[0], 601) << "300 frames into a stereo track";
    EXPECT_EQ(reader.samples(2)[1], 602);
}

TEST(BlockReader, StartSecondsSkipsWholeSecondsOfEveryTrack) {
    TempDir dir;
    Song song;
    song.compensation = 0;
    song.startSeconds = 2;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(5000));
    makeTrack(dir, song, "b.wav", true, 1000, ramp(10000));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(0)[0], 2001);
    EXPECT_EQ(reader.samples(1)[0], 4001);
}

TEST(BlockReader, NegativeCompensationNeverReachesBeforeTheData) {
    TempDir dir;
    Song song;
    song.compensation = -5000;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(100));
    makeTrack(dir, song, "b.wav", false, 1000, ramp(100));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(1)[0], 1);
    EXPECT_EQ(reader.remainingBytes(1), 0u);
}

TEST(BlockReader, TheLastShortBlockEndsInSilenceNotStaleData) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 8000, ramp(7680 + 10));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(0)[7679], 7680);
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_FALSE(reader.endOfData());
    EXPECT_EQ(reader.samples(0)[9], 7690);
    for (int i = 10; i < 7680; ++i) ASSERT_EQ(reader.samples(0)[i], 0) << i;
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_TRUE(reader.endOfData());
}

TEST(BlockReader, TracksEndSeparatelyAndExhaustedOnesAreSilent) {
    TempDir dir;
    Song song;
    song.compensation = 0;
    makeTrack(dir, song, "short.wav", false, 8000, ramp(100));
    makeTrack(dir, song, "long.wav", true, 8000, ramp(2 * 7680 * 2));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_FALSE(reader.endOfData());
    for (int i = 0; i < 7680; ++i) ASSERT_EQ(reader.samples(0)[i], 0) << i;
    EXPECT_NE(reader.samples(1)[0], 0);
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_TRUE(reader.endOfData());
}

TEST(BlockReader, AMutedTrackIsSkippedPastAndResumesInPlace) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 8000, ramp(3 * 7680));
    song.track(0).muted = 1;
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.remainingBytes(0), 2u * 15360u);
    EXPECT_TRUE(reader.mixInputs(song, MixGains{}).empty());
    song.track(0).muted = 0;
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(0)[0], 7681);
    EXPECT_EQ(reader.mixInputs(song, MixGains{}).size(), 1u);
}

TEST(BlockReader, MutingAcrossTheReadAheadKeepsThePlace) {
    TempDir dir;
    Song song;
    const int blocks = 2 * static_cast<int>(BlockReader::kReadAheadBlocks) * 2 + 3;  // mono blocks
    makeTrack(dir, song, "a.wav", false, 8000, ramp(static_cast<std::size_t>(blocks) * 7680));
    makeTrack(dir, song, "b.wav", true, 8000, ramp(static_cast<std::size_t>(blocks) * 2 * 7680));
    song.compensation = 0;
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));  // reads ahead
    song.track(0).muted = 1;
    song.track(1).muted = 1;
    const int mutedBlocks = blocks - 3;
    for (int b = 0; b < mutedBlocks; ++b) ASSERT_TRUE(reader.readBlock(song)) << b;
    song.track(0).muted = 0;
    song.track(1).muted = 0;
    ASSERT_TRUE(reader.readBlock(song));
    const int block = 1 + mutedBlocks;
    EXPECT_EQ(reader.samples(0)[0], static_cast<std::int16_t>((1 + block * 7680) & 0x7FFF));
    EXPECT_EQ(reader.samples(1)[0], static_cast<std::int16_t>((1 + block * 2 * 7680) & 0x7FFF));
    EXPECT_EQ(reader.remainingBytes(0), 15360u);
}

TEST(BlockReader, AnOddSizedDataChunkEndsInSilence) {
    TempDir dir;
    Song song;
    auto data = testing::sampleBytes({100, 200, 300});
    data.push_back(0x7F);  // half a sample
    testing::writeBytes(dir.file("odd.wav"),
                        testing::riffBytes("WAVE", {{"fmt ", testing::pcmFormatBytes(1, 8000, 16)}, {"data", data}}));
    testing::addTrack(song, dir.file("odd.wav"), false);
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_EQ(reader.samples(0)[2], 300);
    EXPECT_EQ(reader.samples(0)[3], 0x7F);
    EXPECT_EQ(reader.samples(0)[4], 0);
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_TRUE(reader.endOfData());
}

TEST(BlockReader, AStartPastEveryTrackHasNoData) {
    TempDir dir;
    Song song;
    song.startSeconds = 5;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(1000));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    EXPECT_EQ(reader.remainingBytes(0), 0u);
    ASSERT_TRUE(reader.readBlock(song));
    EXPECT_TRUE(reader.endOfData());
}

struct OpenFault {
    const char* name;
    std::vector<std::uint8_t> bytes;  // empty: no file
    const char* message;
};

TEST(BlockReader, TracksThatCannotBePlayedNameTheirFault) {
    const auto fmt = testing::pcmFormatBytes(1, 8000, 16);
    const OpenFault faults[] = {
        {"missing", {}, "Error opening the file."},
        {"not_wave", testing::riffBytes("AVI ", {}), "This is not a WAVE file."},
        {"no_fmt", testing::riffBytes("WAVE", {{"data", {1, 2}}}), "The file has no \"fmt\" chunk"},
        {"no_data", testing::riffBytes("WAVE", {{"fmt ", fmt}}), "No data chunk found."},
        {"empty_data", testing::riffBytes("WAVE", {{"fmt ", fmt}, {"data", {}}}), "Chunk contains no data."},
    };
    for (const OpenFault& f : faults) {
        TempDir dir;
        Song song;
        makeTrack(dir, song, "good.wav", false, 8000, ramp(10));
        const std::string path = dir.file("bad.wav");
        if (!f.bytes.empty()) testing::writeBytes(path, f.bytes);
        testing::addTrack(song, path, false);
        BlockReader reader;
        const Status s = reader.open(song);
        ASSERT_TRUE(s.failed()) << f.name;
        EXPECT_EQ(s.message(), f.message) << f.name;
        EXPECT_EQ(reader.trackCount(), 0) << f.name;
    }
}

TEST(BlockReader, AFileCutShortWhilePlayingIsAReadError) {
    TempDir dir;
    Song song;
    const std::string path = makeTrack(dir, song, "a.wav", false, 8000, ramp(3 * 7680));
    BlockReader reader;
    ASSERT_TRUE(reader.open(song));
    std::error_code ec;
    std::filesystem::resize_file(path, 100, ec);
    if (ec) GTEST_SKIP() << "this platform cannot cut a file that is open";
    const Status s = reader.readBlock(song);
    ASSERT_TRUE(s.failed());
    EXPECT_EQ(s.message(), "Failed to read data chunk (loading-1).");
}

}  // namespace
}  // namespace brevant
