#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "block_by_block_mix.h"
#include "engine_test_songs.h"
#include "little_endian.h"
#include "song_renderer.h"
#include "wave_file_reader.h"

namespace brevant {
namespace {

using testing::makeTrack;
using testing::ramp;
using testing::TempDir;

class RecordingEvents : public RenderEvents {
  public:
    void showMessage(const std::string& text, const std::string& caption) override {
        std::lock_guard<std::mutex> lock(mutex);
        messages.push_back(caption + ": " + text);
    }
    void setProgressRange(std::int64_t high) override { range = high; }
    void stepProgress() override {
        ++steps;
        if (onStep)
            onStep(steps);
    }
    void finished(RenderOutcome o) override { outcome = o; }

    std::mutex mutex;
    std::vector<std::string> messages;
    std::int64_t range = -1;
    int steps = 0;
    std::function<void(int)> onStep;
    std::optional<RenderOutcome> outcome;
};

// The rendered samples, after checking that the file is a whole, valid WAVE
// file: RIFF size matching the file, a stereo 16-bit format, a data chunk.
std::vector<std::int16_t> renderedSamples(const std::string& path, std::uint32_t frequency) {
    const auto bytes = testing::readBytes(path);
    EXPECT_GE(bytes.size(), 46u);
    LittleEndianReader in(bytes);
    in.skip(4);
    EXPECT_EQ(in.u32(), bytes.size() - 8) << "RIFF size";
    WaveFileReader reader;
    EXPECT_EQ(reader.open(path), WaveOpenError::None);
    EXPECT_EQ(reader.format(), WaveFormat::pcm(2, frequency, 16));
    EXPECT_EQ(reader.format().toBytes().size(), 18u);
    EXPECT_EQ(reader.findData(), WaveOpenError::None);
    EXPECT_EQ(reader.dataSize(), bytes.size() - 46);
    return testing::dataSamples(bytes);
}

TEST(SongRenderer, AMonoTrackAtFullVolumeFillsBothChannels) {
    TempDir dir;
    Song song;
    const auto samples = ramp(10000, -5000);
    makeTrack(dir, song, "a.wav", false, 8000, samples);
    RecordingEvents events;
    SongRenderer renderer(events);
    const std::string out = dir.file("out.wav");
    EXPECT_EQ(renderer.render(song, out, 1), RenderOutcome::Completed);
    EXPECT_EQ(events.messages, (std::vector<std::string>{"Rendering: Rendering completed"}));
    EXPECT_EQ(events.outcome, RenderOutcome::Completed);
    EXPECT_EQ(events.range, 8000 * 4 / 30720 + 10);
    EXPECT_EQ(events.steps, 2);

    const auto rendered = renderedSamples(out, 8000);
    ASSERT_EQ(rendered.size(), 2u * 2 * 7680) << "whole blocks";
    for (std::size_t f = 0; f < 2 * 7680; ++f) {
        const std::int16_t expected = f < samples.size() ? samples[f] : 0;
        ASSERT_EQ(rendered[2 * f], expected) << f;
        ASSERT_EQ(rendered[2 * f + 1], expected) << f;
    }
}

TEST(SongRenderer, TwoTracksWithOneMutedPlayTheOtherAtHalfAmplitude) {
    TempDir dir;
    Song song;
    const std::vector<std::int16_t> loud = {1000, -1000, 32767, -32768, 3, -3};
    makeTrack(dir, song, "a.wav", false, 8000, loud);
    makeTrack(dir, song, "b.wav", false, 8000, std::vector<std::int16_t>(6, 20000));
    song.track(1).muted = 1;
    RecordingEvents events;
    SongRenderer renderer(events);
    ASSERT_EQ(renderer.render(song, dir.file("o.wav"), 0), RenderOutcome::Completed);
    const auto r = renderedSamples(dir.file("o.wav"), 8000);
    const std::int16_t half[] = {500, -500, 16383, -16384, 1, -1};
    for (std::size_t f = 0; f < 6; ++f) {
        EXPECT_EQ(r[2 * f], half[f]) << f;
        EXPECT_EQ(r[2 * f + 1], half[f]) << f;
    }
}

TEST(SongRenderer, MixesWithGainsPanMuteAndCompensation) {
    TempDir dir;
    Song song;
    song.compensation = 20;  // 10 samples
    makeTrack(dir, song, "a.wav", true, 8000, std::vector<std::int16_t>(2 * 100, 1000));
    makeTrack(dir, song, "b.wav", false, 8000, ramp(100));
    makeTrack(dir, song, "c.wav", false, 8000, std::vector<std::int16_t>(100, 30000));
    song.track(0).pan = 200;  // left silent
    song.track(2).muted = 1;
    RecordingEvents events;
    SongRenderer renderer(events);
    ASSERT_EQ(renderer.render(song, dir.file("o.wav"), 0), RenderOutcome::Completed);
    const auto r = renderedSamples(dir.file("o.wav"), 8000);
    // Frame 0: left = (0 + 11 x 100) / 300, right = (1000 x 100 + 11 x 100) / 300.
    EXPECT_EQ(r[0], 3);
    EXPECT_EQ(r[1], 337);
    EXPECT_EQ(r[2 * 89], (100 * 100) / 300) << "b is 10 samples in: its last sample";
    EXPECT_EQ(r[2 * 90], 0);
}

TEST(SongRenderer, StartingAtTenSecondsLeavesThemOut) {
    TempDir dir;
    Song song;
    song.startSeconds = 10;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(12000));
    RecordingEvents events;
    SongRenderer renderer(events);
    ASSERT_EQ(renderer.render(song, dir.file("o.wav"), 12), RenderOutcome::Completed);
    const auto r = renderedSamples(dir.file("o.wav"), 1000);
    ASSERT_EQ(r.size(), 2u * 7680);
    EXPECT_EQ(r[0], 10001);
    EXPECT_EQ(r[2 * 1999], 12000);
    EXPECT_EQ(r[2 * 2000], 0);
}

TEST(SongRenderer, AStartPastEveryTrackWritesAnEmptyDataChunk) {
    TempDir dir;
    Song song;
    song.startSeconds = 60;
    makeTrack(dir, song, "a.wav", false, 1000, ramp(3000));
    makeTrack(dir, song, "b.wav", true, 1000, ramp(4000));
    RecordingEvents events;
    SongRenderer renderer(events);
    ASSERT_EQ(renderer.render(song, dir.file("o.wav"), 2), RenderOutcome::Completed);
    EXPECT_EQ(events.messages, (std::vector<std::string>{"Rendering: Rendering completed"}));
    EXPECT_TRUE(renderedSamples(dir.file("o.wav"), 1000).empty());
    EXPECT_EQ(std::filesystem::file_size(dir.file("o.wav")), 46u);
}

TEST(SongRenderer, AStoppedRenderLeavesAValidShorterFile) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", true, 8000, ramp(2 * 5 * 7680));
    RecordingEvents events;
    SongRenderer renderer(events);
    events.onStep = [&renderer](int step) {
        if (step == 2)
            renderer.stop();
    };
    EXPECT_EQ(renderer.render(song, dir.file("o.wav"), 5), RenderOutcome::Stopped);
    EXPECT_TRUE(renderer.userStopped());
    EXPECT_TRUE(events.messages.empty()) << "no completion message after STOP";
    const auto r = renderedSamples(dir.file("o.wav"), 8000);
    EXPECT_EQ(r.size(), 2u * 2 * 7680);
    EXPECT_EQ(r[0], 1);
}

