#include <gtest/gtest.h>

#include "control_rules.h"
#include "window_settings.h"

namespace talvik {
namespace {

using F = SampleFormat;

TEST(ControlRules, SaveFormatChoosesTheSuffix) {
    SplitterSettings s;
    EXPECT_EQ(s.saveSuffix, "WAV");  // first start: WAV with RAW coding until a click
    SaveFormatChosen(s, F::Raw8);
    EXPECT_EQ(s.saveSuffix, "RAW");
    SaveFormatChosen(s, F::Wav8);
    EXPECT_EQ(s.saveSuffix, "WAV");
}

TEST(ControlRules, EightBitLoadTakesSixteenBitSaveAway) {
    SplitterSettings s;
    EXPECT_TRUE(LoadFormatChosen(s, F::Bit16));
    SaveFormatChosen(s, F::Bit16);
    EXPECT_FALSE(LoadFormatChosen(s, F::Wav8));
    EXPECT_EQ(s.save, F::Raw8);
    EXPECT_EQ(s.saveSuffix, "RAW");
    s.saveSuffix = "XYZ";
    EXPECT_FALSE(LoadFormatChosen(s, F::Raw8));
    EXPECT_EQ(s.saveSuffix, "XYZ");  // an 8-bit save format stays as it was
}

TEST(ControlRules, EndtrackNeverBelowStarttrack) {
    SplitterSettings s;
    StartTrackChanged(s, 5);
    EXPECT_EQ(s.endTrack, 5);
    EndTrackChanged(s, 3);
    EXPECT_EQ(s.endTrack, 5);
    EndTrackChanged(s, 9);
    StartTrackChanged(s, 2);
    EXPECT_EQ(s.endTrack, 9);
}

TEST(WindowSettings, TextsComeBackNumbersDoNot) {
    SplitterSettings s;
    s.sourceDir = "C:\\REC\\";
    s.saveDir = "C:\\OUT\\";
    s.createDir = "TR";
    s.noisePercent = 20;
    s.startTrack = 4;
    const SettingsRecord r = MakeSettingsRecord({"C:\\REC", "C:\\OUT"}, s);
    const auto image = r.render();
    const SettingsRecord back = SettingsRecord::ParseStartup(image.data(), image.size());

    SplitterSettings next;
    DirectoryLists lists;
    ApplyStartupRecord(back, lists, next);
    EXPECT_EQ(lists.source, "C:\\REC");
    EXPECT_EQ(next.sourceDir, "C:\\REC\\");
    EXPECT_EQ(next.createDir, "TR");
    EXPECT_EQ(next.noisePercent, 5);
    EXPECT_EQ(next.startTrack, 1);
}

TEST(WindowSettings, SavedEditTextWinsOverTheListsText) {
    SettingsRecord r;
    r.set(SettingsRecord::kSourceList, "D:\\A");
    r.set(SettingsRecord::kSourceDir, "E:\\B\\");
    SplitterSettings s;
    DirectoryLists lists;
    ApplyStartupRecord(r, lists, s);
    EXPECT_EQ(lists.source, "D:\\A");
    EXPECT_EQ(s.sourceDir, "E:\\B\\");
    EXPECT_EQ(s.createDir, "TRACK");  // not in the file: the default stays
}

}  // namespace
}  // namespace talvik
