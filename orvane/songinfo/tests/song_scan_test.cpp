#include "memory_song_stream.h"
#include "song_scan.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz

TSongScan Scan(const TBytes& bytes)
{
    TMemorySongStream stream(bytes);
    return ScanSong(stream);
}

TEST(ScanSong, ConstantRateTimeFromTheAudioBytes)
{
    // 3,840,000 bytes at 128 kbit/s play 240 seconds.
    const TSongScan scan = Scan(FramesOfSize(kCbr128, 417, 3'840'000));
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.seconds, 240);
    EXPECT_EQ(scan.info.BitRate, 128);
    EXPECT_EQ(scan.audioStart, 0u);
}

TEST(ScanSong, PaddingBitDoesNotChangeTheRate)
{
    TFrameSpec padded = kCbr128;
    padded.padding = true;  // third header byte 0x92
    EXPECT_EQ(Scan(FramesOfSize(padded, 418, 3'840'000)).seconds, 240);
}

TEST(ScanSong, TagsAtBothEndsAreNotAudio)
{
    // 1,920,000 audio bytes = 120 s; the 20 KB of tags would add more than a second.
    const TBytes bytes = Join({Id3v2Tag(20'000), FramesOfSize(kCbr128, 417, 1'920'000), Id3v1Tag("Song", 17)});
    const TSongScan scan = Scan(bytes);
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.audioStart, 20'010u);
    EXPECT_TRUE(scan.hasTrailingTag);
    EXPECT_EQ(scan.audioEnd, bytes.size() - 128);
    EXPECT_EQ(scan.seconds, 120);
}

TEST(ScanSong, SmallId3v2TagNeedsOnlyAHeadAndATailRead)
{
    TMemorySongStream stream(Join({Id3v2Tag(2'000), FramesOfSize(kCbr128, 417, 400'000), Id3v1Tag("x", 1)}));
    const TSongScan scan = ScanSong(stream);
    EXPECT_TRUE(scan.hasHeader);
    EXPECT_LE(stream.ReadCount(), 2);
}

TEST(ScanSong, FrameLookalikeInsideId3v2IsSkipped)
{
    // Cover art can hold bytes that look like two frames in a row; the tag's
    // size must win over the sync search.
    const TFrameSpec other{2, 1, 8, 0, false, false};
    TBytes tag = Id3v2Tag(0);
    const TBytes lookalike = Frames(other, 208, 3);
    tag.insert(tag.end(), lookalike.begin(), lookalike.end());
    tag[9] = static_cast<std::uint8_t>(lookalike.size() & 0x7F);
    tag[8] = static_cast<std::uint8_t>(lookalike.size() >> 7);
    const TSongScan scan = Scan(Join({tag, Frames(kCbr128, 417, 10)}));
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.audioStart, tag.size());
    EXPECT_EQ(scan.info.Version, TMpegVersion::Mpeg1);
}

TEST(ScanSong, Id3v2FooterIsSkippedToo)
{
    TBytes tag = Id3v2Tag(100);
    tag[3] = 4;
    tag[5] = 0x10;  // footer present
    tag.insert(tag.end(), {'3', 'D', 'I', 4, 0, 0x10, 0, 0, 0, 100});
    const TSongScan scan = Scan(Join({tag, Frames(kCbr128, 417, 10)}));
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.audioStart, 120u);
}

TEST(ScanSong, Id3v2SizePastTheEndGivesNoAudio)
{
    const TBytes bytes = Join({Id3v2Tag(100, 5'000'000), Frames(kCbr128, 417, 10)});
    const TSongScan scan = Scan(bytes);
    EXPECT_TRUE(scan.readable);
    EXPECT_FALSE(scan.hasHeader);
    EXPECT_EQ(scan.seconds, 0);
}

TEST(ScanSong, FalseSyncInJunkIsPassedOver)
{
    // A valid-looking header whose "next frame" is junk, then real audio.
    const auto header = FrameHeaderBytes(kCbr128);
    TBytes junk(1'000, 0x20);
    std::copy(header.begin(), header.end(), junk.begin() + 10);
    const TSongScan scan = Scan(Join({junk, Frames(kCbr128, 417, 20)}));
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.audioStart, 1'000u);
}

TEST(ScanSong, AudioFoundBeyondTheFirstWindow)
{
    TBytes junk(20'000, 0x00);
    const TSongScan scan = Scan(Join({junk, Frames(kCbr128, 417, 20)}));
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_EQ(scan.audioStart, 20'000u);
}

TEST(ScanSong, FileWithoutFramesHasNoPlayTime)
{
    struct { const char* name; TBytes bytes; } cases[] = {
        {"empty", {}},
        {"three_bytes", {0xFF, 0xFB, 0x90}},
        {"text", TBytes(5'000, 'a')},
        {"only_a_trailing_tag", Id3v1Tag("t", 1)},
        {"only_an_id3v2_tag", Id3v2Tag(50)},
    };
    for (const auto& c : cases) {
        const TSongScan scan = Scan(c.bytes);
        EXPECT_TRUE(scan.readable) << c.name;
        EXPECT_FALSE(scan.hasHeader) << c.name;
        EXPECT_EQ(scan.seconds, 0) << c.name;
    }
}

TEST(ScanSong, LoneFrameAtTheEndCounts)
{
    const TSongScan scan = Scan(Frames(kCbr128, 417, 1));
    EXPECT_TRUE(scan.hasHeader);
}

TEST(ScanSong, UnreadableStream)
{
    TMemorySongStream stream(Frames(kCbr128, 417, 3));
    stream.FailSize();
    EXPECT_FALSE(ScanSong(stream).readable);
}

TEST(ScanSong, XingFrameCountGivesVariableRateTime)
{
    // 1000 frames × 1152 samples ÷ 44100 Hz = 26.1 s, however many bytes follow.
    const TBytes bytes = Join({XingFrame(kCbr128, 417, 36, "Xing", 1000), Frames(kCbr128, 417, 50)});
    const TSongScan scan = Scan(bytes);
    ASSERT_TRUE(scan.hasHeader);
    EXPECT_TRUE(scan.info.IsVariableRate);
    EXPECT_EQ(scan.info.FrameCount, 1000u);
    EXPECT_EQ(scan.seconds, 26);
}

TEST(ScanSong, XingInMonoAndMpeg2Frames)
{
    TFrameSpec mono = kCbr128;
    mono.mono = true;
    EXPECT_EQ(Scan(Join({XingFrame(mono, 417, 21, "Xing", 2000), Frames(mono, 417, 5)})).seconds, 52);

    const TFrameSpec mpeg2{2, 1, 8, 0, false, false};  // 576 samples at 22050 Hz
    EXPECT_EQ(Scan(Join({XingFrame(mpeg2, 208, 21, "Xing", 3000), Frames(mpeg2, 208, 5)})).seconds, 78);
}

TEST(ScanSong, InfoHeaderAndVbriHeaderCountToo)
{
    EXPECT_EQ(Scan(Join({XingFrame(kCbr128, 417, 36, "Info", 5000), Frames(kCbr128, 417, 5)})).seconds, 131);
    EXPECT_EQ(Scan(Join({VbriFrame(kCbr128, 417, 5000), Frames(kCbr128, 417, 5)})).seconds, 131);
}

TEST(ScanSong, XingWithoutFrameCountFallsBackToBytes)
{
    TBytes first = XingFrame(kCbr128, 417, 36, "Xing", 1000);
    first[36 + 7] = 0x0E;  // frames flag cleared
    const TSongScan scan = Scan(Join({first, FramesOfSize(kCbr128, 417, 1'920'000 - 417)}));
    EXPECT_FALSE(scan.info.IsVariableRate);
    EXPECT_EQ(scan.seconds, 120);
}

TEST(Id3v2TagLength, ReadsTheSyncsafeSize)
{
    EXPECT_EQ(Id3v2TagLength(Id3v2Tag(0)), 10u);
    EXPECT_EQ(Id3v2TagLength(Id3v2Tag(200)), 210u);
    EXPECT_EQ(Id3v2TagLength(Id3v2Tag(0, 0x0FFFFFFF)), 10u + 0x0FFFFFFF);
    TBytes bad = Id3v2Tag(0);
    bad[8] = 0x80;  // not syncsafe: not a tag
    EXPECT_EQ(Id3v2TagLength(bad), 0u);
    EXPECT_EQ(Id3v2TagLength(TBytes{'I', 'D', '3'}), 0u);
}

}  // namespace
}  // namespace orvane
