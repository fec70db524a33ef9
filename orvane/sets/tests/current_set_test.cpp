#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "current_set.h"
#include "memory_settings_store.h"
#include "set_file_io.h"
#include "set_names.h"
#include "sets_dialog_model.h"
#include "temp_folder.h"
#include "test_entries.h"

namespace orvane {
namespace {

void WriteSet(const std::filesystem::path& folder, const char* name,
              std::vector<TSongEntry> entries) {
    TSetFileImage image = DefaultSongListImage({});
    image.entries = std::move(entries);
    SaveSetFile(SetFileName(folder, name), image);
}

TEST(LoadCurrentSetTest, MissingFileIsAnEmptyNewSet) {
    TempFolder dir;
    MemorySettingsStore store;
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "New", true);
    EXPECT_TRUE(loaded.image.entries.empty());
    EXPECT_EQ(loaded.currentIndex, -1);
    EXPECT_EQ(loaded.selectIndex, -1);
    EXPECT_FALSE(loaded.image.properties.empty());
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LoadCurrentSetTest, ADamagedFileIsKeptBesideBeforeTheSaveReplacesIt) {
    TempFolder dir;
    MemorySettingsStore store;
    WriteSet(dir.path(), "Rock",
             {MakeEntry("a", "f\\", "1", 1, -1), MakeEntry("b", "f\\", "0", 1, -1)});
    const auto file = SetFileName(dir.path(), "Rock");
    std::string whole = ReadAll(file);
    whole.resize(whole.size() - 20);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << whole;

    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Rock", true);
    EXPECT_FALSE(loaded.error.empty());
    EXPECT_NE(loaded.notice.find("Rock.OVM.damaged"), std::string::npos) << loaded.notice;
    SaveCurrentSet(store, dir.path(), "Rock", loaded.image, loaded.image.entries, {});
    auto kept = file;
    kept += ".damaged";
    EXPECT_EQ(ReadAll(kept), whole);

    const TLoadedSet again = LoadCurrentSet(store, dir.path(), "Rock", true);
    EXPECT_TRUE(again.notice.empty()) << "said once: the saved file is whole";
}

TEST(LoadCurrentSetTest, RestoresNowPlayingAndUsedMarks) {
    TempFolder dir;
    MemorySettingsStore store;
    WriteSet(dir.path(), "Rock",
             {MakeEntry("a", "f\\", "1", 1, -1), MakeEntry("b", "f\\", "1", 1, 1),
              MakeEntry("c", "f\\", "0", 1, 0), MakeEntry("d", "f\\", "1", 1, 0)});
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Rock", true);
    ASSERT_EQ(loaded.image.entries.size(), 4u);
    EXPECT_EQ(loaded.currentIndex, 1);
    EXPECT_EQ(loaded.selectIndex, 1);
    EXPECT_TRUE(loaded.focusList);
    const int expected[] = {0, 1, -1, 0};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(loaded.image.entries[i].stateImage, expected[i]) << i;
}

TEST(LoadCurrentSetTest, WithoutShowUsedIconPlayedEntriesShowNothing) {
    TempFolder dir;
    MemorySettingsStore store;
    WriteSet(dir.path(), "Rock",
             {MakeEntry("a", "f\\", "1", 1, 0), MakeEntry("b", "f\\", "0", 1, -1)});
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Rock", false);
    EXPECT_EQ(loaded.image.entries[0].stateImage, -1);
    EXPECT_EQ(loaded.currentIndex, -1);
    EXPECT_EQ(loaded.selectIndex, 0);
    EXPECT_FALSE(loaded.focusList);
}

TEST(LoadCurrentSetTest, OnlyTheLastNowPlayingMarkSurvives) {
    TempFolder dir;
    MemorySettingsStore store;
    WriteSet(dir.path(), "Rock",
             {MakeEntry("a", "f\\", "1", 1, 1), MakeEntry("b", "f\\", "1", 1, 1)});
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Rock", true);
    EXPECT_EQ(loaded.currentIndex, 1);
    EXPECT_EQ(loaded.image.entries[0].stateImage, 0);
    EXPECT_EQ(loaded.image.entries[1].stateImage, 1);
}

TEST(LoadCurrentSetTest, DamagedFileKeepsWhatWasRead) {
    TempFolder dir;
    MemorySettingsStore store;
    WriteSet(dir.path(), "Rock", MakeEntries(10));
    const auto file = SetFileName(dir.path(), "Rock");
    std::string bytes = TempFolder::ReadAll(file);
    bytes.resize(bytes.size() - 100);
    TempFolder::WriteAll(file, bytes);
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Rock", true);
    EXPECT_FALSE(loaded.error.empty());
    EXPECT_GT(loaded.image.entries.size(), 0u);
    EXPECT_LT(loaded.image.entries.size(), 10u);
}

TEST(SaveCurrentSetTest, StoresWidthsThenWritesTheRows) {
    TempFolder dir;
    MemorySettingsStore store;
    const auto rows = MakeEntries(4);
    SaveCurrentSet(store, dir.path(), "Rock.90s", DefaultSongListImage({}), rows, {1, 2, 3});
    EXPECT_EQ(store.ReadText("General", "TimeColumnWidth"), "2");
    const auto read = LoadSetFile(dir.path() / "Rock.OVM");
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.image.entries, rows);
    TSetFileImage expected = DefaultSongListImage({1, 2, 3});
    expected.entries = rows;
    EXPECT_EQ(read.image, expected);
}

