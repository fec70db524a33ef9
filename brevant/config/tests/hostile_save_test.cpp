// "brevant.cfg" saved onto a full disk, a read-only disk or into a folder that is
// a file: saveConfig says so, the previous file stays as it was and still loads,
// and no temporary file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config_file.h"
#include "hostile_disk.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::TempDir;

class Messages : public MessageSink {
public:
    void showMessage(const std::string& text, const std::string&) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

class HostileConfigSave : public ::testing::Test {
protected:
    void saveFirstVersion(const std::string& path) {
        song.compensation = 1234;
        ASSERT_TRUE(saveConfig(path, song, settings, messages));
        previous = testing::readBytes(path);
        song.compensation = 4321;
    }
    void expectPreviousKept(const std::string& path) {
        EXPECT_EQ(testing::readBytes(path), previous);
        Song loaded;
        RecorderSettings loadedSettings;
        Messages none;
        ASSERT_TRUE(loadConfig(path, loaded, loadedSettings, none));
        EXPECT_EQ(loaded.compensation, 1234);
    }

    TempDir dir;
    Song song;
    RecorderSettings settings;
    Messages messages;
    std::vector<std::uint8_t> previous;
};

TEST_F(HostileConfigSave, FullDiskKeepsThePreviousFile) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    const std::string path = dir.file(kConfigFileName);
    saveFirstVersion(path);
    bool saved = true;
    {
        hostile::FileSizeLimit limit(100);  // the record is 292 bytes
        ASSERT_TRUE(limit.active());
        saved = saveConfig(path, song, settings, messages);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Write to file error [WriteFile()]."});
    expectPreviousKept(path);
    EXPECT_EQ(hostile::FileNamesIn(dir.file("")), std::vector<std::string>{kConfigFileName});
}

TEST_F(HostileConfigSave, FolderThatIsAFileIsReported) {
    testing::writeBytes(dir.file("notafolder"), {1});
    EXPECT_FALSE(saveConfig(dir.file("notafolder") + "/" + kConfigFileName, song, settings, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Error writing configuration file"});
}

TEST_F(HostileConfigSave, ReadOnlyDiskKeepsThePreviousFile) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = (disk.dir() / kConfigFileName).string();
    saveFirstVersion(path);
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_FALSE(saveConfig(path, song, settings, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Error writing configuration file"});
    expectPreviousKept(path);
}

TEST_F(HostileConfigSave, FilledDiskKeepsThePreviousFile) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = (disk.dir() / kConfigFileName).string();
    saveFirstVersion(path);
    disk.fill();
    EXPECT_FALSE(saveConfig(path, song, settings, messages));
    EXPECT_EQ(messages.texts.size(), 1u);
    expectPreviousKept(path);
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()), (std::vector<std::string>{kConfigFileName, "filler"}));
}

}  // namespace
}  // namespace brevant
