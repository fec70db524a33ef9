#include "player_controller.h"

#include <cmath>
#include <utility>

#include "file_replace.h"
#include "system_path.h"

namespace orvane {

namespace {

// The player is 275 x 150; its offset over the manager rounds half to even.
int CentredOffset(int managerExtent, double halfPlayerExtent) {
    return static_cast<int>(std::nearbyint(managerExtent * 0.5 - halfPlayerExtent));
}

}  // namespace

TPoint BringUpPosition(const TManagerRect& manager) {
    return {manager.left + CentredOffset(manager.width, 137.5),
            manager.top + CentredOffset(manager.height, 75.0)};
}

PlayerController::PlayerController(PlayerWindow& window, PlayerShell& shell, ScreenSaver& saver,
                                   std::string playListFile, PlayerMessageFn showMessage)
    : window_(window),
      shell_(shell),
      saver_(saver),
      playListFile_(std::move(playListFile)),
      showMessage_(std::move(showMessage)) {}

void PlayerController::UpdatePlayerCommands() {
    // Shut down still disabled while the player runs: it has just appeared. The shell starts
    // the player after OpenWithPlayer returns, so the on-top state waits for its window.
    const bool appeared = playerRunning_ && (!commands_.closeEnabled || !onTopApplied_);
    if (appeared && window_.Exists()) {
        window_.SetTopMost(commands_.topMostDown);
        onTopApplied_ = true;
    }
    window_.Show(commands_.visibleDown);
    commands_.closeEnabled = playerRunning_;
    commands_.bringupEnabled = playerRunning_;
}

void PlayerController::OpenWithPlayer(const std::string& fileName) {
    if (!shell_.FileExists(fileName)) {
        if (showMessage_)
            showMessage_(kFileNotExistsText, TMessageIcon::Error);
        return;
    }
    shell_.OpenFile(fileName, commands_.visibleDown);
    playerRunning_ = true;
    UpdatePlayerCommands();
}

void PlayerController::Stop() {
    ReplaceFileContent(SystemPath(playListFile_), {});
    OpenWithPlayer(playListFile_);
}

void PlayerController::SetVisible(bool down) {
    commands_.visibleDown = down;
    window_.Show(down);
}

void PlayerController::ToggleVisible() {
    SetVisible(!commands_.visibleDown);
}

void PlayerController::SetTopMost(bool down) {
    commands_.topMostDown = down;
    window_.SetTopMost(down);
}

void PlayerController::ToggleTopMost() {
    SetTopMost(!commands_.topMostDown);
}

void PlayerController::BringUp(const TManagerRect& manager) {
    commands_.visibleDown = true;
    const TPoint at = BringUpPosition(manager);
    window_.Place(at.x, at.y, commands_.topMostDown);
}

void PlayerController::ShutDown() {
    if (window_.Exists())
        window_.Close();
    playerRunning_ = false;
    UpdatePlayerCommands();
}

void PlayerController::Volume() {
    shell_.RunProgram(std::string(kVolumeControlProgram));
}

void PlayerController::Tick(bool saverStop) {
    playerRunning_ = window_.Exists();
    if (!playerRunning_)
        onTopApplied_ = false;
    if (playerRunning_ && saverStop && saver_.Running(false))
        Stop();
    UpdatePlayerCommands();
}

void PlayerController::ApplyViewSettings(bool visibleDown, bool topMostDown) {
    commands_.visibleDown = visibleDown;
    commands_.topMostDown = topMostDown;
    if (!window_.Exists())
        return;
    window_.Show(visibleDown);
    window_.SetTopMost(topMostDown);
}

void PlayerController::Start(bool autoLaunch) {
    if (autoLaunch)
        Stop();
}

void PlayerController::Finish(bool autoClose) {
    if (autoClose)
        ShutDown();
    if (!window_.Exists())
        return;
    window_.Show(true);
    window_.SetTopMost(false);
}

}  // namespace orvane