TEST(SaveCurrentSetTest, SaveThenLoadGivesTheSameList) {
    TempFolder dir;
    MemorySettingsStore store;
    auto rows = MakeEntries(6);
    rows[2].stateImage = kNowPlayingImage;
    rows[2].usedFlag = "1";
    SaveCurrentSet(store, dir.path(), "Mix", DefaultSongListImage({}), rows, {});
    const TLoadedSet loaded = LoadCurrentSet(store, dir.path(), "Mix", true);
    EXPECT_EQ(loaded.currentIndex, 2);
    ASSERT_EQ(loaded.image.entries.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(loaded.image.entries[i].caption, rows[i].caption);
        EXPECT_EQ(loaded.image.entries[i].usedFlag, rows[i].usedFlag);
    }
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// Sets kept per user: a set saved there is read back from there, one only in the program
// folder is still read, and the program folder is never written.
TEST(PerUserSetsTest, ReadFromTheCopyFirstAndSavedThere) {
    TempFolder program;
    TempFolder perUser;
    MemorySettingsStore store;
    WriteSet(program.path(), "Rock", {MakeEntry("old", "f\\", "0", 1, -1)});
    WriteSet(program.path(), "Jazz", {MakeEntry("sample", "f\\", "0", 1, -1)});
    const std::string programRock = ReadAll(SetFileName(program.path(), "Rock"));
    const TSetFolders folders(perUser.path(), program.path());

    SaveCurrentSet(store, folders, "Rock", DefaultSongListImage({}),
                   {MakeEntry("new", "f\\", "0", 1, -1)}, {});
    EXPECT_EQ(ReadAll(SetFileName(program.path(), "Rock")), programRock);
    EXPECT_EQ(LoadCurrentSet(store, folders, "Rock", true).image.entries.at(0).caption, "new");
    EXPECT_EQ(LoadCurrentSet(store, folders, "Jazz", true).image.entries.at(0).caption, "sample");

    store.WriteText("Sets", "Set0", "Rock,r");
    store.WriteText("Sets", "Set1", "(Default),d");
    TSetsDialogModel model(store, "Rock", folders);
    ASSERT_TRUE(model.Delete());
    EXPECT_FALSE(std::filesystem::exists(SetFileName(perUser.path(), "Rock")));
}

}  // namespace
}  // namespace orvane
