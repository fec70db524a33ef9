#include "play_commands.h"
#include "song_list_play_access.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

class TRecordingHost final : public PlayHost {
public:
    void OpenWithPlayer(const std::string& file) override { opened.push_back(file); }
    void ShowMessage(std::string_view, TMessageIcon) override {}
    void HideMainWindow() override {}
    bool FileExists(const std::string&) const override { return true; }
    void RefreshFileList() override {}
    int PickRandom(int) override { return 0; }

    std::vector<std::string> opened;
};

TSongList ThreeSongs()
{
    TSongList list;
    list.SetSortState({TSortKey::NoSort, false, false});
    const std::vector<std::string> names = {"a.mp3", "b.mp3", "c.mp3"};
    list.Add("C:\\M", names, [](const std::string&) { return 100; });
    return list;
}

TEST(SongListPlayAccess, NextMarksAndPlaysTheFollowingEntry)
{
    TSongList list = ThreeSongs();
    TClockRandomSource random(1);
    int scrolledTo = -1;
    TSongListPlayAccess access(list, random, {}, [&](int index) { scrolledTo = index; });
    TRecordingHost host;
    list.SetCurrentIndex(0);
    StepSong(access, host, TOptions{}, TStep::Next);
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.Entry(1).stateImage, kNowPlayingImage);
    EXPECT_EQ(list.Entry(1).usedFlag, "1");
    ASSERT_FALSE(host.opened.empty());
    EXPECT_EQ(host.opened.back(), "C:\\M\\b.mp3");
    EXPECT_EQ(scrolledTo, 1);
    EXPECT_EQ(list.FocusIndex(), 1);
    EXPECT_EQ(list.Entry(0).stateImage, kUsedImage);
}

TEST(SongListPlayAccess, RandomizeAndCommandsReachTheModel)
{
    TSongList list = ThreeSongs();
    list.SetSortState({TSortKey::ByFilename, true, false});
    TClockRandomSource random(5);
    std::vector<TListCommands> heard;
    TSongListPlayAccess access(list, random, [&](const TListCommands& commands) { heard.push_back(commands); });
    access.Randomize();
    EXPECT_EQ(list.SortState().key, TSortKey::NoSort);
    access.UpdateListCommands();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].IsEnabled("PlayBtn"));
    access.SetStateImage(7, kUsedImage);  // out of range: ignored
    access.SetUsedFlag(2, "1");
    EXPECT_EQ(list.Entry(2).usedFlag, "1");
}

}  // namespace
}  // namespace orvane
