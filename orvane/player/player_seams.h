// The seams of player control: the player's top-level window, the shell that starts it
// and the screen saver that may stop it. Win32 adapters in player_seams_win32.h, fakes in
// memory_player_seams.h.
#pragma once
#include <string>

namespace orvane {

// The top-level window titled "WinPlay3", looked up afresh at every call; every
// operation on a missing window is a harmless no-op.
class PlayerWindow {
  public:
    virtual ~PlayerWindow() = default;
    virtual bool Exists() const = 0;
    virtual void Show(bool visible) = 0;
    virtual void SetTopMost(bool topMost) = 0;
    // Moves the window to x, y (screen pixels) without sizing it, shows it, and puts it
    // topmost or not topmost.
    virtual void Place(int x, int y, bool topMost) = 0;
    // Sends the close message and returns once the player has handled it.
    virtual void Close() = 0;
};

// Starting programs and files.
class PlayerShell {
  public:
    virtual ~PlayerShell() = default;
    virtual bool FileExists(const std::string& fileName) const = 0;
    // The shell's "open" verb on the file, shown or hidden; the result is not examined.
    virtual void OpenFile(const std::string& fileName, bool show) = 0;
    // Runs a program by name with the show command "show".
    virtual void RunProgram(const std::string& commandLine) = 0;
};

class ScreenSaver {
  public:
    virtual ~ScreenSaver() = default;
    // True while a screen saver runs; with closeIt set, asks it to close.
    virtual bool Running(bool closeIt) = 0;
};

}  // namespace orvane
