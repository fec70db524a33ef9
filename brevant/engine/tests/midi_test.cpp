// The MIDI file in step with the song, over a fake sequencer; and the
// "MIDI Synchronization" dialog's model.
#include <gtest/gtest.h>

#include "block_size.h"
#include "live_fixture.h"
#include "midi_dialog.h"

namespace brevant::testing {
namespace {

constexpr std::size_t kFrames = kBlockFrames;

class MidiTest : public LiveFixture {
  protected:
    void useMidi(std::uint32_t lengthMs = 90000) {
        song().midiFile = "backing.mid";
        seq.files["backing.mid"] = lengthMs;
    }
};

TEST_F(MidiTest, MidiAloneFollowsThePositionAndEndsEverything) {
    useMidi();
    transport.playCommand();
    ASSERT_TRUE(transport.midiPlaying());
    EXPECT_TRUE(out.opened.empty());
    EXPECT_EQ(seq.plays, std::vector<std::uint32_t>{500});
    EXPECT_FALSE(view.isEnabled(TransportControl::Play));
    EXPECT_TRUE(view.timer);

    seq.position = 7300;
    transport.onTimerTick();
    EXPECT_EQ(view.text(TransportControl::PlayTime), " Time: 7");
    EXPECT_EQ(view.position, 7);

    transport.onMidiNotify(seq.finish());
    EXPECT_FALSE(transport.midiPlaying());
    EXPECT_TRUE(seq.openIds.empty()) << "the device is closed";
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
    EXPECT_FALSE(view.timer);
    deliverMidiNotices();
    EXPECT_TRUE(view.boxes.empty());
}

struct StartCase {
    const char* name;
    std::int32_t startSeconds;
    std::int32_t compensationMs;
    std::uint32_t fromMs;
};

class MidiStartTest : public MidiTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(MidiStartTest, PlaysFromTheStartPositionPlusTheOffset) {
    const StartCase& c = GetParam();
    useMidi();
    song().startSeconds = c.startSeconds;
    song().midiCompensationMs = c.compensationMs;
    transport.playCommand();
    EXPECT_EQ(seq.plays, std::vector<std::uint32_t>{c.fromMs});
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiStartTest,
                         ::testing::Values(StartCase{"AtZero", 0, 500, 500},
                                           StartCase{"AtTen", 10, 500, 10500},
                                           StartCase{"NegativeOffsetLater", 3, -500, 2500},
                                           StartCase{"NegativeOffsetAtZero", 0, -500, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(MidiTest, MissingFileShowsTheDeviceTextAndAudioPlaysAlone) {
    addTrack("a.wav", false, ramp(kFrames * 12));
    song().midiFile = "gone.mid";
    seq.texts[FakeSequencer::kFileNotFound] = "The specified file was not found.";
    transport.playCommand();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], (Box{"The specified file was not found.", "MCI Error", true}));
    EXPECT_TRUE(transport.playing());
    EXPECT_FALSE(transport.midiPlaying());
}

TEST_F(MidiTest, ErrorWithoutTextShowsUnknownError) {
    song().midiFile = "gone.mid";
    transport.playCommand();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], (Box{"Unknown Error", "MCI Error", true}));
    EXPECT_FALSE(view.timer);
}

TEST_F(MidiTest, RefusedTimeFormatIsShownAndThePlayGoesOn) {
    useMidi();
    seq.setResult = 1;
    transport.playCommand();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], (Box{"errore: MCI_SET", "", false}));
    EXPECT_TRUE(transport.midiPlaying());
}

TEST_F(MidiTest, RefusedPlayClosesTheDeviceAndTheSongStillEnds) {
    addTrack("a.wav", false, ramp(kFrames * 2));
    useMidi();
    seq.playResult = 339;
    transport.playCommand();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(seq.openIds.empty());
    EXPECT_FALSE(transport.midiPlaying());
    playUntilIdle();
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing());
}

TEST_F(MidiTest, SeekWhileOnlyMidiPlaysRestartsItAndKeepsTheDisplay) {
    useMidi();
    transport.playCommand();
    transport.onPositionSlider(4, 20);
    EXPECT_TRUE(transport.midiRestart());
    EXPECT_EQ(seq.plays, (std::vector<std::uint32_t>{500, 20500}));
    EXPECT_EQ(seq.openIds.size(), 1u);
    deliverMidiNotices();  // the cut-short play says it was aborted
    EXPECT_FALSE(transport.midiRestart());
    EXPECT_TRUE(transport.midiPlaying());
    EXPECT_TRUE(view.timer);
    transport.onMidiNotify(seq.finish());
    EXPECT_FALSE(transport.midiPlaying());
    EXPECT_FALSE(view.timer);
}

TEST_F(MidiTest, SeekWhileAudioPlaysRestartsBothAndTheAbortIsIgnored) {
    addTrack("a.wav", false, ramp(44100 * 10));
    useMidi();
    transport.playCommand();
    transport.onPositionSlider(0, 4);
    deliverOutputNotices();
    EXPECT_EQ(seq.plays, (std::vector<std::uint32_t>{500, 4500}));
    deliverMidiNotices();
    EXPECT_TRUE(transport.midiPlaying());
    EXPECT_TRUE(transport.playing());
}

