// Control of the outside player WinPlay3: its commands, their enabled and checked states,
// the one-second tick, and what the main window does at start and at the end.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "message_icon.h"
#include "player_seams.h"

namespace orvane {

inline constexpr std::string_view kPlayerWindowTitle = "WinPlay3";
inline constexpr std::string_view kFileNotExistsText = "File not exists !!";
inline constexpr std::string_view kVolumeControlProgram = "sndvol32.exe";
inline constexpr unsigned kRunningTimerMilliseconds = 1000;

// What the player commands show: the toggles (VisibleBtn/VisibleItem,
// TopMostBtn/TopmostItem) and the enabled state of CloseBtn, CloseItem, BringupBtn and
// BringupItem.
struct TPlayerCommands {
    bool visibleDown = true;
    bool topMostDown = false;
    bool closeEnabled = false;
    bool bringupEnabled = false;

    bool operator==(const TPlayerCommands&) const = default;
};

// The manager's outer window rectangle, in screen pixels.
struct TManagerRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

// Where Bring up puts the player: a 275 x 150 window centred over the manager, each
// offset rounded to the nearest integer, ties to even.
TPoint BringUpPosition(const TManagerRect& manager);

// A message box with the application title as caption.
using PlayerMessageFn = std::function<void(std::string_view text, TMessageIcon icon)>;

// Holds the seams by reference; they must outlive the controller.
class PlayerController {
  public:
    // playListFile: the playlist ("OVM.M3U" in the program folder) that Stop empties.
    PlayerController(PlayerWindow& window, PlayerShell& shell, ScreenSaver& saver,
                     std::string playListFile, PlayerMessageFn showMessage);

    bool PlayerRunning() const { return playerRunning_; }
    const TPlayerCommands& Commands() const { return commands_; }

    // Applies on-top when the player has just appeared, always the visibility, then
    // enables Shut down and Bring up exactly when the player runs.
    void UpdatePlayerCommands();
    // Opens a song or playlist with the player; "File not exists !!" when it is missing.
    void OpenWithPlayer(const std::string& fileName);

    // Stop (StopBtn, StopItem, StopItem1): empties the playlist and opens it. Throws
    // SetFileError when the playlist cannot be written.
    void Stop();
    // VisibleBtn clicked (down is its new state) / VisibleItem chosen (toggles).
    void SetVisible(bool down);
    void ToggleVisible();
    // TopMostBtn clicked / TopmostItem chosen.
    void SetTopMost(bool down);
    void ToggleTopMost();
    // BringupBtn, BringupItem.
    void BringUp(const TManagerRect& manager);
    // CloseBtn, CloseItem.
    void ShutDown();
    // VolumeBtn, VolumeControl1.
    void Volume();

    // RunningTimer, every kRunningTimerMilliseconds.
    void Tick(bool saverStop);

    // Start: the stored toggles (WinPlay3Visible, WinPlay3Topmost) applied to the player
    // when it runs; then, with AutoLaunchWinPlay3, Stop starts it silent.
    void ApplyViewSettings(bool visibleDown, bool topMostDown);
    void Start(bool autoLaunch);
    // Main window destroyed: with AutoCloseWinPlay3 Shut down; a player that still
    // runs is shown and set not topmost.
    void Finish(bool autoClose);

  private:
    PlayerWindow& window_;
    PlayerShell& shell_;
    ScreenSaver& saver_;
    std::string playListFile_;
    PlayerMessageFn showMessage_;
    bool playerRunning_ = false;
    // Whether the on-top state reached the player's window since it appeared.
    bool onTopApplied_ = false;
    TPlayerCommands commands_;
};

}  // namespace orvane
