// The player controller with its Win32 seams driving the stand-in player, started by the
// shell through the ".M3U" association.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "play_list.h"
#include "player_controller.h"
#include "player_seams_win32.h"
#include "standin_player.h"

namespace orvane {
namespace {

HWND Player() {
    return FindWindowA(nullptr, "WinPlay3");
}
bool IsTopMost(HWND w) {
    return (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(PlayerStandinTest, PlaysAListReappliesVisibilityAndOnTopAndShutsDown) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "standin.log";
    const std::string playList = std::string(temp) + "OVM.M3U";
    ASSERT_TRUE(test::RegisterStandinPlayer(log));
    std::ofstream(playList, std::ios::binary) << FormatPlayList({"C:\\a.mp3", "C:\\b.mp3"});

    Win32PlayerWindow window;
    Win32PlayerShell shell;
    Win32ScreenSaver saver;
    std::vector<std::string> messages;
    PlayerController player(
        window, shell, saver, playList,
        [&](std::string_view text, TMessageIcon) { messages.emplace_back(text); });
    player.SetTopMost(true);
    player.OpenWithPlayer(playList);
    ASSERT_TRUE(test::WaitForPlayerWindow(true));
    EXPECT_EQ(test::WaitForStandinLog(log, 3),
              (std::vector<std::string>{"OPEN " + playList, "LINE C:\\a.mp3", "LINE C:\\b.mp3"}));

    player.Tick(false);  // the window turned up: on-top applied
    EXPECT_TRUE(player.Commands().closeEnabled);
    EXPECT_TRUE(IsTopMost(Player()));
    player.SetVisible(false);
    ShowWindow(Player(), SW_SHOW);  // the player shows itself again
    player.Tick(false);
    EXPECT_FALSE(IsWindowVisible(Player())) << "the tick hides it again";

    player.Stop();  // the empty list goes to the running player
    EXPECT_EQ(test::WaitForStandinLog(log, 4).back(), "OPEN " + playList);
    player.ShutDown();
    EXPECT_TRUE(test::WaitForPlayerWindow(false));
    EXPECT_FALSE(player.Commands().bringupEnabled);
    EXPECT_EQ(test::ReadStandinLog(log).back(), "CLOSE");

    player.OpenWithPlayer(std::string(temp) + "missing.mp3");
    EXPECT_EQ(messages, std::vector<std::string>{"File not exists !!"});
    test::RemoveStandinPlayer();
}

}  // namespace
}  // namespace orvane
