// Recording through a fake wave input: arming, the start order, the take's
// contents, its addition to the song, and the failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "block_size.h"
#include "live_fixture.h"
#include "wave_file_reader.h"

namespace brevant::testing {
namespace {

constexpr std::size_t kFrames = kBlockFrames;
constexpr std::uint32_t kBuffer = RecordingEngine::kBufferBytes;
const std::vector<std::uint8_t> kPattern = {0x34, 0x12, 0xCD, 0xAB};

class RecordingTest : public LiveFixture {
  protected:
    std::string takePath() const { return dir.file("take.wav"); }

    void record() {
        view.takePaths.push_back(dir.file("take"));
        transport.recordCommand();
    }

    // The take's data chunk as read back by the recorder's own reader.
    std::vector<std::uint8_t> takeData(WaveFormat* format = nullptr) {
        WaveFileReader reader;
        EXPECT_EQ(reader.open(takePath()), WaveOpenError::None);
        EXPECT_EQ(reader.findData(), WaveOpenError::None);
        if (format)
            *format = reader.format();
        std::vector<std::uint8_t> data(static_cast<std::size_t>(reader.dataSize()));
        if (!data.empty()) {
            EXPECT_EQ(reader.read(data.data(), data.size()),
                      static_cast<std::int64_t>(data.size()));
        }
        return data;
    }

