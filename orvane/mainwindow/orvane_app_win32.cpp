#include "orvane_app_win32.h"

#include <commctrl.h>

#include <string>

#include "folder_access_win32.h"
#include "kept_file_places.h"
#include "play_list.h"
#include "player_seams_win32.h"
#include "registry_classes_registry.h"
#include "registry_settings_store.h"
#include "setting_names.h"

namespace orvane {
namespace {

using AboutEntry = void(WINAPI*)();

AboutEntry AboutExport(HMODULE library, const char* name) {
    return reinterpret_cast<AboutEntry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Keeps the splash painted while the start waits.
void DispatchFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

std::string WindowsDirectory() {
    char path[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

}  // namespace

HWND StartOrvane(HINSTANCE instance, TMainFormParams params) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (params.programFolder.empty())
        params.programFolder = ProgramFolder();
    const TStartPlan plan = PlanStart(*params.store);
    HMODULE about = nullptr;
    if (plan.showSplash) {
        about = LoadLibraryA((params.programFolder + "\\" + std::string(kAboutDllName)).c_str());
        if (about == nullptr) {
            // The splash is a nicety: without the library the program still starts.
            params.dialogs->Message(nullptr, kAboutDllMissingText, MB_OK | MB_ICONERROR);
        } else if (AboutEntry show = AboutExport(about, "ShowSplashScreen")) {
            show();
            DispatchFor(kSplashMilliseconds);
        }
    }
    params.startHidden = plan.startHidden;
    RegisterMainFormClass(instance);
    HWND window = CreateMainForm(instance, params);
    if (about != nullptr) {
        if (AboutEntry drop = AboutExport(about, "DropSplashScreen"))
            drop();
        FreeLibrary(about);
    }
    return window;
}

int RunOrvane(HINSTANCE instance) {
    RegistrySettingsStore store;
    RegistryClassesRegistry classes;
    DesktopDialogs dialogs;
    Win32PlayerWindow playerWindow;
    Win32PlayerShell playerShell;
    Win32ScreenSaver screenSaver;
    TMainFormParams params;
    params.store = &store;
    params.classes = &classes;
    params.dialogs = &dialogs;
    params.playerWindow = &playerWindow;
    params.playerShell = &playerShell;
    params.screenSaver = &screenSaver;
    // A second copy brings the first one forward and ends.
    SingleInstanceGuard guard;
    HWND application = SingleInstanceGuard::CreateApplicationWindow(instance, kApplicationTitle);
    if (!guard.Check(application))
        return 0;
    // The files the program keeps go to the per-user folder where their first place cannot
    // be written (a standard user under C:\Windows or C:\Program Files).
    params.programFolder = ProgramFolder();
    Win32FolderAccess folders;
    KeptFilePlaces places(folders, PerUserFolder());
    WindowPlacementStore placement;
    placement.KeepIn(places.Keep(WindowsDirectory(), PlacementFileName("", kPlacementIniFileName),
                                 {PlacementFileName("", kPlacementIniFileName)}));
    params.keptFolder = places.Keep(params.programFolder, kPlayListFileName,
                                    {"its set files", std::string(kPlayListFileName)});
    params.keptNotice = places.Notice();
    params.placement = &placement;
    params.trayIcon = true;
    HWND window = StartOrvane(instance, params);
    if (window == nullptr)
        return 1;
    SingleInstanceGuard::SetMainWindow(application, window);
    return RunMessageLoop(window, LoadMainAccelerators(instance), true);
}

}  // namespace orvane
