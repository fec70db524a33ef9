// ID3 tags written onto a full or read-only disk: the write is reported as
// failed, with the file's name, and the song's bytes are as they were.
#include "hostile_disk.h"
#include "mp3_builder.h"
#include "song_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};

TTagBytes NewTag()
{
    TTagRecord record;
    record.title = "New title";
    record.genre = 3;
    return EncodeTag(record);
}

TEST(HostileTagWrite, FullDiskCutsAFailedAppendBack)
{
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    TTempFolder folder;
    const TBytes audio = Frames(kCbr128, 417, 4);
    const auto path = folder.Write("song.mp3", audio).string();
    TWriteTagOutcome outcome;
    {
        hostile::FileSizeLimit limit(audio.size() + 60);  // room for half a tag
        ASSERT_TRUE(limit.active());
        outcome = WriteTag(path, NewTag());
    }
    EXPECT_EQ(outcome.result, TWriteTagResult::Failed);
    EXPECT_NE(outcome.error.find(path), std::string::npos) << outcome.error;
    EXPECT_EQ(folder.Read("song.mp3"), audio);
}

TEST(HostileTagWrite, ReadOnlyDiskLeavesTheSongAlone)
{
    TTempFolder folder;
    hostile::SmallDisk disk(folder.Path() / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const TBytes tagged = Join({Frames(kCbr128, 417, 4), Id3v1Tag("Old", 5)});
    const auto path = (disk.dir() / "song.mp3").string();
    std::filesystem::copy_file(folder.Write("song.mp3", tagged), path);
    ASSERT_TRUE(disk.makeReadOnly());
    const TWriteTagOutcome outcome = WriteTag(path, NewTag());
    EXPECT_NE(outcome.result, TWriteTagResult::Written);
    if (outcome.result == TWriteTagResult::Failed) {
        EXPECT_NE(outcome.error.find(path), std::string::npos) << outcome.error;
    }
    TTagBytes read{};
    ASSERT_TRUE(ReadTag(path, read));
    EXPECT_EQ(DecodeTag(read)->title, "Old");
}

TEST(HostileTagWrite, FilledDiskCutsAFailedAppendBack)
{
    TTempFolder folder;
    hostile::SmallDisk disk(folder.Path() / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    // A whole page, so the tag cannot go into space the song already holds.
    const TBytes audio = FramesOfSize(kCbr128, 417, 4096);
    const auto path = (disk.dir() / "song.mp3").string();
    std::filesystem::copy_file(folder.Write("song.mp3", audio), path);
    disk.fill();
    const TWriteTagOutcome outcome = WriteTag(path, NewTag());
    EXPECT_EQ(outcome.result, TWriteTagResult::Failed);
    EXPECT_NE(outcome.error.find(path), std::string::npos) << outcome.error;
    EXPECT_EQ(std::filesystem::file_size(path), audio.size());
}

}  // namespace
}  // namespace orvane
