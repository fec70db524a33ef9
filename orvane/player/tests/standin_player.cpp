#include "standin_player.h"

#include <windows.h>

#include <fstream>

#include "file_association.h"
#include "registry_classes_registry.h"

namespace orvane::test {

namespace {

// Answers the player dialog with the stand-in and stays quiet otherwise.
class StandinAssociationHost : public AssociationHost {
  public:
    explicit StandinAssociationHost(std::string player) : player_(std::move(player)) {}
    void ShowMessage(std::string_view, TMessageIcon) override {}
    std::optional<std::string> FindPlayer() override { return player_; }
    bool FileExists(const std::string& path) const override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

  private:
    std::string player_;
};

void PumpFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

}  // namespace

std::string StandinPlayerPath() {
    std::string path = WINPLAY3_STANDIN;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return "Z:" + path;
}

bool RegisterStandinPlayer(const std::string& logFile, const std::string& playerPath) {
    SetEnvironmentVariableA("ORVANE_STANDIN_LOG", logFile.c_str());
    DeleteFileA(logFile.c_str());
    RegistryClassesRegistry registry;
    StandinAssociationHost host(playerPath);
    return AskPlayerLocation(registry, host);
}

std::vector<std::string> ReadStandinLog(const std::string& logFile) {
    std::vector<std::string> lines;
    std::ifstream in(logFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::vector<std::string> WaitForStandinLog(const std::string& logFile, std::size_t count,
                                           int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        auto lines = ReadStandinLog(logFile);
        if (lines.size() >= count || waited >= timeoutMs)
            return lines;
        PumpFor(100);
    }
}

bool WaitForPlayerWindow(bool present, int timeoutMs) {
    for (int waited = 0;; waited += 100) {
        if ((FindWindowA(nullptr, "WinPlay3") != nullptr) == present)
            return true;
        if (waited >= timeoutMs)
            return false;
        PumpFor(100);
    }
}

void RemoveStandinPlayer() {
    while (HWND player = FindWindowA(nullptr, "WinPlay3")) {
        SendMessageA(player, WM_CLOSE, 0, 0);
        if (!WaitForPlayerWindow(false, 5000))
            break;
    }
    for (const char* key : {".MP3", "MP3file", ".M3U", "M3Ufile"}) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    }
}

}  // namespace orvane::test
