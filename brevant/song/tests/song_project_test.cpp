#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "scripted_song_ui.h"
#include "song_file.h"
#include "song_project.h"
#include "track_conversion.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::ScriptedSongUi;
using testing::Shown;
using testing::TempDir;

class SongProjectTest : public ::testing::Test {
protected:
    std::string wave(const std::string& name, std::uint16_t channels = 1, std::uint32_t freq = 44100,
                     std::uint16_t bits = 16) {
        const std::string path = dir.file(name);
        testing::writeWave(path, channels, freq, {1, 2, 3, 4}, bits);
        return path;
    }
    void addTracks(int n) {
        for (int i = 0; i < n; ++i) {
            std::string name = "t";
            name += std::to_string(i);
            name += ".wav";
            ASSERT_TRUE(project.addTrack(wave(name, static_cast<std::uint16_t>(1 + i % 2)), 44100));
        }
    }

    TempDir dir;
    ScriptedSongUi ui;
    TrackListModel list;
    SongProject project{ui, list};
};

TEST_F(SongProjectTest, StartsWithTheDefaults) {
    const Song& s = project.song();
    EXPECT_EQ(s.songPath, "noname.sng");
    EXPECT_EQ(s.compensation, 600);
    EXPECT_EQ(s.midiCompensationMs, 500);
    EXPECT_EQ(s.boost, 0);
    EXPECT_EQ(s.trackCount, 0);
    EXPECT_FALSE(s.modified);
}

TEST_F(SongProjectTest, AddTrackAppendsWithDefaultsAndSelectsIt) {
    const std::string a = wave("a.wav", 1);
    const std::string b = wave("b.wav", 2);
    ASSERT_TRUE(project.addTrack(a, 44100));
    ASSERT_TRUE(project.addTrack(b, 44100));
    const Song& s = project.song();
    ASSERT_EQ(s.trackCount, 2);
    EXPECT_EQ(s.track(1).fileName, b);
    EXPECT_EQ(s.track(1).volume, 100);
    EXPECT_EQ(s.track(1).pan, 100);
    EXPECT_EQ(s.track(1).muted, 0);
    EXPECT_EQ(s.track(0).stereo, 0);
    EXPECT_EQ(s.track(1).stereo, 1);
    EXPECT_EQ(s.track(1).listIndex, 1);
    EXPECT_EQ(s.currentTrack, 1);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(list.selection(), 1);
    EXPECT_TRUE(s.modified);
    EXPECT_TRUE(ui.messages.empty());
}

struct RefusalCase {
    const char* name;
    std::vector<std::uint8_t> bytes;  // empty: the file is not created
    const char* message;
};

