#include <gtest/gtest.h>

#include "little_endian.h"
#include "song_file.h"

namespace brevant {
namespace {

Song sampleSong(int tracks) {
    Song s;
    s.midiFile = "C:\\midi\\backing.mid";
    s.compensation = 600;
    s.midiCompensationMs = -250;
    s.boost = 35;
    s.trackCount = static_cast<std::int16_t>(tracks);
    for (int i = 0; i < tracks; ++i) {
        Track& t = s.track(i);
        t.fileName = "C:\\takes\\take" + std::to_string(i) + ".wav";
        t.volume = static_cast<std::int16_t>(90 - i);
        t.pan = static_cast<std::int16_t>(100 + 10 * i);
        t.listIndex = i;
        t.muted = i % 2;
        t.stereo = (i + 1) % 2;
    }
    return s;
}

std::vector<std::uint8_t> fileOf(const Song& s) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(writeSongFile(s, bytes));
    return bytes;
}

TEST(SongFile, LayoutIsFieldByFieldLittleEndian) {
    const Song s = sampleSong(2);
    const std::vector<std::uint8_t> bytes = fileOf(s);
    ASSERT_EQ(bytes.size(), 268u + 2 * 272u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), s.midiFile);
    EXPECT_EQ(bytes[s.midiFile.size()], 0);
    EXPECT_EQ(bytes[255], 0);
    LittleEndianReader in(bytes);
    in.skip(256);
    EXPECT_EQ(in.i32(), 600);
    EXPECT_EQ(in.i32(), -250);
    EXPECT_EQ(in.i32(), 35);
    // Second track record at 268 + 272.
    in.skip(272 + 256);
    EXPECT_EQ(in.i16(), 89);   // volume
    EXPECT_EQ(in.i16(), 110);  // pan
    EXPECT_EQ(in.i32(), 1);    // listIndex
    EXPECT_EQ(in.i32(), 1);    // muted
    EXPECT_EQ(in.i32(), 0);    // stereo
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(bytes[268 + 272], 'C');
}

TEST(SongFile, RoundTripKeepsEveryField) {
    const Song s = sampleSong(10);
    SongFileContents c;
    ASSERT_TRUE(readSongFile(fileOf(s), c));
    EXPECT_EQ(c.midiFile, s.midiFile);
    EXPECT_EQ(c.compensation, s.compensation);
    EXPECT_EQ(c.midiCompensationMs, s.midiCompensationMs);
    EXPECT_EQ(c.boost, s.boost);
    ASSERT_EQ(c.tracks.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(c.tracks[static_cast<std::size_t>(i)], s.track(i)) << i;
}

TEST(SongFile, HeaderOnlyFileIsASongWithoutTracks) {
    std::vector<std::uint8_t> bytes = fileOf(sampleSong(0));
    ASSERT_EQ(bytes.size(), 268u);
    SongFileContents c;
    ASSERT_TRUE(readSongFile(bytes, c));
    EXPECT_TRUE(c.tracks.empty());
    EXPECT_EQ(c.boost, 35);
}

TEST(SongFile, RecordsBeyondTheTenthAreIgnored) {
    std::vector<std::uint8_t> bytes = fileOf(sampleSong(10));
    const std::vector<std::uint8_t> extra(272 + 100, 0x41);  // a whole record and a partial one
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    SongFileContents c;
    ASSERT_TRUE(readSongFile(bytes, c));
    EXPECT_EQ(c.tracks.size(), 10u);
}

struct DamageCase {
    const char* name;
    std::size_t size;
    const char* message;
};

TEST(SongFile, CutFilesAreRefused) {
    const std::vector<std::uint8_t> whole = fileOf(sampleSong(3));
    const DamageCase cases[] = {
        {"empty", 0, "File open error [ReadFile()]."},
        {"inside_midi_path", 100, "File open error [ReadFile()]."},
        {"one_short_of_header", 267, "File open error [ReadFile()]."},
        {"one_byte_of_a_record", 269, "The project file is damaged: its last track record is incomplete."},
        {"one_short_of_record", 268 + 271, "The project file is damaged: its last track record is incomplete."},
        {"inside_third_record", 268 + 2 * 272 + 10,
         "The project file is damaged: its last track record is incomplete."},
    };
    for (const DamageCase& d : cases) {
        std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(d.size));
        SongFileContents c;
        c.boost = -1;
        const Status s = readSongFile(bytes, c);
        ASSERT_TRUE(s.failed()) << d.name;
        EXPECT_EQ(s.message(), d.message) << d.name;
        EXPECT_EQ(c.boost, -1) << d.name << ": nothing taken from a refused file";
    }
}

TEST(SongFile, NameWithoutItsNulIsBoundedToItsFieldAndWrittenBackUnchanged) {
    std::vector<std::uint8_t> bytes = fileOf(sampleSong(1));
    for (std::size_t i = 268; i < 268 + 256; ++i) bytes[i] = 'x';
    SongFileContents c;
    ASSERT_TRUE(readSongFile(bytes, c));
    ASSERT_EQ(c.tracks.size(), 1u);
    EXPECT_EQ(c.tracks[0].fileName, std::string(256, 'x'));
    EXPECT_EQ(c.tracks[0].volume, 90);

    Song s = sampleSong(1);
    s.track(0).fileName = c.tracks[0].fileName;
    EXPECT_EQ(fileOf(s), bytes);
}

TEST(SongFile, NamesLongerThanTheirFieldAreNeverCut) {
    Song s = sampleSong(2);
    s.track(1).fileName = std::string(257, 'y');
    std::vector<std::uint8_t> bytes;
    const Status st = writeSongFile(s, bytes);
    ASSERT_TRUE(st.failed());
    EXPECT_EQ(st.message(), "The path \"" + std::string(257, 'y') + "\" is longer than 255 characters.");
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace brevant