TEST_F(MidiTest, AbortNoticeAfterAStopChangesNothing) {
    useMidi();
    transport.playCommand();
    transport.stopTransport(StopMode::Playback);
    song().startSeconds = 7;
    deliverMidiNotices();
    EXPECT_EQ(song().startSeconds, 7) << "not taken for the end of a file";
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
    transport.playCommand();
    EXPECT_EQ(seq.plays.back(), 7500u);
}

TEST_F(MidiTest, MidiLongerThanTheAudioKeepsPlaybackUntilItEnds) {
    addTrack("a.wav", false, ramp(kFrames * 2));
    useMidi();
    transport.playCommand();
    playUntilIdle();
    transport.onTimerTick();
    EXPECT_TRUE(transport.playing()) << "the MIDI file still plays";
    EXPECT_TRUE(transport.midiPlaying());

    transport.onMidiNotify(seq.finish());
    transport.onTimerTick();
    EXPECT_FALSE(transport.playing());
    EXPECT_FALSE(out.isOpen);
    EXPECT_FALSE(view.timer);
    EXPECT_TRUE(view.isEnabled(TransportControl::Play));
}

TEST_F(MidiTest, MidiEndingFirstLeavesTheSequencerOpenUntilPlaybackStops) {
    addTrack("a.wav", false, ramp(kFrames * 30));
    useMidi();
    transport.playCommand();
    transport.onMidiNotify(seq.finish());
    EXPECT_TRUE(transport.playing());
    EXPECT_EQ(seq.openIds.size(), 1u);
    transport.stopTransport(StopMode::Playback);
    EXPECT_TRUE(seq.openIds.empty());
}

TEST_F(MidiTest, RecordingAloneWithMidiAddsTheTakeWhenTheMidiEnds) {
    useMidi();
    view.takePaths.push_back(dir.file("take.wav"));
    transport.recordCommand();
    ASSERT_TRUE(transport.recording());
    in.fill({1, 2}, 500, false);
    transport.stopTransport(StopMode::Recording);
    EXPECT_TRUE(transport.takeWaiting());
    EXPECT_TRUE(view.timer) << "the MIDI file still shows its time";
    transport.onMidiNotify(seq.finish());
    EXPECT_FALSE(transport.takeWaiting());
    ASSERT_EQ(song().trackCount, 1);
    EXPECT_EQ(song().track(0).fileName, dir.file("take.wav"));
}

TEST_F(MidiTest, SongLengthCountsALongerMidiFile) {
    addTrack("a.wav", false, ramp(44100 * 3));
    useMidi(61900);
    EXPECT_EQ(transport.computeSongLength(), 61);
    EXPECT_EQ(view.positionHigh, 61);
    EXPECT_TRUE(seq.openIds.empty()) << "measured and closed";
}

TEST_F(MidiTest, SongOfOnlyAMidiFileHasItsLength) {
    useMidi(5000);
    EXPECT_EQ(transport.computeSongLength(), 5);
    EXPECT_EQ(view.positionHigh, 5);
}

TEST_F(MidiTest, NoMidiFileMeansNoDeviceAndAnEmptySlider) {
    EXPECT_EQ(transport.midi().midiLengthSeconds(""), 0);
    EXPECT_EQ(transport.computeSongLength(), 0);
    EXPECT_EQ(view.positionHigh, 0);
    EXPECT_TRUE(log.empty());
}

TEST(MidiDialogTest, OpensWithTheSongsValues) {
    Song song;
    song.midiFile = "c:\\songs\\a.mid";
    song.midiCompensationMs = -250;
    const MidiDialogForm form = openMidiDialog(song);
    EXPECT_EQ(form.midiFile, "c:\\songs\\a.mid");
    EXPECT_EQ(form.compensationText, "-250");
}

TEST(MidiDialogTest, OkStoresBothFieldsAndMarksTheSongModified) {
    struct Case {
        const char* text;
        std::int32_t ms;
    };
    for (const Case& c :
         {Case{"750", 750}, Case{"  -40", -40}, Case{"abc", 0}, Case{"+12ms", 12}}) {
        Song song;
        ASSERT_TRUE(applyMidiDialog({"b.mid", c.text}, song)) << c.text;
        EXPECT_EQ(song.midiCompensationMs, c.ms) << c.text;
        EXPECT_EQ(song.midiFile, "b.mid");
        EXPECT_TRUE(song.modified);
    }
}

TEST(MidiDialogTest, PathTooLongForTheProjectIsRefused) {
    Song song;
    song.midiFile = "a.mid";
    EXPECT_FALSE(applyMidiDialog({std::string(256, 'x'), "1"}, song));
    EXPECT_EQ(song.midiFile, "a.mid");
    EXPECT_FALSE(song.modified);
}

}  // namespace
}  // namespace brevant::testing