TEST_F(SongProjectTest, EveryRefusedTrackNamesItsFaultAndChangesNothing) {
    const auto fmt = testing::pcmFormatBytes(1, 44100, 16);
    const auto data = testing::sampleBytes({5, 6});
    auto cutFmt = testing::riffBytes("WAVE", {{"fmt ", fmt}});
    cutFmt.resize(cutFmt.size() - 4);
    const std::vector<RefusalCase> cases = {
        {"missing", {}, "Error opening the file."},
        {"not_riff", {'J', 'U', 'N', 'K', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, "This is not a WAVE file."},
        {"no_fmt", testing::riffBytes("WAVE", {{"data", data}}), "The file has no fmt chunk."},
        {"cut_fmt", cutFmt, "Unable to read file format."},
        {"eight_bit",
         testing::riffBytes("WAVE", {{"fmt ", testing::pcmFormatBytes(1, 44100, 8)}, {"data", data}}),
         "Sampling parameters differs from that currently in use."},
        {"other_frequency",
         testing::riffBytes("WAVE", {{"fmt ", testing::pcmFormatBytes(1, 22050, 16)}, {"data", data}}),
         "Sampling parameters differs from that currently in use."},
        {"four_channels",
         testing::riffBytes("WAVE", {{"fmt ", testing::pcmFormatBytes(4, 44100, 16)}, {"data", data}}),
         "Sampling parameters differs from that currently in use."},
    };
    addTracks(2);
    const Song before = project.song();
    const auto entriesBefore = list.entries();
    for (const RefusalCase& c : cases) {
        ui.messages.clear();
        const std::string path = dir.file(std::string(c.name) + ".wav");
        if (!c.bytes.empty()) testing::writeBytes(path, c.bytes);
        EXPECT_FALSE(project.addTrack(path, 44100)) << c.name;
        EXPECT_EQ(ui.messages, (std::vector<Shown>{{c.message, "Error"}})) << c.name;
        EXPECT_EQ(project.song().trackCount, 2) << c.name;
        EXPECT_EQ(project.song().currentTrack, before.currentTrack) << c.name;
        EXPECT_EQ(list.entries(), entriesBefore) << c.name;
    }
}

TEST_F(SongProjectTest, AnEleventhTrackIsRefused) {
    addTracks(10);
    const std::string extra = wave("extra.wav");
    EXPECT_FALSE(project.addTrack(extra, 44100));
    EXPECT_EQ(ui.messages, (std::vector<Shown>{{"The song already has 10 tracks.", "Error"}}));
    EXPECT_EQ(project.song().trackCount, 10);
    EXPECT_EQ(list.size(), 10);
}

TEST_F(SongProjectTest, APathLongerThanTheRecordHoldsIsRefused) {
    const std::string longPath = dir.file(std::string(260, 'p') + ".wav");
    EXPECT_FALSE(project.addTrack(longPath, 44100));
    EXPECT_EQ(ui.messages, (std::vector<Shown>{{"The path \"" + longPath + "\" is longer than 255 characters.",
                                                "Error"}}));
    EXPECT_EQ(project.song().trackCount, 0);
}

TEST_F(SongProjectTest, SaveAppendsTheExtensionUnlessPresentInAnyCase) {
    ASSERT_TRUE(project.saveSongTo(dir.file("first")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("first.sng")));
    EXPECT_EQ(project.song().songPath, dir.file("first.sng"));
    ASSERT_TRUE(project.saveSongTo(dir.file("SECOND.SNG")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("SECOND.SNG")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("SECOND.SNG.sng")));
    EXPECT_EQ(ui.title, "Brevant - " + dir.file("SECOND.SNG"));
}

TEST_F(SongProjectTest, SaveAndLoadRoundTripTheSong) {
    addTracks(3);
    project.song().track(1).volume = 40;
    project.song().track(2).muted = 1;
    project.song().boost = 20;
    project.song().midiFile = "song.mid";
    const std::string path = dir.file("round.sng");
    ASSERT_TRUE(project.saveSongTo(path));
    EXPECT_FALSE(project.song().modified);
    const std::vector<std::uint8_t> saved = testing::readBytes(path);

    ScriptedSongUi ui2;
    TrackListModel list2;
    SongProject other(ui2, list2);
    ASSERT_TRUE(other.loadSong(path));
    EXPECT_EQ(other.song().trackCount, 3);
    EXPECT_EQ(other.song().track(1).volume, 40);
    EXPECT_EQ(other.song().track(2).muted, 1);
    EXPECT_EQ(other.song().boost, 20);
    EXPECT_EQ(other.song().midiFile, "song.mid");
    EXPECT_EQ(other.song().currentTrack, 2);
    EXPECT_EQ(list2.selection(), 2);
    EXPECT_EQ(list2.size(), 3);
    EXPECT_EQ(ui2.title, "Brevant - " + path);
    ASSERT_TRUE(other.saveSongTo(dir.file("again.sng")));
    EXPECT_EQ(testing::readBytes(dir.file("again.sng")), saved);
}

TEST_F(SongProjectTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    addTracks(1);
    const std::string path = dir.file("keep.sng");
    ASSERT_TRUE(project.saveSongTo(path));
    const auto good = testing::readBytes(path);
    project.setModified();
    EXPECT_FALSE(project.saveSongTo(dir.file("no-folder/x.sng")));
    EXPECT_EQ(ui.messages.back(), (Shown{"Error opening the file", "Error"}));
    EXPECT_TRUE(project.song().modified);
    EXPECT_EQ(project.song().songPath, path);
    EXPECT_EQ(testing::readBytes(path), good);
}

TEST_F(SongProjectTest, ADamagedFileLeavesTheSongAsItWas) {
    addTracks(2);
    project.song().boost = 12;
    Song other;
    other.boost = 99;
    other.trackCount = 1;
    other.track(0).fileName = "elsewhere.wav";
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeSongFile(other, bytes));
    bytes.resize(bytes.size() - 1);
    testing::writeBytes(dir.file("cut.sng"), bytes);
    const auto entries = list.entries();

    EXPECT_FALSE(project.loadSong(dir.file("cut.sng")));
    EXPECT_EQ(ui.messages.back(),
              (Shown{"The project file is damaged: its last track record is incomplete.", "Error"}));
    EXPECT_EQ(project.song().boost, 12);
    EXPECT_EQ(project.song().trackCount, 2);
    EXPECT_EQ(list.entries(), entries);
    EXPECT_TRUE(project.song().modified);

    EXPECT_FALSE(project.loadSong(dir.file("absent.sng")));
    EXPECT_EQ(ui.messages.back(), (Shown{"Error opening the file", "Error"}));
}