TEST(SongRenderer, AReadErrorStillClosesTheOutput) {
    TempDir dir;
    Song song;
    const int blocks = 40;
    const std::string track = makeTrack(dir, song, "a.wav", false, 8000, ramp(blocks * 7680));
    RecordingEvents events;
    SongRenderer renderer(events);
    bool cut = false;
    events.onStep = [&](int step) {
        if (step == 1) {
            std::error_code ec;
            std::filesystem::resize_file(track, 100, ec);
            cut = !ec;
        }
    };
    const RenderOutcome outcome = renderer.render(song, dir.file("o.wav"), blocks);
    if (!cut)
        GTEST_SKIP() << "this platform cannot cut a file that is open";
    EXPECT_EQ(outcome, RenderOutcome::Failed);
    EXPECT_EQ(events.messages,
              (std::vector<std::string>{"Error: Failed to read data chunk (loading-1)."}));
    // The blocks mixed before the error, in a file whose chunks are closed.
    const auto r = renderedSamples(dir.file("o.wav"), 8000);
    EXPECT_EQ(r.size() % (2 * 7680), 0u);
    EXPECT_GE(r.size(), 2u * 7680);
    EXPECT_LT(r.size(), 2u * 7680 * blocks);
    EXPECT_EQ(r[0], 1);
}

