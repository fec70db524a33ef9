// A render onto a full disk, a read-only disk or into a folder that is a file:
// the render fails with a message, an earlier render of the same name stays as
// it was and no temporary file is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "engine_test_songs.h"
#include "hostile_disk.h"
#include "song_renderer.h"

namespace brevant {
namespace {

using testing::makeTrack;
using testing::ramp;
using testing::TempDir;

class Events : public RenderEvents {
public:
    void showMessage(const std::string& text, const std::string& caption) override {
        std::lock_guard<std::mutex> lock(mutex);
        messages.push_back(caption + ": " + text);
    }
    void setProgressRange(std::int64_t) override {}
    void stepProgress() override {}
    void finished(RenderOutcome) override {}

    std::mutex mutex;
    std::vector<std::string> messages;
};

constexpr int kBlocks = 20;

class HostileRender : public ::testing::Test {
protected:
    void SetUp() override { makeTrack(dir, song, "a.wav", false, 8000, ramp(kBlocks * 7680)); }

    TempDir dir;
    Song song;
    Events events;
    const std::vector<std::uint8_t> earlier{'R', 'I', 'F', 'F', 1, 2, 3};
};

TEST_F(HostileRender, FullDiskKeepsTheEarlierRender) {
    if (!hostile::FileSizeLimit::IsSupported()) GTEST_SKIP() << "no file size limit here";
    const std::string out = dir.file("mix.wav");
    testing::writeBytes(out, earlier);
    RenderOutcome outcome = RenderOutcome::Completed;
    {
        hostile::FileSizeLimit limit(100000);  // the whole render is 614,444 bytes
        ASSERT_TRUE(limit.active());
        SongRenderer renderer(events);
        outcome = renderer.render(song, out, kBlocks);
    }
    EXPECT_EQ(outcome, RenderOutcome::Failed);
    EXPECT_EQ(events.messages, std::vector<std::string>{"Error: Write to file error (MM_WIM_DATA)."});
    EXPECT_EQ(testing::readBytes(out), earlier);
    EXPECT_EQ(hostile::FileNamesIn(dir.file("")), (std::vector<std::string>{"a.wav", "mix.wav"}));
}

TEST_F(HostileRender, FolderThatIsAFileIsReportedWithTheChosenName) {
    testing::writeBytes(dir.file("notafolder"), {1});
    const std::string out = dir.file("notafolder") + "/mix.wav";
    SongRenderer renderer(events);
    EXPECT_EQ(renderer.render(song, out, kBlocks), RenderOutcome::Failed);
    EXPECT_EQ(events.messages, std::vector<std::string>{"Error: Unable to open the file \"" + out + "\""});
}

TEST_F(HostileRender, ReadOnlyDiskKeepsTheEarlierRender) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string out = (disk.dir() / "mix.wav").string();
    testing::writeBytes(out, earlier);
    ASSERT_TRUE(disk.makeReadOnly());
    SongRenderer renderer(events);
    EXPECT_EQ(renderer.render(song, out, kBlocks), RenderOutcome::Failed);
    EXPECT_EQ(events.messages, std::vector<std::string>{"Error: Unable to open the file \"" + out + "\""});
    EXPECT_EQ(testing::readBytes(out), earlier);
}

TEST_F(HostileRender, FilledDiskKeepsTheEarlierRender) {
    hostile::SmallDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk is not allowed here";
    const std::string out = (disk.dir() / "mix.wav").string();
    testing::writeBytes(out, earlier);
    disk.fill();
    SongRenderer renderer(events);
    EXPECT_EQ(renderer.render(song, out, kBlocks), RenderOutcome::Failed);
    ASSERT_FALSE(events.messages.empty());
    EXPECT_EQ(testing::readBytes(out), earlier);
    EXPECT_EQ(hostile::FileNamesIn(disk.dir()), (std::vector<std::string>{"filler", "mix.wav"}));
}

}  // namespace
}  // namespace brevant