TEST_F(SongProjectTest, LoadingAHeaderOnlyFileGivesNoTracksAndNoCurrentTrack) {
    addTracks(2);
    Song empty;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeSongFile(empty, bytes));
    testing::writeBytes(dir.file("empty.sng"), bytes);
    ASSERT_TRUE(project.loadSong(dir.file("empty.sng")));
    EXPECT_EQ(project.song().trackCount, 0);
    EXPECT_EQ(project.song().currentTrack, 0);
    EXPECT_EQ(list.size(), 0);
    EXPECT_FALSE(project.song().modified);
}

TEST_F(SongProjectTest, NewKeepsMidiAndBoostAndSetsCompensation) {
    addTracks(2);
    project.song().midiFile = "m.mid";
    project.song().midiCompensationMs = 42;
    project.song().boost = 30;
    ui.answers = {Answer::No};
    ASSERT_TRUE(project.newSong());
    const Song& s = project.song();
    EXPECT_EQ(s.trackCount, 0);
    EXPECT_EQ(s.compensation, 190);
    EXPECT_EQ(s.midiFile, "m.mid");
    EXPECT_EQ(s.midiCompensationMs, 42);
    EXPECT_EQ(s.boost, 30);
    EXPECT_EQ(s.songPath, "noname.sng");
    EXPECT_FALSE(s.modified);
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(ui.title, "Brevant - noname.sng");
    EXPECT_EQ(ui.questions, (std::vector<Shown>{{"File noname.sng is modified. Save?", "Warning"}}));
}

TEST_F(SongProjectTest, ConfirmDiscardAnswers) {
    EXPECT_TRUE(project.confirmDiscard());
    EXPECT_TRUE(ui.questions.empty()) << "an unmodified song is not asked about";

    project.setModified();
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(project.confirmDiscard());
    EXPECT_FALSE(project.newSong()) << "Cancel (no answer left) stops New";
    EXPECT_TRUE(project.song().modified);

    ui.answers = {Answer::Yes};
    project.song().songPath = dir.file("saved.sng");
    EXPECT_TRUE(project.confirmDiscard());
    EXPECT_TRUE(std::filesystem::exists(dir.file("saved.sng")));
    EXPECT_FALSE(project.song().modified);
}

TEST_F(SongProjectTest, ConfirmDiscardDoesNotDropChangesWhenTheSaveFails) {
    project.setModified();
    project.song().songPath = dir.file("missing-folder/s.sng");
    ui.answers = {Answer::Yes};
    EXPECT_FALSE(project.confirmDiscard());
    EXPECT_TRUE(project.song().modified);
}

TEST_F(SongProjectTest, RemovingTrackTwoOfFourKeepsTheLaterTracksSettings) {
    addTracks(4);
    project.song().track(2).volume = 33;
    project.song().track(3).pan = 180;
    project.song().track(3).muted = 1;
    const std::string third = project.song().track(2).fileName;
    const std::string fourth = project.song().track(3).fileName;
    list.select(1);
    ASSERT_TRUE(project.removeSelectedTrack());
    const Song& s = project.song();
    ASSERT_EQ(s.trackCount, 3);
    EXPECT_EQ(s.track(1).fileName, third);
    EXPECT_EQ(s.track(1).volume, 33);
    EXPECT_EQ(s.track(2).fileName, fourth);
    EXPECT_EQ(s.track(2).pan, 180);
    EXPECT_EQ(s.track(2).muted, 1);
    EXPECT_EQ(s.track(2).listIndex, 2);
    EXPECT_EQ(s.currentTrack, 2);
    EXPECT_EQ(list.entries()[1], third);
}

TEST_F(SongProjectTest, RemovingTheOnlyTrackLeavesNoCurrentTrack) {
    addTracks(1);
    list.select(0);
    ASSERT_TRUE(project.removeSelectedTrack());
    EXPECT_EQ(project.song().trackCount, 0);
    EXPECT_EQ(project.song().currentTrack, 0);
    EXPECT_EQ(list.size(), 0);
}

TEST_F(SongProjectTest, RemoveWithoutSelectionOnlyMarksTheSong) {
    addTracks(2);
    project.song().modified = false;
    list.select(-1);
    EXPECT_FALSE(project.removeSelectedTrack());
    EXPECT_EQ(project.song().trackCount, 2);
    EXPECT_TRUE(project.song().modified);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SongProjectTest, ASelectionThatMatchesNoTrackWarns) {
    addTracks(2);
    project.song().track(1).listIndex = 7;  // bookkeeping gone wrong
    list.select(1);
    EXPECT_FALSE(project.removeSelectedTrack());
    EXPECT_FALSE(project.selectTrack());
    const Shown warning{"Data corruption error: some project settings may have been lost. Restart the program.",
                        "Warning:"};
    EXPECT_EQ(ui.messages, (std::vector<Shown>{warning, warning}));
    EXPECT_EQ(project.song().trackCount, 2);
}

