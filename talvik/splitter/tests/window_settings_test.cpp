#include <gtest/gtest.h>

#include <algorithm>

#include "control_rules.h"
#include "file_names.h"
#include "window_settings.h"

namespace talvik {
namespace {

using F = SampleFormat;
using R = SettingsRecord;

bool AnyExists(const std::string&) {
    return true;
}

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
    EXPECT_TRUE(ApplyStartupRecord(back, lists, next, AnyExists).empty());
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
    EXPECT_TRUE(ApplyStartupRecord(r, lists, s, AnyExists).empty());
    EXPECT_EQ(lists.source, "D:\\A");
    EXPECT_EQ(s.sourceDir, "E:\\B\\");
    EXPECT_EQ(s.createDir, "TRACK");  // not in the file: the default stays
}

// A saved directory that may have been cut, lost its closing separator or gone is not
// used: the field is named and its box keeps what it would hold without it.
TEST(WindowSettings, UntrustedDirectoriesAreNamedAndNotUsed) {
    const std::string sep(1, kDirSeparator);
    const std::string longDir = "C:" + sep + std::string(37, 'a') + sep;  // 40 characters
    const struct {
        const char* name;
        R::Field field;
        std::string saved;
        std::vector<R::Field> expected;
    } cases[] = {
        {"usable Savedir", R::kSaveDir, "C:" + sep + "OUT" + sep, {}},
        {"Savedir that filled its field", R::kSaveDir, longDir, {R::kSaveDir}},
        {"Savedir without its separator", R::kSaveDir, "C:" + sep + "OUT", {R::kSaveDir}},
        {"Sourcedir gone", R::kSourceDir, "C:" + sep + "GONE" + sep, {R::kSourceDir}},
        {"empty Sourcedir", R::kSourceDir, "", {R::kSourceDir}},
        {"list that filled its field", R::kDestList, longDir.substr(0, 40), {R::kDestList}},
        {"list gone", R::kSourceList, "C:" + sep + "GONE", {R::kSourceList}},
        {"empty list", R::kSourceList, "", {}},
    };
    const auto exists = [](const std::string& d) { return d.find("GONE") == std::string::npos; };
    for (const auto& c : cases) {
        R r;
        r.set(c.field, c.saved);
        SplitterSettings s;
        DirectoryLists lists{"C:" + sep + "START", "C:" + sep + "START"};
        EXPECT_EQ(ApplyStartupRecord(r, lists, s, exists), c.expected) << c.name;
        const bool used = c.expected.empty() && !c.saved.empty();
        const std::string& shown = c.field == R::kSaveDir     ? s.saveDir
                                   : c.field == R::kSourceDir ? s.sourceDir
                                   : c.field == R::kDestList  ? lists.destination
                                                              : lists.source;
        const std::string untouched = c.field == R::kSaveDir || c.field == R::kSourceDir
                                          ? SplitterSettings{}.saveDir
                                          : "C:" + sep + "START";
        EXPECT_EQ(shown, used ? c.saved : untouched) << c.name;
    }
}

std::size_t NextShiftJis(const std::string& text, std::size_t at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return std::min(at + (lead ? 2 : 1), text.size());
}

// In code page 932 "\x83\x5C" is one character, not a closing separator, and the 40-byte
// cut never splits it.
TEST(WindowSettings, DoubleByteNamesAreWalkedByCharacter) {
    SplitterSettings s;
    s.saveDir = "C:\\\x83\x5C";
    s.sourceDir = std::string(39, 'a') + "\x83\x5C";
    const SettingsRecord r = MakeSettingsRecord({}, s, NextShiftJis);
    EXPECT_EQ(r.get(R::kSourceDir), std::string(39, 'a'));
    SplitterSettings next;
    DirectoryLists lists;
    EXPECT_EQ(ApplyStartupRecord(r, lists, next, AnyExists, NextShiftJis),
              (std::vector<R::Field>{R::kSourceDir, R::kSaveDir}));
}

TEST(WindowSettings, NotRestoredMessageNamesTheFields) {
    EXPECT_EQ(NotRestoredMessage({R::kSaveDir}),
              "tvk.prf: Savedir could not be restored (cut at 40 characters, or no such "
              "directory) and started as on a first start.");
    EXPECT_NE(NotRestoredMessage({R::kSourceList, R::kDestList, R::kSourceDir})
                  .find("Sourcedirectory, Destinationdirectory and Sourcedir could not"),
              std::string::npos);
}

}  // namespace
}  // namespace talvik
