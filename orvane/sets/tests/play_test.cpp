#include <gtest/gtest.h>

#include "fake_song_list.h"
#include "play_commands.h"
#include "play_list.h"
#include "temp_folder.h"

namespace orvane {
namespace {

std::string Lines(std::initializer_list<int> oneBased) {
    std::string text;
    for (int n : oneBased) text += "C:\\M\\s" + std::to_string(n) + ".mp3\r\n";
    return text;
}

class PlayListTest : public ::testing::Test {
protected:
    std::string Written() const { return TempFolder::ReadAll(file); }
    TempFolder dir;
    std::filesystem::path file = PlayListFile(dir.path());
    FakeSongList list{4};
    FakePlayHost host;
    TOptions options;
};

TEST_F(PlayListTest, FileIsOvmM3uInTheProgramFolder) {
    EXPECT_EQ(file, dir.path() / "OVM.M3U");
    EXPECT_EQ(FormatPlayList({"a", "b"}), "a\r\nb\r\n");
}

TEST_F(PlayListTest, TopDownFromHereWrapsAround) {
    list.selected[2] = true;
    EXPECT_EQ(WritePlayList(list, host, options, file, false, true, true), 4);
    EXPECT_EQ(Written(), Lines({3, 4, 1, 2}));
    EXPECT_EQ(host.opened, std::vector<std::string>{file.string()});
    EXPECT_TRUE(list.selected[2]);  // deselected, then the start entry selected again
    EXPECT_EQ(list.scrolledTo, 2);
}

TEST_F(PlayListTest, DownTopFromHereWrapsAround) {
    options.sequence = TPlaySequence::DownTop;
    list.selected[2] = true;
    WritePlayList(list, host, options, file, false, true, true);
    EXPECT_EQ(Written(), Lines({3, 2, 1, 4}));
}

TEST_F(PlayListTest, PlayListStartsAtTheTopAndDeselectsTheFirstSelected) {
    list.selected[1] = true;
    list.selected[3] = true;
    WritePlayList(list, host, options, file, false, false, true);
    EXPECT_EQ(Written(), Lines({1, 2, 3, 4}));
    EXPECT_TRUE(list.selected[0]);
    EXPECT_FALSE(list.selected[1]);
    EXPECT_TRUE(list.selected[3]);
}

TEST_F(PlayListTest, FromHereNeedsTheSongListActive) {
    list.selected[2] = true;
    WritePlayList(list, host, options, file, false, true, false);
    EXPECT_EQ(Written(), Lines({1, 2, 3, 4}));
}

TEST_F(PlayListTest, RandomShufflesThenWritesFromTheTop) {
    options.sequence = TPlaySequence::Random;
    list.selected[2] = true;
    WritePlayList(list, host, options, file, false, true, true);
    EXPECT_EQ(list.randomized, 1);
    EXPECT_EQ(Written(), Lines({4, 3, 2, 1}));
    EXPECT_TRUE(list.selected[0]);
}

TEST_F(PlayListTest, MissingFilesAreSkipped) {
    host.missing.insert("C:\\M\\s2.mp3");
    EXPECT_EQ(WritePlayList(list, host, options, file, false, false, true), 3);
    EXPECT_EQ(Written(), Lines({1, 3, 4}));
}

TEST_F(PlayListTest, NoExistingFileLeavesAnEmptyListAndSaysSo) {
    host.allExist = false;
    TempFolder::WriteAll(file, "old\r\n");
    EXPECT_EQ(WritePlayList(list, host, options, file, false, false, true), 0);
    EXPECT_EQ(Written(), "");
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(host.messages, std::vector<std::string>{"All files in list doesn't exist !!"});
}

TEST_F(PlayListTest, EmptyListDoesNothing) {
    FakeSongList empty(0);
    EXPECT_EQ(WritePlayList(empty, host, options, file, false, false, true), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PlayListTest, NowPlayingMarkTurnsToUsedAndIndexStays) {
    list.current = 1;
    list.rows[1].stateImage = kNowPlayingImage;
    WritePlayList(list, host, options, file, false, false, true);
    EXPECT_EQ(list.rows[1].stateImage, kUsedImage);
    EXPECT_EQ(list.current, 1);
    options.showUsedIcon = false;
    WritePlayList(list, host, options, file, false, false, true);
    EXPECT_EQ(list.rows[1].stateImage, kNoStateImage);
}

TEST_F(PlayListTest, AutoMinimizeHidesTheWindowAfterPlaying) {
    options.autoMinimize = true;
    WritePlayList(list, host, options, file, false, false, true);
    EXPECT_EQ(host.hidden, 1);
}

TEST_F(PlayListTest, PlayWithSeveralSelectedWritesOnlyThose) {
    list.selected[1] = true;
    list.selected[3] = true;
    host.missing.insert("C:\\M\\s4.mp3");
    list.rows[3].usedFlag = "1";
    Play(list, host, options, file, {});
    EXPECT_EQ(Written(), Lines({2}));
    EXPECT_EQ(list.current, 1);
    // Writing the list turns the now-playing mark into the used mark.
    EXPECT_EQ(list.rows[1].stateImage, kUsedImage);
    EXPECT_EQ(list.rows[1].usedFlag, "1");
    EXPECT_EQ(list.rows[3].stateImage, kUsedImage);
}

TEST_F(PlayListTest, PlayWithSeveralSelectedStartsAtTheFirstSelected) {
    list.selected[1] = true;
    list.selected[3] = true;
    Play(list, host, options, file, {});
    EXPECT_EQ(Written(), Lines({2, 4}));
    options.sequence = TPlaySequence::DownTop;
    Play(list, host, options, file, {});
    EXPECT_EQ(Written(), Lines({2, 4}));
}

TEST_F(PlayListTest, PlayOneSelectedHandsTheSongToThePlayer) {
    list.selected[2] = true;
    list.current = 0;
    list.rows[0].usedFlag = "1";
    list.rows[0].stateImage = kNowPlayingImage;
    Play(list, host, options, file, {});
    EXPECT_EQ(host.opened, std::vector<std::string>{"C:\\M\\s3.mp3"});
    EXPECT_EQ(list.current, 2);
    EXPECT_EQ(list.rows[0].stateImage, kUsedImage);
    EXPECT_EQ(list.rows[2].stateImage, kNowPlayingImage);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(PlayListTest, PlayWithNothingSelectedAndNothingPlayingDoesNothing) {
    Play(list, host, options, file, {});
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(list.updates, 0);
}

TEST_F(PlayListTest, PlayWithNothingSelectedReplaysTheCurrentEntry) {
    list.current = 3;
    Play(list, host, options, file, {});
    EXPECT_EQ(host.opened, std::vector<std::string>{"C:\\M\\s4.mp3"});
}

TEST_F(PlayListTest, PlayFromTheFileListPlaysItsFile) {
    list.selected[0] = true;
    host.missing.insert("D:\\gone.mp3");
    Play(list, host, options, file, {false, "D:\\gone.mp3"});
    EXPECT_EQ(host.refreshed, 1);
    EXPECT_EQ(host.opened, std::vector<std::string>{"D:\\gone.mp3"});
    EXPECT_EQ(list.current, -1);  // the song list is left alone
}

class StepSongTest : public ::testing::Test {
protected:
    FakeSongList list{4};
    FakePlayHost host;
    TOptions options;
};

TEST_F(StepSongTest, NextOnTheLastPlaysTheFirst) {
    list.current = 3;
    StepSong(list, host, options, TStep::Next);
    EXPECT_EQ(list.current, 0);
    EXPECT_EQ(host.opened, std::vector<std::string>{"C:\\M\\s1.mp3"});
    EXPECT_EQ(list.rows[0].usedFlag, "1");
    EXPECT_EQ(list.rows[0].stateImage, kNowPlayingImage);
    EXPECT_EQ(list.rows[3].stateImage, kUsedImage);
    EXPECT_EQ(list.scrolledTo, 0);
    EXPECT_EQ(list.updates, 1);
}

TEST_F(StepSongTest, NextWithNoCurrentPlaysTheFirst) {
    StepSong(list, host, options, TStep::Next);
    EXPECT_EQ(list.current, 0);
}

TEST_F(StepSongTest, PreviousWithNoCurrentPlaysTheLast) {
    StepSong(list, host, options, TStep::Previous);
    EXPECT_EQ(list.current, 3);
    list.current = 2;
    StepSong(list, host, options, TStep::Previous);
    EXPECT_EQ(list.current, 1);
}

TEST_F(StepSongTest, ShufflePicksOnlyUnplayedEntries) {
    list.current = 0;
    list.rows[0].usedFlag = "1";
    list.rows[2].usedFlag = "1";
    host.picks = {1};
    StepSong(list, host, options, TStep::Shuffle);
    EXPECT_EQ(host.lastRandomRange, 2);  // entries 2 and 4 (1-based) are unplayed
    EXPECT_EQ(list.current, 3);
}

TEST_F(StepSongTest, ShuffleWithEverythingPlayedNeverRepeatsTheCurrent) {
    for (int i = 0; i < list.Count(); ++i) list.SetUsedFlag(i, "1");
    list.current = 1;
    for (int pick = 0; pick < 3; ++pick) {
        list.current = 1;
        host.picks = {pick};
        const int chosen = ChooseStep(list, host, TStep::Shuffle);
        EXPECT_NE(chosen, 1);
        EXPECT_EQ(host.lastRandomRange, 3);
    }
}

TEST_F(StepSongTest, ShuffleAfterCleanUsageCountsAllButCurrent) {
    list.current = 2;
    list.rows[2].usedFlag = "1";
    host.picks = {2};
    EXPECT_EQ(ChooseStep(list, host, TStep::Shuffle), 3);
    EXPECT_EQ(host.lastRandomRange, 3);
}

TEST_F(StepSongTest, RandomNeverRepeatsTheCurrent) {
    list.current = 2;
    for (int pick = 0; pick < 3; ++pick) {
        host.picks = {pick};
        EXPECT_NE(ChooseStep(list, host, TStep::Random), 2);
    }
    list.current = -1;
    host.picks = {3};
    EXPECT_EQ(ChooseStep(list, host, TStep::Random), 3);
    EXPECT_EQ(host.lastRandomRange, 4);
}

TEST_F(StepSongTest, OneEntryAlwaysPlaysIt) {
    FakeSongList one(1);
    one.current = 0;
    for (TStep step : {TStep::Next, TStep::Previous, TStep::Shuffle, TStep::Random}) {
        StepSong(one, host, options, step);
        EXPECT_EQ(one.current, 0);
    }
}

TEST_F(StepSongTest, EmptyListDoesNothing) {
    FakeSongList empty(0);
    StepSong(empty, host, options, TStep::Next);
    EXPECT_TRUE(host.opened.empty());
}

}  // namespace
}  // namespace orvane
