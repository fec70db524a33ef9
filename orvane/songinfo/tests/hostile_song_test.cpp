// Hostile song files, each named after the fault it once caused or could cause.
// The audio of a song ends where a trailing ID3 version 1 tag begins: nothing
// in the tag may be read as part of a frame.
#include "memory_song_stream.h"
#include "mp3_builder.h"
#include "song_file.h"
#include "song_scan.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz

TBytes Cut(TBytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

struct THostileSong {
    const char* name;
    TBytes bytes;
    bool hasHeader;
    bool variableRate;
    std::int32_t seconds;
};

std::vector<THostileSong> Cases()
{
    // A title whose first bytes would read as a frame count of 0x41424344.
    const TBytes tag = Id3v1Tag("ABCDEFGH", 1);
    return {
        // A last frame cut 11 bytes after its VBRI marker: the count lies in the tag.
        {"vbri-header-in-id3v1-tag", Join({Cut(VbriFrame(kCbr128, 417, 5000), 47), tag}), true, false, 0},
        {"xing-header-in-id3v1-tag", Join({Cut(XingFrame(kCbr128, 417, 36, "Xing", 5000), 44), tag}), true,
         false, 0},
        {"vbri-header-whole-before-the-tag", Join({Cut(VbriFrame(kCbr128, 417, 5000), 54), tag}), true, true,
         131},
        {"id3v2-size-past-end", Join({Id3v2Tag(20, 4000), Frames(kCbr128, 417, 2)}), false, false, 0},
        {"id3v2-tag-into-id3v1-tag", Join({Id3v2Tag(20, 900), Frames(kCbr128, 417, 2), tag}), false, false,
         0},
        {"lone-header-at-the-end", Join({TBytes(100, 0), Cut(Frames(kCbr128, 417, 1), 4)}), true, false, 0},
        {"only-a-tag", tag, false, false, 0},
        {"three-bytes", {0xFF, 0xFB, 0x90}, false, false, 0},
        {"empty", {}, false, false, 0},
    };
}

TEST(HostileSong, TrailingTagIsNeverReadAsAudio)
{
    for (const THostileSong& c : Cases()) {
        SCOPED_TRACE(c.name);
        TMemorySongStream stream(c.bytes);
        const TSongScan scan = ScanSong(stream);
        ASSERT_TRUE(scan.readable);
        EXPECT_EQ(scan.hasHeader, c.hasHeader);
        EXPECT_EQ(scan.info.IsVariableRate, c.variableRate);
        EXPECT_EQ(scan.seconds, c.seconds);
        EXPECT_LE(scan.audioEnd, scan.fileSize);
    }
}

TEST(HostileSong, WritingATagDoesNotChangeThePlayTime)
{
    for (const THostileSong& c : Cases()) {
        SCOPED_TRACE(c.name);
        TMemorySongStream stream(c.bytes);
        const TSongScan before = ScanSong(stream);
        ASSERT_EQ(WriteTag(stream, EncodeTag({"IJKLMNOP", "", "", "", "", 2})).result, TWriteTagResult::Written);
        const TSongScan after = ScanSong(stream);
        EXPECT_EQ(after.hasHeader, before.hasHeader);
        EXPECT_EQ(after.info, before.info);
        EXPECT_EQ(after.seconds, before.seconds);
    }
}

}  // namespace
}  // namespace orvane
