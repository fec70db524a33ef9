// The player controller over the in-memory window, shell and screen saver.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "memory_player_seams.h"
#include "player_controller.h"

namespace orvane {
namespace {

TEST(BringUpPosition, CentresRoundingHalvesToEven) {
    const struct {
        const char* name;
        TManagerRect manager;
        TPoint expected;
    } cases[] = {
        {"tie down to even", {100, 50, 663, 543}, {294, 246}},
        {"tie up to even", {0, 0, 276, 151}, {0, 0}},
        {"plain", {10, 20, 675, 350}, {210, 120}},
    };
    for (const auto& c : cases) EXPECT_EQ(BringUpPosition(c.manager), c.expected) << c.name;
}

class PlayerControllerTest : public ::testing::Test {
  protected:
    PlayerControllerTest() {
        shell.startsPlayer = &window;
        std::filesystem::create_directories(dir);
        shell.files.insert(PlayList());
    }
    ~PlayerControllerTest() override { std::filesystem::remove_all(dir); }
    std::string PlayList() const { return (dir / "OVM.M3U").string(); }

    // A folder of its own: CTest runs the cases of this file in parallel processes.
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("orvane_player_test_" + std::to_string(std::random_device{}()));
    MemoryPlayerWindow window;
    MemoryPlayerShell shell;
    MemoryScreenSaver saver;
    std::vector<std::string> messages;
    PlayerController player{
        window, shell, saver, PlayList(),
        [this](std::string_view text, TMessageIcon) { messages.emplace_back(text); }};
};

TEST_F(PlayerControllerTest, MissingFileSaysSoAndStartsNothing) {
    player.OpenWithPlayer("C:\\gone.mp3");
    EXPECT_EQ(messages, std::vector<std::string>{"File not exists !!"});
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(player.PlayerRunning());
}

TEST_F(PlayerControllerTest, StopEmptiesThePlaylistAndStartsThePlayerOnTopWhenAsked) {
    std::ofstream(PlayList()) << "C:\\a.mp3\r\n";
    player.SetTopMost(true);
    player.Stop();
    EXPECT_EQ(std::filesystem::file_size(PlayList()), 0u);
    EXPECT_EQ(shell.opened, (std::vector<MemoryPlayerShell::TOpened>{{PlayList(), true}}));
    EXPECT_TRUE(window.topMost);
    EXPECT_TRUE(player.Commands().closeEnabled && player.Commands().bringupEnabled);
}

TEST_F(PlayerControllerTest, HiddenPlayerStartsHiddenAndTheTickKeepsItHidden) {
    player.SetVisible(false);
    player.OpenWithPlayer(PlayList());
    EXPECT_FALSE(shell.opened.at(0).show);
    window.visible = true;  // the player showed itself
    player.Tick(false);
    EXPECT_FALSE(window.visible);
}

TEST_F(PlayerControllerTest, OnTopReachesThePlayerOnceWhenItAppearsLater) {
    shell.startsPlayer = nullptr;  // the shell starts it after OpenWithPlayer returned
    player.ToggleTopMost();
    player.OpenWithPlayer(PlayList());
    window.exists = true;
    player.Tick(false);
    EXPECT_TRUE(window.topMost);
    window.topMost = false;  // changed elsewhere: only a new appearance re-applies it
    player.Tick(false);
    EXPECT_FALSE(window.topMost);
}

TEST_F(PlayerControllerTest, ScreenSaverStopsPlayOncePerTickOnlyWhenAsked) {
    window.exists = true;
    saver.running = true;
    player.Tick(false);
    EXPECT_TRUE(shell.opened.empty());
    player.Tick(true);
    player.Tick(true);
    EXPECT_EQ(shell.opened.size(), 2u);
}

TEST_F(PlayerControllerTest, ShutDownClosesThePlayerOrOnlyDisablesCommands) {
    player.ShutDown();
    EXPECT_EQ(window.closeCalls, 0);
    window.exists = true;
    player.Tick(false);
    player.ShutDown();
    EXPECT_EQ(window.closeCalls, 1);
    EXPECT_FALSE(player.PlayerRunning() || player.Commands().bringupEnabled);
}

TEST_F(PlayerControllerTest, BringUpShowsThePlayerCentredKeepingOnTop) {
    window.exists = true;
    player.SetVisible(false);
    player.SetTopMost(true);
    player.BringUp({100, 50, 663, 543});
    EXPECT_TRUE(player.Commands().visibleDown);
    EXPECT_EQ((TPoint{window.x, window.y}), (TPoint{294, 246}));
    EXPECT_TRUE(window.visible && window.topMost);
}

TEST_F(PlayerControllerTest, StartFinishAndVolumeFollowTheOptions) {
    player.ApplyViewSettings(false, true);
    player.Start(false);
    EXPECT_TRUE(shell.opened.empty());
    player.Start(true);
    EXPECT_EQ(shell.opened.size(), 1u);
    player.Finish(false);
    EXPECT_TRUE(window.visible && !window.topMost);
    player.Finish(true);
    EXPECT_EQ(window.closeCalls, 1);
    player.Volume();
    EXPECT_EQ(shell.programs, std::vector<std::string>{"sndvol32.exe"});
}

}  // namespace
}  // namespace orvane
