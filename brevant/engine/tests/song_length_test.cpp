#include <gtest/gtest.h>

#include "engine_test_songs.h"
#include "song_length.h"

namespace brevant {
namespace {

using testing::makeTrack;
using testing::ramp;

struct FixedMidiLength : MidiLengthSource {
    explicit FixedMidiLength(std::int32_t s) : seconds(s) {}
    std::int32_t midiLengthSeconds(const std::string& path) override {
        asked.push_back(path);
        return seconds;
    }
    std::int32_t seconds;
    std::vector<std::string> asked;
};

TEST(SongLength, TheLongestTrackInWholeSeconds) {
    testing::TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(2500));      // 2.5 s
    makeTrack(dir, song, "b.wav", true, 1000, ramp(2 * 3999));   // 3.999 s
    NoMidiLength none;
    const SongLength len = computeSongLength(song, none);
    ASSERT_TRUE(len.status);
    EXPECT_EQ(len.seconds, 3);
}

TEST(SongLength, ALongerMidiFileSetsTheLength) {
    testing::TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(2000));
    FixedMidiLength midi(10);
    EXPECT_EQ(computeSongLength(song, midi).seconds, 2) << "no MIDI file set";
    EXPECT_TRUE(midi.asked.empty());
    song.midiFile = "back.mid";
    EXPECT_EQ(computeSongLength(song, midi).seconds, 10);
    EXPECT_EQ(midi.asked, (std::vector<std::string>{"back.mid"}));
}

TEST(SongLength, AMissingTrackIsReported) {
    testing::TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(3000));
    testing::addTrack(song, dir.file("gone.wav"), false);
    NoMidiLength none;
    const SongLength len = computeSongLength(song, none);
    ASSERT_TRUE(len.status.failed());
    EXPECT_EQ(len.status.message(), "Error opening the file.");
    EXPECT_EQ(len.seconds, 3);
}

TEST(SongLength, AFormatWithoutFrameSizeCountsAsZero) {
    EXPECT_EQ(trackSeconds(1000, 0, 44100), 0);
    EXPECT_EQ(trackSeconds(1000, 2, 0), 0);
    EXPECT_EQ(trackSeconds(176400, 4, 44100), 1);
}

}  // namespace
}  // namespace brevant
