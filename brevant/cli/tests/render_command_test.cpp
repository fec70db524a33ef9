#include <gtest/gtest.h>

#include <sstream>

#include "config_file.h"
#include "render_command.h"
#include "song_file.h"
#include "wave_file_reader.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runCommand(const std::vector<std::string>& args,
                   const std::atomic<bool>* interrupt = nullptr) {
    std::ostringstream out, err;
    RenderCommandIo io{out, err, false, interrupt};
    const int status = runRenderCommand(args, io);
    return {status, out.str(), err.str()};
}

class RenderCommandTest : public ::testing::Test {
  protected:
    // A song of a mono and a stereo track at `frequency`, saved as song.sng;
    // the configuration file config.cfg records that frequency.
    void SetUp() override {
        Song song;
        song.compensation = 0;
        song.boost = 20;
        for (int i = 0; i < 2; ++i) {
            Track& t = song.track(i);
            std::string name = "t";
            name += std::to_string(i);
            name += ".wav";
            t.fileName = dir.file(name);
            t.stereo = i;
            t.volume = static_cast<std::int16_t>(50 + 10 * i);
            t.pan = static_cast<std::int16_t>(150 * i);
            testing::writeWave(
                t.fileName, static_cast<std::uint16_t>(i + 1), frequency,
                std::vector<std::int16_t>(static_cast<std::size_t>(3 * frequency * (i + 1)), 1000));
        }
        song.track(1).muted = 1;
        song.trackCount = 2;
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(writeSongFile(song, bytes));
        testing::writeBytes(dir.file("song.sng"), bytes);
        RecorderSettings settings;
        setRecordFormat(settings, 1, frequency, 16);
        struct Quiet : MessageSink {
            void showMessage(const std::string&, const std::string&) override {}
        } quiet;
        ASSERT_TRUE(saveConfig(dir.file("config.cfg"), song, settings, quiet));
        track0 = song.track(0).fileName;
    }

    const std::uint32_t frequency = 8000;
    TempDir dir;
    std::string track0;
};

TEST_F(RenderCommandTest, RendersTheSong) {
    const Outcome r =
        runCommand({dir.file("song.sng"), dir.file("mix.wav"), "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Rendering completed\n");
    EXPECT_EQ(r.err, "");
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("mix.wav")), WaveOpenError::None);
    EXPECT_EQ(reader.format(), WaveFormat::pcm(2, frequency, 16));
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    EXPECT_EQ(reader.dataSize(), 4u * 7680 * 4) << "3 s of the longest track, in whole blocks";
}

TEST_F(RenderCommandTest, StartingPastTheEndGivesAnEmptyFile) {
    const Outcome r = runCommand({dir.file("song.sng"), dir.file("mix.wav"), "--start", "10",
                                  "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 0) << r.err;
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("mix.wav")), WaveOpenError::None);
    ASSERT_EQ(reader.findData(), WaveOpenError::None);
    EXPECT_EQ(reader.dataSize(), 0u);
}

TEST_F(RenderCommandTest, LikeTheProgramItRendersAtTheLastTracksFrequencyAndAddsWav) {
    // No configuration (44100 Hz by default): the render does not need one.
    const Outcome r = runCommand({dir.file("song.sng"), dir.file("mix")});
    EXPECT_EQ(r.status, 0) << r.err;
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("mix.wav")), WaveOpenError::None);
    EXPECT_EQ(reader.format(), WaveFormat::pcm(2, 8000, 16));
    EXPECT_FALSE(std::filesystem::exists(dir.file("mix")));
}

