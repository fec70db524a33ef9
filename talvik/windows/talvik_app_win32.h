// Start and message loop of the splitter, the same for the program and its tests.
#pragma once

#include <windows.h>

#include "splitter_form_win32.h"

namespace talvik {

// Registers the classes and creates the four windows; shows the main one. The state
// must outlive the windows. Null when the main window cannot be made.
HWND startTalvik(HINSTANCE instance, SplitterFormState& state, int show);
// Runs until the main window has gone; keyboard navigation works in every window.
int runMessageLoop(const SplitterFormState& state);
// The program: the real system, the current directory as settings directory.
int runTalvik(HINSTANCE instance, int show);

}  // namespace talvik