TEST(SongRenderer, RunsOnItsOwnThreadAndStops) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", true, 8000, ramp(2 * 40 * 7680));
    RecordingEvents events;
    SongRenderer renderer(events);
    std::atomic<bool> firstBlockDone{false};
    std::atomic<bool> stopPressed{false};
    // The worker holds after its first block until STOP has been pressed.
    events.onStep = [&](int step) {
        if (step != 1)
            return;
        firstBlockDone = true;
        while (!stopPressed) std::this_thread::yield();
    };
    renderer.start(song, dir.file("o.wav"), 40);
    while (!firstBlockDone) std::this_thread::yield();
    renderer.stop();
    stopPressed = true;
    renderer.join();
    EXPECT_EQ(events.outcome, RenderOutcome::Stopped);
    EXPECT_EQ(events.steps, 1);
    EXPECT_EQ(renderedSamples(dir.file("o.wav"), 8000).size(), 2u * 7680);
}

TEST(SongRenderer, ASongWithoutTracksMakesNoFile) {
    TempDir dir;
    Song song;
    RecordingEvents events;
    SongRenderer renderer(events);
    EXPECT_EQ(renderer.render(song, dir.file("o.wav"), 0), RenderOutcome::NoTracks);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
}

TEST(SongRenderer, FailuresNameTheirCause) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", false, 8000, ramp(10));
    RecordingEvents events;
    SongRenderer renderer(events);
    const std::string bad = dir.file("no-folder/o.wav");
    EXPECT_EQ(renderer.render(song, bad, 0), RenderOutcome::Failed);
    testing::addTrack(song, dir.file("gone.wav"), false);
    EXPECT_EQ(renderer.render(song, dir.file("o.wav"), 0), RenderOutcome::Failed);
    EXPECT_EQ(events.messages,
              (std::vector<std::string>{"Error: Unable to open the file \"" + bad + "\"",
                                        "Error: Error opening the file."}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.wav")));
}

TEST(SongRenderer, TheOutputMayNotBeOneOfTheTracks) {
    TempDir dir;
    Song song;
    const std::string track = makeTrack(dir, song, "Take.wav", false, 8000, ramp(10));
    std::string upper = track;
    upper.replace(upper.size() - 8, 8, "TAKE.WAV");
    const std::string expected =
        "The file \"" + upper +
        "\" is already in the track list: remove it before recording it again.";
    const Status byName = SongRenderer::checkOutputPath(song, upper);
    ASSERT_TRUE(byName.failed());
    EXPECT_EQ(byName.message(), expected);
    const std::string otherSpelling = dir.file("./Take.wav");
    EXPECT_TRUE(SongRenderer::checkOutputPath(song, otherSpelling).failed());
    EXPECT_TRUE(SongRenderer::checkOutputPath(song, dir.file("mix.wav")));
}

// Songs whose render, read and mixed in pieces, must equal playback's block by
// block mix byte for byte: block rules, silence after the last track, clipping.
struct PieceCase {
    const char* name;
    std::vector<std::pair<bool, std::size_t>> tracks;  // stereo, samples
    int mutedTrack = -1;
    std::int32_t startSeconds = 0;
    std::int32_t boost = 0;
    std::int32_t compensation = 600;
};

TEST(SongRenderer, PiecesGiveTheBlockByBlockMix) {
    const std::size_t block = 7680;
    const PieceCase cases[] = {
        {"one mono track, a block and a bit", {{false, block + 7}}},
        {"stereo and mono ending apart", {{true, 2 * 5 * block + 6}, {false, 3 * block + 1}}},
        {"odd data sizes and a muted track",
         {{false, 4 * block + 3}, {true, 2 * 7 * block + 2}, {false, 99}},
         1},
        {"start seconds and compensation",
         {{true, 2 * 9 * block}, {false, 6 * block + 5}},
         -1,
         3,
         0,
         4000},
        {"ten loud tracks clip",
         {{true, 2 * 3 * block},
          {false, 3 * block},
          {true, 2 * 3 * block + 4},
          {false, 2 * block},
          {true, 2 * block},
          {false, 7 * block + 1},
          {true, 2 * block},
          {false, block},
          {true, 2 * 5 * block},
          {false, 3}},
         -1,
         0,
         100},
    };
    for (const PieceCase& c : cases) {
        TempDir dir;
        Song song;
        song.startSeconds = c.startSeconds;
        song.boost = c.boost;
        song.compensation = c.compensation;
        for (std::size_t i = 0; i < c.tracks.size(); ++i) {
            const auto [stereo, n] = c.tracks[i];
            std::vector<std::int16_t> samples = ramp(n, static_cast<int>(i) * 1000);
            // Loud passages, so that a boosted sum clips.
            for (std::size_t k = 0; k < n; k += 3)
                samples[k] = static_cast<std::int16_t>(k % 2 ? 32767 : -32768);
            std::string name = "t0.wav";
            name[1] = static_cast<char>('0' + i);
            makeTrack(dir, song, name, stereo, 2000, samples);
        }
        if (c.mutedTrack >= 0)
            song.track(c.mutedTrack).muted = 1;
        ASSERT_TRUE(testing::mixBlockByBlock(song, dir.file("blocks.wav"))) << c.name;
        RecordingEvents events;
        SongRenderer renderer(events);
        ASSERT_EQ(renderer.render(song, dir.file("pieces.wav"), 10), RenderOutcome::Completed)
            << c.name;
        EXPECT_EQ(testing::readBytes(dir.file("pieces.wav")),
                  testing::readBytes(dir.file("blocks.wav")))
            << c.name;
    }
}

TEST(SongRenderer, TheWorkerRendersItsOwnCopyOfTheSong) {
    TempDir dir;
    Song song;
    makeTrack(dir, song, "a.wav", true, 8000, ramp(2 * 12 * 7680));
    makeTrack(dir, song, "b.wav", false, 8000, ramp(12 * 7680, 500));
    ASSERT_TRUE(testing::mixBlockByBlock(song, dir.file("expected.wav")));
    RecordingEvents events;
    SongRenderer renderer(events);
    // What the transport may do to the live song while the render dialog is up.
    events.onStep = [&song](int step) {
        if (step != 1)
            return;
        song.track(0).muted = 1;
        song.track(1).volume = 0;
        song.trackCount = 1;
    };
    renderer.start(song, dir.file("o.wav"), 12);
    renderer.join();
    EXPECT_EQ(events.outcome, RenderOutcome::Completed);
    EXPECT_EQ(testing::readBytes(dir.file("o.wav")), testing::readBytes(dir.file("expected.wav")));
}

TEST(SongRenderer, ProgressRangeFormula) {
    EXPECT_EQ(renderProgressRange(180, 44100), 1043);
    EXPECT_EQ(renderProgressRange(0, 48000), 10);
    EXPECT_EQ(renderProgressRange(100000, 48000), 625010);
}

}  // namespace
}  // namespace brevant
