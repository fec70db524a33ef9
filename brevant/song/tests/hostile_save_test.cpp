// A ".sng" project saved onto a full disk, a read-only disk or into a folder that
// is a file: the save reports the failure, the previous project file stays as it
// was (and still loads), no temporary file is left and the song stays modified.
#include <gtest/gtest.h>

#include <filesystem>

#include "hostile_disk.h"
#include "scripted_song_ui.h"
#include "song_project.h"
#include "track_list_view.h"
#include "wave_test_files.h"

namespace brevant {
namespace {

using testing::ScriptedSongUi;
using testing::TempDir;

class HostileSongSave : public ::testing::Test {
protected:
    // Saves a first version with one boost value, then changes it.
    void saveFirstVersion(const std::string& path) {
        project.song().boost = 11;
        ASSERT_TRUE(project.saveSongTo(path));
        previous = testing::readBytes(path);
        project.song().boost = 77;
        project.song().modified = true;
    }
    void expectPreviousKept(const std::string& path) {
        EXPECT_EQ(testing::readBytes(path), previous);
        EXPECT_TRUE(project.song().modified);
        ASSERT_FALSE(ui.messages.empty());
        ScriptedSongUi reader;
        TrackListModel readerList;
        SongProject again{reader, readerList};
        ASSERT_TRUE(again.loadSong(path));
        EXPECT_EQ(again.song().boost, 11);
    }

    TempDir dir;
    ScriptedSongUi ui;
    TrackListModel list;
    SongProject project{ui, list};
    std::vector<std::uint8_t> previous;
};

TEST_F(HostileSongSave, FullDiskKeepsThePreviousProject) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    const std::string path = dir.file("song.sng");
    saveFirstVersion(path);
    bool saved = true;
    {
        hostile::FileSizeLimit limit(100);  // the file is 268 bytes at least
        ASSERT_TRUE(limit.active());
        saved = project.saveSongTo(path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ui.messages.back().text, "Write to file error [WriteFile()].");
    expectPreviousKept(path);
    EXPECT_EQ(hostile::FileNamesIn(dir.file("")), std::vector<std::string>{"song.sng"});
}

TEST_F(HostileSongSave, FolderThatIsAFileIsReported) {
    testing::writeBytes(dir.file("notafolder"), {1});
    EXPECT_FALSE(project.saveSongTo(dir.file("notafolder") + "/song.sng"));
    EXPECT_EQ(ui.messages.back().text, "Error opening the file");
    EXPECT_EQ(testing::readBytes(dir.file("notafolder")), std::vector<std::uint8_t>{1});
}

TEST_F(HostileSongSave, ReadOnlyDiskKeepsThePreviousProject) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = (disk.dir() / "song.sng").string();
    saveFirstVersion(path);
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_FALSE(project.saveSongTo(path));
    EXPECT_EQ(ui.messages.back().text, "Error opening the file");
    expectPreviousKept(path);
}

TEST_F(HostileSongSave, FilledDiskKeepsThePreviousProject) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string path = (disk.dir() / "song.sng").string();
    saveFirstVersion(path);
    disk.fill();
    EXPECT_FALSE(project.saveSongTo(path));
    expectPreviousKept(path);
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()), (std::vector<std::string>{"filler", "song.sng"}));
}

}  // namespace
}  // namespace brevant
