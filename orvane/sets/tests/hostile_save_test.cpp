// Set files saved onto a full disk, a read-only disk or into a folder that is a
// file: SaveSetFile throws a SetFileError naming the file, the old set loads as
// it was and no temporary file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hostile_disk.h"
#include "set_file_io.h"
#include "temp_folder.h"
#include "test_entries.h"

namespace orvane {
namespace {

TSetFileImage SetOf(int songs) {
    TSetFileImage image = DefaultSongListImage({});
    image.entries = MakeEntries(songs);
    return image;
}

std::string Save(const std::filesystem::path& file, const TSetFileImage& image) {
    try {
        SaveSetFile(file, image);
    } catch (const SetFileError& e) {
        return e.what();
    }
    return {};
}

TEST(HostileSave, FullDiskKeepsTheOldSet) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    TempFolder dir;
    const auto file = dir.path() / "Rock.OVM";
    SaveSetFile(file, SetOf(3));
    const std::string old = TempFolder::ReadAll(file);
    std::string error;
    {
        hostile::FileSizeLimit limit(old.size() / 2);
        ASSERT_TRUE(limit.active());
        error = Save(file, SetOf(40));
    }
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_EQ(TempFolder::ReadAll(file), old);
    EXPECT_EQ(LoadSetFile(file).image.entries, SetOf(3).entries);
    EXPECT_EQ(hostile::FileNamesIn(dir.path()), std::vector<std::string>{"Rock.OVM"});
}

TEST(HostileSave, FolderThatIsAFileIsAnErrorNamingTheSet) {
    TempFolder dir;
    TempFolder::WriteAll(dir.path() / "notafolder", "x");
    const auto file = dir.path() / "notafolder" / "Rock.OVM";
    const std::string error = Save(file, SetOf(1));
    EXPECT_NE(error.find("Rock.OVM"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::ReadAll(dir.path() / "notafolder"), "x");
}

TEST(HostileSave, ReadOnlyDiskKeepsTheOldSet) {
    TempFolder dir;
    hostile::SmallDisk disk(dir.path() / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const auto file = disk.dir() / "Rock.OVM";
    SaveSetFile(file, SetOf(3));
    ASSERT_TRUE(disk.makeReadOnly());
    const std::string error = Save(file, SetOf(5));
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_EQ(LoadSetFile(file).image.entries, SetOf(3).entries);
}

TEST(HostileSave, FilledDiskKeepsTheOldSet) {
    TempFolder dir;
    hostile::SmallDisk disk(dir.path() / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const auto file = disk.dir() / "Rock.OVM";
    SaveSetFile(file, SetOf(3));
    disk.fill();
    const std::string error = Save(file, SetOf(200));
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_EQ(LoadSetFile(file).image.entries, SetOf(3).entries);
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()), (std::vector<std::string>{"Rock.OVM", "filler"}));
}

}  // namespace
}  // namespace orvane
