// A stand-in for the outside player, for tests only: a top-level window titled "WinPlay3"
// that logs every file it is asked to open (and a playlist's lines) and ends on WM_CLOSE.
// Log lines: "OPEN <file>", "LINE <playlist line>", "CLOSE". The log file is named by
// ORVANE_STANDIN_LOG, else "winplay3_standin.log" beside the program.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string LogFileName() {
    char buffer[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ORVANE_STANDIN_LOG", buffer, MAX_PATH) > 0)
        return buffer;
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer);
    return path.substr(0, path.find_last_of('\\') + 1) + "winplay3_standin.log";
}

void Log(const std::string& line) {
    // Appending through a handle shared for writing: two players may start at once.
    HANDLE file =
        CreateFileA(LogFileName().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

bool IsPlayList(const std::string& file) {
    return file.size() > 4 && lstrcmpiA(file.substr(file.size() - 4).c_str(), ".M3U") == 0;
}

void LogOpen(const std::string& file) {
    Log("OPEN " + file);
    if (!IsPlayList(file))
        return;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Log("LINE " + line);
    }
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Log("CLOSE");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    for (int i = 1; i < __argc; ++i) LogOpen(__argv[i]);
    // A running player takes the file over, as the real one does: no second window.
    if (FindWindowA(nullptr, "WinPlay3"))
        return 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = instance;
    wc.lpszClassName = "OrvaneStandinPlayer";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "WinPlay3", WS_OVERLAPPEDWINDOW, 40, 40, 275,
                                  150, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
