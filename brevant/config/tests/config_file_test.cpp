#include <gtest/gtest.h>

#include <filesystem>

#include "config_file.h"
#include "config_record.h"
#include "little_endian.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

struct RecordingSink : MessageSink {
    void showMessage(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + ": " + text);
    }
    std::vector<std::string> shown;
};

ConfigRecord sampleRecord() {
    ConfigRecord r;
    r.compensation = 300;
    r.midiCompensationMs = -120;
    r.transportPos = {510, 90};
    r.mixerPos = {4, 60};
    r.channels = 2;
    r.frequency = 22050;
    r.monoPlayback = 0;
    r.editorPath = "C:\\tools\\editor.exe";
    return r;
}

TEST(ConfigRecord, LayoutIsFieldByFieldLittleEndian) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeConfigRecord(sampleRecord(), bytes));
    ASSERT_EQ(bytes.size(), 292u);
    LittleEndianReader in(bytes);
    EXPECT_EQ(in.i32(), 300);
    EXPECT_EQ(in.i32(), -120);
    EXPECT_EQ(in.i32(), 510);
    EXPECT_EQ(in.i32(), 90);
    EXPECT_EQ(in.i32(), 4);
    EXPECT_EQ(in.i32(), 60);
    EXPECT_EQ(in.i16(), 2);
    EXPECT_EQ(in.u16(), 0);
    EXPECT_EQ(in.i32(), 22050);
    EXPECT_EQ(in.i32(), 0);
    EXPECT_EQ(in.text(256), "C:\\tools\\editor.exe");
    EXPECT_EQ(bytes[36 + 19], 0);
}

TEST(ConfigRecord, RoundTrip) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeConfigRecord(sampleRecord(), bytes));
    ConfigRecord back;
    ASSERT_TRUE(readConfigRecord(bytes, back));
    EXPECT_EQ(back, sampleRecord());
}

TEST(ConfigRecord, AnEditorPathTooLongForItsFieldIsRefused) {
    ConfigRecord r = sampleRecord();
    r.editorPath = std::string(256, 'e');
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(writeConfigRecord(r, bytes).failed());
    EXPECT_TRUE(bytes.empty());
}

TEST(ConfigFile, FirstRunKeepsDefaultsAndExitWritesTheRecord) {
    testing::TempDir dir;
    const std::string path = dir.file("brevant.cfg");
    Song song;
    RecorderSettings settings;
    RecordingSink sink;
    EXPECT_FALSE(loadConfig(path, song, settings, sink));
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"Error: File open error [ReadFile()]."}));
    EXPECT_EQ(song.compensation, 600);
    EXPECT_EQ(settings.recordFormat.samplesPerSec, 44100u);
    EXPECT_EQ(settings.recordFormat.channels, 1u);
    EXPECT_TRUE(settings.monoPlaybackOption);

    ASSERT_TRUE(saveConfig(path, song, settings, sink));
    EXPECT_EQ(std::filesystem::file_size(path), 292u);
}

TEST(ConfigFile, AShortFileIsIgnoredAndReplacedAtExit) {
    testing::TempDir dir;
    const std::string path = dir.file("brevant.cfg");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeConfigRecord(sampleRecord(), bytes));
    bytes.pop_back();
    testing::writeBytes(path, bytes);
    Song song;
    RecorderSettings settings;
    RecordingSink sink;
    EXPECT_FALSE(loadConfig(path, song, settings, sink));
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"Error: File open error [ReadFile()]."}));
    EXPECT_EQ(song.compensation, 600) << "nothing of a short file is taken";
    ASSERT_TRUE(saveConfig(path, song, settings, sink));
    EXPECT_EQ(std::filesystem::file_size(path), 292u);
}

