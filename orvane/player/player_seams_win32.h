// The Win32 adapters of the player seams (Windows build only).
#pragma once
#include "player_seams.h"

namespace orvane {

// FindWindowA(nullptr, "WinPlay3") at every call.
class Win32PlayerWindow : public PlayerWindow {
  public:
    bool Exists() const override;
    void Show(bool visible) override;
    void SetTopMost(bool topMost) override;
    void Place(int x, int y, bool topMost) override;
    void Close() override;
};

// ShellExecuteA "open", WinExec, GetFileAttributesA.
class Win32PlayerShell : public PlayerShell {
  public:
    bool FileExists(const std::string& fileName) const override;
    void OpenFile(const std::string& fileName, bool show) override;
    void RunProgram(const std::string& commandLine) override;
};

// The "Screen-saver" desktop on NT, the "WindowsScreenSaverClass" window elsewhere.
class Win32ScreenSaver : public ScreenSaver {
  public:
    bool Running(bool closeIt) override;
};

}  // namespace orvane
