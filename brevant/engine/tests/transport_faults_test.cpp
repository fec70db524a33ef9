// The transport's sound behaviour where the plain sequence of steps would go
// wrong: messages after the stop, a device that will not close, the "Ready?"
// box, a refused MIDI play, the take's own format and path, the stop before a
// song change.
#include <gtest/gtest.h>

#include <algorithm>

#include "block_size.h"
#include "live_fixture.h"

namespace brevant::testing {
namespace {

constexpr std::size_t kFrames = kBlockFrames;
constexpr std::uint32_t kBuffer = RecordingEngine::kBufferBytes;
const std::vector<std::uint8_t> kPattern = {0x34, 0x12, 0xCD, 0xAB};

class TransportFaults : public LiveFixture {
  protected:
    void record(const std::string& name = "take") {
        view.takePaths.push_back(dir.file(name));
        transport.recordCommand();
    }
    bool logged(const std::string& call) const {
        return std::find(log.begin(), log.end(), call) != log.end();
    }
    // The device hands back whatever it holds, as it does while a box is up.
    void deliverEverything() {
        deliverOutputNotices();
        while (playOne() >= 0) {
        }
        for (int slot; (slot = in.fill(kPattern, kBuffer)) >= 0;)
            transport.onInputData(slot, kBuffer);
        deliverInputNotices();
    }
};

TEST_F(TransportFaults, AReadErrorDuringPlaybackShowsOneBox) {
    addTrack("a.wav", false, ramp(kFrames * 20));
    transport.playCommand();
    out.failWriteAfter = 0;
    view.onBox = [&](const Box&) { deliverEverything(); };
    playOne();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"device error 11"});
    EXPECT_FALSE(transport.playing());
}

TEST_F(TransportFaults, AFailedBufferDuringRecordingShowsOneBox) {
    record();
    in.failAddAfter = 0;
    view.onBox = [&](const Box&) { deliverEverything(); };
    const int slot = in.fill(kPattern, kBuffer);
    transport.onInputData(slot, kBuffer);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Ready?", "Failed to write block to device"}));
    EXPECT_FALSE(transport.recording());
}

TEST_F(TransportFaults, AnOutputThatWouldNotCloseIsClosedAtTheNextPlay) {
    addTrack("a.wav", false, ramp(kFrames * 20));
    out.closeFailures = 1;
    transport.playCommand();
    transport.stopTransport(StopMode::Playback);
    EXPECT_TRUE(transport.playback().deviceOpen());
    transport.playCommand();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(transport.playing());
    EXPECT_EQ(out.closes, 1);
    EXPECT_EQ(out.opened.size(), 2u);
}

TEST_F(TransportFaults, AStopOrSeekWhileTheReadyBoxIsUpStartsNothing) {
    const std::pair<const char*, void (*)(Transport&)> cases[] = {
        {"stoprec", [](Transport& tr) { tr.stopTransport(StopMode::Recording); }},
        {"stopplay", [](Transport& tr) { tr.stopTransport(StopMode::Playback); }},
        {"seek", [](Transport& tr) { tr.onPositionSlider(4, 1); }},
    };
    addTrack("a.wav", false, ramp(kFrames * 20));
    for (const auto& [name, duringBox] : cases) {
        log.clear();
        view.onBox = [&, act = duringBox](const Box& b) {
            if (b.text == "Ready?")
                act(transport);
        };
        record(name);
        const auto texts = boxTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Ready?"), 1) << name;
        EXPECT_FALSE(logged("in.start")) << name;
        EXPECT_FALSE(logged("out.restart")) << name;
        EXPECT_FALSE(transport.busy()) << name;
        EXPECT_EQ(song().trackCount, 1) << name << ": nothing was recorded";
        view.boxes.clear();
    }
}

TEST_F(TransportFaults, ARefusedMidiPlayAloneLeavesTheTransportIdle) {
    song().midiFile = "backing.mid";
    seq.files["backing.mid"] = 90000;
    seq.playResult = 339;
    transport.playCommand();
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
    EXPECT_FALSE(view.timer);
}

TEST_F(TransportFaults, ATakeKeepsTheFormatItWasArmedWith) {
    record();
    setRecordFormat(settings, 1, 22050, 16);  // Preferences, during the take
    in.position = 3 * 44100;
    transport.onTimerTick();
    EXPECT_EQ(view.text(TransportControl::RecordTime), " Time: 3");
    in.fill(kPattern, 500, false);
    transport.stopTransport(StopMode::Recording);
    ASSERT_EQ(song().trackCount, 1);
    EXPECT_EQ(song().track(0).fileName, dir.file("take.wav"));
}

TEST_F(TransportFaults, ATakePathNamingATrackUnderAnotherSpellingIsRefused) {
    addTrack("a.wav", false, ramp(kFrames));
    record("./a.wav");
    EXPECT_EQ(boxTexts(),
              std::vector<std::string>{
                  "The file \"" + dir.file("./a.wav") +
                  "\" is already in the track list: remove it before recording it again."});
    EXPECT_TRUE(in.opened.empty());
    EXPECT_FALSE(transport.busy());
}

TEST_F(TransportFaults, StopAndKeepTakeAddsTheRunningTakeBeforeReturning) {
    addTrack("a.wav", false, ramp(kFrames * 20));
    record();
    EXPECT_TRUE(transport.busy());
    transport.onInputData(in.fill(kPattern, kBuffer), kBuffer);
    EXPECT_TRUE(transport.stopAndKeepTake());
    EXPECT_FALSE(transport.busy());
    ASSERT_EQ(song().trackCount, 2);
    EXPECT_EQ(song().track(1).fileName, dir.file("take.wav"));
    EXPECT_TRUE(song().modified);
    EXPECT_FALSE(transport.stopAndKeepTake()) << "nothing runs any more";
}

}  // namespace
}  // namespace brevant::testing
