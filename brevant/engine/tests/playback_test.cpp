// Playback through a fake wave output: the ring of buffers, the end of the
// song, the seek, the stop and the display.
#include <gtest/gtest.h>

#include "block_size.h"
#include "live_fixture.h"

namespace brevant::testing {
namespace {

constexpr std::size_t kFrames = kBlockFrames;

using PlaybackTest = LiveFixture;

std::vector<std::int16_t> withSilence(std::vector<std::int16_t> v, std::size_t total) {
    v.resize(total, 0);
    return v;
}

TEST_F(PlaybackTest, ShortSongQueuesOnlyWhatItHasAndPlaysBitExact) {
    // 2.5 blocks of stereo: three blocks with data, then one of silence that
    // marks the end; no more are queued.
    const auto samples = ramp(kFrames * 5);
    addTrack("a.wav", true, samples);
    transport.playCommand();

    ASSERT_EQ(out.opened.size(), 1u);
    EXPECT_EQ(out.opened[0].channels, 2);
    EXPECT_EQ(out.opened[0].samplesPerSec, 44100u);
    EXPECT_EQ(out.written.size(), 4u);
    EXPECT_FALSE(out.paused) << "the Play command resumes the device";
    EXPECT_EQ(writtenSamples(), withSilence(samples, kFrames * 8));
    for (const auto& w : out.written) EXPECT_EQ(w.bytes.size(), kStereoBlockBytes);
}

TEST_F(PlaybackTest, DevicePausedUntilTheCallerResumesIt) {
    addTrack("a.wav", false, ramp(kFrames));
    transport.playCommand();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "out.open");
    EXPECT_EQ(log[1], "out.restart");
}

TEST_F(PlaybackTest, TenBuffersQueuedAndEachRefilledWithTheNextBlock) {
    const auto samples = ramp(kFrames * 14);
    addTrack("a.wav", false, samples);
    transport.playCommand();
    EXPECT_EQ(out.written.size(), 10u);
    EXPECT_EQ(out.queue.size(), 10u);

    const int slot = playOne();
    EXPECT_EQ(out.written.size(), 11u);
    EXPECT_EQ(out.written.back().slot, slot) << "the returned buffer is the one refilled";
    playUntilIdle();
    // 14 blocks of data and the silent block that ends the song.
    EXPECT_EQ(out.written.size(), 15u);
    // A mono track plays on both channels at full level.
    const auto played = writtenSamples();
    ASSERT_EQ(played.size(), kFrames * 30);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        ASSERT_EQ(played[2 * i], samples[i]) << i;
        ASSERT_EQ(played[2 * i + 1], samples[i]) << i;
    }
}

TEST_F(PlaybackTest, SongEndsOnTheTickAfterTheLastBufferHasPlayed) {
    addTrack("a.wav", true, ramp(kFrames * 2));
    transport.playCommand();
    EXPECT_TRUE(view.timer);
    EXPECT_FALSE(view.isEnabled(TransportControl::Play));
    EXPECT_FALSE(view.isEnabled(TransportControl::AddTrack));
    EXPECT_FALSE(view.isEnabled(TransportControl::RemoveTrack));

    playOne();
    transport.onTimerTick();
    EXPECT_TRUE(transport.playing()) << "buffers are still queued";
    EXPECT_TRUE(out.isOpen);

    playUntilIdle();
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(out.isOpen);
    EXPECT_FALSE(view.timer);
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
    EXPECT_TRUE(view.isEnabled(TransportControl::AddTrack));
    EXPECT_TRUE(view.isEnabled(TransportControl::RemoveTrack));
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(PlaybackTest, SongEndsOnlyWhenTheDeviceHasPlayedTheLastFrame) {
    // A buffer comes back once the device has taken it, which may be before
    // it is heard: the position says when the end has really played.
    addTrack("a.wav", false, ramp(kFrames * 2));
    transport.playCommand();
    playUntilIdle();
    out.position -= 1000;
    transport.onTimerTick();
    EXPECT_TRUE(transport.playing());
    out.position += 600;
    transport.onTimerTick();
    EXPECT_TRUE(transport.playing()) << "still moving toward the end";
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing()) << "a position that stopped short does not hold the song forever";
    EXPECT_FALSE(out.isOpen);
}

