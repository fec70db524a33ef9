#include "memory_song_stream.h"
#include "song_file.h"
#include "mp3_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane {
namespace {

using namespace test;

const TFrameSpec kCbr128{3, 1, 9, 0, false, false};

TTagBytes SampleTag(const std::string& title, std::uint8_t genre)
{
    TTagRecord record;
    record.title = title;
    record.artist = "Artist";
    record.year = "1999";
    record.genre = genre;
    return EncodeTag(record);
}

TEST(WriteTagFile, AppendsThenReplacesInPlace)
{
    TTempFolder folder;
    const TBytes audio = FramesOfSize(kCbr128, 417, 50'000);
    const auto path = folder.Write("song.mp3", audio).string();

    ASSERT_EQ(WriteTag(path, SampleTag("First", 17)).result, TWriteTagResult::Written);
    EXPECT_EQ(std::filesystem::file_size(path), audio.size() + 128);
    ASSERT_EQ(WriteTag(path, SampleTag("Second", 3)).result, TWriteTagResult::Written);
    EXPECT_EQ(std::filesystem::file_size(path), audio.size() + 128);

    TTagBytes read{};
    ASSERT_TRUE(ReadTag(path, read));
    EXPECT_EQ(read, SampleTag("Second", 3));
    const TBytes after = folder.Read("song.mp3");
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), after.begin())) << "audio bytes changed";
    EXPECT_EQ(ReadMpegInfo(path, nullptr), 3);  // 50,000 bytes at 128 kbit/s, tag excluded
}

TEST(WriteTagFile, MissingOrReadOnlyFileIsLeftAlone)
{
    TTempFolder folder;
    const auto missing = (folder.Path() / "missing.mp3").string();
    EXPECT_EQ(WriteTag(missing, SampleTag("x", 1)).result, TWriteTagResult::NotWritable);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const TBytes audio = Frames(kCbr128, 417, 4);
    const auto locked = folder.Write("locked.mp3", audio);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(IsReadOnlyFile(locked.string()));
    EXPECT_EQ(WriteTag(locked.string(), SampleTag("x", 1)).result, TWriteTagResult::NotWritable);
    EXPECT_EQ(folder.Read("locked.mp3"), audio);
    EXPECT_FALSE(IsReadOnlyFile(missing));
}

TEST(WriteTagFile, AWriteThatCannotHappenSaysWhyAndNamesTheFile) {
    TTempFolder folder;
    const auto missing = (folder.Path() / "missing.mp3").string();
    const TWriteTagOutcome outcome = WriteTag(missing, SampleTag("x", 1));
    EXPECT_EQ(outcome.error, "Cannot write the tag of " + missing + ": the file does not exist");
}

TEST(ReadSongFileInfo, UndecodableAudioStillGivesAndTakesTheTag) {
    TTempFolder folder;
    const TBytes junk(3000, 0x55);
    const auto path = folder.Write("junk.mp3", Join({junk, Id3v1Tag("Old", 4)})).string();
    const TSongFileInfo info = ReadSongFileInfo(path);
    EXPECT_TRUE(info.readable);
    EXPECT_FALSE(info.header.has_value());
    ASSERT_TRUE(info.tag.has_value());
    EXPECT_EQ(info.tag->title, "Old");
    ASSERT_EQ(WriteTag(path, SampleTag("New", 5)).result, TWriteTagResult::Written);
    EXPECT_EQ(ReadSongFileInfo(path).tag->title, "New");
}

TEST(WriteTagFile, ShortFileGetsATagAppended)
{
    TTempFolder folder;
    const auto path = folder.Write("short.mp3", TBytes(40, 0x11)).string();
    TTagBytes read{};
    EXPECT_FALSE(ReadTag(path, read));
    ASSERT_EQ(WriteTag(path, SampleTag("Short", 2)).result, TWriteTagResult::Written);
    EXPECT_EQ(std::filesystem::file_size(path), 168u);
    ASSERT_TRUE(ReadTag(path, read));
    EXPECT_EQ(DecodeTag(read)->title, "Short");
}

