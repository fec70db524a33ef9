#include <gtest/gtest.h>

#include "preferences_form.h"

namespace brevant {
namespace {

TEST(PreferencesForm, CompensationIsEnteredInSamplesAndHeldDoubled) {
    Song song;
    RecorderSettings settings;
    PreferencesForm form = openPreferences(song, settings);
    EXPECT_EQ(form.compensationText, "300");
    form.compensationText = "150";
    ASSERT_TRUE(applyPreferences(form, song, settings));
    EXPECT_EQ(song.compensation, 300);
    EXPECT_EQ(openPreferences(song, settings).compensationText, "150");
}

struct TextCase {
    const char* text;
    std::int32_t value;
};

TEST(PreferencesForm, CompensationTextRule) {
    const TextCase cases[] = {
        {"abc", 0},          {"", 0},          {"  42", 42},        {"\t-17", -17},
        {"+8", 8},           {"12abc", 12},    {"3 4", 3},          {"- 5", 0},
        {"--5", 0},          {"0x1F", 0},      {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const TextCase& c : cases) EXPECT_EQ(parseCompensationText(c.text), c.value) << '"' << c.text << '"';
}

TEST(PreferencesForm, HugeCompensationStaysWithinRange) {
    Song song;
    RecorderSettings settings;
    PreferencesForm form = openPreferences(song, settings);
    form.compensationText = "-99999999999";
    ASSERT_TRUE(applyPreferences(form, song, settings));
    EXPECT_EQ(song.compensation, -2147483646);
}

TEST(PreferencesForm, OkStoresFormatOptionAndEditorWithoutMarkingTheSong) {
    Song song;
    RecorderSettings settings;
    PreferencesForm form = openPreferences(song, settings);
    EXPECT_FALSE(form.stereo);
    EXPECT_TRUE(form.sixteenBit);
    EXPECT_EQ(form.frequency, 44100u);
    form.stereo = true;
    form.frequency = 22050;
    form.monoPlayback = false;
    form.editorPath = "C:\\ed.exe";
    ASSERT_TRUE(applyPreferences(form, song, settings));
    EXPECT_EQ(settings.recordFormat.channels, 2);
    EXPECT_EQ(settings.recordFormat.samplesPerSec, 22050u);
    EXPECT_EQ(settings.recordFormat.blockAlign, 4);
    EXPECT_EQ(settings.recordFormat.avgBytesPerSec, 88200u);
    EXPECT_FALSE(settings.monoPlaybackOption);
    EXPECT_EQ(settings.editorPath, "C:\\ed.exe");
    EXPECT_FALSE(song.modified);
}

TEST(PreferencesForm, NoFrequencySelectedKeepsTheCurrentOne) {
    Song song;
    RecorderSettings settings;
    setRecordFormat(settings, 1, 12345, 16);
    PreferencesForm form = openPreferences(song, settings);
    EXPECT_FALSE(form.frequency.has_value());
    form.sixteenBit = false;
    ASSERT_TRUE(applyPreferences(form, song, settings));
    EXPECT_EQ(settings.recordFormat.samplesPerSec, 12345u);
    EXPECT_EQ(settings.recordFormat.bitsPerSample, 8);
    EXPECT_EQ(settings.recordFormat.blockAlign, 1);
}

TEST(PreferencesForm, AnEditorPathTooLongIsRefusedAndNothingStored) {
    Song song;
    RecorderSettings settings;
    PreferencesForm form = openPreferences(song, settings);
    form.editorPath = std::string(256, 'q');
    form.compensationText.assign(1, '1');
    const Status s = applyPreferences(form, song, settings);
    ASSERT_TRUE(s.failed());
    EXPECT_EQ(s.message(), "The path \"" + form.editorPath + "\" is longer than 255 characters.");
    EXPECT_EQ(song.compensation, 600);
    EXPECT_EQ(settings.editorPath, "");
}

}  // namespace
}  // namespace brevant
