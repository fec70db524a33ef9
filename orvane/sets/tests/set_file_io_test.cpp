#include <gtest/gtest.h>

#include "set_file_io.h"
#include "temp_folder.h"
#include "test_entries.h"

namespace orvane {
namespace {

TEST(SetFileIoTest, SaveThenLoadRoundTrips) {
    TempFolder dir;
    TSetFileImage image = DefaultSongListImage({});
    image.entries = MakeEntries(20);
    const auto file = dir.path() / "Rock.OVM";
    EXPECT_EQ(SaveSetFile(file, image), 0u);
    const auto read = LoadSetFile(file);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.image, image);
    const auto bytes = WriteSetFile(image);
    EXPECT_EQ(TempFolder::ReadAll(file), std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Rock.OVM.~tmp"));
}

TEST(SetFileIoTest, SaveReplacesAnExistingFile) {
    TempFolder dir;
    const auto file = dir.path() / "Rock.OVM";
    TempFolder::WriteAll(file, std::string(5000, 'x'));
    TSetFileImage image = DefaultSongListImage({});
    image.entries = MakeEntries(1);
    SaveSetFile(file, image);
    EXPECT_EQ(LoadSetFile(file).image.entries, image.entries);
}

TEST(SetFileIoTest, FailedSaveKeepsTheOldSet) {
    TempFolder dir;
    const auto file = dir.path() / "Rock.OVM";
    TSetFileImage old = DefaultSongListImage({});
    old.entries = MakeEntries(3);
    SaveSetFile(file, old);
    // The temporary file cannot be created: a folder holds its name.
    std::filesystem::create_directory(dir.path() / "Rock.OVM.~tmp");
    TSetFileImage next = old;
    next.entries.clear();
    EXPECT_THROW(SaveSetFile(file, next), SetFileError);
    EXPECT_EQ(LoadSetFile(file).image.entries, old.entries);
}

TEST(SetFileIoTest, SaveIntoMissingFolderFailsWithTheFileName) {
    TempFolder dir;
    const auto file = dir.path() / "no such folder" / "Rock.OVM";
    try {
        SaveSetFile(file, DefaultSongListImage({}));
        FAIL() << "save did not fail";
    } catch (const SetFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Rock.OVM"), std::string::npos);
    }
}

TEST(SetFileIoTest, MissingFileLoadsAsEmptyWithAnError) {
    TempFolder dir;
    const auto read = LoadSetFile(dir.path() / "None.OVM");
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.image.entries.empty());
}

}  // namespace
}  // namespace orvane