    int tracksNamed(const std::string& path) {
        int n = 0;
        for (int i = 0; i < song().trackCount; ++i) n += song().track(i).fileName == path ? 1 : 0;
        return n;
    }
};

TEST_F(RecordingTest, TakeHoldsEveryBufferAndThePartlyFilledOnesAtTheStop) {
    record();
    ASSERT_TRUE(transport.recording());
    EXPECT_EQ(view.dialogs.at(0), "Record a track:|");
    ASSERT_EQ(in.opened.size(), 1u);
    EXPECT_EQ(in.opened[0], settings.recordFormat);
    EXPECT_EQ(in.queue.size(), 16u);
    EXPECT_TRUE(in.started);
    EXPECT_TRUE(out.opened.empty()) << "a song without tracks records alone";

    for (int i = 0; i < 20; ++i) {
        const int slot = in.fill(kPattern, kBuffer);
        transport.onInputData(slot, kBuffer);
    }
    // The device is filling the next buffer when the stop comes; the one after
    // it has a few bytes too.
    in.fill(kPattern, 1000, false);
    transport.stopTransport(StopMode::Recording);

    const auto data = takeData();
    EXPECT_EQ(data.size(), 20u * kBuffer + 1000u);
    for (std::size_t i = 0; i < data.size(); ++i) ASSERT_EQ(data[i], kPattern[i % 4]) << i;
    EXPECT_FALSE(in.isOpen);
    EXPECT_EQ(tracksNamed(takePath()), 1) << "added at once";
    EXPECT_EQ(view.songChanges, 1);
    EXPECT_FALSE(view.timer);
    EXPECT_TRUE(view.isEnabled(TransportControl::Record));
    EXPECT_EQ(view.text(TransportControl::Status), "   ");
}

TEST_F(RecordingTest, LateNoticesAfterTheStopAreNeitherWrittenNorRequeued) {
    record();
    in.fill(kPattern, 500, false);
    transport.stopTransport(StopMode::Recording);
    const auto before = takeData();
    ASSERT_EQ(before.size(), 500u);
    deliverInputNotices();
    EXPECT_EQ(takeData().size(), 500u);
    EXPECT_TRUE(in.queue.empty());
    EXPECT_EQ(tracksNamed(takePath()), 1);
}

TEST_F(RecordingTest, StartsMidiThenInputThenOutputAfterReady) {
    addTrack("a.wav", false, ramp(kFrames * 12));
    song().midiFile = "song.mid";
    seq.files["song.mid"] = 60000;
    record();
    ASSERT_TRUE(transport.recording());
    EXPECT_EQ(view.boxes.at(0), (Box{"Ready?", "Record:", false}));
    const std::vector<std::string> expected = {"in.open",   "out.open", "midi.open",
                                               "midi.play", "in.start", "out.restart"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(song().modified);
}

struct MonoCase {
    const char* name;
    bool option;
    bool record;
    int channels;
    std::size_t bufferBytes;
};

class MonoPlaybackTest : public RecordingTest, public ::testing::WithParamInterface<MonoCase> {};

TEST_P(MonoPlaybackTest, ChannelsFollowTheOptionOnlyWhileRecording) {
    const MonoCase& c = GetParam();
    const auto samples = ramp(kFrames * 2 * 12);
    addTrack("a.wav", true, samples);
    settings.monoPlaybackOption = c.option;
    if (c.record) {
        record();
    } else {
        transport.playCommand();
    }
    ASSERT_EQ(out.opened.size(), 1u);
    EXPECT_EQ(out.opened[0].channels, c.channels);
    EXPECT_EQ(out.written.at(0).bytes.size(), c.bufferBytes);
    const auto played = writtenSamples();
    // A stereo track played mono adds (L + R) x (gain / 2).
    if (c.channels == 1) {
        EXPECT_EQ(played[3], static_cast<std::int16_t>((samples[6] + samples[7]) / 2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonoPlaybackTest,
    ::testing::Values(MonoCase{"RecordingWithOption", true, true, 1, kMonoBlockBytes},
                      MonoCase{"RecordingWithoutOption", false, true, 2, kStereoBlockBytes},
                      MonoCase{"PlayingWithOption", true, false, 2, kStereoBlockBytes}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(RecordingTest, TakeWaitsForPlaybackAndIsAddedOnce) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    record();
    transport.onInputData(in.fill(kPattern, kBuffer), kBuffer);
    transport.stopTransport(StopMode::Recording);
    EXPECT_TRUE(transport.takeWaiting());
    EXPECT_EQ(tracksNamed(takePath()), 0);
    EXPECT_TRUE(transport.playing());
    EXPECT_TRUE(view.timer) << "playback still shows its time";

    transport.stopTransport(StopMode::Playback);
    EXPECT_FALSE(transport.takeWaiting());
    EXPECT_EQ(tracksNamed(takePath()), 1);
    transport.stopTransport(StopMode::Both);
    EXPECT_EQ(tracksNamed(takePath()), 1) << "never added twice";
}

TEST_F(RecordingTest, WaitingTakeIsAddedWhenTheSongEnds) {
    addTrack("a.wav", false, ramp(kFrames * 3));
    record();
    in.fill(kPattern, 500, false);
    transport.stopTransport(StopMode::Recording);
    ASSERT_TRUE(transport.takeWaiting());
    playUntilIdle();
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing());
    EXPECT_EQ(tracksNamed(takePath()), 1);
}

TEST_F(RecordingTest, StoppingBothAddsTheTakeAtOnce) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    record();
    in.fill(kPattern, 500, false);
    transport.stopTransport(StopMode::Both);
    EXPECT_FALSE(transport.takeWaiting());
    EXPECT_EQ(tracksNamed(takePath()), 1);
    EXPECT_FALSE(out.isOpen);
    EXPECT_FALSE(in.isOpen);
    EXPECT_FALSE(view.timer);
}

TEST_F(RecordingTest, NameWithoutExtensionGetsWav) {
    view.takePaths.push_back(dir.file("Take.WAV"));
    transport.recordCommand();
    in.fill(kPattern, 500, false);
    transport.stopTransport(StopMode::Recording);
    EXPECT_EQ(tracksNamed(dir.file("Take.WAV")), 1);
    record();
    EXPECT_EQ(view.dialogs.at(1), "Record a track:|" + dir.file("Take.WAV"))
        << "starts at the previous take";
}

TEST_F(RecordingTest, FileAlreadyInTheSongIsRefusedBeforeAnythingOpens) {
    const std::string path = addTrack("take.wav", false, ramp(100));
    view.takePaths.push_back(dir.file("TAKE.wav"));
    transport.recordCommand();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              "The file \"" + dir.file("TAKE.wav") +
                  "\" is already in the track list: remove it before recording it again.");
    EXPECT_EQ(view.boxes[0].caption, "Error:");
    EXPECT_TRUE(in.opened.empty());
    EXPECT_TRUE(out.opened.empty());
    EXPECT_EQ(song().trackCount, 1);
    EXPECT_EQ(readBytes(path).size(), 44u + 200u) << "the track is untouched";
}

TEST_F(RecordingTest, TakePathTooLongForTheSongIsRefused) {
    view.takePaths.push_back(std::string(252, 'x'));
    transport.recordCommand();
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes[0].text, pathTooLongMessage(std::string(252, 'x') + ".wav"));
    EXPECT_TRUE(in.opened.empty());
}

TEST_F(RecordingTest, CancelledDialogMarksTheSongModifiedAndStopsEverything) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    song().modified = false;
    transport.recordCommand();
    EXPECT_TRUE(song().modified);
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(transport.recording());
    EXPECT_EQ(song().trackCount, 1);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(view.isEnabled(TransportControl::Record));
}

struct ArmFailure {
    const char* name;
    int openResult;
    int failAddAfter;
    const char* message;
};

class ArmFailureTest : public RecordingTest, public ::testing::WithParamInterface<ArmFailure> {};

TEST_P(ArmFailureTest, TakeIsClosedEmptyAndNotAdded) {
    const ArmFailure& c = GetParam();
    addTrack("a.wav", false, ramp(kFrames * 30));
    in.openResult = c.openResult;
    in.failAddAfter = c.failAddAfter;
    record();
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes[0], (Box{c.message, "<default>", false}));
    EXPECT_FALSE(transport.recording());
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(in.isOpen);
    EXPECT_EQ(song().trackCount, 1);
    EXPECT_TRUE(takeData().empty());
    EXPECT_TRUE(view.isEnabled(TransportControl::Record));
    EXPECT_FALSE(view.timer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArmFailureTest,
    ::testing::Values(
        ArmFailure{"DeviceInUse", 4, -1, "The Soundcard is already in use by another application."},
        ArmFailure{"BadFormat", 32, -1, "Recording format not supported by the hardware."},
        ArmFailure{"OtherOpenError", 2, -1, "Failed to write block to device"},
        ArmFailure{"AddRefused", 0, 5, "Failed to write block to device"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(RecordingTest, UnwritableTakeFileIsReported) {
    view.takePaths.push_back(dir.file("missing-folder/take.wav"));
    transport.recordCommand();
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes[0].text,
              "Unable to open the file \"" + dir.file("missing-folder/take.wav") + "\"");
    EXPECT_TRUE(in.opened.empty());
    EXPECT_EQ(song().trackCount, 0);
}

TEST_F(RecordingTest, ATakeStoppedBeforeAnySoundStaysOutOfTheSongAndPlayStillWorks) {
    addTrack("a.wav", false, ramp(kFrames * 3));
    record();
    transport.stopTransport(StopMode::Both);
    EXPECT_EQ(song().trackCount, 1);
    EXPECT_FALSE(std::filesystem::exists(takePath()));
    EXPECT_EQ(boxTexts().back(), "Nothing was recorded, so the take was not added to the song.");
    transport.playCommand();
    EXPECT_TRUE(transport.playing());
}

TEST_F(RecordingTest, InputThatWillNotCloseStillLeavesAClosedTakeInTheSong) {
    record();
    transport.onInputData(in.fill(kPattern, kBuffer), kBuffer);
    in.closeResult = 5;
    transport.stopTransport(StopMode::Recording);
    EXPECT_EQ(takeData().size(), kBuffer);
    EXPECT_EQ(tracksNamed(takePath()), 1);
    in.closeResult = 0;
    transport.recorder().stop();
    EXPECT_FALSE(in.isOpen) << "the next stop closes it";
}

TEST_F(RecordingTest, TickShowsRecordedTimeBlinkAndLag) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    record();
    out.position = 44100 * 2 + 700;
    in.position = 44100 * 2 + 100;
    transport.onTimerTick();
    transport.onTimerTick();
    transport.onTimerTick();
    EXPECT_EQ(view.text(TransportControl::RecordTime), " Time: 2");
    const std::vector<std::string> blink = {"   RECORDING", "   ", "   RECORDING"};
    EXPECT_EQ(view.textHistory[TransportControl::Status], blink);
    EXPECT_EQ(view.text(TransportControl::Lag), "Lag: 600");
}

TEST_F(RecordingTest, RecordWhilePlayingStartsTheSongOver) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    transport.playCommand();
    playOne();
    record();
    EXPECT_TRUE(transport.recording());
    EXPECT_EQ(out.opened.size(), 2u);
    EXPECT_EQ(out.opened[1].channels, 1);
    EXPECT_EQ(out.closes, 1);
}

}  // namespace
}  // namespace brevant::testing
