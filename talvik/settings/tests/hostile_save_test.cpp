// "tvk.prf" saved onto a full disk, a read-only disk or into a "directory" that
// is a file: SaveSettings throws a FileError naming the file, the previous file
// stays as it was and no temporary file is left.
#include <gtest/gtest.h>

#include "file_error.h"
#include "hostile_disk.h"
#include "settings_record.h"
#include "temp_dir.h"

namespace talvik {
namespace {

using R = SettingsRecord;

R WithSourceDir(const std::string& text) {
    R r;
    r.set(R::kSourceDir, text);
    return r;
}

// Saves and returns the error text, empty when it worked.
std::string Save(const std::string& path, const R& record) {
    try {
        SaveSettings(path, record);
    } catch (const FileError& e) {
        return e.what();
    }
    return {};
}

TEST(HostileSave, FullDiskKeepsThePreviousSettingsFile) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    testing::TempDir dir;
    const std::string path = SettingsFilePath(dir.text());
    SaveSettings(path, WithSourceDir("C:\\OLD"));
    const auto previous = testing::ReadBytes(path);
    std::string error;
    {
        hostile::FileSizeLimit limit(1000);  // the file is 34440 bytes
        ASSERT_TRUE(limit.active());
        error = Save(path, WithSourceDir("C:\\NEW"));
    }
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(testing::ReadBytes(path), previous);
    EXPECT_EQ(LoadStartupSettings(path).get(R::kSourceDir), "C:\\OLD");
    EXPECT_EQ(hostile::FileNamesIn(dir.text()).size(), 1u);
}

TEST(HostileSave, DirectoryThatIsAFileIsAnErrorNamingTheSettingsFile) {
    testing::TempDir dir;
    testing::WriteBytes(dir.file("notadir"), {7});
    const std::string path = SettingsFilePath(dir.file("notadir"));
    const std::string error = Save(path, WithSourceDir("C:\\NEW"));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(testing::ReadBytes(dir.file("notadir")), std::vector<std::uint8_t>{7});
}

TEST(HostileSave, ReadOnlyDiskKeepsThePreviousSettingsFile) {
    testing::TempDir dir;
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = SettingsFilePath(disk.dir().string() + kDirSeparator);
    SaveSettings(path, WithSourceDir("C:\\OLD"));
    ASSERT_TRUE(disk.makeReadOnly());
    const std::string error = Save(path, WithSourceDir("C:\\NEW"));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(LoadStartupSettings(path).get(R::kSourceDir), "C:\\OLD");
}

TEST(HostileSave, FilledDiskKeepsThePreviousSettingsFile) {
    testing::TempDir dir;
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = SettingsFilePath(disk.dir().string() + kDirSeparator);
    SaveSettings(path, WithSourceDir("C:\\OLD"));
    disk.fill();
    const std::string error = Save(path, WithSourceDir("C:\\NEW"));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(LoadStartupSettings(path).get(R::kSourceDir), "C:\\OLD");
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()).size(), 2u);  // the settings file and the filler
}

}  // namespace
}  // namespace talvik
