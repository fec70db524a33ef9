// In-memory player window, shell and screen saver for tests: they record what was asked.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "player_seams.h"

namespace orvane {

class MemoryPlayerWindow : public PlayerWindow {
  public:
    bool exists = false;
    bool visible = true;
    bool topMost = false;
    int x = 0;
    int y = 0;
    int showCalls = 0;
    int topMostCalls = 0;
    int closeCalls = 0;

    bool Exists() const override { return exists; }
    void Show(bool v) override;
    void SetTopMost(bool t) override;
    void Place(int px, int py, bool t) override;
    void Close() override;
};

class MemoryPlayerShell : public PlayerShell {
  public:
    struct TOpened {
        std::string fileName;
        bool show;
        bool operator==(const TOpened&) const = default;
    };
    std::set<std::string> files;
    std::vector<TOpened> opened;
    std::vector<std::string> programs;
    // The window the shell starts when a file is opened (may be null).
    MemoryPlayerWindow* startsPlayer = nullptr;

    bool FileExists(const std::string& fileName) const override;
    void OpenFile(const std::string& fileName, bool show) override;
    void RunProgram(const std::string& commandLine) override;
};

class MemoryScreenSaver : public ScreenSaver {
  public:
    bool running = false;
    int closeRequests = 0;
    bool Running(bool closeIt) override;
};

}  // namespace orvane
