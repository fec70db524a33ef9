#include <windows.h>

#include <shellapi.h>

#include <string>

#include "player_controller.h"
#include "player_seams_win32.h"

namespace orvane {

namespace {

HWND FindPlayerWindow() {
    return FindWindowA(nullptr, std::string(kPlayerWindowTitle).c_str());
}

HWND InsertAfter(bool topMost) {
    return topMost ? HWND_TOPMOST : HWND_NOTOPMOST;
}

BOOL CALLBACK PostClose(HWND window, LPARAM) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool OnNtPlatform() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version))
        return true;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

bool Win32PlayerWindow::Exists() const {
    return FindPlayerWindow() != nullptr;
}

void Win32PlayerWindow::Show(bool visible) {
    if (HWND player = FindPlayerWindow())
        ShowWindow(player, visible ? SW_SHOW : SW_HIDE);
}

void Win32PlayerWindow::SetTopMost(bool topMost) {
    if (HWND player = FindPlayerWindow()) {
        SetWindowPos(player, InsertAfter(topMost), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void Win32PlayerWindow::Place(int x, int y, bool topMost) {
    if (HWND player = FindPlayerWindow()) {
        SetWindowPos(player, InsertAfter(topMost), x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
}

void Win32PlayerWindow::Close() {
    if (HWND player = FindPlayerWindow())
        SendMessageA(player, WM_CLOSE, 0, 0);
}

bool Win32PlayerShell::FileExists(const std::string& fileName) const {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32PlayerShell::OpenFile(const std::string& fileName, bool show) {
    ShellExecuteA(nullptr, "open", fileName.c_str(), "", "", show ? SW_SHOW : SW_HIDE);
}

void Win32PlayerShell::RunProgram(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_SHOW);
}

bool Win32ScreenSaver::Running(bool closeIt) {
    if (OnNtPlatform()) {
        HDESK desktop = OpenDesktopA("Screen-saver", 0, FALSE, MAXIMUM_ALLOWED);
        // A saver desktop that may not be opened still runs a saver.
        if (!desktop)
            return GetLastError() == ERROR_ACCESS_DENIED;
        if (closeIt)
            EnumDesktopWindows(desktop, PostClose, 0);
        CloseDesktop(desktop);
        return true;
    }
    HWND saver = FindWindowA("WindowsScreenSaverClass", nullptr);
    if (!saver)
        return false;
    if (closeIt)
        PostMessageA(saver, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace orvane
