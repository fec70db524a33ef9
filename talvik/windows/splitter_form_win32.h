// TForm1, the splitter's main window: the controls of the form, their couplings, the
// commands on the engine and the settings file at start and end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "form_controls_win32.h"
#include "settings_folders_win32.h"
#include "settings_place.h"
#include "small_forms_win32.h"
#include "splitter.h"
#include "talvik_host_win32.h"
#include "window_settings.h"

namespace talvik {

inline constexpr const char* kSplitterClassName = "TalvikForm1";
inline constexpr int kSplitterClientWidth = 736;
inline constexpr int kSplitterClientHeight = 438;

// Everything the main window needs; owned by the window from its creation on.
struct SplitterFormState {
    // `settingsDir` is the directory current at start: tvk.prf is read and written there
    // while it can be written (`settingsPlace`).
    SplitterFormState(TalvikHost& h, std::string startDir)
        : host(h), settingsDir(std::move(startDir)), splitter(h, SplitterSettings{}) {}
    ~SplitterFormState();
    SplitterFormState(const SplitterFormState&) = delete;
    SplitterFormState& operator=(const SplitterFormState&) = delete;

    TalvikHost& host;
    std::string settingsDir;
    SystemSettingsFolders systemFolders;
    SettingsFolders* folders = &systemFolders;  // where the place is probed
    SettingsPlace settingsPlace;                // fixed in FormCreate
    Splitter splitter;
    HWND form = nullptr;
    HWND about = nullptr;
    HWND grab = nullptr;
    HWND warning = nullptr;
    DirectoryPicker source;
    DirectoryPicker destination;
    SmallFonts fonts;
    HFONT valueFont = nullptr;                     // "MS Sans Serif" 13, the middle rows
    std::unique_ptr<GrabFormState> grabFormState;  // kept here, so a failed window leaks nothing
    bool ready = false;  // change notices before the end of FormCreate are the form's own
    // Said once the window is up: the settings file's new place, the saved directories
    // start-up could not restore.
    struct StartNotice {
        std::string text;
        bool error = true;
    };
    std::vector<StartNotice> startNotices;
    std::int64_t committedMinSize = SplitterSettings{}.minSize;  // the "Min. size" last applied
};

bool registerSplitterClasses(HINSTANCE instance);
// Creates the main window's controls with their defaults (FormCreate's first step).
void createSplitterControls(SplitterFormState& s);
// Creates TForm1 (which runs FormCreate) and then TForm2, TForm3 and TForm4, hidden.
HWND createSplitterForm(HINSTANCE instance, SplitterFormState* state);
SplitterFormState* splitterState(HWND form);

// What the controls hold, as the engine takes it.
SplitterSettings readSettings(const SplitterFormState& state);
// The directory lists as the settings file keeps them.
DirectoryLists directoryLists(const SplitterFormState& state);

}  // namespace talvik
