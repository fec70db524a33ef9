// Brevant: the program entry. An argument names a project to open at start.
#include <windows.h>

#include <string>

#include "recorder_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    brevant::SystemDialogs dialogs;
    brevant::StartOptions options;
    std::string song = commandLine != nullptr ? commandLine : "";
    if (song.size() >= 2 && song.front() == '"' && song.back() == '"')
        song = song.substr(1, song.size() - 2);
    options.songPath = song;
    HWND main = brevant::startRecorder(instance, dialogs, options);
    if (main == nullptr)
        return -1;
    return brevant::runMessageLoop(main);
}
