// A tiny Windows program that the runner's self-test drives: each mode checks one
// promise of tools/wine-run (exit status, time bound, display, sound devices).
#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int ExitWith(const char* code) {
    return std::atoi(code);
}

int SleepFor(const char* seconds) {
    // Says it runs, so a check can tell a bound that hit while it ran from one that hit earlier.
    std::printf("sleeping\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(seconds)) * 1000);
    return 0;
}

int ShowWindow() {
    HWND window = CreateWindowA("STATIC", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    DestroyWindow(window);
    std::printf("window ok\n");
    return 0;
}

int CountWaveDevices() {
    std::printf("out %u in %u\n", waveOutGetNumDevs(), waveInGetNumDevs());
    return 0;
}

// An ANSI file name in an error message is not UTF-8 ('\x92' is the right quote in
// code page 1252); the lines after it must still reach the user.
int WriteAnsiErrors() {
    std::fprintf(stderr, "before\ncannot open Don\x92t.txt\nafter\n");
    return 0;
}

int Crash() {
    volatile int* nowhere = nullptr;
    return *nowhere;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0)
        return ExitWith(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0)
        return SleepFor(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "window") == 0)
        return ShowWindow();
    if (argc >= 2 && std::strcmp(argv[1], "wave") == 0)
        return CountWaveDevices();
    if (argc >= 2 && std::strcmp(argv[1], "crash") == 0)
        return Crash();
    if (argc >= 2 && std::strcmp(argv[1], "ansi-errors") == 0)
        return WriteAnsiErrors();
    std::fprintf(stderr,
                 "usage: wine_run_probe exit N | sleep S | window | wave | crash | ansi-errors\n");
    return 2;
}