TEST_F(PlaybackTest, StopReturnsEveryBufferClosesTheDeviceAndIgnoresLateNotices) {
    addTrack("a.wav", false, ramp(kFrames * 20));
    song().startSeconds = 1;
    transport.playCommand();
    transport.stopTransport(StopMode::Playback);

    EXPECT_EQ(out.resets, 1);
    EXPECT_FALSE(out.isOpen);
    EXPECT_EQ(out.closes, 1);
    EXPECT_EQ(song().startSeconds, 0);
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(view.timer);
    const std::size_t writes = out.written.size();
    deliverOutputNotices();
    EXPECT_EQ(out.written.size(), writes) << "buffers of a stopped run are never queued again";
    for (const auto& [slot, prepared] : out.prepared) EXPECT_FALSE(prepared) << slot;
}

TEST_F(PlaybackTest, SeekRestartsAtTheNewPositionOnceEveryBufferIsBack) {
    const auto samples = ramp(44100 * 3);
    addTrack("a.wav", false, samples);
    transport.playCommand();
    playOne();
    playOne();

    transport.onPositionSlider(0, 2);
    EXPECT_EQ(out.resets, 1);
    EXPECT_EQ(view.text(TransportControl::PlayTime), " Time: 2");
    const auto notices = out.takeNotices();
    ASSERT_EQ(notices.size(), 10u);
    const std::size_t writes = out.written.size();
    for (std::size_t i = 0; i + 1 < notices.size(); ++i) transport.refillPlayBuffer(notices[i]);
    EXPECT_EQ(out.written.size(), writes) << "nothing is refilled while seeking";
    EXPECT_EQ(out.opened.size(), 1u);

    transport.refillPlayBuffer(notices.back());
    ASSERT_EQ(out.opened.size(), 2u) << "restarted";
    EXPECT_TRUE(transport.playing());
    EXPECT_FALSE(transport.playback().seeking());
    EXPECT_FALSE(out.paused);
    EXPECT_EQ(song().startSeconds, 2);
    const auto played = writtenSamples(writes);
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(played[0], samples[44100 * 2]);
}

TEST_F(PlaybackTest, SeekInASongOfFewerThanTenBuffersStillRestarts) {
    addTrack("a.wav", false, ramp(kFrames * 2 + 100));
    transport.playCommand();
    ASSERT_EQ(out.written.size(), 4u);
    transport.onPositionSlider(1, 0);
    deliverOutputNotices();
    EXPECT_EQ(out.opened.size(), 2u) << "all four queued buffers came back: restart";
    EXPECT_TRUE(transport.playing());
}

TEST_F(PlaybackTest, SeekAfterTheSongHasDrainedRestartsAtOnce) {
    // Nothing is queued, so no buffer would ever come back to restart it.
    addTrack("a.wav", false, ramp(kFrames));
    transport.playCommand();
    playUntilIdle();
    ASSERT_TRUE(transport.playing());
    transport.onPositionSlider(2, 0);
    EXPECT_EQ(out.opened.size(), 2u);
    EXPECT_EQ(out.written.size(), 4u);
}

TEST_F(PlaybackTest, SecondSeekBeforeTheRestartTakesTheNewestPosition) {
    const auto samples = ramp(44100 * 5);
    addTrack("a.wav", false, samples);
    transport.playCommand();
    transport.onPositionSlider(0, 1);
    transport.onPositionSlider(0, 3);
    EXPECT_EQ(out.resets, 1) << "the buffers are already on their way back";
    const std::size_t writes = out.written.size();
    deliverOutputNotices();
    ASSERT_EQ(out.opened.size(), 2u);
    EXPECT_EQ(writtenSamples(writes).at(0), samples[44100 * 3]);
}

TEST_F(PlaybackTest, DraggingShowsThePositionAndSeeksOnlyWhenReleased) {
    addTrack("a.wav", false, ramp(44100 * 4));
    transport.playCommand();
    transport.onPositionSlider(5, 3);
    EXPECT_TRUE(transport.dragging());
    EXPECT_EQ(view.text(TransportControl::PlayTime), " Time: 3");
    EXPECT_EQ(out.resets, 0);
    out.position = 44100;
    transport.onTimerTick();
    EXPECT_EQ(view.text(TransportControl::PlayTime), " Time: 3") << "the tick leaves a dragged slider alone";

    transport.onPositionSlider(4, 3);
    EXPECT_FALSE(transport.dragging());
    EXPECT_EQ(out.resets, 1);
}