TEST(WriteTagStream, FailedAppendIsCutBack)
{
    const TBytes audio = Frames(kCbr128, 417, 3);
    TMemorySongStream stream(audio);
    stream.FailWritesAfter(60);
    EXPECT_EQ(WriteTag(stream, SampleTag("x", 1)).result, TWriteTagResult::Failed);
    EXPECT_EQ(stream.Bytes(), audio);
}

TEST(WriteTagStream, FailedOverwriteRestoresTheOldTag)
{
    const TBytes tagged = Join({Frames(kCbr128, 417, 3), Id3v1Tag("Old", 5)});
    TMemorySongStream stream(tagged);
    stream.FailWritesAfter(60);
    EXPECT_EQ(WriteTag(stream, SampleTag("New title", 1)).result, TWriteTagResult::Failed);
    // The failing restore wrote 60 bytes of the old tag back over the 60 new ones.
    EXPECT_EQ(stream.Bytes(), tagged);
}

TEST(ReadMpegInfoFile, MissingFileGivesZeroAndLeavesTheRecord)
{
    TMpegInfo info;
    info.BitRate = 77;
    EXPECT_EQ(ReadMpegInfo("/no/such/folder/song.mp3", &info), 0);
    EXPECT_EQ(info.BitRate, 77);
    TTagBytes tag{};
    EXPECT_FALSE(ReadTag("/no/such/folder/song.mp3", tag));
}

TEST(ReadSongFileInfo, HeaderTimeAndTagFromOneOpen)
{
    TTempFolder folder;
    const auto path = folder.Write("full.mp3", Join({Id3v2Tag(12'000), FramesOfSize(kCbr128, 417, 1'920'000),
                                                     Id3v1Tag("Tagged", 17)}));
    const TSongFileInfo info = ReadSongFileInfo(path.string());
    EXPECT_TRUE(info.readable);
    EXPECT_EQ(info.seconds, 120);
    ASSERT_TRUE(info.header);
    EXPECT_EQ(info.header->Frequency, 44100);
    ASSERT_TRUE(info.tag);
    EXPECT_EQ(info.tag->title, "Tagged");
    EXPECT_EQ(info.tag->genre, 17);

    const TSongFileInfo missing = ReadSongFileInfo((folder.Path() / "none.mp3").string());
    EXPECT_FALSE(missing.readable);
    EXPECT_FALSE(missing.error.empty());
}

TEST(ReadSongFileInfo, FileAndMemoryAgreeAroundTheHeadSize)
{
    // Sizes around the 128-byte tail and the 8 KiB head read, where the
    // tail is taken from the head, overlaps it, or is read on its own.
    TTempFolder folder;
    for (std::size_t size : {0u, 5u, 127u, 128u, 300u, 8'191u, 8'192u, 8'193u, 8'300u, 8'320u, 8'400u, 20'000u}) {
        TBytes bytes = FramesOfSize(kCbr128, 417, size);
        const std::string title = std::to_string(size) + " bytes";
        if (size >= 128) {
            const TBytes tag = Id3v1Tag(title, 9);
            std::copy(tag.begin(), tag.end(), bytes.end() - 128);
        }
        const std::string name = title + ".mp3";
        const TSongFileInfo fromFile = ReadSongFileInfo(folder.Write(name, bytes).string());
        TMemorySongStream memory(bytes);
        const TSongFileInfo fromMemory = ReadSongFileInfo(memory);
        EXPECT_TRUE(fromFile.readable) << size;
        EXPECT_EQ(fromFile.tag.has_value(), size >= 128) << size;
        if (fromFile.tag) {
            EXPECT_EQ(fromFile.tag->title, title) << size;
        }
        EXPECT_EQ(fromFile.tag, fromMemory.tag) << size;
        EXPECT_EQ(fromFile.header, fromMemory.header) << size;
        EXPECT_EQ(fromFile.seconds, fromMemory.seconds) << size;
    }
}

}  // namespace
}  // namespace orvane
