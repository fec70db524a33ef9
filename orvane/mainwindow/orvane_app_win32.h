// The program's start: title, splash through "About.DLL", single instance, hidden start, the
// main window, and the one message loop. The test harness starts the window the same way.
#pragma once

#include <windows.h>

#include "main_form_win32.h"

namespace orvane {

// Steps 1 to 5 of the start; the window is returned (nullptr when it could not be made).
// A missing "About.DLL" is reported through the dialogs and the start goes on.
HWND StartOrvane(HINSTANCE instance, TMainFormParams params);
// The whole program with the desktop's seams; returns the exit code.
int RunOrvane(HINSTANCE instance);

}  // namespace orvane