TEST(ConfigFile, SettingsSurviveARestartWithSixteenBits) {
    testing::TempDir dir;
    const std::string path = dir.file("brevant.cfg");
    Song song;
    RecorderSettings settings;
    setRecordFormat(settings, 2, 22050, 8);
    song.compensation = 444;
    song.midiCompensationMs = 7;
    settings.mixerPos = {11, 12};
    settings.editorPath = "ed.exe";
    settings.monoPlaybackOption = false;
    RecordingSink sink;
    ASSERT_TRUE(saveConfig(path, song, settings, sink));

    Song song2;
    RecorderSettings after;
    ASSERT_TRUE(loadConfig(path, song2, after, sink));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(after.recordFormat, WaveFormat::pcm(2, 22050, 16));
    EXPECT_EQ(song2.compensation, 444);
    EXPECT_EQ(song2.midiCompensationMs, 7);
    EXPECT_EQ(after.mixerPos, (PanelPosition{11, 12}));
    EXPECT_EQ(after.transportPos, (PanelPosition{503, 80}));
    EXPECT_EQ(after.editorPath, "ed.exe");
    EXPECT_FALSE(after.monoPlaybackOption);
}

TEST(ConfigFile, UnusableChannelsAndFrequencyKeepTheCurrentFormat) {
    testing::TempDir dir;
    const std::string path = dir.file("brevant.cfg");
    ConfigRecord r = sampleRecord();
    r.channels = 7;
    r.frequency = 0;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeConfigRecord(r, bytes));
    testing::writeBytes(path, bytes);
    Song song;
    RecorderSettings settings;
    RecordingSink sink;
    ASSERT_TRUE(loadConfig(path, song, settings, sink));
    EXPECT_EQ(settings.recordFormat, WaveFormat::pcm(1, 44100, 16));
    EXPECT_EQ(song.compensation, 300);
}

TEST(ConfigFile, AnEditorPathWithoutItsNulIsDropped) {
    testing::TempDir dir;
    const std::string path = dir.file("brevant.cfg");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeConfigRecord(sampleRecord(), bytes));
    for (std::size_t i = 36; i < 292; ++i) bytes[i] = 'z';
    testing::writeBytes(path, bytes);
    Song song;
    RecorderSettings settings;
    RecordingSink sink;
    ASSERT_TRUE(loadConfig(path, song, settings, sink));
    EXPECT_EQ(settings.editorPath, "");
    EXPECT_TRUE(saveConfig(path, song, settings, sink)) << "what was loaded can be saved back";
}

TEST(ConfigFile, AFailedSaveKeepsThePreviousFile) {
    testing::TempDir dir;
    RecordingSink sink;
    Song song;
    RecorderSettings settings;
    EXPECT_FALSE(saveConfig(dir.file("missing/brevant.cfg"), song, settings, sink));
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"Error: Error writing configuration file"}));

    const std::string path = dir.file("brevant.cfg");
    ASSERT_TRUE(saveConfig(path, song, settings, sink));
    const auto good = testing::readBytes(path);
    settings.editorPath = std::string(300, 'x');
    EXPECT_FALSE(saveConfig(path, song, settings, sink));
    EXPECT_EQ(testing::readBytes(path), good);
}

TEST(ConfigFile, APathNearTheLongestTheSystemTakesSavesWithoutATemporaryLeft) {
    testing::TempDir dir;
    const std::string base = dir.file("");
    for (std::size_t length : {255u, 257u, 259u}) {
        ASSERT_LT(base.size() + 8, length);
        const std::string path = base + std::string(length - base.size() - 4, 'c') + ".cfg";
        RecordingSink sink;
        Song song;
        song.compensation = 777;
        EXPECT_TRUE(saveConfig(path, song, RecorderSettings{}, sink)) << length;
        EXPECT_TRUE(sink.shown.empty()) << length;
        Song loaded;
        RecorderSettings settings;
        EXPECT_TRUE(loadConfig(path, loaded, settings, sink)) << length;
        EXPECT_EQ(loaded.compensation, 777) << length;
        std::filesystem::remove(path);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file(""))) << "a temporary was left";
}

}  // namespace
}  // namespace brevant