TEST_F(SongProjectTest, SelectTrackFollowsTheListSelection) {
    addTracks(3);
    list.select(0);
    ASSERT_TRUE(project.selectTrack());
    EXPECT_EQ(project.song().currentTrack, 0);
}

TEST_F(SongProjectTest, InsertTrackMarksTheSongEvenWhenCancelled) {
    EXPECT_FALSE(project.insertTrack(44100));
    EXPECT_TRUE(project.song().modified);
    EXPECT_EQ(ui.dialogTitles, (std::vector<std::string>{"Open track:"}));
}

// A WAVE file of format `tag` (1 integer PCM, 3 float) holding `data`.
std::vector<std::uint8_t> otherWave(std::uint16_t tag, std::uint16_t channels,
                                    std::uint32_t frequency, std::uint16_t bits,
                                    std::vector<std::uint8_t> data) {
    auto fmt = testing::pcmFormatBytes(channels, frequency, bits);
    fmt[0] = static_cast<std::uint8_t>(tag);
    return testing::riffBytes("WAVE", {{"fmt ", fmt}, {"data", std::move(data)}});
}

// Answers the conversion as the window does when STOP is pressed, if asked; else converts.
struct StoppingUi : ScriptedSongUi {
    TrackConversion convertTrack(const std::string& path, std::uint32_t frequency) override {
        TrackConversion stopped{Status::fail("Operation aborted."), {}, 0, true};
        return stop ? stopped : SongUi::convertTrack(path, frequency);
    }
    bool stop = false;
};

TEST_F(SongProjectTest, InsertConvertsOtherSampleFormatsBesideTheFileAndAddsTheCopy) {
    StoppingUi stopping;
    SongProject p{stopping, list};
    const std::vector<std::uint8_t> pcm24 = {0x00, 0x01, 0x00, 0xFF, 0xFE, 0xFF};
    const std::string classic = "Sampling parameters differs from that currently in use.";
    const float loud[] = {0.5f, -1.5f, 2.0f, 0.1f};  // little-endian hosts
    std::vector<std::uint8_t> loudBytes(sizeof loud);
    std::memcpy(loudBytes.data(), loud, sizeof loud);
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<Shown> messages;  // none, or a warning: the copy is added
    } cases[] = {
        {"pcm24", otherWave(1, 1, 44100, 24, pcm24), {}},
        {"pcm8_stereo", otherWave(1, 2, 44100, 8, {0x80, 0x90}), {}},
        {"float_loud",
         otherWave(3, 2, 44100, 32, loudBytes),
         {{"2 samples were beyond full scale and set to full scale in the converted track.",
           "Warning"}}},
        {"pcm24_48k",
         otherWave(1, 1, 48000, 24, pcm24),
         {{"The track's sampling frequency is 48000 Hz; the song's is 44100 Hz.", "Error"}}},
        {"pcm16_48k", otherWave(1, 1, 48000, 16, {1, 0}), {{classic, "Error"}}},
        {"pcm24_4ch", otherWave(1, 4, 44100, 24, {}), {{classic, "Error"}}},
        {"stopped", otherWave(1, 1, 44100, 24, pcm24), {{"Operation aborted.", "User stop"}}},
    };
    for (const auto& c : cases) {
        stopping.messages.clear();
        stopping.stop = c.name == std::string("stopped");
        const std::string path = dir.file(std::string(c.name) + ".wav");
        testing::writeBytes(path, c.bytes);
        const bool added = c.messages.empty() || c.messages[0].caption == "Warning";
        EXPECT_EQ(p.insertTrackFile(path, 44100), added) << c.name;
        EXPECT_EQ(stopping.messages, c.messages) << c.name;
        const std::string copy = dir.file(std::string(c.name) + " (16-bit).wav");
        EXPECT_EQ(std::filesystem::exists(copy), added) << c.name;
        EXPECT_EQ(list.entries().back() == copy, added) << c.name;
        EXPECT_EQ(testing::readBytes(path), c.bytes) << c.name << ": the original is untouched";
    }
}

TEST_F(SongProjectTest, IsInSongIgnoresCase) {
    const std::string a = wave("Take.wav");
    ASSERT_TRUE(project.addTrack(a, 44100));
    std::string upper = a;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(isInSong(project.song(), upper));
    EXPECT_FALSE(isInSong(project.song(), a + "x"));
}

}  // namespace
}  // namespace brevant