TEST_F(PlaybackTest, TickShowsPlayedTimeFromTheStartPosition) {
    addTrack("a.wav", false, ramp(44100 * 8));
    song().startSeconds = 2;
    transport.playCommand();
    out.position = 44100 * 3 + 5;
    transport.onTimerTick();
    EXPECT_EQ(view.text(TransportControl::PlayTime), " Time: 5");
    EXPECT_EQ(view.position, 5);
}

TEST_F(PlaybackTest, GainChangesApplyFromTheNextRefilledBuffer) {
    addTrack("a.wav", false, std::vector<std::int16_t>(kFrames * 12, 1000));
    transport.playCommand();
    song().track(0).volume = 50;
    transport.recomputeGains();
    playOne();
    const auto& last = out.written.back().bytes;
    EXPECT_EQ(static_cast<std::int16_t>(last[0] | (last[1] << 8)), 500);
    EXPECT_EQ(writtenSamples()[0], 1000) << "queued buffers keep their mix";
}

struct StartFailure {
    const char* name;
    int openResult;
    int failWriteAfter;
    bool missingTrack;
    const char* message;
};

class PlaybackStartFailureTest : public LiveFixture, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(PlaybackStartFailureTest, ShowsTheMessageAndReleasesEverything) {
    const StartFailure& c = GetParam();
    const std::string path = addTrack("a.wav", false, ramp(kFrames * 12));
    if (c.missingTrack) std::filesystem::remove(path);
    out.openResult = c.openResult;
    out.failWriteAfter = c.failWriteAfter;
    transport.playCommand();

    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], (Box{c.message, "<default>", false}));
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(out.isOpen);
    EXPECT_FALSE(view.timer);
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
    EXPECT_TRUE(view.isEnabled(TransportControl::AddTrack));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaybackStartFailureTest,
    ::testing::Values(StartFailure{"MissingTrack", 0, -1, true, "Error opening the file."},
                      StartFailure{"BadFormat", 32, -1, false, "Your soundcard doesn't support the required format."},
                      StartFailure{"OtherOpenError", 2, -1, false, "Unidentified error. (waveOutOpen)"},
                      StartFailure{"WriteRefused", 0, 3, false, "Failed to write block to device"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(PlaybackTest, RefusedRefillStopsWithTheDeviceText) {
    addTrack("a.wav", false, ramp(kFrames * 12));
    transport.playCommand();
    out.failWriteAfter = 0;
    playOne();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "device error 11");
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(out.isOpen);
}

TEST_F(PlaybackTest, PlayWithoutTracksOrMidiDoesNothing) {
    transport.playCommand();
    EXPECT_TRUE(out.opened.empty());
    EXPECT_FALSE(view.timer);
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
}

TEST_F(PlaybackTest, StartBeyondEveryTrackQueuesOneSilentBufferAndEnds) {
    addTrack("a.wav", false, ramp(44100));
    song().startSeconds = 5;
    transport.playCommand();
    ASSERT_EQ(out.written.size(), 1u);
    playUntilIdle();
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing());
}

TEST_F(PlaybackTest, SongLengthSetsTheSliderRange) {
    addTrack("a.wav", false, ramp(44100 * 3 + 10));
    addTrack("b.wav", true, ramp(44100 * 2 * 2));
    song().startSeconds = 1;
    EXPECT_EQ(transport.computeSongLength(), 3);
    EXPECT_EQ(view.positionHigh, 3);
    EXPECT_EQ(view.position, 1);
}

TEST_F(PlaybackTest, SongLengthOfADamagedTrackStopsPlaybackWithItsMessage) {
    const std::string path = addTrack("a.wav", false, ramp(44100));
    writeBytes(path, {'R', 'I', 'F', 'F'});
    transport.computeSongLength();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "This is not a WAVE file.");
}

}  // namespace
}  // namespace brevant::testing