TEST_F(RenderCommandTest, TracksAtAnotherFrequencyThanTheLastAreRefused) {
    testing::writeWave(track0, 1, 11025, std::vector<std::int16_t>(100, 7));
    const Outcome r = runCommand({dir.file("song.sng"), dir.file("mix.wav")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brevant-render: " + track0 +
                         ": The track's sampling frequency is 11025 Hz; the song's is 8000 Hz.\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(RenderCommandTest, TheOutputMayNotBeATrack) {
    const Outcome r =
        runCommand({dir.file("song.sng"), track0, "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brevant-render: The file \"" + track0 +
                         "\" is already in the track list: remove it before recording it again.\n");
}

TEST_F(RenderCommandTest, AMissingTrackIsNamed) {
    std::filesystem::remove(track0);
    const Outcome r =
        runCommand({dir.file("song.sng"), dir.file("mix.wav"), "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brevant-render: " + track0 + ": Error opening the file.\n");
}

TEST_F(RenderCommandTest, ADamagedSongIsRefused) {
    auto bytes = testing::readBytes(dir.file("song.sng"));
    bytes.pop_back();
    testing::writeBytes(dir.file("cut.sng"), bytes);
    const Outcome r =
        runCommand({dir.file("cut.sng"), dir.file("mix.wav"), "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.err,
        "brevant-render: The project file is damaged: its last track record is incomplete.\n");
}

TEST_F(RenderCommandTest, AnInterruptedRenderLeavesAValidFile) {
    // A longer first track, so that the render is still running when it is stopped.
    testing::writeWave(track0, 1, frequency,
                       std::vector<std::int16_t>(static_cast<std::size_t>(120 * frequency), 7));
    std::atomic<bool> interrupt{true};
    const Outcome r =
        runCommand({dir.file("song.sng"), dir.file("mix.wav"), "--config", dir.file("config.cfg")},
                   &interrupt);
    // A render this short may finish before the interrupt is seen.
    if (r.status == 0)
        GTEST_SKIP() << "the render finished first";
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "brevant-render: Operation aborted.\n");
    WaveFileReader reader;
    ASSERT_EQ(reader.open(dir.file("mix.wav")), WaveOpenError::None);
    EXPECT_EQ(reader.findData(), WaveOpenError::None);
}

TEST_F(RenderCommandTest, InfoListsTheSong) {
    const Outcome r =
        runCommand({"--info", dir.file("song.sng"), "--config", dir.file("config.cfg")});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "Song: " + dir.file("song.sng") +
        "\n"
        "MIDI file: (none)\n"
        "Compensation: 0 samples\n"
        "MIDI compensation: 500 ms\n"
        "Boost: 20\n"
        "Recording frequency: 8000 Hz\n"
        "Tracks: 2\n"
        "  1. " +
        dir.file("t0.wav") + "  volume 50  pan -100  muted no  channels 1\n" + "  2. " +
        dir.file("t1.wav") + "  volume 60  pan 50  muted yes  channels 2\n" + "Song length: 3 s\n";
    EXPECT_EQ(r.out, expected);
}

TEST(RenderCommand, HelpAndUsage) {
    const Outcome help = runCommand({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: brevant-render SONG.sng OUT.wav"), std::string::npos);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"only.sng"},
                                               {"a.sng", "b.wav", "--start"},
                                               {"a.sng", "b.wav", "--start", "-3"},
                                               {"--bogus"}}) {
        const Outcome r = runCommand(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
}  // namespace brevant

namespace brevant {
namespace {

// A 24-bit track holding the 16-bit one's values renders to the same mix: tracks of other
// formats are converted as they are read, and no file is written beside them.
TEST_F(RenderCommandTest, TracksOfOtherSampleFormatsAreConvertedInMemory) {
    ASSERT_EQ(runCommand({dir.file("song.sng"), dir.file("mix16.wav")}).status, 0);
    LittleEndianWriter fmt, data;
    fmt.u16(1);
    fmt.u16(1);
    fmt.u32(frequency);
    fmt.u32(frequency * 3);
    fmt.u16(3);
    fmt.u16(24);
    for (std::size_t i = 0; i < 3u * frequency; ++i) {
        data.u8(0);
        data.i16(1000);
    }
    testing::writeBytes(track0,
                        testing::riffBytes("WAVE", {{"fmt ", fmt.take()}, {"data", data.take()}}));
    const Outcome r = runCommand({dir.file("song.sng"), dir.file("mix24.wav")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(testing::readBytes(dir.file("mix24.wav")), testing::readBytes(dir.file("mix16.wav")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("t0 (16-bit).wav")));
}

}  // namespace
}  // namespace brevant

namespace brevant {
namespace {

TEST_F(RenderCommandTest, ConvertWritesTheCopyBesideAndNamesIt) {
    const Outcome r = runCommand({"--convert", track0});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("t0 (16-bit).wav") + "\n");
    EXPECT_EQ(runCommand({"--convert", track0, dir.file("extra")}).status, 2);
    EXPECT_EQ(runCommand({"--no-dither", dir.file("song.sng"), dir.file("mix.wav")}).status, 2);
}

}  // namespace
}  // namespace brevant
