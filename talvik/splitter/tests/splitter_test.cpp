#include "splitter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "file_error.h"
#include "file_names.h"
#include "temp_dir.h"
#include "track_builder.h"
#include "waveform_plot.h"

namespace talvik {
namespace {

using testing::FileExists;
using testing::ReadBytes;
using testing::TempDir;
using testing::TrackBuilder;
using testing::WriteBytes;
using F = SampleFormat;

class CountingBeeper : public Beeper {
  public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class SplitterTest : public ::testing::Test {
  protected:
    SplitterTest() {
        settings.sourceDir = src.text();
        settings.saveDir = out.text();
        settings.silence = 100;
        settings.minSize = 0;
    }
    // Sounds of the given lengths separated by 200 quiet samples.
    void writeTrack(int track, std::initializer_list<int> lengths, F load = F::Raw8) {
        TrackBuilder t(load);
        t.quiet(50);
        for (int n : lengths) {
            t.loud(n).quiet(200);
        }
        WriteBytes(TrackFileName(load, track, src.text()), t.bytes());
    }
    std::string soundFile(int track, int number) const {
        return TrackDirName(out.text(), "TRACK", track) + kDirSeparator + "SAMPLE" +
               TwoDigit(number) + ".WAV";
    }

    TempDir src;
    TempDir out;
    SplitterSettings settings;
    CountingBeeper beeper;
};

TEST_F(SplitterTest, AnalyzeMissingFileDoesNothing) {
    Splitter s(beeper, settings);
    EXPECT_FALSE(s.analyze(settings));
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_EQ(s.view().foundLabel, "0");
    EXPECT_FALSE(s.view().splitSaveEnabled);
}

TEST_F(SplitterTest, AnalyzeFillsLabelsButtonsAndImages) {
    writeTrack(1, {3000, 2000, 500});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(s.sounds().count(), 3);
    EXPECT_EQ(s.view().foundLabel, "3 (3)");
    // 50 + 5500 + 600 bytes; sounds one sample shorter than their loud runs.
    EXPECT_EQ(s.view().trackLabel, "1,  6 Kb (5 Kb)");
    EXPECT_EQ(s.view().soundLabel, "1,  2 Kb");
    EXPECT_TRUE(s.view().splitSaveEnabled);
    EXPECT_TRUE(s.view().viewNextEnabled);
    EXPECT_FALSE(s.view().viewPreviousEnabled);
    EXPECT_TRUE(s.view().saveChecked);
    // Both pictures show the loud samples' row; the sound is loud from its start.
    const int loudRow = WaveformPlot::Row(F::Raw8, 228);
    int overviewLit = 0;
    int soundLit = 0;
    for (int x = 0; x < WaveImage::kWidth; ++x) {
        overviewLit += s.view().overview.pixel(x, loudRow) != 0;
        soundLit += s.view().sound.pixel(x, loudRow) != 0;
    }
    EXPECT_GT(overviewLit, 200);
    EXPECT_GT(soundLit, 500);
}

TEST_F(SplitterTest, SixteenBitAnalysisBeepsThreeTimes) {
    settings.load = F::Bit16;
    writeTrack(1, {3000}, F::Bit16);
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(beeper.beeps, 3);
    EXPECT_EQ(s.view().foundLabel, "1 (1)");
}

TEST_F(SplitterTest, SteppingThroughTheSounds) {
    writeTrack(1, {3000, 2000, 500});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    s.viewNext(settings);
    EXPECT_EQ(s.view().soundLabel, "2,  1 Kb");
    EXPECT_TRUE(s.view().viewPreviousEnabled);
    EXPECT_TRUE(s.view().viewNextEnabled);
    s.viewNext(settings);
    EXPECT_EQ(s.view().soundLabel, "3,  499 bytes");
    EXPECT_FALSE(s.view().viewNextEnabled);
    s.viewPrevious(settings);
    EXPECT_EQ(s.view().soundLabel, "2,  1 kb");
    EXPECT_TRUE(s.view().viewNextEnabled);
    EXPECT_TRUE(s.view().viewPreviousEnabled);
    s.viewPrevious(settings);
    EXPECT_EQ(s.currentSound(), 0);
    EXPECT_FALSE(s.view().viewPreviousEnabled);
}

TEST_F(SplitterTest, ViewPreviousShowsSamplesWhereViewNextShowsBytes) {
    settings.load = F::Bit16;
    settings.save = F::Bit16;
    writeTrack(1, {800, 900}, F::Bit16);
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    s.viewNext(settings);
    EXPECT_EQ(s.view().soundLabel, "2,  1798 bytes");
    s.viewPrevious(settings);
    EXPECT_EQ(s.view().soundLabel, "1,  799 bytes");
}

TEST_F(SplitterTest, UncheckedSoundLeavesAGapInTheNumbers) {
    writeTrack(1, {3000, 2000, 1500, 1200});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    s.viewNext(settings);
    s.viewNext(settings);
    s.saveClicked(false);
    beeper.beeps = 0;
    EXPECT_EQ(s.splitAndSave(settings), 3);
    EXPECT_EQ(beeper.beeps, 4);
    EXPECT_TRUE(FileExists(soundFile(1, 1)));
    EXPECT_TRUE(FileExists(soundFile(1, 2)));
    EXPECT_FALSE(FileExists(soundFile(1, 3)));
    EXPECT_TRUE(FileExists(soundFile(1, 4)));
    EXPECT_EQ(ReadBytes(soundFile(1, 2)).size(), 1999u);
    // Raw 8-bit saved as raw: the bytes of the track, loud value 100.
    EXPECT_EQ(ReadBytes(soundFile(1, 1))[0], 100);
}

TEST_F(SplitterTest, AutoSkipMarksShortSoundsOff) {
    writeTrack(1, {500});
    settings.minSize = 1000;
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(s.view().foundLabel, "0 (1)");
    EXPECT_FALSE(s.view().saveChecked);
    EXPECT_EQ(s.splitAndSave(settings), 0);
    EXPECT_FALSE(FileExists(TrackDirName(out.text(), "TRACK", 1)));

    settings.autoSkip = false;
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(s.view().foundLabel, "1 (1)");
    s.minSizeChanged(settings);  // unmarks whether or not Auto skip is checked
    EXPECT_EQ(s.sounds().markedCount(), 0);
    EXPECT_EQ(s.view().foundLabel, "0 (1)");  // shown at once, with the shown sound's mark
    EXPECT_FALSE(s.view().saveChecked);
}

TEST_F(SplitterTest, NoSoundFoundStillSavesNothingAndDeletes) {
    TrackBuilder t(F::Raw8);
    t.quiet(5000);
    WriteBytes(TrackFileName(F::Raw8, 1, src.text()), t.bytes());
    settings.deleteProcessed = true;
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(s.view().foundLabel, "0 (0)");
    EXPECT_FALSE(s.view().viewNextEnabled);
    EXPECT_FALSE(s.view().viewPreviousEnabled);
    EXPECT_TRUE(s.view().splitSaveEnabled);
    s.saveClicked(true);  // nothing to mark; must not touch a missing entry
    EXPECT_EQ(s.splitAndSave(settings), 0);
    EXPECT_FALSE(FileExists(TrackFileName(F::Raw8, 1, src.text())));
}

TEST_F(SplitterTest, SaveUsesTheAnalysedTrackNotTheCurrentControls) {
    writeTrack(1, {3000});
    writeTrack(2, {100, 100, 100});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    s.startTrackChanged(2);
    EXPECT_EQ(s.splitAndSave(settings), 1);
    EXPECT_EQ(ReadBytes(soundFile(1, 1)).size(), 2999u);
    EXPECT_FALSE(FileExists(TrackDirName(out.text(), "TRACK", 2)));
}

TEST_F(SplitterTest, AnalyzeNextHasNoExistenceTest) {
    writeTrack(1, {3000});
    Splitter s(beeper, settings);
    EXPECT_THROW(s.analyzeNext(settings), FileError);
    EXPECT_EQ(s.currentTrack(), 2);
    s.setCurrentTrack(0);
    s.analyzeNext(settings);
    EXPECT_EQ(s.view().trackLabel.substr(0, 3), "1, ");
}

TEST_F(SplitterTest, AutoModeRunsTheRangeOnceEach) {
    for (int t = 1; t <= 5; ++t) {
        writeTrack(t, {1000 * t + 500});
    }
    settings.startTrack = 2;
    settings.endTrack = 4;
    settings.deleteProcessed = true;
    struct Recorder : AutoModeObserver {
        std::string log;
        void trackStarted(int t) override { log += "start " + std::to_string(t) + ";"; }
        void trackAnalyzed(int t) override { log += "analysed " + std::to_string(t) + ";"; }
        void trackSaved(int t, int files) override {
            log += "saved " + std::to_string(t) + ":" + std::to_string(files) + ";";
        }
    } recorder;
    Splitter s(beeper, settings);
    s.autoMode(settings, &recorder);
    EXPECT_EQ(s.currentTrack(), 5);
    EXPECT_EQ(recorder.log,
              "start 2;analysed 2;saved 2:1;start 3;analysed 3;saved 3:1;"
              "start 4;analysed 4;saved 4:1;");
    EXPECT_EQ(beeper.beeps, 3 * (2 + 4));
    for (int t = 1; t <= 5; ++t) {
        const bool inRange = t >= 2 && t <= 4;
        EXPECT_EQ(FileExists(soundFile(t, 1)), inRange) << t;
        EXPECT_EQ(FileExists(TrackFileName(F::Raw8, t, src.text())), !inRange) << t;
    }
    EXPECT_EQ(ReadBytes(soundFile(3, 1)).size(), 3499u);
}

TEST_F(SplitterTest, AutoModeStopsAtAMissingTrack) {
    writeTrack(1, {1000});
    writeTrack(3, {1000});
    settings.endTrack = 3;
    Splitter s(beeper, settings);
    EXPECT_THROW(s.autoMode(settings), FileError);
    EXPECT_TRUE(FileExists(soundFile(1, 1)));
    EXPECT_FALSE(FileExists(soundFile(3, 1)));
}

TEST_F(SplitterTest, AutoModeCanGoOnAfterAMissingOrFailingTrack) {
    struct Seen : AutoModeObserver {
        void trackMissing(int track, const std::string&) override { missing.push_back(track); }
        void trackFailed(int track, const std::exception&) override { failed.push_back(track); }
        std::vector<int> missing, failed;
    } seen;
    writeTrack(1, {1000});
    writeTrack(3, {1000});
    settings.endTrack = 3;
    Splitter s(beeper, settings);
    AutoModeOptions goOn;
    goOn.goOnAfterFailure = true;
    EXPECT_FALSE(s.autoMode(settings, &seen, goOn));
    EXPECT_EQ(seen.failed, std::vector<int>{2});
    EXPECT_TRUE(FileExists(soundFile(3, 1)));
    goOn.checkExists = true;
    EXPECT_FALSE(s.autoMode(settings, &seen, goOn));
    EXPECT_EQ(seen.missing, std::vector<int>{2});
}

TEST_F(SplitterTest, SixteenBitSaveAfterAnEightBitAnalysisIsAClearError) {
    writeTrack(1, {1000});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    settings.load = settings.save = F::Bit16;
    try {
        s.splitAndSave(settings);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), kNeeds16BitTrack);
    }
    EXPECT_FALSE(FileExists(soundFile(1, 1)));
}

TEST_F(SplitterTest, SaveBoxFollowsTheSoundEvenWhenItsDrawingFails) {
    writeTrack(1, {1000, 1000});
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    s.saveClicked(false);
    std::filesystem::remove(TrackFileName(F::Raw8, 1, src.text()));
    EXPECT_THROW(s.viewNext(settings), FileError);
    EXPECT_TRUE(s.view().saveChecked);  // the second sound's own mark
}

TEST_F(SplitterTest, ManySoundsAreAllKeptAndNumberedOn) {
    TrackBuilder t(F::Raw8);
    for (int i = 0; i < 120; ++i) {
        t.loud(20).quiet(101);
    }
    WriteBytes(TrackFileName(F::Raw8, 1, src.text()), t.bytes());
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    EXPECT_EQ(s.view().foundLabel, "120 (120)");
    EXPECT_EQ(s.splitAndSave(settings), 120);
    EXPECT_TRUE(FileExists(soundFile(1, 120)));
}

TEST_F(SplitterTest, TooLongTrackNameSaysSo) {
    settings.sourceDir = src.text() + std::string(kMaxComponentLength + 1, 'x') + kDirSeparator;
    Splitter s(beeper, settings);
    EXPECT_THROW(s.analyze(settings), FileError);
}

TEST_F(SplitterTest, TooLongOutputNameIsAnErrorNotAnotherFile) {
    writeTrack(1, {1000});
    settings.createDir = std::string(kMaxComponentLength + 1, 'D');
    Splitter s(beeper, settings);
    ASSERT_TRUE(s.analyze(settings));
    try {
        s.splitAndSave(settings);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("too long"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace talvik
